#pragma once
// An audio system for tests: devices described by the test, a host clock
// that moves only when told, IO cycles run by hand (Pump) on the caller's
// thread, property changes injected as the hardware would report them, and
// buffer sizes or format changes refused on demand.
#include <map>
#include <vector>

#include "os/Monitor.h"
#include "os/audio/AudioSystem.h"

namespace os::audio {

class NullAudioSystem : public AudioSystem {
 public:
  struct StreamDesc {
    std::vector<AudioStreamBasicDescription> formats;  // available formats
    AudioStreamBasicDescription current;               // physical format
  };
  struct DeviceDesc {
    std::string name;
    std::vector<StreamDesc> streams;
    std::vector<AudioValueRange> rateRanges;  // for any-rate devices
    double nominalRate = 44100;
    AudioValueRange bufferRange{15, 8192};
    uint32_t bufferFrames = 512;
    bool hasClockSource = false;
    bool clockSettable = false;
    std::vector<uint32_t> clockSources;
    std::map<uint32_t, std::string> clockNames;
    uint32_t clockSource = 0;
    // Faults.
    bool refuseBufferSizes = false;
    bool confirmFormats = true;  // notify 'sfmt' after a format is set
    bool failInfo = false;       // every property read fails
    // Stopping an IO procedure and removing it fail, and it keeps running.
    bool refuseStop = false;
  };

  NullAudioSystem();
  ~NullAudioSystem() override;

  DeviceId AddDevice(const DeviceDesc& desc);
  // Removes the device and tells the hardware listeners ('dev#').
  void RemoveDevice(DeviceId device);
  DeviceDesc& Device(DeviceId device);
  void FailDeviceList(bool fail) { failList_ = fail; }

  // Runs the device's IO procedure `cycles` times when it is started and
  // advances the host clock by one buffer each; returns the cycles run.
  int Pump(DeviceId device, int cycles = 1);
  // The bytes of output stream `stream` from the last cycle.
  const std::vector<uint8_t>& Output(DeviceId device, size_t stream);
  bool IsRunning(DeviceId device, IOProc proc);
  // As the hardware's notification thread would: calls the device's
  // listeners (or the hardware listeners for 'dev#').
  void InjectPropertyChange(DeviceId device, uint32_t property);
  void AdvanceHostTime(uint64_t ticks) { hostTime_ += ticks; }
  // A fake clock at 1 GHz ticks.
  uint64_t HostTime() override { return hostTime_; }
  double HostClockFrequency() override { return 1e9; }

  Status GetDevices(std::vector<DeviceId>* devices) override;
  Status GetDeviceName(DeviceId device, std::string* name) override;
  Status GetOutputStreams(DeviceId device, std::vector<StreamId>* streams) override;
  Status GetAvailableFormats(StreamId stream, std::vector<AudioStreamBasicDescription>* f) override;
  Status GetPhysicalFormat(StreamId stream, AudioStreamBasicDescription* format) override;
  Status SetPhysicalFormat(StreamId stream, const AudioStreamBasicDescription& format) override;
  Status GetStreamDevice(StreamId stream, DeviceId* device) override;
  Status GetNominalRate(DeviceId device, double* rate) override;
  Status SetNominalRate(DeviceId device, double rate) override;
  Status GetNominalRateRanges(DeviceId device, std::vector<AudioValueRange>* ranges) override;
  Status GetBufferFrameSizeRange(DeviceId device, AudioValueRange* range) override;
  Status GetBufferFrameSize(DeviceId device, uint32_t* frames) override;
  Status SetBufferFrameSize(DeviceId device, uint32_t frames) override;
  Status GetClockSources(DeviceId device, std::vector<uint32_t>* ids, bool* settable) override;
  Status GetClockSource(DeviceId device, uint32_t* id) override;
  Status SetClockSource(DeviceId device, uint32_t id) override;
  Status GetClockSourceName(DeviceId device, uint32_t id, std::string* name) override;
  Status AddIOProc(DeviceId device, IOProc proc, void* clientData) override;
  Status RemoveIOProc(DeviceId device, IOProc proc) override;
  Status Start(DeviceId device, IOProc proc) override;
  Status Stop(DeviceId device, IOProc proc) override;
  Status AddDeviceListener(DeviceId device, DeviceListener listener, void* clientData) override;
  Status RemoveDeviceListener(DeviceId device, DeviceListener listener) override;
  Status AddHardwareListener(HardwareListener listener, void* clientData) override;
  Status RemoveHardwareListener(HardwareListener listener) override;

  int DeviceListenerCount(DeviceId device);

 private:
  struct Dev {
    DeviceDesc desc;
    std::vector<std::pair<IOProc, void*>> procs;
    std::vector<IOProc> running;
    bool hardwareRunning = false;
    std::vector<std::pair<DeviceListener, void*>> listeners;
    std::vector<std::vector<uint8_t>> output;
  };
  Dev* Find(DeviceId device);
  Dev* FindStream(StreamId stream, size_t* index);

  // Guards everything below. Of the real clock, as the device it stands
  // for keeps its own pace.
  Monitor monitor_{Monitor::kRealTime};
  // Cycles running now; Stop and RemoveIOProc wait for them, as a real
  // device's do, unless called from inside a cycle.
  int inFlight_ = 0;
  void WaitForCycles(Monitor::Hold& lock);
  std::map<DeviceId, Dev> devices_;
  std::vector<std::pair<HardwareListener, void*>> hardwareListeners_;
  DeviceId next_ = 0x100;
  bool failList_ = false;
  uint64_t hostTime_ = 1'000'000'000;
};

}  // namespace os::audio
