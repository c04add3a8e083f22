// A VST 2 host of the journeys' own, as a process of its own: it loads the
// built plug-in with dlopen, lets the plug-in's own threads run for real,
// processes audio blocks on a thread of its own, opens the plug-in's editor
// as a child of its own X window, and records every callback the plug-in
// makes, with the thread it came on. Written from the binary interface alone
// (offsets into AEffect, opcode numbers), independent of the plug-in's
// headers.
//
//   vesk_vst_journey_host PLUGIN.so RECORD [--entries N] [--chunk FILE]
//                         [--load-chunk FILE] [--save-chunk FILE] [--preset 1]
//
// Each callback is appended to RECORD as one line:
//   <opcode> <index> <value> <opt> <thread> <phase> <read back>
// thread: main (the host's GUI thread, which also calls effEditIdle),
// audio (its processing thread) or other (a thread the host did not make);
// phase: entry while the host is inside VSTPluginMain, close while it is
// inside effClose, else run; read back: for an automate, what getParameter
// gave for its row inside the callback (as hosts read it back), else 0.
// Without --entries it opens one instance and its editor, prints
// "ready <window id> <width> <height>" and runs until SIGTERM, then closes
// the editor and the instance, prints "close <ms>" (how long effClose took)
// and ends with status 0. With --chunk FILE, SIGUSR1 saves the bank chunk
// into FILE and prints "getchunk <ms> <bytes>", SIGUSR2 restores the bank
// chunk from FILE and prints "setchunk <ms> <result>"; both on the GUI
// thread, between two idle calls; with --preset 1 these two save and
// restore the preset chunk (the sound the plug-in plays) instead. As a host
// reopening a session,
// --load-chunk hands the instance the state in FILE before it opens the
// editor; as a host saving one, --save-chunk writes the instance's state to
// FILE when told to end, before it closes the editor (status 1 when either
// fails). With --entries N it only calls VSTPluginMain and closes the
// instance again, N times, and ends.
#include <dlfcn.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "os/window/X11Window.h"

namespace {

// The binary interface: opcodes and AEffect's offsets.
enum : int32_t {
  kEffOpen = 0, kEffClose = 1, kEffSetSampleRate = 10, kEffSetBlockSize = 11, kEffMainsChanged = 12,
  kEffEditGetRect = 13, kEffEditOpen = 14, kEffEditClose = 15, kEffEditIdle = 19, kEffGetChunk = 23,
  kEffSetChunk = 24, kEffStartProcess = 71, kEffStopProcess = 72,
};
enum : int32_t {
  kHostVersion = 1, kHostGetSampleRate = 16, kHostGetBlockSize = 17, kHostGetVendorString = 32,
  kHostGetProductString = 33, kHostGetVendorVersion = 34,
};
constexpr int32_t kHostAutomate = 0;
constexpr int32_t kMagic = 0x56737450;  // 'VstP'
constexpr size_t kOffDispatcher = 8, kOffGetParameter = 32, kOffNumOutputs = 52, kOffProcessReplacing = 120;
constexpr int32_t kBlock = 512;

using Callback = intptr_t (*)(void*, int32_t, int32_t, intptr_t, void*, float);
using Entry = void* (*)(Callback);
using Dispatcher = intptr_t (*)(void*, int32_t, int32_t, intptr_t, void*, float);
using Process = void (*)(void*, float**, float**, int32_t);
using GetParameter = float (*)(void*, int32_t);

template <typename T>
T Field(void* effect, size_t offset) {
  T value;
  std::memcpy(&value, static_cast<const char*>(effect) + offset, sizeof value);
  return value;
}

std::atomic<bool> g_term{false};
std::atomic<bool> g_saveChunk{false};
std::atomic<bool> g_loadChunk{false};
std::atomic<bool> g_inEntry{false};
std::atomic<bool> g_inClose{false};
std::thread::id g_mainThread;
thread_local bool t_audio = false;
std::mutex g_recordLock;
FILE* g_record = nullptr;

intptr_t HostCallback(void* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  {
    const char* thread = t_audio ? "audio" : std::this_thread::get_id() == g_mainThread ? "main" : "other";
    const char* phase = g_inEntry.load() ? "entry" : g_inClose.load() ? "close" : "run";
    const float readBack = opcode == kHostAutomate && effect ? Field<GetParameter>(effect, kOffGetParameter)(effect, index) : 0.0f;
    std::lock_guard<std::mutex> g(g_recordLock);
    std::fprintf(g_record, "%d %d %lld %.9g %s %s %.9g\n", opcode, index, static_cast<long long>(value), opt, thread,
                 phase, readBack);
    std::fflush(g_record);
  }
  switch (opcode) {
    case kHostVersion: return 2400;
    case kHostGetSampleRate: return 48000;
    case kHostGetBlockSize: return kBlock;
    case kHostGetVendorString: std::strcpy(static_cast<char*>(ptr), "Vesk tests"); return 1;
    case kHostGetProductString: std::strcpy(static_cast<char*>(ptr), "Vesk Journey Host"); return 1;
    case kHostGetVendorVersion: return 1;
    default: return opcode == 0 || opcode == 42 || opcode == 43 || opcode == 44 ? 1 : 0;
  }
}

void* Instantiate(Entry entry) {
  g_inEntry = true;
  void* effect = entry(&HostCallback);
  g_inEntry = false;
  if (effect && Field<int32_t>(effect, 0) != kMagic) effect = nullptr;
  return effect;
}

intptr_t Call(void* effect, int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0) {
  return Field<Dispatcher>(effect, kOffDispatcher)(effect, opcode, index, value, ptr, opt);
}

long long MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

// The bank chunk (or with `preset` the preset chunk) into the file, or from
// it, as a host saves and restores a session or a preset; the line says how
// long the call took.
bool SaveChunk(void* effect, const std::string& path, bool preset = false) {
  const auto start = std::chrono::steady_clock::now();
  void* data = nullptr;
  const intptr_t size = Call(effect, kEffGetChunk, preset ? 1 : 0, 0, &data);
  const long long ms = MsSince(start);
  bool written = false;
  if (data && size > 0) {
    std::ofstream out(path, std::ios::binary);
    written = static_cast<bool>(out.write(static_cast<const char*>(data), size).flush());
  }
  std::printf("getchunk %lld %lld\n", ms, static_cast<long long>(size));
  std::fflush(stdout);
  return written;
}

bool LoadChunk(void* effect, const std::string& path, bool preset = false) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.empty()) return false;
  const auto start = std::chrono::steady_clock::now();
  const intptr_t result =
      Call(effect, kEffSetChunk, preset ? 1 : 0, static_cast<intptr_t>(bytes.size()), bytes.data());
  std::printf("setchunk %lld %lld\n", MsSince(start), static_cast<long long>(result));
  std::fflush(stdout);
  return result == 1;
}

// Audio blocks at the pace of 48 kHz until told to stop.
void AudioLoop(void* effect, std::atomic<bool>* run) {
  t_audio = true;
  const int outputs = Field<int32_t>(effect, kOffNumOutputs);
  std::vector<std::vector<float>> buffers(static_cast<size_t>(outputs), std::vector<float>(kBlock));
  std::vector<float*> out;
  for (auto& b : buffers) out.push_back(b.data());
  const Process process = Field<Process>(effect, kOffProcessReplacing);
  auto next = std::chrono::steady_clock::now();
  while (run->load()) {
    process(effect, nullptr, out.data(), kBlock);
    next += std::chrono::microseconds(kBlock * 1000000LL / 48000);
    std::this_thread::sleep_until(next);
  }
}

struct Options {
  int entries = 0;
  std::string chunkFile, loadChunk, saveChunk;
  bool preset = false;  // the chunk commands' chunk is the preset chunk
};

int RunEditor(void* effect, const Options& options) {
  Call(effect, kEffOpen);
  Call(effect, kEffSetSampleRate, 0, 0, nullptr, 48000.0f);
  Call(effect, kEffSetBlockSize, 0, kBlock);
  Call(effect, kEffMainsChanged, 0, 1);
  Call(effect, kEffStartProcess);
  if (!options.loadChunk.empty() && !LoadChunk(effect, options.loadChunk)) {
    std::fprintf(stderr, "vesk_vst_journey_host: the plug-in did not take the chunk in %s\n", options.loadChunk.c_str());
    return 1;
  }
  std::atomic<bool> run{true};
  std::thread audio(AudioLoop, effect, &run);
  // ERect: int16 top, left, bottom, right.
  void* rect = nullptr;
  int width = 856, height = 600;
  if (Call(effect, kEffEditGetRect, 0, 0, &rect) && rect) {
    const int16_t* r = static_cast<const int16_t*>(rect);
    width = r[3] - r[1];
    height = r[2] - r[0];
  }
  auto window = os::X11Window::CreateTopLevel(nullptr, 0, 0, width, height, "Vesk Journey Host");
  if (!window) {
    std::fprintf(stderr, "vesk_vst_journey_host: no X window\n");
    run = false;
    audio.join();
    return 1;
  }
  window->Show();
  window->Sync();
  Call(effect, kEffEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(window->NativeId())));
  std::printf("ready %llu %d %d\n", static_cast<unsigned long long>(window->NativeId()), width, height);
  std::fflush(stdout);
  while (!g_term.load()) {
    window->Pump();
    Call(effect, kEffEditIdle);
    if (g_saveChunk.exchange(false) && !options.chunkFile.empty()) SaveChunk(effect, options.chunkFile, options.preset);
    if (g_loadChunk.exchange(false) && !options.chunkFile.empty()) LoadChunk(effect, options.chunkFile, options.preset);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const bool saved = options.saveChunk.empty() || SaveChunk(effect, options.saveChunk);
  if (!saved) std::fprintf(stderr, "vesk_vst_journey_host: no chunk to write to %s\n", options.saveChunk.c_str());
  Call(effect, kEffEditClose);
  run = false;
  audio.join();
  Call(effect, kEffStopProcess);
  Call(effect, kEffMainsChanged, 0, 0);
  const auto closing = std::chrono::steady_clock::now();
  g_inClose = true;
  Call(effect, kEffClose);
  g_inClose = false;
  std::printf("close %lld\n", MsSince(closing));
  std::fflush(stdout);
  return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: vesk_vst_journey_host PLUGIN.so RECORD [--entries N] [--chunk FILE] [--load-chunk FILE] "
                 "[--save-chunk FILE] [--preset 1]\n");
    return 2;
  }
  Options options;
  for (int i = 3; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--entries") options.entries = std::atoi(argv[i + 1]);
    if (option == "--chunk") options.chunkFile = argv[i + 1];
    if (option == "--load-chunk") options.loadChunk = argv[i + 1];
    if (option == "--save-chunk") options.saveChunk = argv[i + 1];
    if (option == "--preset") options.preset = std::atoi(argv[i + 1]) != 0;
  }
  g_mainThread = std::this_thread::get_id();
  g_record = std::fopen(argv[2], "w");
  if (!g_record) return 1;
  signal(SIGTERM, [](int) { g_term = true; });
  signal(SIGUSR1, [](int) { g_saveChunk = true; });
  signal(SIGUSR2, [](int) { g_loadChunk = true; });
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  Entry entry = library ? reinterpret_cast<Entry>(dlsym(library, "VSTPluginMain")) : nullptr;
  if (!entry) {
    std::fprintf(stderr, "vesk_vst_journey_host: %s\n", dlerror());
    return 1;
  }
  if (options.entries > 0) {
    for (int i = 0; i < options.entries; ++i) {
      void* effect = Instantiate(entry);
      if (!effect) {
        std::fprintf(stderr, "vesk_vst_journey_host: VSTPluginMain gave no instance\n");
        return 1;
      }
      Call(effect, kEffClose);
    }
    return 0;
  }
  void* effect = Instantiate(entry);
  if (!effect) {
    std::fprintf(stderr, "vesk_vst_journey_host: VSTPluginMain gave no instance\n");
    return 1;
  }
  return RunEditor(effect, options);
}
