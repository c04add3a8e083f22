#pragma once
// A window, one layer and the mouse and key hubs for driving a control the
// way the user does: mouse and key events go into the headless platform
// window and reach the control through the window, the layer, the mouse
// capture and the key focus when the main loop runs. Also a font picture
// whose glyph cell c is one flat colour (0xFF000000 + c + 1), so a pixel
// probe tells which cell was drawn, and a listener that logs reports.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcControlListener.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "hfc/HfcBmpFontInfo.h"
#include "os/Clock.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"

namespace hfctest {

inline constexpr uint32_t CellColour(int code) { return 0xFF000000u + static_cast<uint32_t>(code) + 1u; }

// 128 cells of cellWidth x cellHeight, cell c flat CellColour(c).
inline std::unique_ptr<CHfcBmp> MakeCodedFont(int cellWidth, int cellHeight) {
  auto font = std::make_unique<CHfcBmp>();
  font->Create(cellWidth, cellHeight * 128);
  uint32_t* px = font->LockPixels();
  for (int y = 0; y < cellHeight * 128; ++y)
    for (int x = 0; x < cellWidth; ++x) px[y * cellWidth + x] = CellColour(y / cellHeight);
  font->UnlockPixels();
  return font;
}

// Proportional metrics over a coded font: every code `advance` wide, 'W'
// wider.
inline tagHfcBmpFontInfo MakeCodedFontInfo(CHfcBmp* font, int advance, int cellHeight) {
  tagHfcBmpFontInfo info{};
  info.bmp = font;
  for (int c = 0; c < 128; ++c) info.width[c] = info.advance[c] = advance;
  info.advance['W'] = info.width['W'] = advance + 2;
  info.cellHeight = info.textHeight = cellHeight;
  return info;
}

class ReportLog : public CHfcControlListener {
 public:
  std::vector<std::string> log;
  bool takePress = false;
  void OnHfcCtrlIntValueChanged(CHfcControl*, int v) override { log.push_back("int " + std::to_string(v)); }
  void OnHfcCtrlPtrValueChanged(CHfcControl*, void* p) override {
    log.push_back(std::string("text ") + static_cast<const char*>(p));
  }
  void OnHfcCtrlBeginEdit(CHfcControl*) override { log.push_back("begin"); }
  void OnHfcCtrlEndEdit(CHfcControl*) override { log.push_back("end"); }
  bool OnHfcCtrlMouseLButtonDown(CHfcControl*, int, int, int) override { return takePress; }
  bool OnHfcCtrlMouseLButtonDoubleClick(CHfcControl*, int x, int y, int) override {
    log.push_back("double " + std::to_string(x) + "," + std::to_string(y));
    return false;
  }
  void OnHfcCtrlMouseLostCapture(CHfcControl*) override { log.push_back("lost"); }
  std::vector<std::string> Take() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
  }
};

class ControlRig {
 public:
  static constexpr int kLayerX = 20;
  static constexpr int kLayerY = 10;

  explicit ControlRig(vesk::test::TestEnvironment* env, int width = 300, int height = 160)
      : env_(env), window_(width + 2 * kLayerX, height + 2 * kLayerY) {
    layer_.Create(kLayerX, kLayerY, width, height, &window_);
    layer_.Show(false);
    window_.platform()->InjectFocus(true);
    Run();
  }
  ~ControlRig() { layer_.Destroy(); }

  CHfcWindowLayer& layer() { return layer_; }
  HeadlessHfcWindow& window() { return window_; }

  // Creates nothing: adds a created control, shows and enables it.
  void Add(CHfcControl* control) {
    layer_.AddControl(control, false);
    control->Show(false);
    control->Enable(false);
  }

  // Layer coordinates; the time moves by `ms` before each event.
  void Press(int x, int y, int mods = 0, int clicks = 1) {
    Mouse(os::MouseEvent::Kind::kDown, x, y, mods, clicks);
  }
  void Drag(int x, int y, int mods = 0, int ms = 0) {
    env_->clock().AdvanceMs(ms);
    Mouse(os::MouseEvent::Kind::kDrag, x, y, mods, 0);
  }
  void Release(int x, int y, int mods = 0) { Mouse(os::MouseEvent::Kind::kUp, x, y, mods, 1); }
  void Click(int x, int y, int mods = 0) {
    Press(x, y, mods);
    Release(x, y, mods);
  }
  void DoubleClick(int x, int y) {
    Click(x, y);
    Press(x, y, 0, 2);
    Release(x, y);
  }
  void Key(uint32_t keysym, uint32_t x11State = 0) {
    window_.platform()->InjectKey(os::KeyEvent::Kind::kDown, keysym, x11State);
    Run();
  }
  void Type(const char* text) {
    for (const char* p = text; *p; ++p) Key(static_cast<unsigned char>(*p));
  }
  // Idle ticks of the editor (1/60 s).
  void Idle(CHfcControl* control, int ticks) {
    for (int i = 0; i < ticks; ++i) control->Idle(16);
  }
  // Draws what is dirty and reads the layer's picture (layer coordinates).
  uint32_t Pixel(CHfcControl* control, int x, int y) {
    control->Update(false, false);
    return layer_.GetOffscreen()->GetBmp()->GetPixel(x, y);
  }
  void Run() { env_->loop().RunPending(); }

 private:
  void Mouse(os::MouseEvent::Kind kind, int x, int y, int mods, int clicks) {
    os::MouseEvent e;
    e.kind = kind;
    e.button = os::MouseButton::kLeft;
    e.clickCount = clicks;
    e.x = x + kLayerX;
    e.y = y + kLayerY;
    e.mods = mods;
    window_.platform()->InjectMouse(e);
    Run();
  }

  vesk::test::TestEnvironment* env_;
  ScopedHubs hubs_;
  HeadlessHfcWindow window_;
  CHfcWindowLayer layer_;
};

}  // namespace hfctest
