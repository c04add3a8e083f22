// A VST 2 host of the journeys' own, as a process of its own: it loads the
// built plug-in with dlopen, lets the plug-in's own threads run for real,
// processes audio blocks on a thread of its own, opens the plug-in's editor
// as a child of its own X window, and records every callback the plug-in
// makes, with the thread it came on. Written from the binary interface alone
// (offsets into AEffect, opcode numbers), independent of the plug-in's
// headers.
//
//   vesk_vst_journey_host PLUGIN.so RECORD [--entries N]
//                         [--load-chunk FILE] [--save-chunk FILE]
//
// Each callback is appended to RECORD as one line:
//   <opcode> <index> <value> <opt> <thread> <phase>
// thread: main (the host's GUI thread), audio (its processing thread) or
// other (a thread of the plug-in's own); phase: entry while the host is
// inside VSTPluginMain, else run. Without --entries it opens one instance
// and its editor, prints "ready <window id> <width> <height>" and runs until
// SIGTERM, then closes the editor and the instance and ends with status 0.
// With --entries N it only calls VSTPluginMain and closes the instance
// again, N times, and ends. As a host reopening a session, --load-chunk
// hands the instance the state in FILE (effSetChunk) before it opens the
// editor; as a host saving one, --save-chunk writes the instance's state
// (effGetChunk) to FILE when told to end, before it closes the editor.
#include <dlfcn.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
constexpr int32_t kMagic = 0x56737450;  // 'VstP'
constexpr size_t kOffDispatcher = 8, kOffNumOutputs = 52, kOffProcessReplacing = 120;
constexpr int32_t kBlock = 512;

using Callback = intptr_t (*)(void*, int32_t, int32_t, intptr_t, void*, float);
using Entry = void* (*)(Callback);
using Dispatcher = intptr_t (*)(void*, int32_t, int32_t, intptr_t, void*, float);
using Process = void (*)(void*, float**, float**, int32_t);

template <typename T>
T Field(void* effect, size_t offset) {
  T value;
  std::memcpy(&value, static_cast<const char*>(effect) + offset, sizeof value);
  return value;
}

std::atomic<bool> g_term{false};
std::atomic<bool> g_inEntry{false};
std::thread::id g_mainThread;
thread_local bool t_audio = false;
std::mutex g_recordLock;
FILE* g_record = nullptr;

intptr_t HostCallback(void*, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  {
    const char* thread = t_audio ? "audio" : std::this_thread::get_id() == g_mainThread ? "main" : "other";
    std::lock_guard<std::mutex> g(g_recordLock);
    std::fprintf(g_record, "%d %d %lld %g %s %s\n", opcode, index, static_cast<long long>(value), opt, thread,
                 g_inEntry.load() ? "entry" : "run");
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

// The session's state, whole (chunk index 0).
bool LoadChunk(void* effect, const std::string& path) {
  FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return false;
  std::vector<char> bytes;
  char buffer[65536];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(in);
  return !bytes.empty() && Call(effect, kEffSetChunk, 0, static_cast<intptr_t>(bytes.size()), bytes.data()) == 1;
}

bool SaveChunk(void* effect, const std::string& path) {
  void* data = nullptr;
  const intptr_t size = Call(effect, kEffGetChunk, 0, 0, &data);
  FILE* out = size > 0 && data ? std::fopen(path.c_str(), "wb") : nullptr;
  if (!out) return false;
  const bool whole = std::fwrite(data, 1, static_cast<size_t>(size), out) == static_cast<size_t>(size);
  return std::fclose(out) == 0 && whole;
}

int RunEditor(void* effect, const std::string& loadChunk, const std::string& saveChunk) {
  Call(effect, kEffOpen);
  Call(effect, kEffSetSampleRate, 0, 0, nullptr, 48000.0f);
  Call(effect, kEffSetBlockSize, 0, kBlock);
  Call(effect, kEffMainsChanged, 0, 1);
  Call(effect, kEffStartProcess);
  if (!loadChunk.empty() && !LoadChunk(effect, loadChunk)) {
    std::fprintf(stderr, "vesk_vst_journey_host: the plug-in did not take the chunk in %s\n", loadChunk.c_str());
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
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const bool saved = saveChunk.empty() || SaveChunk(effect, saveChunk);
  if (!saved) std::fprintf(stderr, "vesk_vst_journey_host: no chunk to write to %s\n", saveChunk.c_str());
  Call(effect, kEffEditClose);
  run = false;
  audio.join();
  Call(effect, kEffStopProcess);
  Call(effect, kEffMainsChanged, 0, 0);
  Call(effect, kEffClose);
  return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: vesk_vst_journey_host PLUGIN.so RECORD [--entries N] [--load-chunk FILE] [--save-chunk FILE]\n");
    return 2;
  }
  int entries = 0;
  std::string loadChunk, saveChunk;
  for (int i = 3; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--entries") entries = std::atoi(argv[i + 1]);
    if (option == "--load-chunk") loadChunk = argv[i + 1];
    if (option == "--save-chunk") saveChunk = argv[i + 1];
  }
  g_mainThread = std::this_thread::get_id();
  g_record = std::fopen(argv[2], "w");
  if (!g_record) return 1;
  signal(SIGTERM, [](int) { g_term = true; });
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  Entry entry = library ? reinterpret_cast<Entry>(dlsym(library, "VSTPluginMain")) : nullptr;
  if (!entry) {
    std::fprintf(stderr, "vesk_vst_journey_host: %s\n", dlerror());
    return 1;
  }
  if (entries > 0) {
    for (int i = 0; i < entries; ++i) {
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
  return RunEditor(effect, loadChunk, saveChunk);
}
