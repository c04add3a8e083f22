#pragma once
// A small VST 2 host of the tests' own: it answers the plug-in's callbacks
// (version, product string, MIDI to the host, automation, display updates)
// and records them, and drives one instance through its dispatcher. The
// plug-in comes from the built shared object (dlopen) or from the library
// linked into the test.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "plugin/Vst2Abi.h"

namespace vesk::test {

using EntryProc = AEffect* (*)(audioMasterCallback);

// The built shared object, loaded for the life of the object.
class PlugInLibrary {
 public:
  explicit PlugInLibrary(const std::string& path);
  ~PlugInLibrary();
  bool Loaded() const { return handle_ != nullptr; }
  EntryProc Entry(const char* name) const;
  const std::string& Error() const { return error_; }

 private:
  void* handle_ = nullptr;
  std::string error_;
};

class TestHost {
 public:
  TestHost();
  ~TestHost();

  // Answers.
  intptr_t versionAnswer = 2400;
  std::string productString;  // empty: the host does not answer

  // Records (any thread).
  struct Midi {
    uint8_t bytes[3];
    int32_t deltaFrames;
    int32_t flags;
  };
  std::vector<Midi> MidiReceived();
  int UpdateDisplayCount();
  int WantMidiCount();
  std::vector<std::pair<int, float>> Automated();
  // Every callback in order: the opcode, its index, value and float value,
  // the thread it came on, the host's dispatcher call that thread was
  // inside (kOutside: none) and, for an automate, what getParameter read
  // back inside it.
  static constexpr int32_t kOutside = -1;
  struct Call {
    int32_t opcode;
    int32_t index;
    intptr_t value;
    float opt;
    std::thread::id thread;
    int32_t within;
    float readBack;
  };
  std::vector<Call> Calls();
  void ClearCalls();

  // One instance, as hosts make it: the entry, then effOpen.
  AEffect* Instantiate(EntryProc entry);
  // The entry alone. While it runs, any callback but the version query is
  // counted as made inside it (the host could not tell who calls).
  AEffect* Enter(EntryProc entry);
  int CallsInsideTheEntry() const { return insideEntryCalls_.load(); }
  intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0);
  std::string Text(int32_t opcode, int32_t index = 0);
  // effGetChunk's bytes (0 the bank, 1 the preset); empty when it gives none.
  std::string Chunk(int32_t preset);
  // effClose; the instance is gone afterwards.
  intptr_t Close();
  AEffect* effect = nullptr;

  // Sends MIDI events to the instance, then one block of processing. The
  // output buffers hold a mark before the block, so that what the plug-in
  // writes shows.
  void Process(const std::vector<std::pair<std::vector<uint8_t>, int32_t>>& events,
               int32_t frames = 512);
  // Only the events of a block (at most 64), as a host that calls
  // processEvents more often than processReplacing.
  void Deliver(const std::vector<std::pair<std::vector<uint8_t>, int32_t>>& events);
  static constexpr float kOutputMark = 0.25f;
  const std::vector<float>& Output(int channel) const { return channel == 0 ? left_ : right_; }

  static intptr_t Callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                           void* ptr, float opt);

 private:
  intptr_t Answer(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

  std::mutex mutex_;
  std::vector<Midi> midi_;
  int updateDisplay_ = 0;
  int wantMidi_ = 0;
  std::vector<std::pair<int, float>> automated_;
  std::vector<Call> calls_;
  std::vector<float> left_, right_;
  std::atomic<bool> inEntry_{false};
  std::atomic<int> insideEntryCalls_{0};
};

}  // namespace vesk::test
