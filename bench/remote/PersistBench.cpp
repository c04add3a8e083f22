#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "model/CDirtyFlagSet.h"
#include "remote/Persist.h"
#include "tests/support/SyntheticImage.h"

namespace {

using Oskend::FTYPE;

Oskend::PERSISTPARAMS Params(std::vector<unsigned char>& image, FTYPE type) {
  Oskend::PERSISTPARAMS params;
  params.type = type;
  params.image = Oskend::CHUNK_REMOTESYNTH(image.data());
  params.filter.bytes = {0, 0, 20, 0, 0, 0x8F, 0x80, 128, 0, 0, 1, 0};
  return params;
}

// Saving the whole image: "tra " stores it raw, a bank chunk compresses it.
void BM_SaveWholeImage(benchmark::State& state) {
  std::vector<unsigned char> image = vesk::test::MakeSyntheticImage(1);
  const Oskend::PERSISTPARAMS params = Params(image, static_cast<FTYPE>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::ostringstream out;
    if (!Oskend::PersistSaveStream(out, 0, &params)) state.SkipWithError("save failed");
    bytes = out.str().size();
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveWholeImage)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

void BM_LoadWholeImage(benchmark::State& state) {
  std::vector<unsigned char> image = vesk::test::MakeSyntheticImage(1);
  Oskend::PERSISTPARAMS params = Params(image, static_cast<FTYPE>(state.range(0)));
  std::ostringstream out;
  Oskend::PersistSaveStream(out, 0, &params);
  const std::string chunk = out.str();
  std::vector<unsigned char> target = vesk::test::MakeSyntheticImage(2);
  for (auto _ : state) {
    Oskend::PERSISTPARAMS load = Params(target, FTYPE::None);
    CDirtyFlagSet dirty;
    std::istringstream in(chunk);
    Oskend::PersistLoadStream(in, 0, &load, dirty);
    benchmark::DoNotOptimize(target.data());
  }
}
BENCHMARK(BM_LoadWholeImage)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

// The same through a file, written atomically (temporary file, flush to
// disk, rename).
void BM_SaveWholeImageFile(benchmark::State& state) {
  std::vector<unsigned char> image = vesk::test::MakeSyntheticImage(1);
  const Oskend::PERSISTPARAMS params = Params(image, FTYPE::All);
  const std::string path = std::string(P_tmpdir) + "/vesk_bench_all.VSKall";
  for (auto _ : state)
    if (!Oskend::PersistSaveStream(path.c_str(), 0, &params)) state.SkipWithError("save failed");
  std::remove(path.c_str());
}
BENCHMARK(BM_SaveWholeImageFile)->Unit(benchmark::kMillisecond);

void BM_LoadWholeImageFile(benchmark::State& state) {
  std::vector<unsigned char> image = vesk::test::MakeSyntheticImage(1);
  const Oskend::PERSISTPARAMS params = Params(image, FTYPE::All);
  const std::string path = std::string(P_tmpdir) + "/vesk_bench_load.VSKall";
  Oskend::PersistSaveStream(path.c_str(), 0, &params);
  std::vector<unsigned char> target = vesk::test::MakeSyntheticImage(2);
  for (auto _ : state) {
    Oskend::PERSISTPARAMS load = Params(target, FTYPE::None);
    CDirtyFlagSet dirty;
    Oskend::PersistLoadStream(path.c_str(), 0, &load, dirty);
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadWholeImageFile)->Unit(benchmark::kMillisecond);

}  // namespace
