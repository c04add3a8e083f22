#include <benchmark/benchmark.h>

#include "tests/hfc/HfcEditorScene.h"
#include "tests/hfc/HfcFakes.h"

namespace {

using hfctest::EditorScene;

// One frame of the whole editor window: the panel and the edit page
// composed bottom up into the window's picture and shown.
void BM_ComposeAndPresentEditorWindow(benchmark::State& state) {
  hfctest::HeadlessHfcWindow window(EditorScene::kWidth, EditorScene::kHeight);
  EditorScene scene(&window);
  if (!scene.ok()) {
    state.SkipWithError("skins missing");
    return;
  }
  scene.DrawControls();
  for (auto _ : state) {
    window.Update(nullptr);
    benchmark::DoNotOptimize(window.platform()->Pixels().data());
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComposeAndPresentEditorWindow)->Unit(benchmark::kMillisecond);

// The usual redraw after a control changed: its area only, collected and
// flushed as the editor does.
void BM_FlushOneControlArea(benchmark::State& state) {
  hfctest::HeadlessHfcWindow window(EditorScene::kWidth, EditorScene::kHeight);
  EditorScene scene(&window);
  if (!scene.ok()) {
    state.SkipWithError("skins missing");
    return;
  }
  scene.DrawControls();
  window.SetUpdateMethod(1);
  CHfcControl* knob = scene.firstPageKnob();
  for (auto _ : state) {
    knob->Update(true, false);
    window.FlushUpdateRect();
  }
}
BENCHMARK(BM_FlushOneControlArea)->Unit(benchmark::kMicrosecond);

}  // namespace
