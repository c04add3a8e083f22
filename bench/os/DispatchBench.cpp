#include <benchmark/benchmark.h>

#include <memory>

#include "os/MainLoop.h"
#include "platform/IAsyncDispatch.h"

namespace {

struct Sink : IAsyncDispatchHandler {
  long sum = 0;
  void OnAsyncTimer(long) override {}
  void OnAsyncEvent(long a, long) override { sum += a; }
};

// Posting a forced notification and delivering it from the loop.
void BM_DispatchPostAndFlush(benchmark::State& state) {
  os::MainLoop loop;
  std::unique_ptr<IAsyncDispatch> d(AsyncDispatchCreate());
  Sink s;
  for (auto _ : state) {
    d->NotifyEvent(&s, 1, 0, true);
    loop.RunPending();
  }
  benchmark::DoNotOptimize(s.sum);
}
BENCHMARK(BM_DispatchPostAndFlush);

}  // namespace
