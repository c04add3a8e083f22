#include "host/OutputDeviceList.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <cstdio>
#include <stdexcept>
#include <thread>

#include "host/IdleTaskQueue.h"
#include "os/Clock.h"
#include "os/Monitor.h"
#include "os/audio/AudioSystem.h"
#include "platform/NRXException.h"

using namespace os::audio;

std::vector<OutputDevice> gAudioDeviceList;
const double Talvik_AnySampleRateDevice_SupportRateList[8] = {44100,  48000,  64000,  88200,
                                                              96000, 128000, 176400, 192000};

namespace {

std::atomic<bool> gSetOK{false};

void Check(Status s, const char* what) {
  if (s != kOk) throw NRXMacOSException(s, what);
}

AudioSystem& Sys() { return AudioSystem::Current(); }

void CheckDeviceIndex(int i) {
  if (!(0 <= i && i < static_cast<int>(gAudioDeviceList.size())))
    throw NRXIfNotException("(0 <= inDeviceIndex) && (inDeviceIndex < (int)gAudioDeviceList.size())",
                            nullptr);
}
void CheckFormatIndex(int d, int f) {
  CheckDeviceIndex(d);
  if (!(0 <= f && f < static_cast<int>(gAudioDeviceList[d].formats.size())))
    throw NRXIfNotException(
        "(0 <= inFormatIndex) && (inFormatIndex < (int)gAudioDeviceList[inDeviceIndex].formats.size())",
        nullptr);
}

std::string FormatName(const AudioStreamBasicDescription& f, uint32_t channels) {
  char text[64];
  std::snprintf(text, sizeof text, "%dBits/%dHz/%dCH", static_cast<int>(f.bitsPerChannel),
                static_cast<int>(f.sampleRate), static_cast<int>(channels));
  return text;
}

bool SameRateFormatBits(const AudioStreamBasicDescription& a, const AudioStreamBasicDescription& b) {
  return a.formatID == b.formatID && a.sampleRate == b.sampleRate && a.bitsPerChannel == b.bitsPerChannel;
}

void DeviceSetProperty_NotificationProc(DeviceId, uint32_t property, void*) {
  if (property == kPropertyStreamFormat) gSetOK = true;
}

void HardwareNotificationListenerProc(uint32_t property, void*) {
  if (property == kPropertyDevices) DemandIdleTask(IdleTaskQueue::kHardwareDevicesChanged);
}

}  // namespace

void GetDeviceInfo_ClockSource(AudioDeviceID device, OutputDevice& out) {
  out.clockSourceIDs.clear();
  out.clockSourceSettable = false;
  std::vector<uint32_t> ids;
  bool settable = false;
  const Status s = Sys().GetClockSources(device, &ids, &settable);
  if (s == kErrUnknownProperty) return;
  Check(s, "csc#");
  out.clockSourceIDs = ids;
  out.clockSourceSettable = settable;
}

void getDeviceInfo(AudioDeviceID device, OutputDevice& out) {
  out = OutputDevice();
  out.id = device;
  Check(Sys().GetDeviceName(device, &out.name), "lnam");
  if (out.name.size() > 1023) out.name.resize(1023);
  GetDeviceInfo_ClockSource(device, out);
  std::vector<StreamId> streams;
  Check(Sys().GetOutputStreams(device, &streams), "stm#");
  std::vector<std::vector<AudioStreamBasicDescription>> formats(streams.size());
  for (size_t i = 0; i < streams.size(); ++i)
    Check(Sys().GetAvailableFormats(streams[i], &formats[i]), "pft#");
  if (formats.empty() || formats[0].empty()) throw std::out_of_range("vector::_M_range_check");
  out.anyRate = formats[0][0].sampleRate == 0;
  std::vector<double> rates;
  if (out.anyRate) {
    std::vector<AudioValueRange> ranges;
    Check(Sys().GetNominalRateRanges(device, &ranges), "nsr#");
    size_t r = 0;
    for (const AudioValueRange& range : ranges) {
      while (r < 8) {
        const double rate = Talvik_AnySampleRateDevice_SupportRateList[r];
        if (rate > range.maximum) break;
        if (rate >= range.minimum) rates.push_back(rate);
        ++r;
      }
    }
  }
  for (size_t i = 0; i < formats[0].size(); ++i) {
    uint32_t channels = 0;
    for (auto& f : formats)
      if (i < f.size()) channels += f[i].channelsPerFrame;
    const AudioStreamBasicDescription& f = formats[0][i];
    if (f.formatID != kFormatLinearPCM || f.framesPerPacket != 1 || channels < 2) continue;
    auto add = [&](const AudioStreamBasicDescription& format) {
      Stream s;
      s.format = format;
      s.name = FormatName(format, channels);
      s.range = {32.0, 8192.0, 256, 0};
      s.channels = channels;
      out.formats.push_back(s);
    };
    if (out.anyRate) {
      for (double rate : rates) {
        AudioStreamBasicDescription g = f;
        g.sampleRate = rate;
        add(g);
      }
    } else if (f.sampleRate >= 44100) {
      add(f);
    }
  }
  // Byte-wise by name, a prefix first.
  for (size_t i = 0; i < out.formats.size(); ++i)
    for (size_t j = i + 1; j < out.formats.size(); ++j)
      if (out.formats[j].name < out.formats[i].name) std::swap(out.formats[i], out.formats[j]);
}

void getAllDevices() {
  gAudioDeviceList.clear();
  std::vector<DeviceId> devices;
  if (Sys().GetDevices(&devices) != kOk) {
    DemandIdleTask(IdleTaskQueue::kAlertDeviceInfoError);
    return;
  }
  for (DeviceId d : devices) {
    OutputDevice o;
    try {
      getDeviceInfo(d, o);
    } catch (...) {
      continue;
    }
    gAudioDeviceList.push_back(std::move(o));
  }
}

int GetDeviceCount() { return static_cast<int>(gAudioDeviceList.size()); }
int GetDeviceFormatCount(int i) {
  CheckDeviceIndex(i);
  return static_cast<int>(gAudioDeviceList[i].formats.size());
}
void GetDeviceName(int i, std::string& name) {
  CheckDeviceIndex(i);
  name = gAudioDeviceList[i].name;
}
bool IsDeviceAnyRateAtIndex(int i) {
  CheckDeviceIndex(i);
  return gAudioDeviceList[i].anyRate;
}
void GetDeviceFormatName(int d, int f, std::string& name) {
  CheckFormatIndex(d, f);
  name = gAudioDeviceList[d].formats[f].name;
}
void GetDeviceFormat(int d, int f, AudioStreamBasicDescription& format) {
  CheckFormatIndex(d, f);
  format = gAudioDeviceList[d].formats[f].format;
}

int getAudioDeviceIndexByName(const char* name, AudioDeviceID* id) {
  for (size_t i = 0; i < gAudioDeviceList.size(); ++i)
    if (gAudioDeviceList[i].name == name) {
      if (id) *id = gAudioDeviceList[i].id;
      return static_cast<int>(i) + 2;
    }
  return 0;
}
AudioDeviceID getAudioDeviceIDbyIndex(int i) {
  return i >= 0 && i < GetDeviceCount() ? gAudioDeviceList[i].id : 0;
}
int getAudioIndexByAudioDeviceID(AudioDeviceID id) {
  for (size_t i = 0; i < gAudioDeviceList.size(); ++i)
    if (gAudioDeviceList[i].id == id) return static_cast<int>(i) + 1;
  return 0;
}
int getChannelsByAudioAudioDeviceID(AudioDeviceID id, int f) {
  const int i = getAudioIndexByAudioDeviceID(id);
  if (!i) return 0;
  return static_cast<int>(gAudioDeviceList[i - 1].formats.at(f).channels);
}
const AudioStreamBasicDescription* getStreamDescriptionByAudioDeviceIDAndIndex(AudioDeviceID id, int f) {
  const int i = getAudioIndexByAudioDeviceID(id);
  if (!i || f < 0 || f >= static_cast<int>(gAudioDeviceList[i - 1].formats.size())) return nullptr;
  return &gAudioDeviceList[i - 1].formats[f].format;
}
int getAudioStreamIndexByAudioStreamBasicDescription(AudioDeviceID id,
                                                     const AudioStreamBasicDescription* format) {
  const int i = getAudioIndexByAudioDeviceID(id);
  if (!i || !format) return 0;
  auto& formats = gAudioDeviceList[i - 1].formats;
  for (size_t f = 0; f < formats.size(); ++f)
    if (AudioStreamEquals(&formats[f].format, format)) return static_cast<int>(f) + 1;
  return 0;
}
int getAudioValueAndLatency(AudioDeviceID id, const AudioStreamBasicDescription* format,
                            AudioValueRangeAndLatency* range) {
  const int f = getAudioStreamIndexByAudioStreamBasicDescription(id, format);
  if (!f) {
    *range = AudioValueRangeAndLatency();
    return -1;
  }
  *range = gAudioDeviceList[getAudioIndexByAudioDeviceID(id) - 1].formats[f - 1].range;
  return 0;
}
bool AudioStreamEquals(const AudioStreamBasicDescription* a, const AudioStreamBasicDescription* b) {
  return a->sampleRate == b->sampleRate && a->formatID == b->formatID &&
         a->formatFlags == b->formatFlags && a->bytesPerPacket == b->bytesPerPacket &&
         a->framesPerPacket == b->framesPerPacket && a->bytesPerFrame == b->bytesPerFrame &&
         a->channelsPerFrame == b->channelsPerFrame && a->bitsPerChannel == b->bitsPerChannel;
}

void Device_IsSupportClockSource(AudioDeviceID id, bool& has, bool& settable) {
  const int audioIndex = getAudioIndexByAudioDeviceID(id);
  if (!(audioIndex > 0)) throw NRXIfNotException("audioIndex > 0", nullptr);
  has = !gAudioDeviceList[audioIndex - 1].clockSourceIDs.empty();
  settable = gAudioDeviceList[audioIndex - 1].clockSourceSettable;
}
void Device_GetClockSourceIDList(AudioDeviceID id, std::vector<uint32_t>& list) {
  const int audioIndex = getAudioIndexByAudioDeviceID(id);
  if (!(audioIndex > 0)) throw NRXIfNotException("audioIndex > 0", nullptr);
  list = gAudioDeviceList[audioIndex - 1].clockSourceIDs;
}
void Device_GetCurrentClockSourceID(AudioDeviceID id, uint32_t& source) {
  Check(Sys().GetClockSource(id, &source), "csrc");
}
void Device_SetClockSourceID(AudioDeviceID id, uint32_t source) {
  Check(Sys().SetClockSource(id, source), "csrc");
}
std::string Device_CopyClockSourceName(AudioDeviceID id, uint32_t source) {
  std::string name;
  Check(Sys().GetClockSourceName(id, source, &name), "lcsn");
  return name;
}
void Device_GetBufferFrameSizeRangeInCurrentFormat(AudioDeviceID id, AudioValueRange& range,
                                                   uint32_t& current) {
  Check(Sys().GetBufferFrameSizeRange(id, &range), "fsz#");
  if (range.maximum > 8192.0) range.maximum = 8192.0;
  Check(Sys().GetBufferFrameSize(id, &current), "fsiz");
}
void GetDeviceCurrentNominalSampleRate(AudioDeviceID id, double& rate) {
  Check(Sys().GetNominalRate(id, &rate), "nsrt");
}
void GetFirstStreamID(AudioDeviceID id, bool, uint32_t& stream) {
  std::vector<StreamId> streams;
  Check(Sys().GetOutputStreams(id, &streams), "stm#");
  stream = streams.empty() ? 0 : streams[0];
}
void GetStreamPhysicalFormat(uint32_t stream, AudioStreamBasicDescription& format) {
  Check(Sys().GetPhysicalFormat(stream, &format), "pft ");
}

void SetStreamPhysicalFormat(uint32_t stream, const AudioStreamBasicDescription& format) {
  gSetOK = false;
  DeviceId device = 0;
  Check(Sys().GetStreamDevice(stream, &device), "stdv");
  Check(Sys().AddDeviceListener(device, &DeviceSetProperty_NotificationProc, nullptr), "sfmt");
  try {
    Check(Sys().SetPhysicalFormat(stream, format), "pft ");
    // A device that never confirms costs one second, then the selection
    // goes on.
    os::Monitor monitor;
    os::Monitor::Hold lock(monitor.mutex());
    const uint64_t deadline = os::NowUs() + 1000000;
    while (!gSetOK && os::NowUs() < deadline)
      monitor.WaitUntil(lock, std::min(deadline, os::NowUs() + 1000), [] { return gSetOK.load(); });
  } catch (...) {
    Check(Sys().RemoveDeviceListener(device, &DeviceSetProperty_NotificationProc), "sfmt");
    throw;
  }
  Check(Sys().RemoveDeviceListener(device, &DeviceSetProperty_NotificationProc), "sfmt");
}

void SetDevicePhysicalFormat(AudioDeviceID id, bool anyRate, const AudioStreamBasicDescription& format) {
  AudioStreamBasicDescription target = format;
  if (anyRate) target.sampleRate = 0;
  uint32_t first = 0;
  GetFirstStreamID(id, false, first);
  AudioStreamBasicDescription current;
  GetStreamPhysicalFormat(first, current);
  if (!AudioStreamEquals(&current, &target)) SetStreamPhysicalFormat(first, target);
  if (anyRate) {
    double rate = 0;
    GetDeviceCurrentNominalSampleRate(id, rate);
    if (rate != format.sampleRate) Check(Sys().SetNominalRate(id, format.sampleRate), "nsrt");
  }
  std::vector<StreamId> streams;
  Check(Sys().GetOutputStreams(id, &streams), "stm#");
  for (StreamId s : streams) {
    GetStreamPhysicalFormat(s, current);
    if (SameRateFormatBits(current, target)) continue;
    std::vector<AudioStreamBasicDescription> available;
    Check(Sys().GetAvailableFormats(s, &available), "pft#");
    AudioStreamBasicDescription chosen = target;
    for (const auto& a : available)
      if (SameRateFormatBits(a, target)) chosen = a;
    SetStreamPhysicalFormat(s, chosen);
  }
}

void SetupHardwareNotificationListener() {
  Check(Sys().AddHardwareListener(&HardwareNotificationListenerProc, nullptr), "****");
}
void RemoveHardwareNotificationListener() {
  Sys().RemoveHardwareListener(&HardwareNotificationListenerProc);
}
