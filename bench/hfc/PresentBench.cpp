#include <benchmark/benchmark.h>

#include <vector>

#include "os/window/HeadlessWindow.h"

namespace {

// One whole editor-sized picture shown in a headless window per iteration.
void BM_PresentFullPicture800x600(benchmark::State& state) {
  auto window = os::HeadlessWindow::Create(800, 600);
  std::vector<uint32_t> picture(800 * 600);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = 0xFF000000u | static_cast<uint32_t>(i);
  for (auto _ : state) {
    window->Present(picture.data(), 800, 600, {0, 0, 800, 600});
    benchmark::DoNotOptimize(window->Pixels().data());
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PresentFullPicture800x600);

// A knob-sized area, the usual redraw of one control.
void BM_PresentControlArea(benchmark::State& state) {
  auto window = os::HeadlessWindow::Create(800, 600);
  std::vector<uint32_t> picture(800 * 600, 0xFF203040u);
  for (auto _ : state) {
    window->Present(picture.data(), 800, 600, {300, 200, 340, 240});
    benchmark::DoNotOptimize(window->Pixels().data());
  }
}
BENCHMARK(BM_PresentControlArea);

}  // namespace
