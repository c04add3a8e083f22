#include "host/EditorWindow.h"

#include <algorithm>
#include <cstdlib>

#include "os/Menu.h"
#include "os/window/TextRenderer.h"
#include "os/window/TopLevelWindow.h"
#include "os/window/X11Window.h"
#include "platform/NRXException.h"

namespace {
constexpr uint32_t kStrip = 0xFF26272Bu, kStripText = 0xFFE6E6E6u, kStripDim = 0xFF80838Bu;
constexpr int kTitlePadding = 12;

EditorWindow::WindowMaker& Maker() {
  static EditorWindow::WindowMaker maker;
  return maker;
}
}  // namespace

void EditorWindow::SetWindowMaker(WindowMaker maker) { Maker() = std::move(maker); }

EditorWindow::~EditorWindow() {
  CloseView();
  viewParent_.reset();
  if (window_) window_->SetSink(nullptr);
}

void EditorWindow::SetMenus(std::vector<MenuDef> menus, std::function<bool(uint32_t)> isEnabled,
                            std::function<void(uint32_t)> chosen) {
  menus_ = std::move(menus);
  isEnabled_ = std::move(isEnabled);
  chosen_ = std::move(chosen);
  PaintMenuStrip();
}

int EditorWindow::MenuTitleAt(int x, int y) const {
  if (y < 0 || y >= kMenuHeight) return -1;
  for (size_t i = 0; i < titleSpans_.size(); ++i)
    if (x >= titleSpans_[i].first && x < titleSpans_[i].second) return static_cast<int>(i);
  return -1;
}

void EditorWindow::PaintMenuStrip() {
  if (!window_) return;
  const int w = window_->Width();
  if (w <= 0) return;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * kMenuHeight, kStrip);
  for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(kMenuHeight - 1) * w + x] = 0xFF5A5D66u;
  os::TextRenderer text;
  text.SetFont("Lucida Grande", 13);
  titleSpans_.clear();
  float pen = kTitlePadding;
  for (const MenuDef& m : menus_) {
    const int from = static_cast<int>(pen) - kTitlePadding / 2;
    pen = text.Draw(pen, 15, m.title.data(), m.title.size(), w, kMenuHeight,
                    [&](int x, int y, uint8_t c) {
                      uint32_t& p = pixels[static_cast<size_t>(y) * w + x];
                      auto mix = [&](int shift) {
                        const int a = (p >> shift) & 0xFF, b = (kStripText >> shift) & 0xFF;
                        return static_cast<uint32_t>((a * (255 - c) + b * c) / 255) << shift;
                      };
                      p = 0xFF000000u | mix(16) | mix(8) | mix(0);
                    });
    titleSpans_.emplace_back(from, static_cast<int>(pen) + kTitlePadding / 2);
    pen += kTitlePadding;
  }
  window_->Present(pixels.data(), w, kMenuHeight, os::WindowRect{0, 0, w, kMenuHeight});
}

void EditorWindow::TrackMenu(int index) {
  if (index < 0 || index >= static_cast<int>(menus_.size()) || !window_) return;
  const MenuDef& def = menus_[index];
  os::Menu menu(index + 1);
  for (const MenuItem& i : def.items) {
    os::Menu::Item item;
    item.text = i.text;
    item.literal = true;
    item.separator = i.command == 0;
    item.command = static_cast<int>(i.command);
    item.enabled = i.command != 0 && (!isEnabled_ || isEnabled_(i.command));
    menu.items().push_back(item);
  }
  const os::WindowPoint origin = window_->ScreenOrigin();
  const int left = index < static_cast<int>(titleSpans_.size()) ? titleSpans_[index].first : 0;
  const os::Menu::TrackResult r = menu.Track(origin.x + left, origin.y + kMenuHeight, 0);
  const int chosen = static_cast<int>(r.selection & 0xFFFF);
  if (r.aborted || chosen < 1 || chosen > static_cast<int>(def.items.size())) return;
  const MenuItem& item = def.items[chosen - 1];
  if (item.command && chosen_) chosen_(item.command);
}

void EditorWindow::OnWindowMouse(const os::MouseEvent& e) {
  if (e.kind != os::MouseEvent::Kind::kDown || e.button != os::MouseButton::kLeft) return;
  TrackMenu(MenuTitleAt(e.x, e.y));
}

void EditorWindow::OnWindowExpose(const os::WindowRect&) { PaintMenuStrip(); }

bool EditorWindow::createEditWindow(const std::string& title) {
  if (Maker())
    window_ = Maker()(400, 300 + kMenuHeight, title);
  else
    window_ = os::X11Window::CreateTopLevel(nullptr, 0, 0, 400, 300 + kMenuHeight, title);
  if (!window_) return false;
  window_->SetTitle(title);
  window_->SetSink(this);
  return true;
}

void EditorWindow::setEditUnit(AudioComponent* unit) {
  unit_ = unit;
  if (editing_) editSynth();
}

void EditorWindow::CloseView() {
  if (viewOpen_ && unit_) unit_->CloseView();
  viewOpen_ = false;
}

void EditorWindow::editSynth() {
  if (!window_) throw NRXNullException("carbonWindow", nullptr);
  if (!unit_) throw NRXNullException("editUnit", nullptr);
  CloseView();
  viewParent_.reset();
  // On an X server the view lives in a window of its own below the strip.
  uint64_t parent = 0;
  if (dynamic_cast<os::X11Window*>(window_.get())) {
    viewParent_ = os::X11Window::CreateChild(nullptr, window_->NativeId(), 0, kMenuHeight, window_->Width(),
                                             window_->Height() - kMenuHeight);
    if (!viewParent_) throw NRXNullException("viewParent", nullptr);
    viewParent_->Show();
    parent = viewParent_->NativeId();
  }
  int width = 0, height = 0;
  const int32_t status = unit_->OpenView(parent, &width, &height);
  if (status == AudioComponent::kErrNoView) {
    // A component without a view of its own: the window keeps its menus
    // over an empty area.
    viewParent_.reset();
  } else {
    if (status != 0) throw NRXMacOSException(status, "AudioUnitCarbonViewCreate");
    viewOpen_ = true;
    if (width > 0 && height > 0) {
      window_->Resize(width, height + kMenuHeight);
      if (viewParent_) viewParent_->Resize(width, height);
    }
  }
  window_->Show();
  Centre();
  PaintMenuStrip();
  editing_ = true;
}

void EditorWindow::Centre() {
  const os::WindowRect screen = os::MainScreenBounds();
  const int w = window_->Width(), h = window_->Height();
  // A window larger than the screen keeps its top-left corner (and so its
  // menus) on the screen.
  home_ = {screen.left + std::max(0, (screen.right - screen.left - w) / 2),
           screen.top + std::max(0, (screen.bottom - screen.top - h) / 2)};
  window_->MoveTo(home_.x, home_.y);
}

void EditorWindow::setEditWindowLock(bool locked) {
  locked_ = locked;
  editSynth();
}

void EditorWindow::Idle() {
  if (viewOpen_ && unit_) unit_->IdleView();
}

void EditorWindow::OnWindowClose() {
  if (!window_) return;
  if (onClose_)
    onClose_();
  else
    std::exit(0);
}

void EditorWindow::OnWindowBoundsChanging(os::WindowRect* bounds, bool, bool moved) {
  // A locked window goes back to where the lock placed it: by the time the
  // desktop tells of a drag, the window is already at the new place.
  if (locked_ && moved && window_) {
    const int w = bounds->right - bounds->left, h = bounds->bottom - bounds->top;
    bounds->left = home_.x;
    bounds->top = home_.y;
    bounds->right = home_.x + w;
    bounds->bottom = home_.y + h;
  }
}
