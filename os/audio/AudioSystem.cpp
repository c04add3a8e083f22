#include "os/audio/AudioSystem.h"

#include <atomic>

#include "os/Clock.h"

namespace os::audio {
namespace {

class NoAudioSystem : public AudioSystem {
 public:
  Status GetDevices(std::vector<DeviceId>* d) override {
    d->clear();
    return kOk;
  }
  Status GetDeviceName(DeviceId, std::string*) override { return kErrBadDevice; }
  Status GetOutputStreams(DeviceId, std::vector<StreamId>*) override { return kErrBadDevice; }
  Status GetAvailableFormats(StreamId, std::vector<AudioStreamBasicDescription>*) override {
    return kErrBadDevice;
  }
  Status GetPhysicalFormat(StreamId, AudioStreamBasicDescription*) override { return kErrBadDevice; }
  Status SetPhysicalFormat(StreamId, const AudioStreamBasicDescription&) override {
    return kErrBadDevice;
  }
  Status GetStreamDevice(StreamId, DeviceId*) override { return kErrBadDevice; }
  Status GetNominalRate(DeviceId, double*) override { return kErrBadDevice; }
  Status SetNominalRate(DeviceId, double) override { return kErrBadDevice; }
  Status GetNominalRateRanges(DeviceId, std::vector<AudioValueRange>*) override {
    return kErrBadDevice;
  }
  Status GetBufferFrameSizeRange(DeviceId, AudioValueRange*) override { return kErrBadDevice; }
  Status GetBufferFrameSize(DeviceId, uint32_t*) override { return kErrBadDevice; }
  Status SetBufferFrameSize(DeviceId, uint32_t) override { return kErrBadDevice; }
  Status GetClockSources(DeviceId, std::vector<uint32_t>*, bool*) override { return kErrBadDevice; }
  Status GetClockSource(DeviceId, uint32_t*) override { return kErrBadDevice; }
  Status SetClockSource(DeviceId, uint32_t) override { return kErrBadDevice; }
  Status GetClockSourceName(DeviceId, uint32_t, std::string*) override { return kErrBadDevice; }
  Status AddIOProc(DeviceId, IOProc, void*) override { return kErrBadDevice; }
  Status RemoveIOProc(DeviceId, IOProc) override { return kErrBadDevice; }
  Status Start(DeviceId, IOProc) override { return kErrBadDevice; }
  Status Stop(DeviceId, IOProc) override { return kErrBadDevice; }
  Status AddDeviceListener(DeviceId, DeviceListener, void*) override { return kErrBadDevice; }
  Status RemoveDeviceListener(DeviceId, DeviceListener) override { return kErrBadDevice; }
  Status AddHardwareListener(HardwareListener, void*) override { return kOk; }
  Status RemoveHardwareListener(HardwareListener) override { return kOk; }
  uint64_t HostTime() override { return os::NowUs() * 1000; }
  double HostClockFrequency() override { return 1e9; }
};

NoAudioSystem& None() {
  static NoAudioSystem none;
  return none;
}

std::atomic<AudioSystem*> gInstalled{nullptr};

}  // namespace

AudioSystem& AudioSystem::Current() {
  AudioSystem* s = gInstalled.load();
  return s ? *s : None();
}

AudioSystem* AudioSystem::Install(AudioSystem* system) { return gInstalled.exchange(system); }

void AudioSystem::Uninstall(AudioSystem* system) {
  AudioSystem* expected = system;
  gInstalled.compare_exchange_strong(expected, nullptr);
}

}  // namespace os::audio
