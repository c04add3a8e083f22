#include <benchmark/benchmark.h>

#include <vector>

#include "spare/CHfcSeqPlayer.h"
#include "spare/CHfcSeqPlayerListener.h"
#include "spare/HfcMd5.h"

namespace {

void BM_Md5(benchmark::State& state) {
  std::vector<unsigned char> data(static_cast<size_t>(state.range(0)));
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 131);
  unsigned char digest[16];
  for (auto _ : state) {
    HfcMd5Calc(data.data(), data.size(), digest, nullptr);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Md5)->Arg(64)->Arg(4096)->Arg(1 << 20);

struct Counter : CHfcSeqPlayerListener {
  long count = 0;
  void OnHfcSeqPlayerMidi(const unsigned char*, long, long) override { ++count; }
};

// A 1 MB track of notes with running status, played through in one
// advance: decoding every event of the file.
void BM_SeqPlayer1MB(benchmark::State& state) {
  std::vector<unsigned char> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                                     'M', 'T', 'r', 'k', 0, 0, 0, 0};
  std::vector<unsigned char> track = {0x00, 0xFF, 0x03, 0x04, 'B', 'e', 'n', 'c', 0x00, 0x90, 60, 100};
  while (track.size() < (1u << 20) - 8) {
    track.insert(track.end(), {0x81, 0x00, 62, 90, 0x10, 0xC0, 5, 0x10, 0x90, 62, 0});
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  const size_t n = track.size();
  file[18] = static_cast<unsigned char>(n >> 24);
  file[19] = static_cast<unsigned char>(n >> 16);
  file[20] = static_cast<unsigned char>(n >> 8);
  file[21] = static_cast<unsigned char>(n);
  file.insert(file.end(), track.begin(), track.end());
  Counter counter;
  for (auto _ : state) {
    CHfcSeqPlayer player;
    player.SetListener(&counter);
    player.SetSmf(file.data(), file.size());
    player.Start();
    player.AddTimeByTicks(0x7FFFFFFF);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(n));
  benchmark::DoNotOptimize(counter.count);
}
BENCHMARK(BM_SeqPlayer1MB)->Unit(benchmark::kMillisecond);

}  // namespace
