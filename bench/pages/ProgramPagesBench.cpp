// The program pages on the real model (not connected): opening a page
// (its hand-made controls, its form-built sub-pages, every control
// synchronised) and the insert-effect page's answer to a new effect type
// up to its redrawn picture.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/UIFormManager.h"
#include "editor/pages/program/EffectEditLayer.h"
#include "editor/pages/program/ProgInsertFXLayer.h"
#include "editor/pages/program/ProgramPageFactory.h"
#include "model/paramdesc/SParamDesc.h"
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

const char* const kPageNames[] = {"Play", "Basic", "Pitch", "Filter", "Amp", "LFOs", "AMS", "InsertFX", "MasterFX"};

// Arg: the page's tab number (0 Play .. 8 Master FX).
void BM_OpenProgramPage(benchmark::State& state) {
  Rig rig;
  const int which = static_cast<int>(state.range(0));
  state.SetLabel(kPageNames[which]);
  // Skins and fonts loaded once beforehand, as after the first page.
  {
    auto warm = CreateProgramTabPages(rig.model.get(), nullptr);
    warm[which]->Create(CTabPageLayerCreateParam{800, 400, nullptr}, nullptr);
    warm[which]->Destroy();
  }
  size_t controls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto pages = CreateProgramTabPages(rig.model.get(), nullptr);
    CTabPageLayer& page = *pages[which];
    state.ResumeTiming();
    page.Create(CTabPageLayerCreateParam{800, 400, nullptr}, nullptr);
    benchmark::ClobberMemory();
    state.PauseTiming();
    controls = page.GetControls().size();
    page.Destroy();
    pages.clear();
    state.ResumeTiming();
  }
  state.counters["controls"] = static_cast<double>(controls);
}
BENCHMARK(BM_OpenProgramPage)->DenseRange(0, 8)->Unit(benchmark::kMicrosecond);

// A new insert effect type: the section's notice, the page's rebuild from
// the type's table on the next idle, and the page drawn.
void BM_SwitchInsertEffectType(benchmark::State& state) {
  Rig rig;
  ProgInsertFXLayer page(rig.model.get());
  page.Create(CTabPageLayerCreateParam{800, 400, nullptr}, nullptr);
  page.Show(false);
  EffectEditLayer* fx = page.GetEffectPage();
  fx->Show(false);
  SParamDesc d{};
  page.GetParamDesc(&d, eMode_ProgEdit, 0x200);
  int type = d.min;
  size_t controls = 0;
  for (auto _ : state) {
    type = type >= d.max ? d.min + 1 : type + 1;
    page.PutParamValue(eMode_ProgEdit, 0x200, type);
    page.Idle(0);
    fx->Idle(0);
    benchmark::ClobberMemory();
    controls = fx->GetControls().size();
  }
  state.counters["controls"] = static_cast<double>(controls);
  page.Destroy();
}
BENCHMARK(BM_SwitchInsertEffectType)->Unit(benchmark::kMicrosecond);

}  // namespace
