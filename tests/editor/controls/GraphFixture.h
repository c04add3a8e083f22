#pragma once
// A graph control in a layer of a headless window: input goes in through
// the platform window and the main loop like a user's, and what the graph
// reports is recorded.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcControlListener.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "hfc/HfcModifiers.h"
#include "os/window/HeadlessWindow.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"

namespace graphtest {

// The default-value gesture of the point graphs: a press with Command asks
// the listener for the default, whatever other keys are held with it.
struct DefaultGestureCase {
  int mods;
  int asked;
};
inline constexpr DefaultGestureCase kDefaultGestureCases[] = {
    {0, 0}, {kHfcModShift, 0}, {kHfcModCommand, 1}, {kHfcModCommand | kHfcModShift, 1},
    {kHfcModCommand | kHfcModOption, 1}};

// Records reports as "name a,b,c" strings; values are the first `fields`
// int32 words of the record the graph passed.
class GraphListener : public CHfcControlListener {
 public:
  explicit GraphListener(int fields) : fields_(fields) {}
  std::vector<std::string> log;
  bool consumePress = false;
  bool answerDefault = false;
  int defaultValue = 0;
  int defaultRequests = 0;

  void OnHfcCtrlPtrValueChanged(CHfcControl*, void* data) override {
    const auto* v = static_cast<const int32_t*>(data);
    std::string s = "value";
    for (int i = 0; i < fields_; ++i) s.append(i ? "," : " ").append(std::to_string(v[i]));
    log.push_back(s);
  }
  void OnHfcCtrlBeginEdit(CHfcControl*) override { log.push_back("begin"); }
  void OnHfcCtrlEndEdit(CHfcControl*) override { log.push_back("end"); }
  bool OnHfcCtrlMouseLButtonDown(CHfcControl*, int, int, int) override { return consumePress; }
  bool OnHfcCtrlDefaultIntValueRequired(CHfcControl*, int* v) override {
    ++defaultRequests;
    *v = defaultValue;
    return answerDefault;
  }
  void OnHfcCtrlMouseLostCapture(CHfcControl*) override { log.push_back("lost"); }
  // The reports of values only.
  std::vector<std::string> Values() const {
    std::vector<std::string> out;
    for (const std::string& s : log)
      if (s.rfind("value", 0) == 0) out.push_back(s.substr(6));
    return out;
  }

 private:
  int fields_;
};

class GraphFixture : public ::testing::Test {
 protected:
  static constexpr int kW = 640;
  static constexpr int kH = 260;

  GraphFixture() {
    window.platform()->InjectFocus(true);
    env.loop().RunPending();
    layer.Create(0, 0, kW, kH, &window);
    layer.Show(false);
    ResourceManager::Initialize();
  }
  ~GraphFixture() override {
    layer.Destroy();
    ResourceManager::Uninitialize();
  }

  // Adds a created control to the layer, visible and with the listener.
  void Place(CHfcControl& c, CHfcControlListener* l) {
    c.Show(false);
    c.SetListener(l);
    layer.AddControl(&c, false);
  }
  void Mouse(os::MouseEvent::Kind kind, int x, int y, int mods = 0, int clicks = 1) {
    os::MouseEvent e;
    e.kind = kind;
    e.button = kind == os::MouseEvent::Kind::kMove ? os::MouseButton::kNone : os::MouseButton::kLeft;
    e.clickCount = clicks;
    e.x = x;
    e.y = y;
    e.mods = mods;
    window.platform()->InjectMouse(e);
    env.loop().RunPending();
  }
  void Press(int x, int y, int mods = 0) { Mouse(os::MouseEvent::Kind::kDown, x, y, mods); }
  // A drag step; the first after a press sets the drag clock going.
  void Drag(int x, int y, int mods = 0) { Mouse(os::MouseEvent::Kind::kDrag, x, y, mods); }
  void Release(int x, int y) { Mouse(os::MouseEvent::Kind::kUp, x, y); }
  void Hover(int x, int y) { Mouse(os::MouseEvent::Kind::kMove, x, y); }
  // Draws the control into the layer's picture.
  void Draw(CHfcControl& c) { c.Update(true, false); }
  uint32_t Pixel(int x, int y) { return layer.GetOffscreen()->GetBmp()->GetPixel(x, y); }
  CHfcBmp* Skin(const char* name) { return ResourceManager::GetInstance()->LoadImage(name); }

  vesk::test::TestEnvironment env;
  hfctest::ScopedHubs hubs;
  hfctest::HeadlessHfcWindow window{kW, kH};
  CHfcWindowLayer layer;
};

}  // namespace graphtest
