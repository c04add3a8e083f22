// The timbre parameter page on the real model (not connected): opening it
// with its five form-built tabs of twelve timbres each, and a change of one
// timbre's parameter arriving from the synthesizer up to the redrawn tab
// (checked once: the control's pixels change).
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/controls/CTabControl.h"
#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/UIFormManager.h"
#include "editor/pages/combi_global/CombiTimbreParamLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"
#include "model/ISection.h"
#include "model/ISoundSection.h"
#include "os/MainLoop.h"
#include "remote/CRemoteSynthImpl.h"

namespace {

struct Rig {
  Rig() {
    ResourceManager::Initialize();
    FontManager::Initialize();
    UIFormManager::Initialize();
    model = std::make_unique<Oskend::CRemoteSynthImpl>(nullptr);
  }
  ~Rig() {
    model.reset();
    UIFormManager::Uninitialize();
    FontManager::Uninitialize();
    ResourceManager::Uninitialize();
  }
  os::MainLoop loop;
  std::unique_ptr<Oskend::CRemoteSynthImpl> model;
};

size_t CountControls(CombiTimbreParamLayer& page) {
  size_t n = page.GetControls().size();
  if (CTabControl* strip = page.GetSublevelTabControl())
    for (int i = 0; i < strip->GetTabPageCount(); ++i)
      if (auto* tab = dynamic_cast<CTabPageLayer*>(strip->GetTabPageLayer(i))) n += tab->GetControls().size();
  return n;
}

void BM_OpenTimbreParameterPage(benchmark::State& state) {
  Rig rig;
  {
    CombiTimbreParamLayer warm(rig.model.get());
    warm.Create(CTabPageLayerCreateParam{800, 400, nullptr}, nullptr);
    warm.Destroy();
  }
  size_t controls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto page = std::make_unique<CombiTimbreParamLayer>(rig.model.get());
    state.ResumeTiming();
    page->Create(CTabPageLayerCreateParam{800, 400, nullptr}, nullptr);
    benchmark::ClobberMemory();
    state.PauseTiming();
    controls = CountControls(*page);
    page->Destroy();
    page.reset();
    state.ResumeTiming();
  }
  state.counters["controls"] = static_cast<double>(controls);
}
BENCHMARK(BM_OpenTimbreParameterPage)->Unit(benchmark::kMicrosecond);

// Arg: the tab shown (0 pan and sends: knobs; 4 MIDI filter: 120 boxes).
void BM_TimbreChangeToPixels(benchmark::State& state) {
  Rig rig;
  CombiTimbreParamLayer page(rig.model.get());
  page.Create(CTabPageLayerCreateParam{800, 400, nullptr}, nullptr);
  page.Show(false);
  CTabControl* strip = page.GetSublevelTabControl();
  const int tabIndex = static_cast<int>(state.range(0));
  strip->SetActivePageByIndex(tabIndex, true);
  auto* tab = dynamic_cast<CTabPageLayer*>(strip->GetTabPageLayer(tabIndex));
  tab->Show(false);
  tab->Idle(0);
  // Timbre 7: its pan, or its damper filter switch.
  const int pid = 0x200 + 0x100 * 7 + (tabIndex == 0 ? 0x01 : 0x16);
  Oskend::ISection* section = nullptr;
  rig.model->GetEditBuffer(0)->FindSectionByPID(pid, &section);
  // The control's pixels must follow the change, or nothing is measured.
  CHfcControl* control = tab->GetControlById(pid);
  CHfcOffscreenContext* picture = tab->GetOffscreen();
  if (!control || !picture) {
    state.SkipWithError("no control or picture");
    return;
  }
  auto sum = [&] {
    uint64_t h = 0;
    const tagHfcRect& r = control->GetFrame();
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) h = h * 31 + picture->GetBmp()->GetPixel(x, y);
    return h;
  };
  const int start = section->GetParamI(pid);
  const uint64_t before = sum();
  section->PutParamIEx(pid, tabIndex == 0 ? (start + 64) % 128 : 1 - start, Oskend::ISection::kNotify,
                       eChgSource_Synth);
  rig.loop.RunPending();
  tab->Idle(0);
  tab->Idle(0);
  if (sum() == before) {
    state.SkipWithError("the change did not reach the pixels");
    return;
  }
  int value = 0;
  for (auto _ : state) {
    value = tabIndex == 0 ? (value + 1) % 128 : 1 - value;
    section->PutParamIEx(pid, value, Oskend::ISection::kNotify, eChgSource_Synth);
    rig.loop.RunPending();
    // The idle that takes the notice synchronises the control; the next
    // one (the editor's next tick) draws it.
    tab->Idle(0);
    tab->Idle(0);
    benchmark::ClobberMemory();
  }
  state.counters["controls"] = static_cast<double>(tab->GetControls().size());
  page.Destroy();
}
BENCHMARK(BM_TimbreChangeToPixels)->Arg(0)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace
