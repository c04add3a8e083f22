#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEKnob.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/CHfcWindow.h"
#include "hfc/CHfcWindowLayer.h"
#include "os/window/HeadlessWindow.h"

namespace {

// The page: stores the reported value and text back and redraws the knob
// at once, as the editor's pages do.
struct Page : CHfcControlListener {
  void OnHfcCtrlIntValueChanged(CHfcControl* c, int v) override {
    const std::string text = std::to_string(v);
    c->SetIntValue(v, true);
    c->SetPtrValue(const_cast<char*>(text.c_str()), true);
    c->Update(false, true);
  }
};

class Window : public CHfcWindow {
 public:
  Window() : platform_(os::HeadlessWindow::Create(800, 600)) {
    SetPlatformWindow(platform_.get());
    platform_->Show();
    platform_->InjectFocus(true);
  }
  ~Window() override { SetPlatformWindow(nullptr); }
  os::HeadlessWindow* platform() { return platform_.get(); }

 private:
  std::unique_ptr<os::HeadlessWindow> platform_;
};

os::MouseEvent Mouse(os::MouseEvent::Kind kind, int x, int y) {
  os::MouseEvent e;
  e.kind = kind;
  e.button = os::MouseButton::kLeft;
  e.clickCount = 1;
  e.x = x;
  e.y = y;
  e.globalX = x + os::HeadlessWindow::kDefaultOriginX;
  e.globalY = y + os::HeadlessWindow::kDefaultOriginY;
  return e;
}

// One mouse move over a held editor knob, from the window's event entry to
// the changed pixels presented in the window.
void BM_SkinnedKnobDragMoveToPresent(benchmark::State& state) {
  ResourceManager::Initialize();
  FontManager::Initialize();
  CHfcMouse::Initialize(false);
  CHfcKey::Initialize();
  {
    ResourceManager* images = ResourceManager::GetInstance();
    tagHfcBmpFontInfo* font = FontManager::mInstance->GetBmpFontInfo("FontGeneva9ForControls");
    CHfcBmp* page = images->LoadImage("Background_Base");
    CHfcBmp* meter = images->LoadImage("Knob_Meter");
    Window window;
    CHfcWindowLayer layer;
    layer.Create(0, 0, 800, 600, &window);
    layer.Show(false);
    tagZublKnobParamEx p{};
    p.x = p.panelX = 300;
    p.y = p.panelY = 200;
    p.width = meter->GetWidth();
    p.height = meter->GetHeight();
    p.panel = page;
    p.maximum = 127;
    p.ringX = p.ringY = p.ringRadius = 18.0f;
    p.startAngle = 3.9880764f;
    p.endAngle = -0.8203046f;
    p.gap = 0.05f;
    p.meter = meter;
    p.face = images->LoadImage("Knob_MeterBack");
    p.minimumMeter = images->LoadImage("Knob_Meter_RND");
    p.font = font->bmp;
    p.fontInfo = font;
    p.textX = 7;
    p.textY = 15;
    p.textLength = 4;
    p.coarseStep = 1.0f;
    p.fineStep = 0.1f;
    p.keyStep = 1;
    p.proportional = 1;
    p.textColor = 0xFF000000;
    XEKnob knob;
    knob.CreateEx(&p, 1, 0);
    knob.SetFocusColor(0);
    Page listener;
    knob.SetListener(&listener);
    layer.AddControl(&knob, false);
    knob.Show(true);
    knob.SetIntValue(64, false);
    knob.Update(true, true);
    window.OnWindowMouse(Mouse(os::MouseEvent::Kind::kDown, 318, 204));
    int y = 204;
    const int presentsBefore = window.platform()->PresentCount();
    for (auto _ : state) {
      // Up and down by one pixel: every move changes the value.
      y = y == 204 ? 203 : 204;
      window.OnWindowMouse(Mouse(os::MouseEvent::Kind::kDrag, 318, y));
      benchmark::DoNotOptimize(window.platform()->Pixels().data());
    }
    window.OnWindowMouse(Mouse(os::MouseEvent::Kind::kUp, 318, y));
    state.SetItemsProcessed(state.iterations());
    // Every move must have shown a new picture.
    state.counters["presents/move"] =
        static_cast<double>(window.platform()->PresentCount() - presentsBefore) /
        static_cast<double>(state.iterations());
    knob.Destroy();
    layer.Destroy();
  }
  CHfcKey::Uninitialize();
  CHfcMouse::Uninitialize();
  FontManager::Uninitialize();
  ResourceManager::Uninitialize();
}
BENCHMARK(BM_SkinnedKnobDragMoveToPresent)->Unit(benchmark::kMicrosecond);

}  // namespace
