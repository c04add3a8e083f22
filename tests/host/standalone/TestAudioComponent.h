#pragma once
// A music device for the program's tests: it records every call, renders
// a constant left and right value, and fails the call a test names.
#include <mutex>
#include <string>
#include <vector>

#include "host/AudioComponent.h"

namespace vesk::test {

class TestAudioComponent : public AudioComponent {
 public:
  float left = 0.5f;
  float right = -0.25f;
  int32_t initializeStatus = 0;
  // From this call of Initialize on (1 = the first), Initialize fails; 0 never.
  int initializeFailsFromCall = 0;
  int32_t uninitializeStatus = 0;
  int32_t renderStatus = 0;
  int32_t viewStatus = 0;
  int viewWidth = 320, viewHeight = 200;
  int knobMode = -1;

  std::vector<std::string> Calls() {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  int Count(const std::string& call) {
    std::lock_guard lock(mutex_);
    int n = 0;
    for (auto& c : calls_)
      if (c == call) ++n;
    return n;
  }
  struct Midi {
    uint32_t status, data1, data2, offset;
  };
  std::vector<Midi> midi;
  uint32_t maxFrames = 1156;
  double rate = 0;

  int32_t SetProperty(uint32_t id, uint32_t, uint32_t, const void*, uint32_t) override {
    Note("SetProperty " + std::to_string(id));
    return id == kPropertyHostCallbacks ? 0 : kErrInvalidProperty;
  }
  int32_t MIDIEvent(uint32_t status, uint32_t d1, uint32_t d2, uint32_t offset) override {
    std::lock_guard lock(mutex_);
    midi.push_back({status, d1, d2, offset});
    return 0;
  }
  int32_t Initialize() override {
    Note("Initialize");
    if (initializeFailsFromCall && Count("Initialize") >= initializeFailsFromCall)
      return kErrFailedInitialization;
    return initializeStatus;
  }
  int32_t Uninitialize() override {
    Note("Uninitialize");
    return uninitializeStatus;
  }
  int32_t GetMaximumFramesPerSlice(uint32_t* f) override {
    *f = maxFrames;
    return 0;
  }
  int32_t SetMaximumFramesPerSlice(uint32_t f) override {
    Note("SetMaximumFramesPerSlice " + std::to_string(f));
    maxFrames = f;
    return 0;
  }
  int32_t SetOutputFormat(const os::audio::AudioStreamBasicDescription& f) override {
    Note("SetOutputFormat");
    rate = f.sampleRate;
    return 0;
  }
  int32_t Render(uint32_t* flags, const HostAudioTimeStamp&, uint32_t, uint32_t frames,
                 os::audio::AudioBufferList* out) override {
    *flags = 0;
    {
      std::lock_guard lock(mutex_);
      ++renders;
    }
    if (renderStatus) return renderStatus;
    for (uint32_t i = 0; i < frames; ++i) {
      static_cast<float*>(out->buffers[0].data)[i] = left;
      static_cast<float*>(out->buffers[1].data)[i] = right;
    }
    return 0;
  }
  int32_t OpenView(uint64_t, int* w, int* h) override {
    Note("OpenView");
    if (viewStatus) return viewStatus;
    *w = viewWidth;
    *h = viewHeight;
    return 0;
  }
  void CloseView() override { Note("CloseView"); }
  void IdleView() override {}
  bool GetInfo(std::string* name, std::string* version) override {
    *name = "Test Core";
    *version = "2.5.1";
    return true;
  }
  int renders = 0;

 private:
  void Note(const std::string& s) {
    std::lock_guard lock(mutex_);
    calls_.push_back(s);
  }
  std::mutex mutex_;
  std::vector<std::string> calls_;
};

}  // namespace vesk::test
