// A page of 100 controls linked to program parameters of the real model
// (not connected, so edits stay in the image): the GUI idle that replays
// 20 queued model notices, and the resynchronisation of every control.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "model/ISection.h"
#include "model/ISoundSection.h"
#include "model/paramdesc/SParamDesc.h"
#include "os/MainLoop.h"
#include "remote/CRemoteSynthImpl.h"
#include "tests/editor/shell/ShellTestKit.h"

namespace {

constexpr int kControls = 100;

struct PageRig {
  PageRig() {
    ResourceManager::Initialize();
    FontManager::Initialize();
    model = std::make_unique<Oskend::CRemoteSynthImpl>(nullptr);
    page = std::make_unique<shelltest::TestEditPage>(model.get());
    page->Create(CTabPageLayerCreateParam{800, 600, nullptr}, nullptr);
    page->Show(false);
    Oskend::ISection* edit = model->GetEditBuffer(eMode_ProgEdit);
    const int rows = edit->GetParamCount();
    int x = 0;
    for (int i = 0; i < rows && static_cast<int>(pids.size()) < kControls; ++i) {
      SParamDesc d{};
      if (!edit->GetParamDescByIndex(static_cast<unsigned>(i), &d) || d.id < 0) continue;
      if (d.ptype < PTYPE_CONT || d.ptype == PTYPE_STRING) continue;
      const int px = 10 + (x % 16) * 48;
      const int py = 10 + (x / 16) * 60;
      if (d.ptype == PTYPE_ONOFF)
        page->Put(shelltest::MakeCheckBox(d.id, px, py), d.id);
      else
        page->Put(shelltest::MakeKnob(d.id, px, py), d.id);
      pids.push_back(d.id);
      ++x;
    }
    section = edit;
  }
  ~PageRig() {
    page->Destroy();
    page.reset();
    model.reset();
    FontManager::Uninitialize();
    ResourceManager::Uninitialize();
  }
  os::MainLoop loop;
  std::unique_ptr<Oskend::CRemoteSynthImpl> model;
  std::unique_ptr<shelltest::TestEditPage> page;
  std::vector<int> pids;
  Oskend::ISection* section = nullptr;
};

void BM_IdleWith20QueuedModelEvents(benchmark::State& state) {
  PageRig rig;
  if (rig.pids.size() < kControls) {
    state.SkipWithError("fewer than 100 parameters");
    return;
  }
  size_t next = 0;
  int round = 0;
  const bool draw = state.range(0) != 0;
  for (auto _ : state) {
    // 20 values change in the image (as a panel edit writes them) and the
    // model posts its 20 notices; then the idle that shows them.
    ++round;
    for (int i = 0; i < 20; ++i) {
      const int pid = rig.pids[next];
      Oskend::ISection* s = rig.page->GetParameterIdByControlId(pid).section;
      SParamDesc d{};
      s->GetParamDesc(pid, &d);
      s->PutParamIEx(pid, (round & 1) ? d.min : d.max, 0, eChgSource(2));
      rig.page->OnSectionParamChanged(s, pid);
      next = (next + 7) % rig.pids.size();
    }
    if (draw)
      rig.page->Idle(16);  // replays the queue, then each changed control draws itself
    else
      rig.page->ProcessEventQueue();  // the replay and synchronisation alone
  }
  state.counters["controls"] = static_cast<double>(rig.page->GetLinkCount());
}
BENCHMARK(BM_IdleWith20QueuedModelEvents)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_ResynchroniseEveryControl(benchmark::State& state) {
  PageRig rig;
  for (auto _ : state) rig.page->SynchronizeAllControlWithParam(nullptr, true);
  state.counters["controls"] = static_cast<double>(rig.page->GetLinkCount());
}
BENCHMARK(BM_ResynchroniseEveryControl)->Unit(benchmark::kMicrosecond);

}  // namespace
