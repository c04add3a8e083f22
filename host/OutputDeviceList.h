#pragma once
// The output devices that the settings dialog offers, each with the linear
// PCM formats it can play on at least two channels ("%dBits/%dHz/%dCH"),
// its clock sources and the fixed buffer range of the slider; and the
// operations that put a chosen format, rate and clock source on a device.
// The list is read and rebuilt on the main thread only. Failures of the
// audio system come out as NRXMacOSException with its status.
#include <cstdint>
#include <string>
#include <vector>

#include "os/audio/AudioTypes.h"

using AudioStreamBasicDescription = os::audio::AudioStreamBasicDescription;
using AudioDeviceID = os::audio::DeviceId;

struct AudioValueRangeAndLatency {
  double minimum = 0;
  double maximum = 0;
  uint32_t defaultFrames = 0;
  uint32_t latency = 0;
};

struct Stream {
  std::string name;
  AudioStreamBasicDescription format;
  AudioValueRangeAndLatency range;
  uint32_t reserved = 0;
  uint32_t channels = 0;
};

struct OutputDevice {
  AudioDeviceID id = 0;
  bool anyRate = false;
  std::string name;
  std::vector<Stream> formats;
  std::vector<uint32_t> clockSourceIDs;
  bool clockSourceSettable = false;
};

extern std::vector<OutputDevice> gAudioDeviceList;
extern const double Talvik_AnySampleRateDevice_SupportRateList[8];

void getAllDevices();
void getDeviceInfo(AudioDeviceID device, OutputDevice& out);
void GetDeviceInfo_ClockSource(AudioDeviceID device, OutputDevice& out);
int GetDeviceCount();
int GetDeviceFormatCount(int deviceIndex);
void GetDeviceName(int deviceIndex, std::string& name);
bool IsDeviceAnyRateAtIndex(int deviceIndex);
void GetDeviceFormatName(int deviceIndex, int formatIndex, std::string& name);
void GetDeviceFormat(int deviceIndex, int formatIndex, AudioStreamBasicDescription& format);
int getAudioDeviceIndexByName(const char* name, AudioDeviceID* id);
AudioDeviceID getAudioDeviceIDbyIndex(int index);
int getAudioIndexByAudioDeviceID(AudioDeviceID id);
int getChannelsByAudioAudioDeviceID(AudioDeviceID id, int formatIndex);
const AudioStreamBasicDescription* getStreamDescriptionByAudioDeviceIDAndIndex(AudioDeviceID id,
                                                                               int formatIndex);
int getAudioStreamIndexByAudioStreamBasicDescription(AudioDeviceID id,
                                                     const AudioStreamBasicDescription* format);
int getAudioValueAndLatency(AudioDeviceID id, const AudioStreamBasicDescription* format,
                            AudioValueRangeAndLatency* range);
bool AudioStreamEquals(const AudioStreamBasicDescription* a, const AudioStreamBasicDescription* b);
void Device_IsSupportClockSource(AudioDeviceID id, bool& has, bool& settable);
void Device_GetClockSourceIDList(AudioDeviceID id, std::vector<uint32_t>& list);
void Device_GetCurrentClockSourceID(AudioDeviceID id, uint32_t& source);
void Device_SetClockSourceID(AudioDeviceID id, uint32_t source);
std::string Device_CopyClockSourceName(AudioDeviceID id, uint32_t source);
void Device_GetBufferFrameSizeRangeInCurrentFormat(AudioDeviceID id, os::audio::AudioValueRange& range,
                                                   uint32_t& current);
void GetDeviceCurrentNominalSampleRate(AudioDeviceID id, double& rate);
void GetFirstStreamID(AudioDeviceID id, bool input, uint32_t& stream);
void GetStreamPhysicalFormat(uint32_t stream, AudioStreamBasicDescription& format);
void SetStreamPhysicalFormat(uint32_t stream, const AudioStreamBasicDescription& format);
void SetDevicePhysicalFormat(AudioDeviceID id, bool anyRate, const AudioStreamBasicDescription& format);
void SetupHardwareNotificationListener();
void RemoveHardwareNotificationListener();
