#pragma once
// The machine's audio output hardware: devices, their output streams and
// formats, sample rates, buffer sizes and clock sources, one IO procedure
// per device, and listeners for changes. One backend is installed for the
// process; without one, Current() is a system with no devices.
#include <memory>
#include <string>
#include <vector>

#include "os/audio/AudioTypes.h"

namespace os::audio {

// Called on the backend's audio thread once per buffer; the output list
// holds one buffer per output stream in that stream's format.
using IOProc = Status (*)(DeviceId device, uint64_t hostTime, AudioBufferList* output,
                          void* clientData);
// Called on the backend's notification thread.
using DeviceListener = void (*)(DeviceId device, uint32_t property, void* clientData);
using HardwareListener = void (*)(uint32_t property, void* clientData);

class AudioSystem {
 public:
  virtual ~AudioSystem() = default;

  virtual Status GetDevices(std::vector<DeviceId>* devices) = 0;
  virtual Status GetDeviceName(DeviceId device, std::string* name) = 0;
  virtual Status GetOutputStreams(DeviceId device, std::vector<StreamId>* streams) = 0;
  virtual Status GetAvailableFormats(StreamId stream, std::vector<AudioStreamBasicDescription>* f) = 0;
  virtual Status GetPhysicalFormat(StreamId stream, AudioStreamBasicDescription* format) = 0;
  // The change is confirmed later by a kPropertyStreamFormat notification.
  virtual Status SetPhysicalFormat(StreamId stream, const AudioStreamBasicDescription& format) = 0;
  virtual Status GetStreamDevice(StreamId stream, DeviceId* device) = 0;
  virtual Status GetNominalRate(DeviceId device, double* rate) = 0;
  virtual Status SetNominalRate(DeviceId device, double rate) = 0;
  virtual Status GetNominalRateRanges(DeviceId device, std::vector<AudioValueRange>* ranges) = 0;
  virtual Status GetBufferFrameSizeRange(DeviceId device, AudioValueRange* range) = 0;
  virtual Status GetBufferFrameSize(DeviceId device, uint32_t* frames) = 0;
  virtual Status SetBufferFrameSize(DeviceId device, uint32_t frames) = 0;
  // No clock source property: kErrUnknownProperty.
  virtual Status GetClockSources(DeviceId device, std::vector<uint32_t>* ids, bool* settable) = 0;
  virtual Status GetClockSource(DeviceId device, uint32_t* id) = 0;
  virtual Status SetClockSource(DeviceId device, uint32_t id) = 0;
  virtual Status GetClockSourceName(DeviceId device, uint32_t id, std::string* name) = 0;

  virtual Status AddIOProc(DeviceId device, IOProc proc, void* clientData) = 0;
  virtual Status RemoveIOProc(DeviceId device, IOProc proc) = 0;
  // A null proc runs the hardware without calling anyone.
  virtual Status Start(DeviceId device, IOProc proc) = 0;
  virtual Status Stop(DeviceId device, IOProc proc) = 0;

  virtual Status AddDeviceListener(DeviceId device, DeviceListener listener, void* clientData) = 0;
  virtual Status RemoveDeviceListener(DeviceId device, DeviceListener listener) = 0;
  virtual Status AddHardwareListener(HardwareListener listener, void* clientData) = 0;
  virtual Status RemoveHardwareListener(HardwareListener listener) = 0;

  // The host clock: ticks and ticks per second.
  virtual uint64_t HostTime() = 0;
  virtual double HostClockFrequency() = 0;

  static AudioSystem& Current();
  // Installs a backend (null: none); returns the one installed before.
  static AudioSystem* Install(AudioSystem* system);
  static void Uninstall(AudioSystem* system);
};

// The backend for a person: the ALSA devices of the machine. Null when ALSA
// offers no output device at all.
std::unique_ptr<AudioSystem> CreateAlsaAudioSystem();

}  // namespace os::audio
