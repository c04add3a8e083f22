#pragma once
// The plug-in's MIDI routes. The plug-in makes no sound: it carries MIDI
// from the host to the synthesizer (with timestamps; a bank select and
// program change on the global channel instead selects the sound), from
// the editor's GUI to the synthesizer, and from the synthesizer to the
// editor and, while switched on, back to the host. Everything goes through
// lock-free rings (CMidiFifo), so that the audio thread takes no lock,
// waits for nothing and allocates nothing; the worker thread, woken by a
// signal that never blocks, hands MIDI to the model, whose output may wait
// for room.
//
// Threads: the host's audio thread (ProcessEvents, ProcessReplacing), the
// worker thread (ThreadProc), the link's input thread (OnRTMIDIIn) and the
// loop thread, which owns the model; the rest may be called on any thread.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "os/DropReport.h"
#include "os/WakeSignal.h"
#include "platform/IAsyncDispatch.h"
#include "platform/XThread.h"
#include "plugin/Vst2Abi.h"
#include "remote/IRTMIDISink.h"

class AudioEffectX;
class CMidiFifo;
class VelorVstEditor;
namespace Oskend {
class IRemoteSynth;
}

class QuorelVstMidi : public IXThreadProc, public Oskend::IRTMIDISink, public IAsyncDispatchHandler {
 public:
  static constexpr int kFifoSize = 1024;

  explicit QuorelVstMidi(AudioEffectX& effect);
  ~QuorelVstMidi() override;  // stops the worker when it still runs
  QuorelVstMidi(const QuorelVstMidi&) = delete;
  QuorelVstMidi& operator=(const QuorelVstMidi&) = delete;

  // Message length by status byte, as given to the model's real-time output.
  static unsigned MessageLength(uint8_t status);

  // ---- Loop thread.
  // Makes the rings and starts the worker, which hands MIDI to the model;
  // each wake of the worker also runs onWake there. Select-sound events
  // reach the loop through the dispatcher.
  void Start(Oskend::IRemoteSynth* model, IAsyncDispatch* dispatch, std::function<void()> onWake);
  // The editor that shows what reaches the synthesizer (null: none).
  void SetEditor(VelorVstEditor* editor) { editor_.store(editor, std::memory_order_release); }
  // Stops and joins the worker; the rings stay until Close.
  void StopWorker();
  // Frees the rings (the worker has stopped and nobody pushes any more).
  void Close();
  // The root layer's MIDI for the synthesizer.
  void MidiInFromGUI(uint8_t status, uint8_t data1, uint8_t data2);
  // The editor's MIDI for the host: it goes with the next block, as the
  // host takes MIDI only while processing. False when the ring is full.
  bool SendToHost(uint8_t status, uint8_t data1, uint8_t data2);
  // The model's global channel, which the audio thread reads.
  void PublishGlobalChannel(int channel) { globalChannel_.store(channel & 0xFF, std::memory_order_release); }
  // A mode change forgets the last bank select in the modes that use one.
  void OnModeChanged(int mode);
  void OnAsyncTimer(long) override {}
  void OnAsyncEvent(long id, long param) override;

  // ---- Audio thread.
  int32_t ProcessEvents(VstEvents* events);
  // Stamps the block; ProcessReplacing then carries the block's MIDI and
  // writes silence.
  void BeginBlock();
  void ProcessReplacing(float** outputs, int32_t sampleFrames);

  // ---- Worker thread.
  uint32_t ThreadProc() override;

  // ---- The link's input thread.
  void OnRTMIDIIn(long long time, const void* bytes, unsigned length) override;

  // ---- Any thread.
  // Wakes the worker (never blocks).
  void Wake() { workerWake_.Signal(); }
  void SetMIDIOUTtoDAW(bool on) override { midiOutToHost_ = on; }
  void SetAudioOutCh(int channel) override { audioOutCh_ = channel; }
  void SetBypass(bool on) { bypassed_ = on; }
  void SetSampleRate(float rate) { midiRate_.store(rate, std::memory_order_release); }
  bool IsMIDIOutToHost() const { return midiOutToHost_; }
  int GetAudioOutCh() const { return audioOutCh_; }

 private:
  // A program change on the global channel, from the audio thread to the
  // loop thread, which selects the sound: a flag, the bank-select bytes and
  // the program number.
  static constexpr uint32_t kSoundPending = 0x1000000;
  static constexpr long kEventSelectSound = 2;
  // The host's event list, made once and laid out as the host reads it,
  // with room for a full ring.
  struct HostEventList {
    int32_t numEvents = 0;
    intptr_t reserved = 0;
    VstEvent* events[kFifoSize] = {};
  };

  // Audio thread.
  void DrainFromHost();
  void DrainToHost();
  // Worker thread.
  void ForwardFromHost();
  void ForwardFromGUI();
  void ShowInEditor(uint8_t status, uint8_t data1, uint8_t data2);
  // Loop thread: the bank a program change on the global channel selects.
  uint8_t BankForProgramChange(uint8_t msb, uint8_t lsb);

  AudioEffectX& effect_;
  Oskend::IRemoteSynth* model_ = nullptr;
  IAsyncDispatch* dispatch_ = nullptr;
  std::atomic<VelorVstEditor*> editor_{nullptr};
  std::function<void()> onWake_;
  std::unique_ptr<CMidiFifo> fromHost_;
  std::unique_ptr<CMidiFifo> fromGUI_;
  std::unique_ptr<CMidiFifo> toHost_;
  // Host MIDI on its way from the audio thread to the worker, which gives
  // it to the model.
  std::unique_ptr<CMidiFifo> toSynth_;
  // Host MIDI that found fromHost_ or toSynth_ full: counted on the audio
  // thread, told by the worker thread.
  os::DropReport hostMidiLost_{"the plug-in's queue of host MIDI to the synthesizer was full"};
  std::unique_ptr<HostEventList> hostEvents_;
  std::unique_ptr<VstMidiEvent[]> hostMidiEvents_;
  // The audio thread's own.
  uint64_t blockStart_ = 0;
  std::atomic<bool> bypassed_{false};
  std::atomic<bool> midiOutToHost_{false};
  std::atomic<int> audioOutCh_{0};
  std::atomic<float> midiRate_{44100.0f};
  std::atomic<int> globalChannel_{0};
  std::atomic<uint32_t> pendingSound_{0};
  // The last bank select on the global channel (MSB, LSB), 0xFF for none.
  // Written by the audio thread and by the mode notices.
  std::array<std::atomic<uint8_t>, 2> bankSelect_{};
  os::WakeSignal workerWake_;
  XThread workerThread_;
  std::atomic<bool> workerRunning_{false};
};
