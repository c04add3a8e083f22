// The plug-in as a host meets it: start-up without a synthesizer, one
// audio block with MIDI, the editor's first frame and the memory of one
// loaded instance.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "os/MainLoop.h"
#include "os/window/HeadlessWindow.h"
#include "plugin/CMidiFifo.h"
#include "plugin/PlugInEntry.h"
#include "plugin/QuorelVst.h"
#include "plugin/VelorVstEditor.h"

namespace {

// Allocations of the calling thread only: the audio thread is the one that
// must not allocate.
thread_local long g_allocations = 0;

intptr_t Host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? 2400 : (opcode == audioMasterProcessEvents ? 1 : 0);
}

// A folder of the benchmark's own for the lock and the settings.
struct Folder {
  std::string path;
  Folder() {
    char pattern[] = "/tmp/vesk-bench-XXXXXX";
    path = ::mkdtemp(pattern);
    ::setenv("VESK_LOCK_DIR", path.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", path.c_str(), 1);
    ::setenv("DISPLAY", "", 1);
  }
};
Folder& TheFolder() {
  static Folder f;
  return f;
}

QuorelVst* Object(AEffect* e) { return static_cast<QuorelVst*>(static_cast<AudioEffect*>(e->object)); }

void BM_InstantiateAndInitialize(benchmark::State& state) {
  TheFolder();
  for (auto _ : state) {
    AEffect* e = VSTPluginMain(&Host);
    if (!e) {
      state.SkipWithError("no instance");
      return;
    }
    state.PauseTiming();
    e->dispatcher(e, effClose, 0, 0, nullptr, 0);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_InstantiateAndInitialize)->Unit(benchmark::kMillisecond);

void BM_ProcessReplacing512With32Events(benchmark::State& state) {
  TheFolder();
  AEffect* e = VSTPluginMain(&Host);
  if (!e) {
    state.SkipWithError("no instance");
    return;
  }
  e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0);
  std::vector<VstMidiEvent> midi(32);
  struct {
    int32_t numEvents;
    intptr_t reserved;
    VstEvent* events[32];
  } events{};
  events.numEvents = 32;
  auto* list = reinterpret_cast<VstEvents*>(&events);
  for (int i = 0; i < 32; ++i) {
    midi[i] = VstMidiEvent{};
    midi[i].type = kVstMidiType;
    midi[i].byteSize = sizeof(VstMidiEvent);
    midi[i].deltaFrames = i * 16;
    midi[i].midiData[0] = static_cast<uint8_t>(i % 4 == 1 ? 0x80 : (i % 4 == 3 ? 0xB1 : 0x90));
    midi[i].midiData[1] = static_cast<uint8_t>(40 + i);
    midi[i].midiData[2] = 100;
    events.events[i] = reinterpret_cast<VstEvent*>(&midi[i]);
  }
  std::vector<float> left(512), right(512);
  float* outputs[2] = {left.data(), right.data()};
  QuorelVst* plugin = Object(e);
  // One block first: what the model's output sets up once is not counted.
  e->dispatcher(e, effProcessEvents, 0, 0, list, 0);
  e->processReplacing(e, nullptr, outputs, 512);
  plugin->GetVstEditor()->GetMidiQueue()->Reset();
  long allocations = 0;
  for (auto _ : state) {
    const long before = g_allocations;
    e->dispatcher(e, effProcessEvents, 0, 0, list, 0);
    e->processReplacing(e, nullptr, outputs, 512);
    allocations += g_allocations - before;
    // The editor's queue is drained by its idle, which is not open here.
    state.PauseTiming();
    plugin->GetVstEditor()->GetMidiQueue()->Reset();
    state.ResumeTiming();
  }
  state.counters["allocs_per_block"] =
      benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(state.iterations()));
  e->dispatcher(e, effClose, 0, 0, nullptr, 0);
}
BENCHMARK(BM_ProcessReplacing512With32Events)->Unit(benchmark::kMicrosecond);

void BM_EditorOpenToFirstFrame(benchmark::State& state) {
  TheFolder();
  // The plug-in uses a main loop the process already runs, here this one.
  os::MainLoop loop;
  AEffect* e = VSTPluginMain(&Host);
  if (!e) {
    state.SkipWithError("no instance");
    return;
  }
  loop.RunPending();
  VelorVstEditor* editor = Object(e)->GetVstEditor();
  for (auto _ : state) {
    e->dispatcher(e, effEditOpen, 0, 0, nullptr, 0);
    auto* window = dynamic_cast<os::HeadlessWindow*>(editor->GetPlatformWindow());
    if (!window || !loop.RunUntil([&] { return window->PresentCount() > 0; }, 1000)) {
      state.SkipWithError("no frame");
      break;
    }
    state.PauseTiming();
    e->dispatcher(e, effEditClose, 0, 0, nullptr, 0);
    state.ResumeTiming();
  }
  e->dispatcher(e, effClose, 0, 0, nullptr, 0);
}
BENCHMARK(BM_EditorOpenToFirstFrame)->Unit(benchmark::kMillisecond);

long ResidentKiB() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// The shared object as a host loads it: the resident memory it adds with
// one instance running.
void BM_ResidentMemoryOfOneLoadedInstance(benchmark::State& state) {
  TheFolder();
  for (auto _ : state) {
    const long before = ResidentKiB();
    void* library = ::dlopen(VESK_PLUGIN_SO_PATH, RTLD_NOW | RTLD_LOCAL);
    auto entry = library ? reinterpret_cast<AEffect* (*)(audioMasterCallback)>(
                               ::dlsym(library, "VSTPluginMain"))
                         : nullptr;
    AEffect* e = entry ? entry(&Host) : nullptr;
    if (!e) {
      state.SkipWithError("no instance");
      return;
    }
    void* chunk = nullptr;
    // A chunk call waits for the connection's start: the instance is settled.
    e->dispatcher(e, effGetChunk, 0, 0, &chunk, 0);
    const long after = ResidentKiB();
    state.counters["rss_added_MiB"] = static_cast<double>(after - before) / 1024.0;
    state.counters["rss_total_MiB"] = static_cast<double>(after) / 1024.0;
    e->dispatcher(e, effClose, 0, 0, nullptr, 0);
  }
}
BENCHMARK(BM_ResidentMemoryOfOneLoadedInstance)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

// Out of line: inlined into the benchmarks' static initialisers, the malloc
// and free inside make the compiler see a new paired with free.
[[gnu::noinline]] void* operator new(size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, size_t) noexcept { std::free(p); }
