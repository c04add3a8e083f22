#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/UI_FORM_Utils.h"
#include "editor/controls/XEControlCreater.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcWindowLayer.h"

namespace {

// A page form of 100 items in the mix of the performance play page: 23
// labels, 22 pictures, 18 knobs, 9 value bars, 8 drop-downs, 6 push
// switches, 12 selectors, 2 check boxes and a text edit, on a grid.
std::vector<UI_FORMINFO> HundredItems() {
  struct Group {
    const char* cls;
    const char* fontOrImage;
    int count, w, h;
  };
  const Group groups[] = {
      {"text", "FontGeneva10", 23, 60, 13},       {"bmp", "Image_SplitKeyArrow", 22, 0, 0},
      {"knob", "", 18, 40, 40},                   {"valuebar", "", 9, 96, 13},
      {"popupmenu", "", 8, 65, 13},               {"push", "Switch_CheckBox_Medium", 6, 13, 13},
      {"sndselLLNUM", "", 6, 0, 0},               {"paramselNL", "", 5, 0, 0},
      {"checkbox", "", 2, 13, 13},                {"edittext", "", 1, 40, 13},
  };
  std::vector<UI_FORMINFO> items;
  int k = 0;
  for (const Group& g : groups)
    for (int i = 0; i < g.count; ++i, ++k) {
      const int x = 10 + (k % 4) * 140;
      const int y = 4 + (k / 4) * 9 % 180;
      items.push_back({g.cls, "Label", g.fontOrImage, 1026, g.cls[0] == 't' || g.cls[0] == 'b' ? -1 : 0x100 + k,
                       x, y, g.w, g.h, 0, nullptr});
    }
  return items;
}

// What a form-built page does with its items: every control made through
// the factory over the page's background and added to the page's layer;
// with arg 1 the page is drawn once as well.
void BM_BuildHundredItemFormPage(benchmark::State& state) {
  ResourceManager::Initialize();
  FontManager::Initialize();
  CHfcBmp* background = ResourceManager::GetInstance()->LoadImage("Background_SubTab");
  const std::vector<UI_FORMINFO> items = HundredItems();
  const bool draw = state.range(0) != 0;
  // Every skin loaded once beforehand, as on a page opened after others.
  {
    XEControlCreater warm(background, 0, 0);
    for (const UI_FORMINFO& item : items) {
      CHfcControl* c = UI_FORM_Utils::CreateControl(&warm, item, background);
      if (c) c->Destroy();
      delete c;
    }
  }
  int made = 0;
  for (auto _ : state) {
    CHfcWindowLayer layer;
    layer.Create(0, 0, 559, 230, nullptr);
    XEControlCreater factory(background, 0, 0);
    std::vector<CHfcControl*> controls;
    controls.reserve(items.size());
    for (const UI_FORMINFO& item : items) {
      CHfcControl* c = UI_FORM_Utils::CreateControl(&factory, item, background);
      if (!c) continue;
      layer.AddControl(c, false);
      c->Show(false);
      controls.push_back(c);
    }
    if (draw)
      for (CHfcControl* c : controls) c->Update(true, false);
    benchmark::ClobberMemory();
    state.PauseTiming();
    made = static_cast<int>(controls.size());
    for (CHfcControl* c : controls) {
      layer.RemoveControl(c, false);
      c->Destroy();
      delete c;
    }
    layer.Destroy();
    state.ResumeTiming();
  }
  state.counters["controls"] = made;
  FontManager::Uninitialize();
  ResourceManager::Uninitialize();
}
BENCHMARK(BM_BuildHundredItemFormPage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
