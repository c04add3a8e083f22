// The sound browser over four full program banks of the real model (not
// connected): opening it up to its first drawn frame, and a filter change
// that lists all 512 programs again.
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/browsers/BlueBrowserData.h"
#include "editor/browsers/SmallBlueBrowserLayer.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "model/IBankList.h"
#include "remote/CRemoteSynthImpl.h"

namespace {

// The model without a synthesizer stays in combination mode; the browser
// is asked for programs.
class ProgramModeSynth : public Oskend::CRemoteSynthImpl {
 public:
  ProgramModeSynth() : Oskend::CRemoteSynthImpl(nullptr) {}
  int GetSoundMode() override { return 2; }
};

struct Rig {
  Rig() {
    ResourceManager::Initialize();
    FontManager::Initialize();
    model = std::make_unique<ProgramModeSynth>();
    data = std::make_unique<BlueBrowserData>(model.get());
    background = ResourceManager::GetInstance()->LoadImage("Background_BlueBrowser_Small");
  }
  ~Rig() {
    data.reset();
    model.reset();
    FontManager::Uninitialize();
    ResourceManager::Uninitialize();
  }
  // Built, filled and drawn once, as the opener and the first idle do.
  std::unique_ptr<SmallBlueBrowserLayer> Open() {
    auto page = std::make_unique<SmallBlueBrowserLayer>(model.get(), data.get(), "");
    CTabPageLayerCreateParam p;
    p.background = background;
    page->Create(p, nullptr);
    page->Show(false);
    page->DoModal();
    data->AddBrowser(page.get());
    page->RequestRedraw();
    page->Idle(0);
    return page;
  }
  std::unique_ptr<ProgramModeSynth> model;
  std::unique_ptr<BlueBrowserData> data;
  CHfcBmp* background = nullptr;
};

void BM_OpenSoundBrowserOverFourBanks(benchmark::State& state) {
  Rig rig;
  Oskend::IBankList* banks = rig.model->GetAllSounds(rig.model->GetSoundMode());
  if (!banks || banks->GetCount() < 4) {
    state.SkipWithError("no program banks");
    return;
  }
  for (auto _ : state) {
    auto page = rig.Open();
    benchmark::DoNotOptimize(page->GetList()->GetNumItems());
    page->Destroy();
    rig.data->ClearBrowsers();
  }
  auto page = rig.Open();
  state.counters["sounds"] = page->GetList()->GetNumItems();
  page->Destroy();
}
BENCHMARK(BM_OpenSoundBrowserOverFourBanks)->Unit(benchmark::kMillisecond);

// The filter change itself: the browsers told, the list of all 512
// programs made again (what the next idle does before it draws).
void BM_FilterChangeRelists512(benchmark::State& state) {
  Rig rig;
  auto page = rig.Open();
  for (auto _ : state) {
    rig.data->m_iCategory = -1;
    rig.data->UpdateAllBrowsers(nullptr, false);
    page->InitSoundListControl();
    benchmark::DoNotOptimize(page->GetList()->GetNumItems());
  }
  state.counters["sounds"] = page->GetList()->GetNumItems();
  page->Destroy();
}
BENCHMARK(BM_FilterChangeRelists512)->Unit(benchmark::kMicrosecond);

// The same up to the drawn frame: the idle relists and redraws the page.
void BM_FilterChangeToDrawnFrame(benchmark::State& state) {
  Rig rig;
  auto page = rig.Open();
  for (auto _ : state) {
    rig.data->m_iCategory = -1;
    rig.data->UpdateAllBrowsers(nullptr, false);
    page->Idle(0);
  }
  state.counters["sounds"] = page->GetList()->GetNumItems();
  page->Destroy();
}
BENCHMARK(BM_FilterChangeToDrawnFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
