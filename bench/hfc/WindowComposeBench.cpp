#include <benchmark/benchmark.h>

#include <functional>

#include "tests/hfc/HfcEditorScene.h"
#include "tests/hfc/HfcFakes.h"

namespace {

using hfctest::EditorScene;

// Runs frame once per iteration on a whole editor window with every
// control drawn.
void RunOnEditor(benchmark::State& state, int updateMethod,
                 const std::function<void(hfctest::HeadlessHfcWindow&, EditorScene&)>& frame) {
  hfctest::HeadlessHfcWindow window(EditorScene::kWidth, EditorScene::kHeight);
  EditorScene scene(&window);
  if (!scene.ok()) {
    state.SkipWithError("skins missing");
    return;
  }
  scene.DrawControls();
  window.SetUpdateMethod(updateMethod);
  for (auto _ : state) frame(window, scene);
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}

// One frame of the whole editor window: the panel and the edit page
// composed bottom up into the window's picture and shown.
void BM_ComposeAndPresentEditorWindow(benchmark::State& state) {
  RunOnEditor(state, 0, [](hfctest::HeadlessHfcWindow& window, EditorScene&) {
    window.Update(nullptr);
    benchmark::DoNotOptimize(window.platform()->Pixels().data());
  });
}
BENCHMARK(BM_ComposeAndPresentEditorWindow)->Unit(benchmark::kMillisecond);

// The usual redraw after a control changed: it draws itself, its area is
// collected and flushed as the editor does.
void BM_FlushOneControlArea(benchmark::State& state) {
  RunOnEditor(state, 1, [](hfctest::HeadlessHfcWindow& window, EditorScene& scene) {
    scene.firstPageKnob()->Update(true, false);
    window.FlushUpdateRect();
  });
}
BENCHMARK(BM_FlushOneControlArea)->Unit(benchmark::kMicrosecond);

}  // namespace
