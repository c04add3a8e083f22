#pragma once
// The editor's skinned controls in a real plug-in editor window on the
// headless backend: one layer over a flat page background, the mouse and
// key hubs of the editor, and the editor's idle timer (sixty times a
// second on the virtual clock) handing each control the milliseconds since
// the previous tick, as the editor shell does. Input is injected into the
// window; pictures are read from the layer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcControlListener.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "hfc/CHfcWindowLayer.h"
#include "os/window/HeadlessWindow.h"
#include "platform/HfcTime.h"
#include "tests/support/TestEnvironment.h"

namespace skinnedtest {

inline constexpr uint32_t kPageColor = 0xFFDCDEE2u;

// Colours of a frame-coded strip: frame k is kFrameColors[k].
inline constexpr uint32_t kFrameColors[] = {0xFF000010u, 0xFF100020u, 0xFF200030u, 0xFF300040u,
                                            0xFF400050u, 0xFF500060u, 0xFF600070u, 0xFF700080u};

// A picture of `frames` flat frames of w x h stacked vertically.
inline std::unique_ptr<CHfcBmp> FrameStrip(int w, int h, int frames) {
  auto bmp = std::make_unique<CHfcBmp>();
  if (!bmp->Create(w, h * frames)) return nullptr;
  uint32_t* px = bmp->LockPixels();
  for (int y = 0; y < h * frames; ++y)
    for (int x = 0; x < w; ++x) px[y * w + x] = kFrameColors[y / h];
  bmp->UnlockPixels();
  return bmp;
}

inline std::unique_ptr<CHfcBmp> Flat(int w, int h, uint32_t colour) {
  auto bmp = std::make_unique<CHfcBmp>();
  if (!bmp->Create(w, h)) return nullptr;
  uint32_t* px = bmp->LockPixels();
  for (int i = 0; i < w * h; ++i) px[i] = colour;
  bmp->UnlockPixels();
  return bmp;
}

// The frame of a frame-coded strip that a pixel shows, -1 for none.
inline int FrameOf(uint32_t pixel) {
  for (int k = 0; k < static_cast<int>(std::size(kFrameColors)); ++k)
    if ((pixel | 0xFF000000u) == kFrameColors[k]) return k;
  return -1;
}

class ControlEditor : public CHfcVstEditor {
 public:
  ControlEditor(int w, int h) : CHfcVstEditor(nullptr), width_(w), height_(h) {
    m_rcEditor = {0, 0, w, h};
    back_ = Flat(w, h, kPageColor);
  }
  ~ControlEditor() override {
    if (isOpen()) close();
  }
  bool OnCreate() override {
    if (!layer_.Create(0, 0, width_, height_, this)) return false;
    layer_.GetOffscreen()->CopyBmp(0, 0, width_, height_, back_.get(), 0, 0);
    layer_.Show(false);
    last_ = HfcGetSystemTimeMs();
    return true;
  }
  bool OnDestroy() override {
    layer_.Destroy();
    return CHfcVstEditor::OnDestroy();
  }
  // The editor shell's idle: every control of the layer gets the
  // milliseconds since the previous tick.
  void OnIdle() override {
    const uint32_t now = HfcGetSystemTimeMs();
    const int elapsed = static_cast<int>(now - last_);
    last_ = now;
    elapsedLog.push_back(elapsed);
    const std::vector<CHfcControl*> controls = layer_.GetControls();
    for (CHfcControl* c : controls) c->Idle(elapsed);
    for (auto& extra : idleHooks) extra(elapsed);
  }
  os::HeadlessWindow* headless() { return static_cast<os::HeadlessWindow*>(GetPlatformWindow()); }
  CHfcWindowLayer& layer() { return layer_; }
  CHfcBmp* back() { return back_.get(); }

  std::vector<int> elapsedLog;
  std::vector<std::function<void(int)>> idleHooks;

 private:
  int width_;
  int height_;
  std::unique_ptr<CHfcBmp> back_;
  CHfcWindowLayer layer_;
  uint32_t last_ = 0;
};

// Records what a control reports.
struct Listener : CHfcControlListener {
  std::vector<int> values;
  std::vector<std::string> log;
  bool consumePress = false;
  // A page sets the wanted value back; tests that want that set this.
  bool setBack = false;
  void OnHfcCtrlIntValueChanged(CHfcControl* c, int v) override {
    values.push_back(v);
    if (setBack) c->SetIntValue(v, true);
  }
  bool OnHfcCtrlMouseLButtonDown(CHfcControl*, int x, int y, int) override {
    log.push_back("press " + std::to_string(x) + "," + std::to_string(y));
    return consumePress;
  }
  bool OnHfcCtrlEvent(CHfcControl*, int event, int param, void*) override {
    log.push_back("event " + std::to_string(event) + " " + std::to_string(param));
    return false;
  }
};

class SkinnedControlTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 720;
  static constexpr int kHeight = 400;

  void SetUp() override {
    unsetenv("VESK_RESOURCE_DIR");
    ASSERT_TRUE(ResourceManager::Initialize());
    ASSERT_TRUE(FontManager::Initialize());
    ASSERT_TRUE(editor.open(nullptr));
    // The idle timer starts after a sixth of a second.
    env.loop().RunFor(170);
    editor.elapsedLog.clear();
  }
  void TearDown() override {
    editor.close();
    FontManager::Uninitialize();
    ResourceManager::Uninitialize();
  }

  // Adds a created control to the layer, shown, listening to `listener`.
  void Add(CHfcControl* c) {
    c->SetListener(&listener);
    editor.layer().AddControl(c, false);
    c->Show(true);
    c->Update(true, false);
  }
  void Mouse(os::MouseEvent::Kind kind, int x, int y, int clicks = 1) {
    os::MouseEvent e;
    e.kind = kind;
    e.button = kind == os::MouseEvent::Kind::kDrag || kind == os::MouseEvent::Kind::kMove
                   ? os::MouseButton::kNone
                   : os::MouseButton::kLeft;
    e.clickCount = clicks;
    e.x = x;
    e.y = y;
    editor.headless()->InjectMouse(e);
    env.loop().RunPending();
  }
  void Press(int x, int y) { Mouse(os::MouseEvent::Kind::kDown, x, y); }
  void Drag(int x, int y) { Mouse(os::MouseEvent::Kind::kDrag, x, y); }
  void Release(int x, int y) { Mouse(os::MouseEvent::Kind::kUp, x, y); }
  void Click(int x, int y) {
    Press(x, y);
    Release(x, y);
  }
  void Key(uint32_t keysym) {
    editor.headless()->InjectKey(os::KeyEvent::Kind::kDown, keysym);
    env.loop().RunPending();
  }
  void Idle(uint64_t ms) { env.loop().RunFor(ms); }
  uint32_t Pixel(int x, int y) { return editor.layer().GetOffscreen()->GetBmp()->GetPixel(x, y); }

  vesk::test::TestEnvironment env;
  ControlEditor editor{kWidth, kHeight};
  Listener listener;
};

}  // namespace skinnedtest
