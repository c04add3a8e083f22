#include "os/audio/NullAudioSystem.h"

#include <algorithm>
#include <cstring>

#include "os/StaticTls.h"

namespace os::audio {
namespace {
// Stream ids: the device id plus the stream's position + 1.
constexpr uint32_t kStreamSpan = 0x100;
// Set while this thread runs IO procedures in Pump.
thread_local bool tInsideCycle VESK_STATIC_TLS = false;
}  // namespace

NullAudioSystem::NullAudioSystem() = default;
NullAudioSystem::~NullAudioSystem() { Uninstall(this); }

DeviceId NullAudioSystem::AddDevice(const DeviceDesc& desc) {
  Monitor::Hold lock(monitor_.mutex());
  const DeviceId id = next_;
  next_ += kStreamSpan;
  devices_[id].desc = desc;
  return id;
}

void NullAudioSystem::RemoveDevice(DeviceId device) {
  std::vector<std::pair<HardwareListener, void*>> listeners;
  {
    Monitor::Hold lock(monitor_.mutex());
    devices_.erase(device);
    listeners = hardwareListeners_;
  }
  for (auto& [fn, data] : listeners) fn(kPropertyDevices, data);
}

NullAudioSystem::DeviceDesc& NullAudioSystem::Device(DeviceId device) { return Find(device)->desc; }

void NullAudioSystem::WaitForCycles(Monitor::Hold& lock) {
  if (!tInsideCycle) monitor_.Wait(lock, [this] { return inFlight_ == 0; });
}

NullAudioSystem::Dev* NullAudioSystem::Find(DeviceId device) {
  auto it = devices_.find(device);
  return it == devices_.end() ? nullptr : &it->second;
}

NullAudioSystem::Dev* NullAudioSystem::FindStream(StreamId stream, size_t* index) {
  Dev* d = Find(stream - stream % kStreamSpan);
  const size_t i = stream % kStreamSpan;
  if (!d || i == 0 || i > d->desc.streams.size()) return nullptr;
  *index = i - 1;
  return d;
}

int NullAudioSystem::Pump(DeviceId device, int cycles) {
  int ran = 0;
  for (int c = 0; c < cycles; ++c) {
    std::vector<std::pair<IOProc, void*>> procs;
    AudioBufferList list;
    Dev* d;
    {
      Monitor::Hold lock(monitor_.mutex());
      d = Find(device);
      if (!d) break;
      for (auto& p : d->procs)
        if (std::find(d->running.begin(), d->running.end(), p.first) != d->running.end())
          procs.push_back(p);
      if (procs.empty()) break;
      const uint32_t frames = d->desc.bufferFrames;
      d->output.resize(d->desc.streams.size());
      list.numberBuffers = static_cast<uint32_t>(std::min<size_t>(d->desc.streams.size(), kMaxBuffers));
      for (uint32_t s = 0; s < list.numberBuffers; ++s) {
        const AudioStreamBasicDescription& f = d->desc.streams[s].current;
        // A non-interleaved stream is shown as one buffer of one channel
        // per channel; the null device keeps to one buffer per stream.
        const uint32_t bytes = f.bytesPerFrame * (f.formatFlags & kFormatFlagIsNonInterleaved
                                                      ? f.channelsPerFrame
                                                      : 1) * frames;
        d->output[s].assign(bytes, 0xEE);  // stale bytes: silence must be written
        list.buffers[s].numberChannels = f.channelsPerFrame;
        list.buffers[s].dataByteSize = bytes;
        list.buffers[s].data = d->output[s].data();
      }
      ++inFlight_;
    }
    tInsideCycle = true;
    for (auto& [proc, data] : procs) proc(device, hostTime_, &list, data);
    tInsideCycle = false;
    Monitor::Hold lock(monitor_.mutex());
    --inFlight_;
    monitor_.NotifyAll();
    if ((d = Find(device))) {
      const double rate = d->desc.nominalRate > 0 ? d->desc.nominalRate : 44100;
      hostTime_ += static_cast<uint64_t>(d->desc.bufferFrames / rate * 1e9);
    }
    ++ran;
  }
  return ran;
}

const std::vector<uint8_t>& NullAudioSystem::Output(DeviceId device, size_t stream) {
  static const std::vector<uint8_t> none;
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  return d && stream < d->output.size() ? d->output[stream] : none;
}

bool NullAudioSystem::IsRunning(DeviceId device, IOProc proc) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return false;
  if (!proc) return d->hardwareRunning;
  return std::find(d->running.begin(), d->running.end(), proc) != d->running.end();
}

void NullAudioSystem::InjectPropertyChange(DeviceId device, uint32_t property) {
  if (property == kPropertyDevices) {
    std::vector<std::pair<HardwareListener, void*>> listeners;
    {
      Monitor::Hold lock(monitor_.mutex());
      listeners = hardwareListeners_;
    }
    for (auto& [fn, data] : listeners) fn(property, data);
    return;
  }
  std::vector<std::pair<DeviceListener, void*>> listeners;
  {
    Monitor::Hold lock(monitor_.mutex());
    if (Dev* d = Find(device)) listeners = d->listeners;
  }
  for (auto& [fn, data] : listeners) fn(device, property, data);
}

int NullAudioSystem::DeviceListenerCount(DeviceId device) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  return d ? static_cast<int>(d->listeners.size()) : 0;
}

Status NullAudioSystem::GetDevices(std::vector<DeviceId>* devices) {
  Monitor::Hold lock(monitor_.mutex());
  devices->clear();
  if (failList_) return kErrHardware;
  for (auto& [id, d] : devices_) devices->push_back(id);
  return kOk;
}

Status NullAudioSystem::GetDeviceName(DeviceId device, std::string* name) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d || d->desc.failInfo) return kErrBadDevice;
  *name = d->desc.name;
  return kOk;
}

Status NullAudioSystem::GetOutputStreams(DeviceId device, std::vector<StreamId>* streams) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d || d->desc.failInfo) return kErrBadDevice;
  streams->clear();
  for (size_t i = 0; i < d->desc.streams.size(); ++i)
    streams->push_back(device + static_cast<uint32_t>(i) + 1);
  return kOk;
}

Status NullAudioSystem::GetAvailableFormats(StreamId stream,
                                            std::vector<AudioStreamBasicDescription>* f) {
  Monitor::Hold lock(monitor_.mutex());
  size_t i;
  Dev* d = FindStream(stream, &i);
  if (!d) return kErrBadDevice;
  *f = d->desc.streams[i].formats;
  return kOk;
}

Status NullAudioSystem::GetPhysicalFormat(StreamId stream, AudioStreamBasicDescription* format) {
  Monitor::Hold lock(monitor_.mutex());
  size_t i;
  Dev* d = FindStream(stream, &i);
  if (!d) return kErrBadDevice;
  *format = d->desc.streams[i].current;
  return kOk;
}

Status NullAudioSystem::SetPhysicalFormat(StreamId stream, const AudioStreamBasicDescription& f) {
  DeviceId device;
  bool confirm;
  {
    Monitor::Hold lock(monitor_.mutex());
    size_t i;
    Dev* d = FindStream(stream, &i);
    if (!d) return kErrBadDevice;
    d->desc.streams[i].current = f;
    if (f.sampleRate == 0) d->desc.streams[i].current.sampleRate = d->desc.nominalRate;
    device = stream - stream % kStreamSpan;
    confirm = d->desc.confirmFormats;
  }
  if (confirm) InjectPropertyChange(device, kPropertyStreamFormat);
  return kOk;
}

Status NullAudioSystem::GetStreamDevice(StreamId stream, DeviceId* device) {
  Monitor::Hold lock(monitor_.mutex());
  size_t i;
  if (!FindStream(stream, &i)) return kErrBadDevice;
  *device = stream - stream % kStreamSpan;
  return kOk;
}

Status NullAudioSystem::GetNominalRate(DeviceId device, double* rate) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  *rate = d->desc.nominalRate;
  return kOk;
}

Status NullAudioSystem::SetNominalRate(DeviceId device, double rate) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  d->desc.nominalRate = rate;
  for (auto& s : d->desc.streams) s.current.sampleRate = rate;
  return kOk;
}

Status NullAudioSystem::GetNominalRateRanges(DeviceId device, std::vector<AudioValueRange>* r) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  *r = d->desc.rateRanges;
  return kOk;
}

Status NullAudioSystem::GetBufferFrameSizeRange(DeviceId device, AudioValueRange* range) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  *range = d->desc.bufferRange;
  return kOk;
}

Status NullAudioSystem::GetBufferFrameSize(DeviceId device, uint32_t* frames) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  *frames = d->desc.bufferFrames;
  return kOk;
}

Status NullAudioSystem::SetBufferFrameSize(DeviceId device, uint32_t frames) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  if (d->desc.refuseBufferSizes || frames < d->desc.bufferRange.minimum ||
      frames > d->desc.bufferRange.maximum)
    return kErrIllegalOperation;
  d->desc.bufferFrames = frames;
  return kOk;
}

Status NullAudioSystem::GetClockSources(DeviceId device, std::vector<uint32_t>* ids, bool* settable) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  if (!d->desc.hasClockSource) return kErrUnknownProperty;
  *ids = d->desc.clockSources;
  *settable = d->desc.clockSettable;
  return kOk;
}

Status NullAudioSystem::GetClockSource(DeviceId device, uint32_t* id) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  if (!d->desc.hasClockSource) return kErrUnknownProperty;
  *id = d->desc.clockSource;
  return kOk;
}

Status NullAudioSystem::SetClockSource(DeviceId device, uint32_t id) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  if (!d->desc.hasClockSource || !d->desc.clockSettable) return kErrIllegalOperation;
  d->desc.clockSource = id;
  return kOk;
}

Status NullAudioSystem::GetClockSourceName(DeviceId device, uint32_t id, std::string* name) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  auto it = d->desc.clockNames.find(id);
  *name = it == d->desc.clockNames.end() ? "Clock " + std::to_string(id) : it->second;
  return kOk;
}

Status NullAudioSystem::AddIOProc(DeviceId device, IOProc proc, void* clientData) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  d->procs.emplace_back(proc, clientData);
  return kOk;
}

Status NullAudioSystem::RemoveIOProc(DeviceId device, IOProc proc) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  if (d->desc.refuseStop) return kErrHardware;
  std::erase_if(d->procs, [&](auto& p) { return p.first == proc; });
  std::erase(d->running, proc);
  WaitForCycles(lock);
  return kOk;
}

Status NullAudioSystem::Start(DeviceId device, IOProc proc) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  d->hardwareRunning = true;
  if (proc && std::find(d->running.begin(), d->running.end(), proc) == d->running.end())
    d->running.push_back(proc);
  return kOk;
}

Status NullAudioSystem::Stop(DeviceId device, IOProc proc) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  if (proc && d->desc.refuseStop) return kErrHardware;
  if (proc)
    std::erase(d->running, proc);
  else
    d->hardwareRunning = false;
  WaitForCycles(lock);
  return kOk;
}

Status NullAudioSystem::AddDeviceListener(DeviceId device, DeviceListener l, void* clientData) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  d->listeners.emplace_back(l, clientData);
  return kOk;
}

Status NullAudioSystem::RemoveDeviceListener(DeviceId device, DeviceListener l) {
  Monitor::Hold lock(monitor_.mutex());
  Dev* d = Find(device);
  if (!d) return kErrBadDevice;
  std::erase_if(d->listeners, [&](auto& p) { return p.first == l; });
  return kOk;
}

Status NullAudioSystem::AddHardwareListener(HardwareListener l, void* clientData) {
  Monitor::Hold lock(monitor_.mutex());
  hardwareListeners_.emplace_back(l, clientData);
  return kOk;
}

Status NullAudioSystem::RemoveHardwareListener(HardwareListener l) {
  Monitor::Hold lock(monitor_.mutex());
  std::erase_if(hardwareListeners_, [&](auto& p) { return p.first == l; });
  return kOk;
}

}  // namespace os::audio
