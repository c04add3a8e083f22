#pragma once
// The audio output: the hosted component rendered into one output device
// through an IO procedure of the program's own, with a 50 ms fade on start
// and stop, and one or two format converters that put the component's
// stereo output on the chosen pair of device channels. Device selection
// (main thread) and device notifications (the audio system's notification
// thread) are serialised by one lock, so neither sees the other's device
// half built or freed. One graph per process: the IO procedure and the
// listener find it through their client data.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "host/AudioComponent.h"
#include "host/AudioComponentRegistry.h"
#include "host/AudioFormatConverter.h"
#include "host/MidiEntry.h"
#include "host/NRXAudioBufferList.h"
#include "host/OutputDeviceList.h"
#include "os/Lock.h"

class AudioGraph {
 public:
  // What the selection needs of the settings dialog (main thread).
  class Owner {
   public:
    virtual void ShowErrorAlert(const std::string& key, const std::string& detail) = 0;
    // The dialog's recovery after a failed selection: reload the dialog
    // from the file, then apply it without saving.
    virtual void RecoverAfterFailedSelection() = 0;
    // The device kept its own buffer size: the slider follows it.
    virtual void SetFrameSizeControlByFrameSizeValue(AudioDeviceID device,
                                                     const AudioStreamBasicDescription& format,
                                                     uint32_t frames) = 0;

   protected:
    ~Owner() = default;
  };

  AudioGraph();
  ~AudioGraph();
  AudioGraph(const AudioGraph&) = delete;
  AudioGraph& operator=(const AudioGraph&) = delete;

  void SetOwner(Owner* owner) { owner_ = owner; }

  // Opens and probes the component (NRX exceptions on failure).
  void setupGraph(const AudioComponentRegistry& registry, const ComponentDescription& description);
  AudioComponent* synthUnit() const { return synthUnit_.get(); }

  void startGraph();
  bool stopGraph();
  // Never throws: failures are shown through the owner and recovered from.
  void graphSetOutputDeviceAndStream(AudioDeviceID device, bool anyRate,
                                     const AudioStreamBasicDescription* format, int frames,
                                     int unused, int startingChannel, bool setClockSource,
                                     uint32_t clockSourceID, bool acceptDeviceBufferSize,
                                     bool& cancelled, bool& done);
  void graphSetOutputDeviceToNone() { uninitializeDevice(); }
  void uninitializeDevice();
  bool CheckDeviceFormatChanged(AudioStreamBasicDescription& format, uint32_t& frames);
  void InitializeInternalData(const AudioStreamBasicDescription& format, uint32_t frames);
  void UninitializeInternalData();
  static std::unique_ptr<AudioFormatConverter> CreateFormatConverter(
      const AudioStreamBasicDescription& in, const AudioStreamBasicDescription& out, int inA,
      int inB, int outA, int outB);

  // The IO procedure and the device listener.
  static os::audio::Status Process(os::audio::DeviceId device, uint64_t hostTime,
                                   os::audio::AudioBufferList* output, void* clientData);
  static void DeviceNotificationProc(os::audio::DeviceId device, uint32_t property, void* clientData);

  const AudioStreamBasicDescription* getCurrentFormat() const { return &currentFormat_; }
  AudioDeviceID getCurrentAudioDeviceID() const { return currentAudioDeviceID_; }
  uint32_t deviceBufferFrameSize() const { return deviceBufferFrameSize_; }
  int startingChannel() const { return startingChannel_; }
  uint64_t GetDeviceStartTime() const { return deviceStartTime_; }
  bool isPlaying() const { return isPlaying_; }
  // Any thread. The device may still call the render procedure: it was
  // started and has refused both to stop it and to remove it, so what a
  // cycle reads (the component, the MIDI manager) must stay.
  bool cyclesMayRun() const { return cyclesMayRun_; }
  float fadingGain() const { return fadingK_; }
  bool isFading() const { return isFading_; }
  int converterCount() const { return (converter_[0] ? 1 : 0) + (converter_[1] ? 1 : 0); }
  const AudioFormatConverter* converter(int slot) const { return converter_[slot].get(); }
  int leftBuffer() const { return firstBuffer_; }
  int rightBuffer() const { return secondBuffer_; }

  void AttachMIDISource(int slot, const MidiEntry* entry);
  void AttachMIDIClockSource(const MidiEntry* entry);
  void GetCurrentMIDISource(int slot, MidiEntry& entry) const { entry = currentMIDISource_[slot]; }
  void GetCurrentMIDIClockSource(MidiEntry& entry) const { entry = currentMIDIClockSource_; }

  // Closes the component (exit).
  void finishAudio();

  // The unit's fixed output format at a rate.
  static AudioStreamBasicDescription UnitOutputFormat(double rate);

 private:
  os::audio::Status Render(os::audio::AudioBufferList* output, uint64_t hostTime);
  void SelectLocked(AudioDeviceID device, bool anyRate, const AudioStreamBasicDescription* format,
                    int frames, int startingChannel, bool setClockSource, uint32_t clockSourceID,
                    bool acceptDeviceBufferSize);
  void OnDeviceChange(os::audio::DeviceId device, uint32_t property);
  static void Silence(os::audio::AudioBufferList* list);

  Owner* owner_ = nullptr;
  std::unique_ptr<AudioComponent> synthUnit_;
  os::Lock deviceLock_{os::Lock::kRecursive};
  AudioDeviceID currentAudioDeviceID_ = 0;
  AudioStreamBasicDescription currentFormat_{};
  uint32_t deviceBufferFrameSize_ = 0;
  std::atomic<bool> isPlaying_{false};
  std::atomic<bool> cyclesMayRun_{false};
  std::atomic<bool> isFading_{false};
  std::atomic<bool> fadingToStart_{false};
  std::atomic<float> fadingK_{0};
  std::atomic<float> fadingStep_{0};
  uint64_t deviceStartTime_ = 0;
  int startingChannel_ = 0;
  int firstBuffer_ = -1, firstChannel_ = -1, secondBuffer_ = -1, secondChannel_ = -1;
  bool interleaved_ = true;
  std::unique_ptr<AudioFormatConverter> converter_[2];
  std::unique_ptr<NRXAudioBufferList> tempBufferList_;
  os::audio::AudioBufferList renderList_;
  MidiEntry currentMIDISource_[3];
  MidiEntry currentMIDIClockSource_;
  bool recovering_ = false;
};
