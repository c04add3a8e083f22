#pragma once
// Turns the model's notifications, on whatever thread they arrive, into
// small records in a locked queue, and replays them on the GUI thread when
// the owner drains the queue in its idle. Runs of current-sound changes and
// of section reinitialisations collapse to their last record.
#include <cstdint>
#include <deque>

#include "model/ISectionSink.h"
#include "platform/CHfcCriticalSection.h"
#include "remote/IRemoteSynthSink.h"

class XERemoteSynthEventHandler : public Oskend::IRemoteSynthSink, public Oskend::ISectionSink {
 public:
  enum EventType : int {
    kConnectionState = 0,
    kExtCtlState = 1,
    kMasterVolume = 2,
    kMode = 3,
    kCurSound = 4,
    kBankList = 5,
    kAuditionState = 6,
    kMIDIInShortMsg = 7,
    kProgOSCMode = 8,
    kBeginUIUtility = 9,
    kEndUIUtility = 10,
    kSeqState = 11,
    kNeedAutomationAPI = 12,
    kSectionReinitialized = 13,
    kSectionParamPropsChanged = 14,
    kSectionParamChanged = 15,
  };

  // a1 is the notifying object (the model, or the section for 13 to 15);
  // it keeps the full width of a pointer.
  struct EventInfo {
    int type;
    intptr_t a1;
    int a2;
    int a3;
    int a4;
  };

  XERemoteSynthEventHandler() = default;
  ~XERemoteSynthEventHandler() override = default;

  // Any thread.
  void PostEvent(int type, intptr_t a1, int a2, int a3, int a4);
  // GUI thread: replays every queued record, those posted meanwhile too.
  void ProcessEventQueue();
  size_t GetQueuedEventCount();

  // Posting callbacks.
  void OnRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth* s, bool connected,
                                           bool checked) override;
  void OnRemoteSynthExtCtlStateChanged(Oskend::IRemoteSynth* s,
                                       const Oskend::SExtCtlState& state) override;
  void OnRemoteSynthMasterVolumeChanged(Oskend::IRemoteSynth* s, unsigned volume) override;
  void OnRemoteSynthModeChanged(Oskend::IRemoteSynth* s, int mode) override;
  void OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* s,
                                    const Oskend::SSoundIndex& index) override;
  void OnRemoteSynthBankListChanged(Oskend::IRemoteSynth* s, eMode mode,
                                    const Oskend::SSoundIndex& index) override;
  void OnRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth* s, bool on) override;
  void OnRemoteSynthProgOSCModeChanged(Oskend::IRemoteSynth* s, int mode) override;
  void OnRemoteSynthBeginUIUtility(Oskend::IRemoteSynth* s) override;
  void OnRemoteSynthEndUIUtility(Oskend::IRemoteSynth* s, bool ok) override;
  void OnRemoteSynthSeqStateChanged(Oskend::IRemoteSynth* s, bool running) override;
  void OnRemoteSynthNeedAutomationAPI(Oskend::IRemoteSynth* s, long what) override;
  virtual void OnRemoteSynthMIDIInShortMsg(Oskend::IRemoteSynth* s);
  void OnSectionReinitialized(Oskend::ISection* section) override;
  void OnSectionParamPropsChanged(Oskend::ISection* section, int pid) override;
  void OnSectionParamChanged(Oskend::ISection* section, int pid) override;

  // GUI-thread handlers, empty here.
  virtual void OnIdleRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool, bool) {}
  virtual void OnIdleRemoteSynthExtCtlStateChanged(Oskend::IRemoteSynth*,
                                                   const Oskend::SExtCtlState&) {}
  virtual void OnIdleRemoteSynthMasterVolumeChanged(Oskend::IRemoteSynth*, unsigned) {}
  virtual void OnIdleRemoteSynthModeChanged(Oskend::IRemoteSynth*, int) {}
  virtual void OnIdleRemoteSynthProgOSCModeChanged(Oskend::IRemoteSynth*, int) {}
  virtual void OnIdleRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*,
                                                const Oskend::SSoundIndex&) {}
  virtual void OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode,
                                                const Oskend::SSoundIndex&) {}
  virtual void OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool) {}
  virtual void OnIdleRemoteSynthMIDIInShortMsg(Oskend::IRemoteSynth*) {}
  virtual void OnIdleRemoteSynthSeqStateChanged(Oskend::IRemoteSynth*, bool) {}
  virtual void OnIdleRemoteSynthNeedAutomationAPI(Oskend::IRemoteSynth*, long) {}
  virtual void OnIdleSectionReinitialized(Oskend::ISection*) {}
  virtual void OnIdleSectionParamPropsChanged(Oskend::ISection*, int) {}
  virtual void OnIdleSectionParamChanged(Oskend::ISection*, int) {}

  virtual void ProcessEvent(const EventInfo& event);

 private:
  std::deque<EventInfo> m_queue;
  CHfcCriticalSection m_lock;
};
