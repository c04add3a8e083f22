#include "host/AudioGraph.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "host/CalcCPULoad.h"
#include "host/FailureReporter.h"
#include "host/IdleTaskQueue.h"
#include "host/StatusText.h"
#include "host/TalvikException.h"
#include "host/TalvikHostMIDIManagerC.h"
#include "os/Clock.h"
#include "os/Monitor.h"
#include "os/audio/AudioSystem.h"
#include "platform/NRXException.h"

using namespace os::audio;

namespace {

constexpr double kFadeUs = 50000.0;

// A stop or removal that worked, or a device that is gone, calls no cycle
// any more.
bool CyclesEnded(os::audio::Status status) {
  return status == os::audio::kOk || status == os::audio::kErrBadDevice;
}

AudioSystem& Sys() { return AudioSystem::Current(); }

void Check(Status s, const char* what) {
  if (s != kOk) throw NRXMacOSException(s, what);
}

// Polls `done` about every `stepUs` until it holds or `totalUs` have gone
// by (on the program's clock, so tests pass it in simulated time).
void PollFor(uint64_t totalUs, uint64_t stepUs, const std::function<bool()>& done) {
  os::Monitor monitor;
  os::Monitor::Hold lock(monitor.mutex());
  const uint64_t deadline = os::NowUs() + totalUs;
  while (!done() && os::NowUs() < deadline)
    monitor.WaitUntil(lock, std::min(deadline, os::NowUs() + stepUs), [] { return false; });
}

struct Located {
  int buffer = -1, channel = -1;
};
Located Locate(const std::vector<uint32_t>& channels, int c) {
  if (c < 0) return {};
  for (size_t i = 0; i < channels.size(); ++i) {
    if (c < static_cast<int>(channels[i])) return {static_cast<int>(i), c};
    c -= static_cast<int>(channels[i]);
  }
  return {};
}

int32_t ConvertBufferInputProc(AudioFormatConverter*, uint32_t*, AudioBufferList* ioData, void* user) {
  const auto* render = static_cast<const AudioBufferList*>(user);
  for (uint32_t b = 0; b < ioData->numberBuffers && b < render->numberBuffers; ++b) {
    ioData->buffers[b].data = render->buffers[b].data;
    ioData->buffers[b].dataByteSize = render->buffers[b].dataByteSize;
    ioData->buffers[b].numberChannels = render->buffers[b].numberChannels;
  }
  return 0;
}

}  // namespace

AudioGraph::AudioGraph() = default;

AudioGraph::~AudioGraph() {
  try {
    stopGraph();
  } catch (const std::exception& e) {
    FailureReporter::Log("Audio could not be stopped. " + FailureReporter::ReasonOf(e));
  }
  uninitializeDevice();
  finishAudio();
}

AudioStreamBasicDescription AudioGraph::UnitOutputFormat(double rate) {
  AudioStreamBasicDescription f;
  f.sampleRate = rate;
  f.formatID = kFormatLinearPCM;
  f.formatFlags = kFormatFlagIsFloat | kFormatFlagIsPacked | kFormatFlagIsNonInterleaved;  // 41
  f.bytesPerPacket = 4;
  f.framesPerPacket = 1;
  f.bytesPerFrame = 4;
  f.channelsPerFrame = 2;
  f.bitsPerChannel = 32;
  return f;
}

void AudioGraph::setupGraph(const AudioComponentRegistry& registry, const ComponentDescription& d) {
  const AudioComponentRegistry::Entry* entry = registry.Find(d);
  if (!entry) throw NRXNullException("synthAUComponent", nullptr);
  synthUnit_ = entry->open ? entry->open() : nullptr;
  if (!synthUnit_) throw NRXMacOSException(kStatusCantOpenComponent, "OpenAComponent");
  Check(synthUnit_->Initialize(), "AudioUnitInitialize");
  Check(synthUnit_->Uninitialize(), "AudioUnitUninitialize");
}

void AudioGraph::finishAudio() {
  std::lock_guard lock(deviceLock_);
  synthUnit_.reset();
}

void AudioGraph::startGraph() {
  std::lock_guard lock(deviceLock_);
  if (isPlaying_) return;
  if (!synthUnit_) throw NRXNullException("synthUnit", nullptr);
  Check(synthUnit_->Initialize(), "AudioUnitInitialize");
  const double rate = currentFormat_.sampleRate > 0 ? currentFormat_.sampleRate : 44100;
  fadingStep_ = static_cast<float>(deviceBufferFrameSize_ * 1000.0 * 1000.0 / rate / kFadeUs);
  fadingK_ = 0;
  fadingToStart_ = true;
  isFading_ = true;
  deviceStartTime_ = os::NowUs();
  Check(Sys().Start(currentAudioDeviceID_, &AudioGraph::Process), "AudioDeviceStart");
  cyclesMayRun_ = true;
  isPlaying_ = true;
  CalcCPULoad_SetIsProcessing(true);
}

bool AudioGraph::stopGraph() {
  std::lock_guard lock(deviceLock_);
  if (!isPlaying_) return false;
  fadingK_ = 1.0f;
  fadingToStart_ = false;
  isFading_ = true;
  PollFor(static_cast<uint64_t>(kFadeUs), 1, [this] { return fadingK_ <= 0; });
  if (CyclesEnded(Sys().Stop(currentAudioDeviceID_, &AudioGraph::Process))) cyclesMayRun_ = false;
  CalcCPULoad_SetIsProcessing(false);
  // Audio has stopped whatever the component answers: the flag follows
  // the device, not the component.
  isPlaying_ = false;
  if (synthUnit_) Check(synthUnit_->Uninitialize(), "AudioUnitUninitialize");
  return true;
}

void AudioGraph::graphSetOutputDeviceAndStream(AudioDeviceID device, bool anyRate,
                                               const AudioStreamBasicDescription* format,
                                               int frames, int, int startingChannel,
                                               bool setClockSource, uint32_t clockSourceID,
                                               bool acceptDeviceBufferSize, bool& cancelled,
                                               bool& done) {
  std::lock_guard lock(deviceLock_);
  try {
    SelectLocked(device, anyRate, format, frames, startingChannel, setClockSource, clockSourceID,
                 acceptDeviceBufferSize);
    done = true;
    cancelled = false;
    return;
  } catch (const TalvikException& e) {
    if (owner_) owner_->ShowErrorAlert(HostStringBytes(e.GetLocalizeKey()), e.GetSecondMessage());
  } catch (const std::exception& e) {
    if (owner_) owner_->ShowErrorAlert("Cannot set settings to audio device.", FailureReporter::ReasonOf(e));
  }
  if (recovering_) return;
  recovering_ = true;
  done = false;
  cancelled = true;
  try {
    if (owner_) owner_->RecoverAfterFailedSelection();
  } catch (const std::exception& e) {
    FailureReporter::Report("The former audio settings could not be restored.", FailureReporter::ReasonOf(e));
  }
  recovering_ = false;
}

void AudioGraph::SelectLocked(AudioDeviceID device, bool anyRate,
                              const AudioStreamBasicDescription* format, int frames,
                              int startingChannel, bool setClockSource, uint32_t clockSourceID,
                              bool acceptDeviceBufferSize) {
  uninitializeDevice();
  currentAudioDeviceID_ = device;
  currentFormat_ = AudioStreamBasicDescription();
  deviceBufferFrameSize_ = 0;
  Check(Sys().AddIOProc(device, &AudioGraph::Process, this), "AudioDeviceAddIOProc");
  Sys().Start(device, nullptr);
  if (!format) throw NRXNullException("format", nullptr);
  static CFStringRef formatKey = HostStringCreate("Cannot set format to audio device.");
  static CFStringRef sizeKey = HostStringCreate("Cannot set buffer size to audio device.");
  try {
    SetDevicePhysicalFormat(device, anyRate, *format);
  } catch (const std::exception& e) {
    throw TalvikException(formatKey, FailureReporter::ReasonOf(e).c_str());
  }
  AudioValueRange range;
  uint32_t current = 0;
  Device_GetBufferFrameSizeRangeInCurrentFormat(device, range, current);
  if (Sys().SetBufferFrameSize(device, static_cast<uint32_t>(frames)) != kOk) {
    if (acceptDeviceBufferSize) {
      uint32_t own = 0;
      Check(Sys().GetBufferFrameSize(device, &own), "fsiz");
      if (owner_) owner_->SetFrameSizeControlByFrameSizeValue(device, *format, own);
    } else {
      std::ostringstream text;
      text << "( " << range.minimum << " - " << range.maximum << " )";
      throw TalvikSetBufferSizeException(sizeKey, text.str().c_str());
    }
  }
  Check(Sys().AddDeviceListener(device, &AudioGraph::DeviceNotificationProc, this),
        "AudioDeviceAddPropertyListener");
  if (setClockSource) Device_SetClockSourceID(device, clockSourceID);
  startingChannel_ = startingChannel;
  AudioStreamBasicDescription now;
  uint32_t nowFrames = 0;
  if (CheckDeviceFormatChanged(now, nowFrames)) InitializeInternalData(now, nowFrames);
}

void AudioGraph::uninitializeDevice() {
  std::lock_guard lock(deviceLock_);
  if (currentAudioDeviceID_) {
    // Each release runs whatever the one before answered: a device that is
    // gone refuses them all, and one that is still there must end up with
    // no listener, no IO procedure and stopped.
    Sys().RemoveDeviceListener(currentAudioDeviceID_, &AudioGraph::DeviceNotificationProc);
    if (CyclesEnded(Sys().RemoveIOProc(currentAudioDeviceID_, &AudioGraph::Process)))
      cyclesMayRun_ = false;
    Sys().Stop(currentAudioDeviceID_, nullptr);
    UninitializeInternalData();
    currentFormat_ = AudioStreamBasicDescription();
    deviceBufferFrameSize_ = 0;
  }
  currentAudioDeviceID_ = 0;
}

bool AudioGraph::CheckDeviceFormatChanged(AudioStreamBasicDescription& format, uint32_t& frames) {
  uint32_t stream = 0;
  GetFirstStreamID(currentAudioDeviceID_, false, stream);
  if (!stream) throw NRXIfNotException("stream != 0", nullptr);
  GetStreamPhysicalFormat(stream, format);
  Check(Sys().GetBufferFrameSize(currentAudioDeviceID_, &frames), "fsiz");
  return !AudioStreamEquals(&format, &currentFormat_) || frames != deviceBufferFrameSize_;
}

void AudioGraph::UninitializeInternalData() {
  converter_[0].reset();
  converter_[1].reset();
}

std::unique_ptr<AudioFormatConverter> AudioGraph::CreateFormatConverter(
    const AudioStreamBasicDescription& in, const AudioStreamBasicDescription& out, int inA, int inB,
    int outA, int outB) {
  const int n = static_cast<int>(out.channelsPerFrame);
  if (outA >= n) throw NRXIfNotException("inOutputChannel1 < outputChannels", nullptr);
  if (outB >= n) throw NRXIfNotException("inOutputChannel2 < outputChannels", nullptr);
  int32_t status = 0;
  auto c = AudioFormatConverter::New(in, out, &status);
  if (!c) throw NRXMacOSException(status, "AudioConverterNew");
  std::vector<int32_t> map(n, -1);
  if (outA != -1) map[outA] = inA;
  if (outB != -1) map[outB] = inB;
  Check(c->SetChannelMap(map), "AudioConverterSetProperty");
  return c;
}

void AudioGraph::InitializeInternalData(const AudioStreamBasicDescription& format, uint32_t frames) {
  std::lock_guard lock(deviceLock_);
  currentFormat_ = format;
  deviceBufferFrameSize_ = frames;
  UninitializeInternalData();
  std::vector<StreamId> streams;
  Check(Sys().GetOutputStreams(currentAudioDeviceID_, &streams), "stm#");
  std::vector<uint32_t> channels;
  std::vector<AudioStreamBasicDescription> formats;
  for (StreamId s : streams) {
    AudioStreamBasicDescription f;
    Check(Sys().GetPhysicalFormat(s, &f), "pft ");
    channels.push_back(f.channelsPerFrame);
    formats.push_back(f);
  }
  // A starting channel outside the device (a stale file, an empty list)
  // finds no channel: the device then plays silence.
  const Located left = Locate(channels, startingChannel_);
  const Located right = left.buffer < 0 ? Located() : Locate(channels, startingChannel_ + 1);
  firstBuffer_ = left.buffer;
  firstChannel_ = left.channel;
  secondBuffer_ = right.buffer;
  secondChannel_ = right.channel;

  tempBufferList_ = std::make_unique<NRXAudioBufferList>(2, 1, static_cast<int>(std::max(1u, frames)));
  HostAudioBufferList* temp = tempBufferList_->GetBufferList();
  renderList_.numberBuffers = 2;
  for (int b = 0; b < 2; ++b)
    renderList_.buffers[b] = {temp->buffers[b].numberChannels, temp->buffers[b].dataByteSize,
                              temp->buffers[b].data};

  if (synthUnit_) {
    uint32_t max = 0;
    Check(synthUnit_->GetMaximumFramesPerSlice(&max), "AudioUnitGetProperty");
    if (max != frames) Check(synthUnit_->SetMaximumFramesPerSlice(frames), "AudioUnitSetProperty");
    Check(synthUnit_->SetOutputFormat(UnitOutputFormat(format.sampleRate)), "AudioUnitSetProperty");
  }

  const AudioStreamBasicDescription unit = UnitOutputFormat(format.sampleRate);
  if (firstBuffer_ >= 0) {
    const AudioStreamBasicDescription& lf = formats[firstBuffer_];
    interleaved_ = !(lf.formatFlags & kFormatFlagIsNonInterleaved);
    if (interleaved_) {
      if (secondBuffer_ == firstBuffer_) {
        converter_[0] = CreateFormatConverter(unit, lf, 0, 1, firstChannel_, secondChannel_);
      } else {
        converter_[0] = CreateFormatConverter(unit, lf, 0, -1, firstChannel_, -1);
        if (secondBuffer_ >= 0)
          converter_[1] = CreateFormatConverter(unit, formats[secondBuffer_], 1, -1, secondChannel_, -1);
      }
    } else {
      // Channels counted across the whole list.
      AudioStreamBasicDescription all = lf;
      uint32_t total = 0;
      for (uint32_t c : channels) total += c;
      all.channelsPerFrame = total;
      converter_[0] = CreateFormatConverter(unit, all, 0, 1, startingChannel_,
                                            secondBuffer_ >= 0 ? startingChannel_ + 1 : -1);
    }
  }
  TalvikHostMIDIManager_SetSampleRateAndBufferFrameSize(format.sampleRate, frames);
  CalcCPULoad_SetSampleRateAndBufferFrameSize(format.sampleRate, frames);
}

void AudioGraph::Silence(AudioBufferList* list) {
  for (uint32_t b = 0; b < list->numberBuffers; ++b)
    if (list->buffers[b].data) std::memset(list->buffers[b].data, 0, list->buffers[b].dataByteSize);
}

Status AudioGraph::Process(DeviceId, uint64_t hostTime, AudioBufferList* output, void* clientData) {
  if (!output) return kOk;
  return static_cast<AudioGraph*>(clientData)->Render(output, hostTime);
}

Status AudioGraph::Render(AudioBufferList* output, uint64_t hostTime) {
  CalcCPULoad_BeginProcess();
  HostAudioTimeStamp time;
  time.hostTimeNs = hostTime;
  time.flags = HostAudioTimeStamp::kHostTimeValid;
  TalvikHostMIDIManager_InProcess(&time);
  const uint32_t frames = deviceBufferFrameSize_;
  if (!synthUnit_ || !frames || renderList_.numberBuffers < 2) {
    Silence(output);
    return kOk;
  }
  uint32_t flags = 0;
  const Status rendered = synthUnit_->Render(&flags, time, 0, frames, &renderList_);
  if (rendered != 0) {
    // Nothing of this cycle reaches the device, not even stale samples.
    Silence(&renderList_);
    Silence(output);
    return rendered;
  }
  if (isFading_) {
    const float k = fadingK_;
    for (int b = 0; b < 2; ++b) {
      float* s = static_cast<float*>(renderList_.buffers[b].data);
      for (uint32_t i = 0; i < frames; ++i) s[i] *= k;
    }
    if (fadingToStart_) {
      const float next = k + fadingStep_;
      fadingK_ = next;
      if (next > 1.0f) isFading_ = false;
    } else {
      fadingK_ = std::max(0.0f, k - fadingStep_);
    }
  }
  if (firstBuffer_ < 0 || !converter_[0]) {
    Silence(output);
  } else if (interleaved_) {
    AudioBufferList one;
    one.numberBuffers = 1;
    if (static_cast<uint32_t>(firstBuffer_) >= output->numberBuffers) {
      Silence(output);
      CalcCPULoad_EndProcess();
      return kOk;
    }
    one.buffers[0] = output->buffers[firstBuffer_];
    uint32_t n = frames;
    if (const int32_t s = converter_[0]->FillComplexBuffer(&ConvertBufferInputProc, &renderList_, &n, &one)) {
      Silence(output);
      return s;
    }
    if (converter_[1] && static_cast<uint32_t>(secondBuffer_) < output->numberBuffers) {
      one.buffers[0] = output->buffers[secondBuffer_];
      n = frames;
      if (const int32_t s = converter_[1]->FillComplexBuffer(&ConvertBufferInputProc, &renderList_, &n, &one)) {
        Silence(output);
        return s;
      }
    }
  } else {
    uint32_t n = frames;
    if (const int32_t s = converter_[0]->FillComplexBuffer(&ConvertBufferInputProc, &renderList_, &n, output)) {
      Silence(output);
      return s;
    }
  }
  CalcCPULoad_EndProcess();
  return kOk;
}

void AudioGraph::DeviceNotificationProc(DeviceId device, uint32_t property, void* clientData) {
  static_cast<AudioGraph*>(clientData)->OnDeviceChange(device, property);
}

void AudioGraph::OnDeviceChange(DeviceId device, uint32_t property) {
  if (property == kPropertyClockSource) {
    DemandIdleTask(IdleTaskQueue::kClockSourceChanged);
    return;
  }
  if (property != kPropertyBufferSize && property != kPropertyPhysicalFormat &&
      property != kPropertyStreamFormat)
    return;
  std::lock_guard lock(deviceLock_);
  // The device may have been released or replaced while this thread
  // waited for the lock.
  if (device != currentAudioDeviceID_ || !currentAudioDeviceID_) return;
  AudioStreamBasicDescription format;
  uint32_t frames = 0;
  try {
    if (!CheckDeviceFormatChanged(format, frames)) return;
  } catch (const std::exception&) {
    // A device that cannot be read any more is leaving: the change of the
    // device list that follows handles it.
    return;
  }
  try {
    const bool was = stopGraph();
    InitializeInternalData(format, frames);
    if (was) startGraph();
  } catch (const std::exception& e) {
    FailureReporter::Report("Audio could not follow the device's new format.", FailureReporter::ReasonOf(e));
  }
  DemandIdleTask(IdleTaskQueue::kDeviceFormatChanged);
}

// A port counts as attached (and is saved with the settings) only when the
// manager took it.
void AudioGraph::AttachMIDISource(int slot, const MidiEntry* entry) {
  if (slot < 0 || slot > 2) return;
  const int result = entry ? TalvikHostMIDIManager_SetSource(slot, entry->endpoint, entry->enable != 0)
                           : TalvikHostMIDIManager_SetSource(slot, 0, false);
  currentMIDISource_[slot] = entry && result == 0 ? *entry : MidiEntry();
  if (entry && result != 0)
    FailureReporter::Report("MIDI input " + std::to_string(slot + 1) + " could not be connected.",
                            TalvikHostMIDIManager_LastError());
}

void AudioGraph::AttachMIDIClockSource(const MidiEntry* entry) {
  const int result = TalvikHostMIDIManager_SetClockSyncSource(entry ? entry->endpoint : 0);
  currentMIDIClockSource_ = entry && result == 0 ? *entry : MidiEntry();
  if (entry && result != 0)
    FailureReporter::Report("The MIDI clock source could not be connected.", TalvikHostMIDIManager_LastError());
}
