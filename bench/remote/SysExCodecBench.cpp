#include <benchmark/benchmark.h>

#include <vector>

#include "remote/ChunkDecode.h"
#include "remote/ChunkEncode.h"
#include "remote/SXMessage.h"
#include "remote/SynthSysEx.h"

namespace {

using Oskend::SynthSysEx;

std::vector<uint8_t> Data(unsigned n) {
  std::vector<uint8_t> d(n);
  uint32_t x = 12345;
  for (auto& b : d) {
    x = x * 1664525u + 1013904223u;
    b = static_cast<uint8_t>(x >> 24);
  }
  return d;
}

// Packing a program bank (the largest dump) as the sender does: through
// Read() into 1024-byte blocks.
void BM_PackBankInBlocks(benchmark::State& state) {
  const auto src = Data(SynthSysEx::kProgBankSize);
  std::vector<uint8_t> block(1024);
  for (auto _ : state) {
    ChunkEncode enc(src.data(), unsigned(src.size()));
    unsigned total = 0;
    while (unsigned n = enc.Read(block.data(), 1024)) total += n;
    benchmark::DoNotOptimize(total);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}
BENCHMARK(BM_PackBankInBlocks);

void BM_PackBankWhole(benchmark::State& state) {
  const auto src = Data(SynthSysEx::kProgBankSize);
  std::vector<uint8_t> dst(ChunkEncode::PackedSize(unsigned(src.size())));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ChunkEncode::Encode(src.data(), unsigned(src.size()), dst.data()));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}
BENCHMARK(BM_PackBankWhole);

// Unpacking as the receiver does: fragments of 4097 bytes into a decoder
// whose buffer is reserved up front.
void BM_UnpackBankInFragments(benchmark::State& state) {
  const auto src = Data(SynthSysEx::kProgBankSize);
  std::vector<uint8_t> packed(ChunkEncode::PackedSize(unsigned(src.size())));
  ChunkEncode::Encode(src.data(), unsigned(src.size()), packed.data());
  ChunkDecode dec;
  dec.Reserve(0xA00000);
  for (auto _ : state) {
    dec.Clear();
    for (size_t at = 0; at < packed.size(); at += 4097) {
      const unsigned n = unsigned(std::min<size_t>(4097, packed.size() - at));
      dec.Write(packed.data() + at, n, at + n == packed.size());
    }
    benchmark::DoNotOptimize(dec.Size());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}
BENCHMARK(BM_UnpackBankInFragments);

void BM_UnpackBankWhole(benchmark::State& state) {
  const auto src = Data(SynthSysEx::kProgBankSize);
  std::vector<uint8_t> packed(ChunkEncode::PackedSize(unsigned(src.size())));
  ChunkEncode::Encode(src.data(), unsigned(src.size()), packed.data());
  std::vector<uint8_t> out(src.size());
  for (auto _ : state) {
    benchmark::DoNotOptimize(ChunkDecode::Decode(packed.data(), unsigned(packed.size()), out.data()));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}
BENCHMARK(BM_UnpackBankWhole);

// An edit on screen: build the parameter change, and take it apart again
// as the receiver does.
void BM_ParamChangeEncodeDecode(benchmark::State& state) {
  int value = 0;
  for (auto _ : state) {
    const auto msg = SynthSysEx::ParamChange(2, 3, 0x8123, value++);
    const auto m = Oskend::SXMessage::Decode(msg.data(), unsigned(msg.size()) - 1, 2);
    benchmark::DoNotOptimize(m.value);
  }
}
BENCHMARK(BM_ParamChangeEncodeDecode);

}  // namespace
