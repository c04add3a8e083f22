#include "tests/plugin/PlugInTestHost.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace vesk::test {

namespace {
TestHost* g_host = nullptr;
// The host's dispatcher call the thread is inside.
thread_local int32_t t_within = TestHost::kOutside;
}

PlugInLibrary::PlugInLibrary(const std::string& path) {
  handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) error_ = ::dlerror();
}

PlugInLibrary::~PlugInLibrary() {
  if (handle_) ::dlclose(handle_);
}

EntryProc PlugInLibrary::Entry(const char* name) const {
  return handle_ ? reinterpret_cast<EntryProc>(::dlsym(handle_, name)) : nullptr;
}

TestHost::TestHost() : left_(8192), right_(8192) { g_host = this; }

TestHost::~TestHost() {
  if (effect) Close();
  g_host = nullptr;
}

intptr_t TestHost::Callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                            void* ptr, float opt) {
  return g_host ? g_host->Answer(effect, opcode, index, value, ptr, opt) : 0;
}

intptr_t TestHost::Answer(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                          float opt) {
  if (inEntry_ && opcode != audioMasterVersion) ++insideEntryCalls_;
  // As hosts do: the value of an automated parameter is read back at once.
  const float readBack =
      opcode == audioMasterAutomate && effect ? effect->getParameter(effect, index) : 0.0f;
  {
    std::lock_guard<std::mutex> g(mutex_);
    calls_.push_back({opcode, index, value, opt, std::this_thread::get_id(), t_within, readBack});
  }
  switch (opcode) {
    case audioMasterVersion: return versionAnswer;
    case audioMasterGetProductString:
      if (productString.empty()) return 0;
      std::strncpy(static_cast<char*>(ptr), productString.c_str(), 63);
      return 1;
    case audioMasterProcessEvents: {
      const auto* list = static_cast<const VstEvents*>(ptr);
      VstEvent* const* entries = reinterpret_cast<VstEvent* const*>(
          static_cast<const unsigned char*>(ptr) + offsetof(VstEvents, events));
      std::lock_guard<std::mutex> g(mutex_);
      for (int32_t i = 0; i < list->numEvents; ++i) {
        const auto* e = reinterpret_cast<const VstMidiEvent*>(entries[i]);
        midi_.push_back({{e->midiData[0], e->midiData[1], e->midiData[2]}, e->deltaFrames,
                         e->flags});
      }
      return 1;
    }
    case audioMasterUpdateDisplay: {
      std::lock_guard<std::mutex> g(mutex_);
      ++updateDisplay_;
      return 1;
    }
    case audioMasterWantMidi: {
      std::lock_guard<std::mutex> g(mutex_);
      ++wantMidi_;
      return 1;
    }
    case audioMasterAutomate: {
      std::lock_guard<std::mutex> g(mutex_);
      automated_.push_back({index, opt});
      return 1;
    }
    default: return 0;
  }
}

std::vector<TestHost::Midi> TestHost::MidiReceived() {
  std::lock_guard<std::mutex> g(mutex_);
  return midi_;
}

int TestHost::UpdateDisplayCount() {
  std::lock_guard<std::mutex> g(mutex_);
  return updateDisplay_;
}

int TestHost::WantMidiCount() {
  std::lock_guard<std::mutex> g(mutex_);
  return wantMidi_;
}

std::vector<TestHost::Call> TestHost::Calls() {
  std::lock_guard<std::mutex> g(mutex_);
  return calls_;
}

void TestHost::ClearCalls() {
  std::lock_guard<std::mutex> g(mutex_);
  calls_.clear();
}

std::vector<std::pair<int, float>> TestHost::Automated() {
  std::lock_guard<std::mutex> g(mutex_);
  return automated_;
}

AEffect* TestHost::Instantiate(EntryProc entry) {
  if (Enter(entry)) Dispatch(effOpen);
  return effect;
}

AEffect* TestHost::Enter(EntryProc entry) {
  inEntry_ = true;
  effect = entry ? entry(&TestHost::Callback) : nullptr;
  inEntry_ = false;
  return effect;
}

intptr_t TestHost::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  const int32_t outer = t_within;
  t_within = opcode;
  const intptr_t result = effect->dispatcher(effect, opcode, index, value, ptr, opt);
  t_within = outer;
  return result;
}

std::string TestHost::Text(int32_t opcode, int32_t index) {
  // Filled with a mark, so that writing past the end shows.
  char buffer[256];
  std::memset(buffer, 'X', sizeof buffer);
  buffer[sizeof buffer - 1] = 0;
  Dispatch(opcode, index, 0, buffer, 0);
  return std::string(buffer, ::strnlen(buffer, sizeof buffer));
}

std::string TestHost::Chunk(int32_t preset) {
  void* data = nullptr;
  const intptr_t size = Dispatch(effGetChunk, preset, 0, &data);
  return data && size > 0 ? std::string(static_cast<const char*>(data), static_cast<size_t>(size))
                          : std::string();
}

intptr_t TestHost::Close() {
  const intptr_t r = Dispatch(effClose);
  effect = nullptr;
  return r;
}

void TestHost::Process(const std::vector<std::pair<std::vector<uint8_t>, int32_t>>& events,
                       int32_t frames) {
  Deliver(events);
  std::fill(left_.begin(), left_.end(), kOutputMark);
  std::fill(right_.begin(), right_.end(), kOutputMark);
  float* outputs[2] = {left_.data(), right_.data()};
  effect->processReplacing(effect, nullptr, outputs, frames);
}

void TestHost::Deliver(const std::vector<std::pair<std::vector<uint8_t>, int32_t>>& events) {
  std::vector<VstMidiEvent> midi(events.size());
  // The host's list, laid out as the record with room for every event.
  struct List {
    int32_t numEvents;
    intptr_t reserved;
    VstEvent* events[64];
  } listMemory{};
  auto* list = &listMemory;
  list->numEvents = static_cast<int32_t>(std::min<size_t>(events.size(), 64));
  for (size_t i = 0; i < events.size() && i < 64; ++i) {
    midi[i] = VstMidiEvent{};
    midi[i].type = kVstMidiType;
    midi[i].byteSize = sizeof(VstMidiEvent);
    midi[i].deltaFrames = events[i].second;
    for (size_t b = 0; b < events[i].first.size() && b < 3; ++b)
      midi[i].midiData[b] = events[i].first[b];
    list->events[i] = reinterpret_cast<VstEvent*>(&midi[i]);
  }
  if (!events.empty()) Dispatch(effProcessEvents, 0, 0, reinterpret_cast<VstEvents*>(list));
}

}  // namespace vesk::test
