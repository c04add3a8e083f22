#include "editor/controls/DrawnForm.h"

#include <algorithm>
#include <mutex>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/HfcBmpFontInfo.h"
#include "hfc/HfcTextFit.h"
#include "os/Lock.h"
#include "os/window/X11PopupWindow.h"
#include "os/window/X11Window.h"

namespace {

os::Lock g_makerMutex;
DrawnForm::WindowMaker g_maker;

std::unique_ptr<os::Window> MakeX11(const DrawnForm::WindowPlacement& placement) {
  if (placement.popup) return os::CreateX11PopupWindow(nullptr, placement.x, placement.y, placement.width, placement.height);
  return os::X11Window::CreateTopLevel(nullptr, placement.x, placement.y, placement.width, placement.height,
                                       placement.title);
}

}  // namespace

void DrawnForm::SetWindowMaker(WindowMaker maker) {
  std::lock_guard<os::Lock> g(g_makerMutex);
  g_maker = std::move(maker);
}

DrawnForm::DrawnForm() {
  ResourceManager::Initialize();
  FontManager::Initialize();
  if (FontManager::mInstance != nullptr) {
    mPlain = FontManager::mInstance->GetBmpFontInfo(FontManager::FontName_Geneva10);
    mBold = FontManager::mInstance->GetBmpFontInfo(FontManager::FontName_HelvB11);
  }
}

DrawnForm::~DrawnForm() {
  Close();
  mContext.reset();
  FontManager::Uninitialize();
  ResourceManager::Uninitialize();
}

bool DrawnForm::Open(const WindowPlacement& placement) {
  CloseWindow();
  // A form is modal: every other window takes no input until it closes. A
  // menu's levels are in the run their tracker holds.
  if (!placement.popup && !mModal)
    mModal = std::make_unique<os::Window::ModalInput>(IsQuestion() ? os::Window::ModalInput::Kind::kQuestion
                                                                   : os::Window::ModalInput::Kind::kForm);
  WindowMaker maker;
  {
    std::lock_guard<os::Lock> g(g_makerMutex);
    maker = g_maker;
  }
  mWindow = maker ? maker(placement) : MakeX11(placement);
  if (!mWindow) {
    mModal.reset();
    return false;
  }
  if (mModal) mModal->Adopt(mWindow.get());
  mContext = std::make_unique<CHfcOffscreenContext>(placement.width, placement.height);
  mWindow->SetSink(this);
  Redraw();
  mWindow->Show();
  // A window the server has not mapped yet cannot take the focus; it asks
  // again when it is first exposed.
  mWantsFocus = placement.focus && !mWindow->RequestFocus();
  return true;
}

void DrawnForm::Close() {
  CloseWindow();
  mModal.reset();
}

void DrawnForm::CloseWindow() {
  if (!mWindow) return;
  mWindow->SetSink(nullptr);
  mWindow->Hide();
  mWindow.reset();
}

void DrawnForm::Redraw() {
  if (!mWindow || !mContext || mContext->GetBmp() == nullptr) return;
  CHfcBmp* bmp = mContext->GetBmp();
  Fill(0, 0, bmp->GetWidth(), bmp->GetHeight(), kPanel);
  Paint();
  os::WindowRect all{0, 0, bmp->GetWidth(), bmp->GetHeight()};
  mWindow->Present(bmp->LockPixels(), bmp->GetWidth(), bmp->GetHeight(), all);
  bmp->UnlockPixels();
}

void DrawnForm::OnWindowExpose(const os::WindowRect&) {
  if (mWantsFocus && mWindow && mWindow->RequestFocus()) mWantsFocus = false;
  Redraw();
}

void DrawnForm::Fill(int x, int y, int w, int h, uint32_t colour) {
  // Whole pixels of opaque colours only, so a plain store does what the
  // context's blending rasteriser would, at a fraction of its cost.
  CHfcBmp* bmp = mContext->GetBmp();
  if (bmp == nullptr) return;
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + w, bmp->GetWidth());
  const int bottom = std::min(y + h, bmp->GetHeight());
  if (right <= left || bottom <= top) return;
  uint32_t* pixels = bmp->LockPixels();
  for (int row = top; row < bottom; ++row)
    std::fill(pixels + static_cast<ptrdiff_t>(row) * bmp->GetWidth() + left,
              pixels + static_cast<ptrdiff_t>(row) * bmp->GetWidth() + right, colour | 0xFF000000u);
  bmp->UnlockPixels();
}

void DrawnForm::Frame(int x, int y, int w, int h, uint32_t colour) {
  mContext->SetPenColor(colour);
  mContext->SetPenWidth(1.0f);
  mContext->FrameRect(x, y, w, h);
}

void DrawnForm::Text(int x, int y, const std::string& text, tagHfcBmpFontInfo* font,
                     uint32_t colour, int boxWidth) {
  if (boxWidth <= 0) return;
  mContext->DrawBmpTextInBox(x, y, text.c_str(), boxWidth, font, colour);
}

int DrawnForm::TextWidth(const std::string& text, tagHfcBmpFontInfo* font) {
  return HfcGetBmpTextWidth(font, text.c_str());
}

void DrawnForm::CentredText(int x, int y, int w, const std::string& text, tagHfcBmpFontInfo* font,
                            uint32_t colour) {
  // Centred as it is shown, cut or whole; its box reaches the right margin.
  const int tx = x + (w - TextWidth(Fit(text, font, w - 8), font)) / 2;
  Text(tx, y, text, font, colour, x + w - 4 - tx);
}

int DrawnForm::LineHeight(tagHfcBmpFontInfo* font) {
  if (font == nullptr) return 12;
  return font->textHeight > 0 ? font->textHeight : font->cellHeight;
}

std::string DrawnForm::Fit(const std::string& text, tagHfcBmpFontInfo* font, int maxWidth) {
  return HfcFitBmpText(font, text, maxWidth);
}

void DrawnForm::Button(int x, int y, int w, int h, const std::string& label, bool isDefault,
                       bool enabled, bool pressed) {
  Fill(x, y, w, h, pressed ? kAmberDark : kPanelLight);
  Frame(x, y, w, h, isDefault && enabled ? kAmber : kFrame);
  if (isDefault && enabled) Frame(x + 1, y + 1, w - 2, h - 2, kAmber);
  CentredText(x, y + (h - LineHeight(mPlain)) / 2, w, label, mPlain, enabled ? kText : kTextDim);
}

std::vector<std::string> DrawnForm::Wrap(const std::string& text, tagHfcBmpFontInfo* font,
                                         int maxWidth) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string paragraph = text.substr(start, end - start);
    std::string line;
    size_t at = 0;
    while (at < paragraph.size()) {
      size_t space = paragraph.find(' ', at);
      if (space == std::string::npos) space = paragraph.size();
      const std::string word = paragraph.substr(at, space - at);
      const std::string joined = line.empty() ? word : line + " " + word;
      if (TextWidth(joined, font) <= maxWidth) {
        line = joined;
      } else {
        if (!line.empty()) lines.push_back(line);
        line = Fit(word, font, maxWidth);
      }
      at = space + 1;
    }
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

int DrawnForm::PressButtons(const os::MouseEvent& e,
                            const std::function<int(int x, int y)>& buttonAt) {
  if (e.button != os::MouseButton::kLeft) return 0;
  if (e.kind == os::MouseEvent::Kind::kDown) {
    mPressedButton = buttonAt(e.x, e.y);
    if (mPressedButton != 0) Redraw();
    return 0;
  }
  if (e.kind != os::MouseEvent::Kind::kUp || mPressedButton == 0) return 0;
  const int pressed = mPressedButton;
  mPressedButton = 0;
  Redraw();
  return pressed == buttonAt(e.x, e.y) ? pressed : 0;
}
