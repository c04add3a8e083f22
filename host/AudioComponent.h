#pragma once
// The music device the standalone program hosts, as the program reaches
// it: open and probe, render set-up, one render call per IO cycle, MIDI
// with sample offsets, its editor view in a window of the program's, and
// the properties of the handshake. Results are 0 or a negative status.
#include <cstdint>
#include <string>

#include "host/HostAudioTimeStamp.h"
#include "host/HostedComponent.h"
#include "os/audio/AudioTypes.h"

class AudioComponent : public HostedComponent {
 public:
  static constexpr int32_t kErrUninitialized = -10867;
  static constexpr int32_t kErrFormatNotSupported = -10868;
  static constexpr int32_t kErrNoView = -10870;
  static constexpr int32_t kErrFailedInitialization = -10875;
  static constexpr uint32_t kRenderOutputIsSilence = 1u << 4;

  virtual ~AudioComponent() = default;

  virtual int32_t Initialize() = 0;
  virtual int32_t Uninitialize() = 0;
  virtual int32_t GetMaximumFramesPerSlice(uint32_t* frames) = 0;
  virtual int32_t SetMaximumFramesPerSlice(uint32_t frames) = 0;
  // Two non-interleaved 32-bit float channels at the device's rate.
  virtual int32_t SetOutputFormat(const os::audio::AudioStreamBasicDescription& format) = 0;
  // Fills both buffers of `output` with `frames` frames. Always writes
  // `*actionFlags`, also when it fails. Called on the audio thread.
  virtual int32_t Render(uint32_t* actionFlags, const HostAudioTimeStamp& time, uint32_t bus,
                         uint32_t frames, os::audio::AudioBufferList* output) = 0;

  // The editor view as a child of the window `parent` (an X11 window id);
  // its size comes back. kErrNoView when there is none.
  virtual int32_t OpenView(uint64_t parent, int* width, int* height) = 0;
  virtual void CloseView() = 0;
  virtual void IdleView() = 0;

  // The component's name and version for the about text; false when it
  // tells neither.
  virtual bool GetInfo(std::string* name, std::string* version) { return false; }
};
