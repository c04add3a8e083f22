#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "remote/CTavoArchiver.h"
#include "tests/support/SyntheticImage.h"

namespace {

const std::vector<unsigned char>& Image() {
  static const std::vector<unsigned char> image = vesk::test::MakeSyntheticImage(1);
  return image;
}

// Compressing a whole data image, as a host-project save does.
void BM_CompressImage(benchmark::State& state) {
  const auto& image = Image();
  unsigned size = 0;
  for (auto _ : state) {
    std::unique_ptr<unsigned char[]> block(
        CTavoArchiver::compressData(image.data(), static_cast<unsigned>(image.size()), size));
    benchmark::DoNotOptimize(block.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(image.size()));
  state.counters["block_bytes"] = size;
  state.counters["ratio_pct"] = 100.0 * size / static_cast<double>(image.size());
}
BENCHMARK(BM_CompressImage)->Unit(benchmark::kMillisecond);

void BM_ExtractImage(benchmark::State& state) {
  const auto& image = Image();
  unsigned size = 0;
  std::unique_ptr<unsigned char[]> block(
      CTavoArchiver::compressData(image.data(), static_cast<unsigned>(image.size()), size));
  std::vector<unsigned char> out(image.size());
  for (auto _ : state) {
    const int n = CTavoArchiver::extractData(block.get(), size, out.data(), static_cast<unsigned>(out.size()));
    if (n != static_cast<int>(image.size())) state.SkipWithError("extract failed");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(image.size()));
  state.counters["block_bytes"] = size;
}
BENCHMARK(BM_ExtractImage)->Unit(benchmark::kMillisecond);

}  // namespace
