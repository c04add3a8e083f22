#include <benchmark/benchmark.h>

#include <vector>

#include "os/midi/PacketList.h"
#include "remote/CMIDIPacketParser.h"
#include "remote/IMIDIInCallback.h"

namespace {

class Sink : public IMIDIInCallback {
 public:
  void OnMIDIShort(IMIDIIn*, long long, const void*, unsigned len) override { bytes += len; }
  void OnMIDILong(IMIDIIn*, long long, const void*, unsigned len) override { bytes += len; }
  size_t bytes = 0;
};

// The largest dump (a whole program bank) as the interface delivers it:
// one packet of range(0) bytes per packet list.
void BM_ParseLargeSysex(benchmark::State& state) {
  const size_t packetBytes = static_cast<size_t>(state.range(0));
  std::vector<uint8_t> msg(CMIDIPacketParser::kMaxSysexBytes);
  for (size_t i = 0; i < msg.size(); ++i) msg[i] = static_cast<uint8_t>(i & 0x7F);
  msg.front() = 0xF0;
  msg.back() = 0xF7;
  std::vector<os::midi::PacketList> lists;
  for (size_t pos = 0; pos < msg.size(); pos += packetBytes) {
    lists.emplace_back();
    lists.back().Add(0, msg.data() + pos, std::min(packetBytes, msg.size() - pos));
  }
  CMIDIPacketParser parser;
  Sink sink;
  for (auto _ : state) {
    for (const auto& l : lists) parser.ParseList(l, nullptr, &sink);
    benchmark::DoNotOptimize(sink.bytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * msg.size()));
}
BENCHMARK(BM_ParseLargeSysex)->Arg(16)->Arg(64)->Arg(256);

}  // namespace
