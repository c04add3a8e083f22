#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlKnob.h"
#include "hfc/CHfcCtrlList.h"
#include "hfc/CHfcMouse.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "os/MainLoop.h"
#include "tests/hfc/HfcFakes.h"

namespace {

// An editor-sized window with the panel background in one layer, skins
// and fonts from the image cache, and the mouse and key hubs.
class Bench {
 public:
  Bench() : window_(800, 600) {
    ResourceManager::Initialize();
    FontManager::Initialize();
    bg_ = ResourceManager::GetInstance()->LoadImage("Background_Base");
    ok_ = bg_ && layer_.Create(0, 0, 800, 600, &window_);
    if (!ok_) return;
    layer_.GetOffscreen()->CopyBmp(0, 0, 800, 600, bg_, 0, 0);
    layer_.Show(false);
    window_.SetUpdateMethod(1);
    window_.platform()->InjectFocus(true);
    loop_.RunPending();
    window_.Update(nullptr);
  }
  ~Bench() {
    layer_.Destroy();
    FontManager::Uninitialize();
    ResourceManager::Uninitialize();
  }
  bool ok() const { return ok_; }
  CHfcBmp* Back() { return bg_; }
  CHfcWindowLayer& layer() { return layer_; }
  hfctest::HeadlessHfcWindow& window() { return window_; }
  void Mouse(os::MouseEvent::Kind kind, int x, int y) {
    os::MouseEvent e;
    e.kind = kind;
    e.button = kind == os::MouseEvent::Kind::kDrag ? os::MouseButton::kNone : os::MouseButton::kLeft;
    e.clickCount = 1;
    e.x = x;
    e.y = y;
    window_.platform()->InjectMouse(e);
    loop_.RunPending();
  }

 private:
  os::MainLoop loop_;
  hfctest::ScopedHubs hubs_;
  hfctest::HeadlessHfcWindow window_;
  CHfcWindowLayer layer_;
  CHfcBmp* bg_ = nullptr;
  bool ok_ = false;
};

// A page answers each reported value by setting it.
struct Follower : CHfcControlListener {
  void OnHfcCtrlIntValueChanged(CHfcControl* c, int v) override { c->SetIntValue(v, true); }
};

// One drag step of a real-time knob: the injected move reaches the knob,
// the page sets the value, and the knob's changed area is drawn and shown
// as on the editor's next idle.
void BM_KnobDragOneMoveToPresentedPixels(benchmark::State& state) {
  Bench b;
  if (!b.ok()) {
    state.SkipWithError("skins missing");
    return;
  }
  CHfcCtrlKnob knob;
  Follower page;
  tagHfcCtrlKnobParam p{297, 23, 0, 0, ResourceManager::GetInstance()->LoadImage("Knob_RealTimeKnob"),
                        b.Back(), 297, 23, 127, 0, 0, 127, 1};
  if (!knob.Create(&p, 1, 0)) {
    state.SkipWithError("knob skin missing");
    return;
  }
  knob.SetListener(&page);
  b.layer().AddControl(&knob, false);
  knob.Show(true);
  knob.SetIntValue(64, true);
  knob.Update(true, true);
  b.Mouse(os::MouseEvent::Kind::kDown, 315, 41);
  int y = 41;
  int dir = -1;
  for (auto _ : state) {
    y += dir;
    if (y < 21 || y > 61) dir = -dir;
    b.Mouse(os::MouseEvent::Kind::kDrag, 315, y);
    knob.OnIdle(17);
    b.window().FlushUpdateRect();
  }
  b.Mouse(os::MouseEvent::Kind::kUp, 315, y);
  b.layer().RemoveControl(&knob, false);
  state.counters["moves/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_KnobDragOneMoveToPresentedPixels)->Unit(benchmark::kMicrosecond);

// A browser-sized sound list of 1,000 items scrolled a page at a time: every
// cell is redrawn and the list shown once per page.
void BM_ListScroll1000ItemsAPageAtATime(benchmark::State& state) {
  Bench b;
  tagHfcBmpFontInfo* font = FontManager::mInstance ? FontManager::mInstance->GetBmpFontInfo("FontGeneva9")
                                                   : nullptr;
  if (!b.ok() || !font) {
    state.SkipWithError("skins missing");
    return;
  }
  CHfcBmp ink;
  ink.Create(font->bmp->GetWidth(), font->bmp->GetHeight());
  ink.FilterColor(0xFF000000u, font->bmp, 0, 0);
  CHfcCtrlList list;
  tagHfcCtrlListParam p = CHfcCtrlList::sm_mInitParam;
  p.x = 24;
  p.y = 150;
  p.width = 3 * 200;
  p.height = 16 * 17;
  p.bgX = 24;
  p.bgY = 150;
  p.bgBmp = b.Back();
  p.font = &ink;
  p.charWidth = 7;
  p.charHeight = font->cellHeight;
  p.columns = 3;
  p.rows = 16;
  p.marginX = 1;
  p.marginY = 1;
  p.textX = 4;
  p.selectedColor = 0xFF3A3E46;
  list.Create(&p, 1, 0);
  for (int i = 0; i < 1000; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "A%03d Sound %d", i, i);
    list.AddItem()->SetCaption(name);
  }
  b.layer().AddControl(&list, false);
  list.Show(true);
  list.Update(true, false);
  b.window().FlushUpdateRect();
  const int page = list.GetNumViewLines();
  int line = 0;
  for (auto _ : state) {
    line += page;
    if (line >= list.GetNumLines()) line = 0;
    list.SetCurrentLine(line);
    list.OnIdle(17);
    b.window().FlushUpdateRect();
  }
  b.layer().RemoveControl(&list, false);
  state.counters["pages/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ListScroll1000ItemsAPageAtATime)->Unit(benchmark::kMicrosecond);

}  // namespace
