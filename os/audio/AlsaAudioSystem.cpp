// The ALSA backend: each playback PCM that ALSA names (the default device
// and the sound server's plug-ins among them) is one device with one
// interleaved output stream. While an IO procedure runs, a thread of its
// own fills one period at a time and writes it to the PCM, paced by the
// device (or, for a PCM that never makes it wait, at the sample rate).
#include <alsa/asoundlib.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>

#include "os/Lock.h"
#include "os/audio/AudioSystem.h"
#include "os/audio/PeriodPacer.h"

namespace os::audio {
namespace {

struct SampleType {
  snd_pcm_format_t alsa;
  uint32_t bits;
  bool isFloat;
};
constexpr SampleType kTypes[] = {{SND_PCM_FORMAT_S16_LE, 16, false},
                                 {SND_PCM_FORMAT_S32_LE, 32, false},
                                 {SND_PCM_FORMAT_FLOAT_LE, 32, true}};

bool Wanted(const std::string& name) {
  for (const char* prefix : {"default", "pulse", "pipewire", "null", "sysdefault:", "plughw:"})
    if (name.rfind(prefix, 0) == 0) return true;
  return false;
}

class AlsaAudioSystem : public AudioSystem {
 public:
  struct Dev {
    std::string pcmName;
    std::string name;
    std::vector<AudioStreamBasicDescription> formats;
    AudioStreamBasicDescription current;
    AudioValueRange rateRange;
    AudioValueRange bufferRange{32, 8192};
    uint32_t bufferFrames = 512;
    std::vector<std::pair<IOProc, void*>> procs;
    std::vector<std::pair<DeviceListener, void*>> listeners;
    std::atomic<IOProc> running{nullptr};
    std::thread thread;
    std::atomic<bool> stop{false};
    snd_pcm_t* pcm = nullptr;
    uint32_t pcmBufferFrames = 0;  // what the open PCM holds
  };

  bool Scan() {
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0) return false;
    DeviceId id = 1;
    for (void** h = hints; *h; ++h) {
      char* name = snd_device_name_get_hint(*h, "NAME");
      char* desc = snd_device_name_get_hint(*h, "DESC");
      char* io = snd_device_name_get_hint(*h, "IOID");
      if (name && Wanted(name) && (!io || std::strcmp(io, "Output") == 0)) {
        auto d = std::make_unique<Dev>();
        d->pcmName = name;
        std::string label = desc ? desc : name;
        std::replace(label.begin(), label.end(), '\n', ' ');
        d->name = label + " (" + name + ")";
        if (Probe(*d)) devices_[id++] = std::move(d);
      }
      free(name);
      free(desc);
      free(io);
    }
    snd_device_name_free_hint(hints);
    return !devices_.empty();
  }

  // What the PCM accepts: each sample type at any rate in its range, on
  // two channels (or its least number when it cannot take two).
  static bool Probe(Dev& d) {
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, d.pcmName.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
      return false;
    snd_pcm_hw_params_t* hw;
    snd_pcm_hw_params_alloca(&hw);
    bool ok = snd_pcm_hw_params_any(pcm, hw) >= 0;
    unsigned minCh = 0, maxCh = 0, minRate = 0, maxRate = 0;
    ok = ok && snd_pcm_hw_params_get_channels_min(hw, &minCh) >= 0 &&
         snd_pcm_hw_params_get_channels_max(hw, &maxCh) >= 0 &&
         snd_pcm_hw_params_get_rate_min(hw, &minRate, nullptr) >= 0 &&
         snd_pcm_hw_params_get_rate_max(hw, &maxRate, nullptr) >= 0;
    snd_pcm_uframes_t minPeriod = 0, maxPeriod = 0;
    if (ok && snd_pcm_hw_params_get_period_size_min(hw, &minPeriod, nullptr) >= 0 &&
        snd_pcm_hw_params_get_period_size_max(hw, &maxPeriod, nullptr) >= 0) {
      d.bufferRange.minimum = std::max<double>(32, double(minPeriod));
      d.bufferRange.maximum = std::min<double>(8192, double(maxPeriod));
    }
    const uint32_t channels = (minCh <= 2 && maxCh >= 2) ? 2 : minCh;
    if (ok)
      for (const SampleType& t : kTypes)
        if (snd_pcm_hw_params_test_format(pcm, hw, t.alsa) == 0)
          d.formats.push_back(MakeLinearPCM(minRate == maxRate ? minRate : 0, channels, t.bits,
                                            t.isFloat));
    snd_pcm_close(pcm);
    if (!ok || d.formats.empty() || channels == 0) return false;
    d.rateRange = {double(minRate), double(maxRate)};
    d.current = d.formats.front();
    if (d.current.sampleRate == 0)
      d.current.sampleRate = (minRate <= 44100 && maxRate >= 44100) ? 44100 : minRate;
    return true;
  }

  Dev* Find(DeviceId id) {
    auto it = devices_.find(id);
    return it == devices_.end() ? nullptr : it->second.get();
  }
  Dev* FindStream(StreamId s) { return Find(s >> 8); }
  static StreamId StreamOf(DeviceId id) { return id << 8 | 1; }

  ~AlsaAudioSystem() override {
    for (auto& [id, d] : devices_) StopThread(*d);
  }

  Status GetDevices(std::vector<DeviceId>* devices) override {
    devices->clear();
    for (auto& [id, d] : devices_) devices->push_back(id);
    return kOk;
  }
  Status GetDeviceName(DeviceId device, std::string* name) override {
    std::lock_guard lock(mutex_);
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    *name = d->name;
    return kOk;
  }
  Status GetOutputStreams(DeviceId device, std::vector<StreamId>* streams) override {
    if (!Find(device)) return kErrBadDevice;
    *streams = {StreamOf(device)};
    return kOk;
  }
  Status GetAvailableFormats(StreamId s, std::vector<AudioStreamBasicDescription>* f) override {
    std::lock_guard lock(mutex_);
    Dev* d = FindStream(s);
    if (!d) return kErrBadDevice;
    *f = d->formats;
    return kOk;
  }
  Status GetPhysicalFormat(StreamId s, AudioStreamBasicDescription* f) override {
    std::lock_guard lock(mutex_);
    Dev* d = FindStream(s);
    if (!d) return kErrBadDevice;
    *f = d->current;
    return kOk;
  }
  Status SetPhysicalFormat(StreamId s, const AudioStreamBasicDescription& f) override {
    std::vector<std::pair<DeviceListener, void*>> listeners;
    {
      std::lock_guard lock(mutex_);
      Dev* d = FindStream(s);
      if (!d) return kErrBadDevice;
      if (d->running) return kErrIllegalOperation;
      const double rate = f.sampleRate ? f.sampleRate : d->current.sampleRate;
      d->current = f;
      d->current.sampleRate = rate;
      listeners = d->listeners;
    }
    for (auto& [fn, data] : listeners) fn(s >> 8, kPropertyStreamFormat, data);
    return kOk;
  }
  Status GetStreamDevice(StreamId s, DeviceId* device) override {
    if (!FindStream(s)) return kErrBadDevice;
    *device = s >> 8;
    return kOk;
  }
  Status GetNominalRate(DeviceId device, double* rate) override {
    std::lock_guard lock(mutex_);
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    *rate = d->current.sampleRate;
    return kOk;
  }
  Status SetNominalRate(DeviceId device, double rate) override {
    std::lock_guard lock(mutex_);
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    if (rate < d->rateRange.minimum || rate > d->rateRange.maximum) return kErrIllegalOperation;
    d->current.sampleRate = rate;
    return kOk;
  }
  Status GetNominalRateRanges(DeviceId device, std::vector<AudioValueRange>* r) override {
    std::lock_guard lock(mutex_);
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    *r = {d->rateRange};
    return kOk;
  }
  Status GetBufferFrameSizeRange(DeviceId device, AudioValueRange* range) override {
    std::lock_guard lock(mutex_);
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    *range = d->bufferRange;
    return kOk;
  }
  Status GetBufferFrameSize(DeviceId device, uint32_t* frames) override {
    std::lock_guard lock(mutex_);
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    *frames = d->bufferFrames;
    return kOk;
  }
  Status SetBufferFrameSize(DeviceId device, uint32_t frames) override {
    std::lock_guard lock(mutex_);
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    if (frames < d->bufferRange.minimum || frames > d->bufferRange.maximum || d->running)
      return kErrIllegalOperation;
    d->bufferFrames = frames;
    return kOk;
  }
  Status GetClockSources(DeviceId device, std::vector<uint32_t>*, bool*) override {
    return Find(device) ? kErrUnknownProperty : kErrBadDevice;
  }
  Status GetClockSource(DeviceId, uint32_t*) override { return kErrUnknownProperty; }
  Status SetClockSource(DeviceId, uint32_t) override { return kErrUnknownProperty; }
  Status GetClockSourceName(DeviceId, uint32_t, std::string*) override { return kErrUnknownProperty; }

  Status AddIOProc(DeviceId device, IOProc proc, void* clientData) override {
    std::lock_guard lock(mutex_);
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    d->procs.emplace_back(proc, clientData);
    return kOk;
  }
  Status RemoveIOProc(DeviceId device, IOProc proc) override {
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    if (d->running == proc) StopThread(*d);
    std::lock_guard lock(mutex_);
    std::erase_if(d->procs, [&](auto& p) { return p.first == proc; });
    return kOk;
  }
  Status Start(DeviceId device, IOProc proc) override {
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    if (!proc || d->running == proc) return kOk;
    StopThread(*d);
    void* data = nullptr;
    {
      std::lock_guard lock(mutex_);
      auto it = std::find_if(d->procs.begin(), d->procs.end(), [&](auto& p) { return p.first == proc; });
      if (it == d->procs.end()) return kErrIllegalOperation;
      data = it->second;
    }
    const Status s = OpenPcm(*d);
    if (s != kOk) return s;
    d->running = proc;
    d->stop = false;
    d->thread = std::thread([this, d, device, proc, data] { Run(*d, device, proc, data); });
    return kOk;
  }
  Status Stop(DeviceId device, IOProc proc) override {
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    if (proc && d->running == proc) StopThread(*d);
    return kOk;
  }
  Status AddDeviceListener(DeviceId device, DeviceListener l, void* data) override {
    std::lock_guard lock(mutex_);
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    d->listeners.emplace_back(l, data);
    return kOk;
  }
  Status RemoveDeviceListener(DeviceId device, DeviceListener l) override {
    std::lock_guard lock(mutex_);
    Dev* d = Find(device);
    if (!d) return kErrBadDevice;
    std::erase_if(d->listeners, [&](auto& p) { return p.first == l; });
    return kOk;
  }
  // ALSA tells nobody about cards coming and going: the list is the one
  // found at start.
  Status AddHardwareListener(HardwareListener, void*) override { return kOk; }
  Status RemoveHardwareListener(HardwareListener) override { return kOk; }
  uint64_t HostTime() override {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000000000ull + uint64_t(ts.tv_nsec);
  }
  double HostClockFrequency() override { return 1e9; }

 private:
  Status OpenPcm(Dev& d) {
    snd_pcm_format_t format = SND_PCM_FORMAT_UNKNOWN;
    for (const SampleType& t : kTypes)
      if (t.bits == d.current.bitsPerChannel && t.isFloat == bool(d.current.formatFlags & kFormatFlagIsFloat))
        format = t.alsa;
    if (format == SND_PCM_FORMAT_UNKNOWN) return kErrUnsupportedFormat;
    if (snd_pcm_open(&d.pcm, d.pcmName.c_str(), SND_PCM_STREAM_PLAYBACK, 0) < 0) return kErrHardware;
    snd_pcm_hw_params_t* hw;
    snd_pcm_hw_params_alloca(&hw);
    unsigned rate = unsigned(d.current.sampleRate);
    snd_pcm_uframes_t period = d.bufferFrames;
    snd_pcm_uframes_t buffer = period * 3;
    const bool ok = snd_pcm_hw_params_any(d.pcm, hw) >= 0 &&
                    snd_pcm_hw_params_set_access(d.pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED) >= 0 &&
                    snd_pcm_hw_params_set_format(d.pcm, hw, format) >= 0 &&
                    snd_pcm_hw_params_set_channels(d.pcm, hw, d.current.channelsPerFrame) >= 0 &&
                    snd_pcm_hw_params_set_rate_near(d.pcm, hw, &rate, nullptr) >= 0 &&
                    snd_pcm_hw_params_set_period_size_near(d.pcm, hw, &period, nullptr) >= 0 &&
                    snd_pcm_hw_params_set_buffer_size_near(d.pcm, hw, &buffer) >= 0 &&
                    snd_pcm_hw_params(d.pcm, hw) >= 0;
    if (!ok) {
      snd_pcm_close(d.pcm);
      d.pcm = nullptr;
      return kErrUnsupportedFormat;
    }
    snd_pcm_uframes_t held = buffer;
    snd_pcm_hw_params_get_buffer_size(hw, &held);
    d.pcmBufferFrames = uint32_t(held);
    return kOk;
  }

  // The device's thread.
  void Run(Dev& d, DeviceId device, IOProc proc, void* data) {
    const uint32_t frames = d.bufferFrames;
    std::vector<uint8_t> bytes(size_t(frames) * d.current.bytesPerFrame);
    PeriodPacer pacer(frames, d.pcmBufferFrames, d.current.sampleRate);
    while (!d.stop) {
      AudioBufferList list;
      list.numberBuffers = 1;
      list.buffers[0] = {d.current.channelsPerFrame, uint32_t(bytes.size()), bytes.data()};
      if (proc(device, HostTime(), &list, data) != kOk) std::fill(bytes.begin(), bytes.end(), 0);
      const uint64_t start = HostTime() / 1000;
      snd_pcm_sframes_t n = snd_pcm_writei(d.pcm, bytes.data(), frames);
      if (n < 0 && snd_pcm_recover(d.pcm, int(n), 1) < 0) break;
      // At most a period: a stop waits no longer than that.
      if (const uint64_t wait = pacer.AfterWrite(start, HostTime() / 1000))
        std::this_thread::sleep_for(std::chrono::microseconds(wait));
    }
  }

  void StopThread(Dev& d) {
    if (!d.thread.joinable()) return;
    d.stop = true;
    d.thread.join();
    snd_pcm_drop(d.pcm);
    snd_pcm_close(d.pcm);
    d.pcm = nullptr;
    d.running = nullptr;
  }

  os::Lock mutex_;
  std::map<DeviceId, std::unique_ptr<Dev>> devices_;
};

}  // namespace

std::unique_ptr<AudioSystem> CreateAlsaAudioSystem() {
  auto system = std::make_unique<AlsaAudioSystem>();
  if (!system->Scan()) return nullptr;
  return system;
}

}  // namespace os::audio
