// MIDI from an input port into the hosted component through the MIDI
// manager, and the assembly of the controllers' system-exclusive messages.
#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>
#include <vector>

#include "host/TalvikHostHandshake.h"
#include "host/TalvikHostMIDIManager.h"
#include "host/TalvikSysExAssembler.h"
#include "os/Clock.h"
#include "os/Monitor.h"
#include "os/midi/VirtualBus.h"
#include "tests/support/simcontroller/SimController.h"

namespace {

class CountingComponent : public HostedComponent, public TalvikComponentInterface {
 public:
  std::atomic<uint64_t> events{0};
  std::atomic<uint64_t> calls{0};
  os::Monitor monitor;

  int32_t SetProperty(uint32_t id, uint32_t, uint32_t, const void* data, uint32_t size) override {
    if (id == TalvikHostHandshake::kProperty)
      return TalvikHostHandshake::AcceptOnComponent(data, size, this, nullptr);
    return 0;
  }
  int32_t MIDIEvent(uint32_t, uint32_t, uint32_t, uint32_t) override {
    if (events.fetch_add(1, std::memory_order_relaxed) + 1 == waitFor) {
      std::unique_lock<std::mutex> lock(monitor.mutex());
      monitor.NotifyAll();
    }
    return 0;
  }
  void QueryControllerChannel(unsigned char* c) override { *c = 1; }
  void ControllerAttached(int, Endpoint) override {}
  void ControllerDetached(Endpoint) override {}
  void ControllerMessage3(Endpoint, int, int) override { ++calls; }
  void ControllerMessage4(Endpoint, int, int) override { ++calls; }
  void ControllerMessage5(Endpoint, int, int, int) override { ++calls; }
  void ControllerMessage7(Endpoint, bool, int) override { ++calls; }
  void ControllerMessage8(Endpoint, int, bool) override { ++calls; }
  void ControllerMessage11(Endpoint, int, int) override { ++calls; }
  void ControllerMessage6(Endpoint, bool, int) override { ++calls; }
  void BankOpen() override {}
  void BankSaveAs() override {}
  void PresetImport() override {}
  void PresetExport() override {}
  void SetKnobMode(int) override {}

  uint64_t waitFor = 0;
};

struct Rig {
  os::midi::VirtualBus bus;
  std::unique_ptr<os::midi::Client> client;
  CountingComponent component;
  std::unique_ptr<TalvikHostMIDIManager> manager;
  std::shared_ptr<os::midi::VirtualBus::Device> keys;

  Rig() {
    os::midi::System::Install(&bus);
    bus.CreateClient("Talvik", &client);
    os::midi::VirtualBus::DeviceDesc d;
    d.sourceName = "KEYS";
    keys = bus.AddDevice(d);
    manager = std::make_unique<TalvikHostMIDIManager>(client.get(), &component, nullptr);
    manager->RebuildDataList(MIDIEndpointList());
    manager->SetSource(0, keys->source(), false);
    manager->SetSampleRateAndBufferFrameSize(48000, 256);
    HostAudioTimeStamp ts{os::NowUs() * 1000, HostAudioTimeStamp::kHostTimeValid};
    manager->InProcess(&ts);
  }
  ~Rig() {
    manager.reset();
    client.reset();
  }
};

// The input port's read procedure with one note per packet list: the time
// per iteration is the time per message.
void BM_InputPortToComponent(benchmark::State& state) {
  Rig rig;
  os::midi::PacketList list;
  const uint8_t note[] = {0x90, 0x40, 0x64};
  list.Add(os::NowUs(), note, sizeof note);
  for (auto _ : state) rig.manager->HandleMIDIPackets(&list, rig.keys->source());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InputPortToComponent);

// From a device on the virtual bus through its delivery thread, a batch of
// notes at a time.
void BM_DeviceThroughBusToComponent(benchmark::State& state) {
  Rig rig;
  const int batch = 1000;
  std::vector<uint8_t> notes;
  for (int i = 0; i < batch; ++i)
    notes.insert(notes.end(), {0x90, static_cast<uint8_t>(i & 0x7F), 0x40});
  for (auto _ : state) {
    rig.component.waitFor = rig.component.events.load() + batch;
    rig.keys->Emit(notes);
    std::unique_lock<std::mutex> lock(rig.component.monitor.mutex());
    rig.component.monitor.Wait(
        lock, [&] { return rig.component.events.load() >= rig.component.waitFor; });
  }
  state.SetItemsProcessed(state.iterations() * batch);
}
BENCHMARK(BM_DeviceThroughBusToComponent)->Unit(benchmark::kMicrosecond)->UseRealTime();

std::vector<uint8_t> Messages(size_t size, size_t count) {
  std::vector<uint8_t> out;
  for (size_t m = 0; m < count; ++m) {
    out.push_back(0xF0);
    out.push_back(0x42);
    for (size_t i = 2; i + 1 < size; ++i) out.push_back(static_cast<uint8_t>(i & 0x7F));
    out.push_back(0xF7);
  }
  return out;
}

// The assembly alone, on messages of range(0) bytes.
void BM_SysExAssembly(benchmark::State& state) {
  const std::vector<uint8_t> bytes = Messages(static_cast<size_t>(state.range(0)), 512);
  TalvikSysExAssembler a;
  size_t done = 0;
  for (auto _ : state) {
    for (uint8_t b : bytes) done += a.Feed(b) != 0;
    benchmark::DoNotOptimize(done);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_SysExAssembly)->Arg(9)->Arg(128);

// Controller events through the manager's receive step: ring, per-source
// assembly and the calls on the component; 100 events per packet.
void BM_ControllerSysExThroughManager(benchmark::State& state) {
  Rig rig;
  vesk::test::SimController pad(rig.bus, vesk::test::ControllerModel::kFirstFamily);
  rig.manager->RebuildDataList(MIDIEndpointList());  // probes in real time
  rig.manager->SetSource(1, pad.ExclusiveSource(), true);
  std::vector<uint8_t> events;
  for (int i = 0; i < 100; ++i)
    events.insert(events.end(), {0xF0, 0x42, 0x41, 0x6E, 0x00, 0x04, static_cast<uint8_t>(i), 0x10, 0xF7});
  os::midi::PacketList list;
  list.Add(os::NowUs(), events.data(), events.size());
  const uint64_t before = rig.component.calls.load();
  for (auto _ : state) rig.manager->HandleMIDIPackets(&list, pad.ExclusiveSource());
  if (rig.component.calls.load() - before != static_cast<uint64_t>(state.iterations()) * 100)
    state.SkipWithError("events were lost");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * events.size()));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * 100));
}
BENCHMARK(BM_ControllerSysExThroughManager);

}  // namespace
