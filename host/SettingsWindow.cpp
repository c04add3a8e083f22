#include "host/SettingsWindow.h"

#include <algorithm>

#include "os/MainLoop.h"
#include "os/Menu.h"

namespace {
using K = SettingsWindow::Kind;
using D = SettingsDialog;
constexpr int kLabelX = 20, kControlX = 170, kRow = 30, kTop = 60;
// The popups reach to 18 pixels before the pane's right edge.
constexpr int kControlW = SettingsWindow::kWidth - 30 - kControlX;
// The panel that holds the panes, inside the window's margin.
constexpr int kPaneLeft = 12, kPaneTop = 38, kPaneRight = SettingsWindow::kWidth - 12, kPaneBottom = 274;
// The buttons end where the controls end.
constexpr int kButtonW = 80, kButtonGap = 10, kButtonsRight = kControlX + kControlW, kButtonY = 286;
constexpr int kPopupMenuId = 300;
}  // namespace

const std::vector<SettingsWindow::Place>& SettingsWindow::Layout() {
  static const std::vector<Place> layout = {
      {K::kTab, D::kMTAB, 1, 0, 20, 14, 110, 24, "Audio Output"},
      {K::kTab, D::kMTAB, 2, 0, 134, 14, 110, 24, "MIDI"},
      {K::kTab, D::kMTAB, 3, 0, 248, 14, 110, 24, "Other"},
      {K::kPopup, D::kOUTP, 0, 1, kControlX, kTop, kControlW, 20, "Output device"},
      {K::kPopup, D::kSTRM, 0, 1, kControlX, kTop + kRow, kControlW, 20, "Format"},
      {K::kSlider, D::kBFSZ, 0, 1, kControlX, kTop + 2 * kRow, 200, 20, "Buffer size"},
      {K::kText, D::kSTTX, 0, 1, kControlX + 210, kTop + 2 * kRow, 50, 20, nullptr},
      {K::kText, D::kSTTX, 1, 1, kControlX + 210, kTop + 3 * kRow, 50, 20, "Latency (ms)"},
      {K::kPopup, D::kCHAN, 0, 1, kControlX, kTop + 4 * kRow, kControlW, 20, "Output channels"},
      {K::kPopup, D::kCLOK, 0, 1, kControlX, kTop + 5 * kRow, kControlW, 20, "Clock source"},
      {K::kPopup, D::kMIDI, 0, 2, kControlX, kTop, kControlW, 20, "MIDI input 1"},
      {K::kPopup, D::kMIDI, 1, 2, kControlX, kTop + kRow, kControlW, 20, "MIDI input 2"},
      {K::kPopup, D::kMIDI, 2, 2, kControlX, kTop + 2 * kRow, kControlW, 20, "MIDI input 3"},
      {K::kPopup, D::kMIDI, 3, 2, kControlX, kTop + 3 * kRow, kControlW, 20, "MIDI clock source"},
      {K::kPopup, D::kKNOB, 0, 3, kControlX, kTop, kControlW, 20, "Knob mode"},
      {K::kCheck, D::kfSTO, 0, 3, kControlX, kTop + kRow, 20, 20, "Stop audio on overload"},
      {K::kSlider, D::kbSTO, 0, 3, kControlX, kTop + 2 * kRow, 200, 20, "Load limit"},
      {K::kText, D::kSTTX, 2, 3, kControlX + 210, kTop + 2 * kRow, 50, 20, nullptr},
      {K::kButton, D::kCNCL, 0, 0, kButtonsRight - 3 * kButtonW - 2 * kButtonGap, kButtonY, kButtonW, 26, "Cancel"},
      {K::kButton, D::kSETU, 0, 0, kButtonsRight - 2 * kButtonW - kButtonGap, kButtonY, kButtonW, 26, "Apply"},
      {K::kButton, D::kOK, 0, 0, kButtonsRight - kButtonW, kButtonY, kButtonW, 26, "OK"},
  };
  return layout;
}

SettingsWindow::SettingsWindow(SettingsDialog& dialog) : dialog_(dialog) {}

SettingsWindow::~SettingsWindow() {
  StopWaiting();
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->RemovePosted(this);
}

bool SettingsWindow::Show(const std::string& title) {
  title_ = title;
  if (os::Window::CurrentModalState().questions == 0) return Open();
  // One question at a time: the window waits for the answer. It comes up
  // from the loop, after the question's run has wholly ended.
  if (waitListener_ == 0)
    waitListener_ = os::Window::AddModalListener([this](const os::Window::ModalState& state) {
      if (state.questions > 0) return;
      StopWaiting();
      if (os::MainLoop* loop = os::MainLoop::Current()) loop->Post([this] { Show(title_); }, this);
    });
  return true;
}

bool SettingsWindow::Open() {
  if (!window()) {
    WindowPlacement p;
    p.x = 80;
    p.y = 80;
    p.width = kWidth;
    p.height = kHeight;
    p.title = title_;
    if (!DrawnForm::Open(p)) return false;
  }
  window()->Show();
  window()->RequestFocus();
  Redraw();
  return true;
}

void SettingsWindow::StopWaiting() {
  if (waitListener_ != 0) os::Window::RemoveModalListener(waitListener_);
  waitListener_ = 0;
}

void SettingsWindow::Hide() {
  StopWaiting();
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->RemovePosted(this);
  dragging_ = nullptr;
  Close();
}

bool SettingsWindow::IsVisible() const { return window() && window()->IsVisible(); }

void SettingsWindow::Refresh() {
  if (window()) Redraw();
}

const SettingsWindow::Place* SettingsWindow::HitTest(int x, int y) const {
  for (const Place& p : Layout()) {
    if (p.pane && p.pane != dialog_.lastPaneSelected()) continue;
    if (p.kind == K::kText) continue;
    // A check box takes clicks on its caption too.
    const int width = p.kind == K::kCheck ? p.w + 200 : p.w;
    if (Inside(x, y, p.x, p.y, width, p.h)) return &p;
  }
  return nullptr;
}

int SettingsWindow::SliderValueAt(const Place& p, int x) const {
  const DialogControl* c = dialog_.Control(p.signature, p.index);
  if (!c || c->maximum <= c->minimum) return c ? c->minimum : 0;
  const double t = std::clamp((x - p.x) / double(p.w - 1), 0.0, 1.0);
  return c->minimum + static_cast<int>(t * (c->maximum - c->minimum) + 0.5);
}

int SettingsWindow::ChooseFromPopup(const Place& p) {
  const DialogControl* c = dialog_.Control(p.signature, p.index);
  if (!c || !c->enabled || c->items.empty()) return 0;
  os::Menu menu(kPopupMenuId);
  for (size_t i = 0; i < c->items.size(); ++i) {
    os::Menu::Item item;
    item.text = c->items[i].text;
    item.literal = true;
    item.enabled = c->items[i].enabled;
    item.mark = static_cast<int>(i) + 1 == c->value ? 1 : 0;
    item.command = static_cast<int>(i) + 1;
    menu.items().push_back(item);
  }
  // The list opens over its control, the chosen item on it, at least as
  // wide as the control and never past the window's sides.
  const os::WindowPoint origin = window()->ScreenOrigin();
  menu.SetFit({p.w, origin.x, origin.x + window()->Width()});
  const os::Menu::TrackResult r = menu.Track(origin.x + p.x, origin.y + p.y, std::max(1, c->value));
  const int chosen = static_cast<int>(r.selection & 0xFFFF);
  return r.aborted ? 0 : chosen;
}

void SettingsWindow::Press(const Place& p, int x) {
  const DialogControl* c = dialog_.Control(p.signature, p.index);
  switch (p.kind) {
    case K::kTab: dialog_.UserChose(p.signature, 0, p.index); break;
    case K::kPopup:
      if (const int chosen = ChooseFromPopup(p)) dialog_.UserChose(p.signature, p.index, chosen);
      break;
    case K::kCheck:
      if (c) dialog_.UserChose(p.signature, p.index, c->value ? 0 : 1);
      break;
    case K::kSlider:
      dragging_ = &p;
      dialog_.SliderTracking(p.signature, SliderValueAt(p, x));
      break;
    case K::kButton: dialog_.UserChose(p.signature, p.index, 0); break;
    case K::kText: break;
  }
}

void SettingsWindow::OnWindowMouse(const os::MouseEvent& e) {
  using MK = os::MouseEvent::Kind;
  if (e.button != os::MouseButton::kLeft && e.kind != MK::kDrag) return;
  if (dragging_ && (e.kind == MK::kDrag || e.kind == MK::kUp)) {
    const Place& p = *dragging_;
    if (e.kind == MK::kDrag) {
      dialog_.SliderTracking(p.signature, SliderValueAt(p, e.x));
      return;
    }
    dragging_ = nullptr;
    dialog_.UserChose(p.signature, p.index, SliderValueAt(p, e.x));
    return;
  }
  const Place* p = HitTest(e.x, e.y);
  if (p && p->kind == K::kButton) {
    const int pressed = PressButtons(e, [this](int x, int y) {
      const Place* q = HitTest(x, y);
      return q && q->kind == K::kButton ? static_cast<int>(q - Layout().data()) + 1 : 0;
    });
    if (pressed) Press(Layout()[pressed - 1], e.x);
    return;
  }
  if (e.kind == MK::kDown && p) Press(*p, e.x);
}

bool SettingsWindow::OnWindowKey(const os::KeyEvent& e) {
  if (e.kind != os::KeyEvent::Kind::kDown) return true;
  // The default button (OK) and the cancel one, as the system's dialogs.
  if (e.chr == 13 || e.chr == 3) dialog_.UserChose(D::kOK, 0, 0);
  if (e.chr == 27) dialog_.UserChose(D::kCNCL, 0, 0);
  return true;
}

void SettingsWindow::OnWindowClose() { Hide(); }

void SettingsWindow::Paint() {
  Fill(0, 0, kWidth, kHeight, kPanel);
  Fill(kPaneLeft, kPaneTop, kPaneRight - kPaneLeft, kPaneBottom - kPaneTop, kPanelLight);
  Frame(kPaneLeft, kPaneTop, kPaneRight - kPaneLeft, kPaneBottom - kPaneTop, kFrame);
  for (const Place& p : Layout())
    if (!p.pane || p.pane == dialog_.lastPaneSelected()) PaintControl(p);
}

void SettingsWindow::PaintControl(const Place& p) {
  const DialogControl* c = dialog_.Control(p.signature, p.kind == K::kTab ? 0 : p.index);
  const bool enabled = !c || c->enabled;
  const uint32_t text = enabled ? kText : kTextDim;
  if (p.label && p.kind != K::kTab && p.kind != K::kButton && p.kind != K::kCheck)
    Text(kLabelX, p.y + 4, p.label, PlainFont(), text, kControlX - kLabelX - 8);
  switch (p.kind) {
    case K::kTab: {
      const bool on = p.index == dialog_.lastPaneSelected();
      Fill(p.x, p.y, p.w, p.h, on ? kPanelLight : kPanel);
      Frame(p.x, p.y, p.w, p.h, on ? kAmber : kFrame);
      CentredText(p.x, p.y + 6, p.w, p.label, BoldFont(), on ? kAmber : kText);
      break;
    }
    case K::kPopup: {
      Fill(p.x, p.y, p.w, p.h, kPanel);
      Frame(p.x, p.y, p.w, p.h, kFrame);
      std::string shown;
      if (c && c->value >= 1 && c->value <= static_cast<int>(c->items.size()))
        shown = c->items[c->value - 1].text;
      // The text ends before the arrow.
      Text(p.x + 6, p.y + 4, shown, PlainFont(), enabled ? kAmber : kTextDim, p.w - 28);
      // The popup's arrow.
      for (int i = 0; i < 4; ++i) Fill(p.x + p.w - 16 + i, p.y + 8 + i, 8 - 2 * i, 1, text);
      break;
    }
    case K::kSlider: {
      Fill(p.x, p.y + p.h / 2 - 2, p.w, 4, kPanel);
      Frame(p.x, p.y + p.h / 2 - 2, p.w, 4, kFrame);
      if (c && c->maximum > c->minimum) {
        const int tx = p.x + (p.w - 10) * (c->value - c->minimum) / (c->maximum - c->minimum);
        Fill(tx, p.y + 2, 10, p.h - 4, enabled ? kAmber : kTextDim);
      }
      break;
    }
    case K::kCheck: {
      Fill(p.x, p.y + 3, 14, 14, kPanel);
      Frame(p.x, p.y + 3, 14, 14, kFrame);
      if (c && c->value) Fill(p.x + 3, p.y + 6, 8, 8, kAmber);
      Text(p.x + 22, p.y + 4, p.label, PlainFont(), text, kPaneRight - 8 - (p.x + 22));
      break;
    }
    case K::kText:
      Text(p.x, p.y + 4, c ? c->text : "", PlainFont(), kAmber, p.w);
      break;
    case K::kButton: {
      const int number = static_cast<int>(&p - Layout().data()) + 1;
      Button(p.x, p.y, p.w, p.h, p.label, p.signature == D::kOK, true, PressedButton() == number);
      break;
    }
  }
}
