#include "editor/shell/XERemoteSynthEventHandler.h"

using Oskend::IRemoteSynth;
using Oskend::ISection;

namespace {

intptr_t Ptr(const void* p) { return reinterpret_cast<intptr_t>(p); }
IRemoteSynth* Synth(intptr_t a) { return reinterpret_cast<IRemoteSynth*>(a); }
ISection* Section(intptr_t a) { return reinterpret_cast<ISection*>(a); }

}  // namespace

void XERemoteSynthEventHandler::PostEvent(int type, intptr_t a1, int a2, int a3, int a4) {
  CHfcCriticalSectionLock lock(m_lock);
  m_queue.push_back(EventInfo{type, a1, a2, a3, a4});
}

size_t XERemoteSynthEventHandler::GetQueuedEventCount() {
  CHfcCriticalSectionLock lock(m_lock);
  return m_queue.size();
}

void XERemoteSynthEventHandler::ProcessEventQueue() {
  for (;;) {
    EventInfo event;
    {
      CHfcCriticalSectionLock lock(m_lock);
      if (m_queue.empty()) return;
      event = m_queue.front();
      m_queue.pop_front();
      if (event.type == kCurSound || event.type == kSectionReinitialized) {
        while (!m_queue.empty() && m_queue.front().type == event.type) {
          event = m_queue.front();
          m_queue.pop_front();
        }
      }
    }
    ProcessEvent(event);
  }
}

void XERemoteSynthEventHandler::ProcessEvent(const EventInfo& e) {
  switch (e.type) {
    case kConnectionState:
      OnIdleRemoteSynthConnectionStateChanged(Synth(e.a1), e.a2 != 0, e.a3 != 0);
      break;
    case kExtCtlState: {
      Oskend::SExtCtlState state;
      state.flag = e.a2 != 0;
      state.value1 = static_cast<uint8_t>(e.a3);
      state.value2 = 0;
      OnIdleRemoteSynthExtCtlStateChanged(Synth(e.a1), state);
      break;
    }
    case kMasterVolume:
      OnIdleRemoteSynthMasterVolumeChanged(Synth(e.a1), static_cast<unsigned>(e.a2));
      break;
    case kMode:
      OnIdleRemoteSynthModeChanged(Synth(e.a1), e.a2);
      break;
    case kCurSound: {
      Oskend::SSoundIndex index;
      index.bank = static_cast<uint8_t>(e.a2);
      index.number = static_cast<uint8_t>(e.a3);
      OnIdleRemoteSynthCurSoundChanged(Synth(e.a1), index);
      break;
    }
    case kBankList: {
      Oskend::SSoundIndex index;
      index.bank = static_cast<uint8_t>(e.a3);
      index.number = static_cast<uint8_t>(e.a4);
      OnIdleRemoteSynthBankListChanged(Synth(e.a1), static_cast<eMode>(e.a2), index);
      break;
    }
    case kAuditionState:
      OnIdleRemoteSynthAuditionStateChanged(Synth(e.a1), e.a2 != 0);
      break;
    case kMIDIInShortMsg:
      OnIdleRemoteSynthMIDIInShortMsg(Synth(e.a1));
      break;
    case kProgOSCMode:
      OnIdleRemoteSynthProgOSCModeChanged(Synth(e.a1), e.a2);
      break;
    case kSeqState:
      OnIdleRemoteSynthSeqStateChanged(Synth(e.a1), e.a2 != 0);
      break;
    case kNeedAutomationAPI:
      OnIdleRemoteSynthNeedAutomationAPI(Synth(e.a1), e.a2);
      break;
    case kSectionReinitialized:
      OnIdleSectionReinitialized(Section(e.a1));
      break;
    case kSectionParamPropsChanged:
      OnIdleSectionParamPropsChanged(Section(e.a1), e.a2);
      break;
    case kSectionParamChanged:
      OnIdleSectionParamChanged(Section(e.a1), e.a2);
      break;
    default:  // 9 and 10 (utility begin and end) and unknown types
      break;
  }
}

void XERemoteSynthEventHandler::OnRemoteSynthConnectionStateChanged(IRemoteSynth* s, bool x,
                                                                    bool y) {
  PostEvent(kConnectionState, Ptr(s), x, y, 0);
}
void XERemoteSynthEventHandler::OnRemoteSynthExtCtlStateChanged(IRemoteSynth* s,
                                                                const Oskend::SExtCtlState& st) {
  PostEvent(kExtCtlState, Ptr(s), st.flag, st.value1, 0);
}
void XERemoteSynthEventHandler::OnRemoteSynthMasterVolumeChanged(IRemoteSynth* s, unsigned v) {
  PostEvent(kMasterVolume, Ptr(s), static_cast<int>(v), 0, 0);
}
void XERemoteSynthEventHandler::OnRemoteSynthModeChanged(IRemoteSynth* s, int m) {
  PostEvent(kMode, Ptr(s), m, 0, 0);
}
void XERemoteSynthEventHandler::OnRemoteSynthCurSoundChanged(IRemoteSynth* s,
                                                             const Oskend::SSoundIndex& i) {
  PostEvent(kCurSound, Ptr(s), i.bank, i.number, 0);
}
void XERemoteSynthEventHandler::OnRemoteSynthBankListChanged(IRemoteSynth* s, eMode mode,
                                                             const Oskend::SSoundIndex& i) {
  PostEvent(kBankList, Ptr(s), mode, i.bank, i.number);
}
void XERemoteSynthEventHandler::OnRemoteSynthAuditionStateChanged(IRemoteSynth* s, bool on) {
  PostEvent(kAuditionState, Ptr(s), on, 0, 0);
}
void XERemoteSynthEventHandler::OnRemoteSynthMIDIInShortMsg(IRemoteSynth* s) {
  PostEvent(kMIDIInShortMsg, Ptr(s), 0, 0, 0);
}
void XERemoteSynthEventHandler::OnRemoteSynthProgOSCModeChanged(IRemoteSynth* s, int m) {
  PostEvent(kProgOSCMode, Ptr(s), m, 0, 0);
}
void XERemoteSynthEventHandler::OnRemoteSynthBeginUIUtility(IRemoteSynth* s) {
  PostEvent(kBeginUIUtility, Ptr(s), 0, 0, 0);
}
void XERemoteSynthEventHandler::OnRemoteSynthEndUIUtility(IRemoteSynth* s, bool ok) {
  PostEvent(kEndUIUtility, Ptr(s), ok, 0, 0);
}
void XERemoteSynthEventHandler::OnRemoteSynthSeqStateChanged(IRemoteSynth* s, bool running) {
  PostEvent(kSeqState, Ptr(s), running, 0, 0);
}
void XERemoteSynthEventHandler::OnRemoteSynthNeedAutomationAPI(IRemoteSynth* s, long v) {
  PostEvent(kNeedAutomationAPI, Ptr(s), static_cast<int>(v), 0, 0);
}
void XERemoteSynthEventHandler::OnSectionReinitialized(ISection* section) {
  PostEvent(kSectionReinitialized, Ptr(section), 0, 0, 0);
}
void XERemoteSynthEventHandler::OnSectionParamPropsChanged(ISection* section, int pid) {
  PostEvent(kSectionParamPropsChanged, Ptr(section), pid, 0, 0);
}
void XERemoteSynthEventHandler::OnSectionParamChanged(ISection* section, int pid) {
  PostEvent(kSectionParamChanged, Ptr(section), pid, 0, 0);
}
