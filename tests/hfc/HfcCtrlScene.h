#pragma once
// A real headless window with one layer for driving the framework's
// controls by injected mouse and key events, frame-coded film strips (frame
// k is one flat colour) so that a probe of the presented picture tells which
// frame was drawn, and a listener that logs every report.
#include <memory>
#include <string>
#include <vector>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcControlListener.h"
#include "hfc/CHfcCtrlList.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"

namespace hfctest {

// Frame k of a coded strip: green carries k, so 256 frames stay apart.
inline uint32_t FrameColour(int k) { return 0xFF400080u | (static_cast<uint32_t>(k & 0xFF) << 8); }
// The frame a presented pixel shows, -1 when it is no frame colour.
inline int FrameOf(uint32_t pixel) {
  if ((pixel & 0xFFFF00FFu) != 0xFF400080u) return -1;
  return static_cast<int>((pixel >> 8) & 0xFF);
}

inline std::unique_ptr<CHfcBmp> CodedStrip(int width, int frameHeight, int frames) {
  auto bmp = std::make_unique<CHfcBmp>();
  bmp->Create(width, frameHeight * frames);
  CHfcOffscreenContext dc(bmp.get());
  for (int k = 0; k < frames; ++k) {
    dc.SetBrushColor(FrameColour(k));
    dc.FillRect(0, k * frameHeight, width, frameHeight);
  }
  return bmp;
}

// A fixed-cell font whose cell c is a flat square of colour 0xFF0000c0 | c.
inline std::unique_ptr<CHfcBmp> CodedFont(int cell) {
  auto bmp = std::make_unique<CHfcBmp>();
  bmp->Create(cell, cell * 128);
  CHfcOffscreenContext dc(bmp.get());
  for (int c = 0; c < 128; ++c) {
    dc.SetBrushColor(0xFF00C000u | static_cast<uint32_t>(c));
    dc.FillRect(0, c * cell, cell, cell);
  }
  return bmp;
}

class LoggingListener : public CHfcControlListener {
 public:
  Log log;
  bool takePress = false;
  int defaultValue = 0;
  bool giveDefault = false;
  // Answers a list's selection requests the way a browser page does.
  bool applySelection = true;

  void OnHfcCtrlIntValueChanged(CHfcControl*, int v) override {
    if (v < 0)
      log.push_back("value " + std::to_string(v & 0x7FFFFFFF) + " pressed");
    else
      log.push_back("value " + std::to_string(v));
  }
  void OnHfcCtrlBeginEdit(CHfcControl*) override { log.push_back("begin"); }
  void OnHfcCtrlEndEdit(CHfcControl*) override { log.push_back("end"); }
  bool OnHfcCtrlMouseLButtonDown(CHfcControl*, int, int, int) override { return takePress; }
  bool OnHfcCtrlDefaultIntValueRequired(CHfcControl*, int* v) override {
    if (giveDefault) *v = defaultValue;
    return giveDefault;
  }
  bool OnHfcCtrlEvent(CHfcControl*, int code, int arg, void* data) override;
  std::vector<int> dragRecord;
  tagHfcPoint contextPoint{-1, -1};
  int rightUps = 0;
  bool OnHfcCtrlMouseRButtonUp(CHfcControl*, int, int, int) override {
    ++rightUps;
    return false;
  }
};

inline bool LoggingListener::OnHfcCtrlEvent(CHfcControl*, int code, int arg, void* data) {
  log.push_back("event " + std::to_string(code) + " " + std::to_string(arg));
  if (code == CHfcCtrlList::kEventSelect && applySelection)
    static_cast<CHfcCtrlListItem*>(data)->SetSelected(arg != 0);
  if (code == CHfcCtrlList::kEventDragStart) {
    const auto* r = static_cast<const int32_t*>(data);
    dragRecord.assign(r, r + 5);
  }
  if (code == CHfcCtrlList::kEventContext) contextPoint = *static_cast<const tagHfcPoint*>(data);
  return true;
}

// Remembers the window areas the controls asked to have presented.
class SceneWindow : public HeadlessHfcWindow {
 public:
  SceneWindow() : HeadlessHfcWindow(400, 300) {}
  bool DrawLayers(const tagHfcRect* rect, bool now) override {
    if (rect) drawn.push_back(*rect);
    return HeadlessHfcWindow::DrawLayers(rect, now);
  }
  std::vector<tagHfcRect> drawn;
};

// A 400 x 300 headless window with a layer at (20, 10), 360 x 280, whose
// picture starts a flat grey.
class CtrlScene {
 public:
  static constexpr int kLayerX = 20;
  static constexpr int kLayerY = 10;
  static constexpr uint32_t kGrey = 0xFF202428;

  CtrlScene() {
    layer.Create(kLayerX, kLayerY, 360, 280, &window);
    layer.GetOffscreen()->SetBrushColor(kGrey);
    layer.GetOffscreen()->FillRect(0, 0, 360, 280);
    layer.Show(true);
    window.platform()->InjectFocus(true);
    env.loop().RunPending();
  }
  ~CtrlScene() { layer.Destroy(); }

  void Add(CHfcControl* c) {
    layer.AddControl(c, false);
    c->Show(true);
  }
  // Window coordinates of a layer point.
  void Mouse(os::MouseEvent::Kind kind, int x, int y, int mods = 0,
             os::MouseButton button = os::MouseButton::kLeft, int clicks = 1) {
    os::MouseEvent e;
    e.kind = kind;
    e.button = kind == os::MouseEvent::Kind::kMove || kind == os::MouseEvent::Kind::kDrag
                   ? os::MouseButton::kNone
                   : button;
    e.clickCount = clicks;
    e.x = x + kLayerX;
    e.y = y + kLayerY;
    e.mods = mods;
    window.platform()->InjectMouse(e);
    env.loop().RunPending();
  }
  void Press(int x, int y, int mods = 0) { Mouse(os::MouseEvent::Kind::kDown, x, y, mods); }
  void Drag(int x, int y, int mods = 0) { Mouse(os::MouseEvent::Kind::kDrag, x, y, mods); }
  void Hover(int x, int y, int mods = 0) { Mouse(os::MouseEvent::Kind::kMove, x, y, mods); }
  void Release(int x, int y, int mods = 0) { Mouse(os::MouseEvent::Kind::kUp, x, y, mods); }
  void Key(uint32_t keysym) {
    window.platform()->InjectKey(os::KeyEvent::Kind::kDown, keysym);
    env.loop().RunPending();
  }
  // What the layer's controls changed reaches the screen, as on idle.
  void Present() {
    for (CHfcControl* c : std::vector<CHfcControl*>(layer.GetControls())) c->OnIdle(17);
    window.FlushUpdateRect();
  }
  // A presented pixel at a layer point.
  uint32_t Pixel(int x, int y) { return window.platform()->Pixel(x + kLayerX, y + kLayerY); }

  vesk::test::TestEnvironment env;
  ScopedHubs hubs;
  SceneWindow window;
  CHfcWindowLayer layer;
};

}  // namespace hfctest
