#pragma once
// What the standalone host's MIDI side calls on the hosted music device:
// setting a property and playing one MIDI event inside the current render
// buffer. Results are 0 or a negative status.
#include <cstdint>

class HostedComponent {
 public:
  static constexpr uint32_t kGlobalScope = 0;
  static constexpr uint32_t kPropertyHostCallbacks = 27;
  static constexpr int32_t kErrInvalidProperty = -10879;
  static constexpr int32_t kErrInvalidPropertyValue = -10851;

  virtual int32_t SetProperty(uint32_t id, uint32_t scope, uint32_t element, const void* data,
                              uint32_t size) = 0;
  virtual int32_t MIDIEvent(uint32_t status, uint32_t data1, uint32_t data2,
                            uint32_t offsetSampleFrame) = 0;

 protected:
  ~HostedComponent() = default;
};

// The value of the host-callbacks property: the component may ask the host
// for its beat and tempo at any time.
struct HostCallbackInfo {
  using BeatAndTempoProc = int32_t (*)(void* userData, double* beat, double* tempo);
  void* userData = nullptr;
  BeatAndTempoProc beatAndTempo = nullptr;
  void* musicalTimeLocation = nullptr;  // not offered
  void* transportState = nullptr;       // not offered
};
