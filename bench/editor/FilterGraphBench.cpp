#include <benchmark/benchmark.h>

#include "editor/controls/CXBCtrlFilterGraph.h"
#include "editor/controls/CXBCtrlTG01FilterGraph.h"
#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"

namespace {

// A filter graph in a layer, redrawn after each cutoff change: the page's
// work when the cutoff knob turns. Arg 0: the filter page's graph (140 x 65),
// arg 1: the small multimode graph (62 x 39).
template <typename Graph>
void RedrawAfterCutoffChange(benchmark::State& state, int width, int height, int pointSize) {
  ResourceManager::Initialize();
  ResourceManager* images = ResourceManager::GetInstance();
  CHfcWindowLayer layer;
  layer.Create(0, 0, 200, 120, nullptr);
  Graph graph;
  tagXBCtrlFilterGraphParam p = CXBCtrlFilterGraph::sm_mInitParam;
  p.x = 20;
  p.y = 20;
  p.width = width;
  p.height = height;
  p.backdrop = images->LoadImage("Container_Graph_Large");
  p.frame = images->LoadImage("Container_Graph_Small");
  p.pictureX = 2;
  p.pictureY = 2;
  p.pointSize = pointSize;
  p.label = images->LoadImage("PointNameFilter");
  p.maximum = 198;
  p.curveLineColor = 0xFF0000FF;
  p.curveFillColor = 0x100000FF;
  p.pointFillColor = 0xFF000099;
  p.pointFrameColor = 0xFF000000;
  if (!graph.Create(&p, 1, 0)) {
    state.SkipWithError("graph not created");
    return;
  }
  graph.Show(false);
  layer.AddControl(&graph, false);
  int cutoff = 0;
  for (auto _ : state) {
    cutoff = (cutoff + 7) % 199;
    tagFilterValue v{0, 150, cutoff};
    graph.SetFilterValue(&v, true);
    graph.Update(false, false);
    benchmark::ClobberMemory();
  }
  graph.Destroy();
  layer.Destroy();
  ResourceManager::Uninitialize();
}

void BM_FilterGraphRedrawAfterCutoffChange(benchmark::State& state) {
  RedrawAfterCutoffChange<CXBCtrlFilterGraph>(state, 140, 65, 9);
}
BENCHMARK(BM_FilterGraphRedrawAfterCutoffChange)->Unit(benchmark::kMicrosecond);

void BM_SmallFilterGraphRedrawAfterCutoffChange(benchmark::State& state) {
  RedrawAfterCutoffChange<CXBCtrlTG01FilterGraph>(state, 62, 39, 9);
}
BENCHMARK(BM_SmallFilterGraphRedrawAfterCutoffChange)->Unit(benchmark::kMicrosecond);

}  // namespace
