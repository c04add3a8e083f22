#include "editor/browsers/BlueBrowserData.h"

#include <algorithm>

#include "editor/browsers/BlueBrowserBase.h"

int GetCategory(int mode, Oskend::ISound* sound, int* subCategory) {
  if ((mode != 0 && mode != 2) || !sound) return -1;
  unsigned char b = 0;
  sound->RawGet(&b, mode == 2 ? 630 : 824, 1);
  if (subCategory) *subCategory = b >> 5;
  return std::min(b & 31, 6);
}

BlueBrowserData::BlueBrowserData(Oskend::IRemoteSynth* synth) : m_pRemoteSynth(synth) {}

BlueBrowserData::~BlueBrowserData() {
  if (m_pauseTimer != 0)
    if (os::MainLoop* loop = os::MainLoop::Current()) loop->RemoveTimer(m_pauseTimer);
}

void BlueBrowserData::Advise() {
  if (m_bAdvised || !m_pRemoteSynth) return;
  m_iMode = m_pRemoteSynth->GetMode();
  m_bConnected = m_pRemoteSynth->GetConnected();
  m_pRemoteSynth->AdviseSink(this);
  m_bAdvised = true;
}

void BlueBrowserData::Unadvise() {
  if (!m_bAdvised || !m_pRemoteSynth) return;
  m_pRemoteSynth->UnadviseSink(this);
  m_bAdvised = false;
}

void BlueBrowserData::AddBrowser(BlueBrowserBase* browser) {
  if (browser && std::find(m_browsers.begin(), m_browsers.end(), browser) == m_browsers.end())
    m_browsers.push_back(browser);
}

void BlueBrowserData::RemoveBrowser(BlueBrowserBase* browser) {
  m_browsers.erase(std::remove(m_browsers.begin(), m_browsers.end(), browser), m_browsers.end());
  // A choice still waiting dies with the last browser: sent later, it
  // would start an audition nobody can end.
  if (m_browsers.empty()) DropChosenSound();
}

void BlueBrowserData::ClearBrowsers() {
  m_browsers.clear();
  DropChosenSound();
}

void BlueBrowserData::ChooseSound(const Oskend::SSoundIndex& s) {
  if (s.bank >= 255 && s.number >= 255) {
    DropChosenSound();
    SetCurrentSound(s);
    return;
  }
  if (m_pauseTimer != 0) {
    m_pending = s;
    m_bPending = true;
    return;
  }
  SendChosenSound(s);
}

void BlueBrowserData::SendChosenSound(const Oskend::SSoundIndex& s) {
  const Oskend::SSoundIndex before = m_current;
  SetCurrentSound(s);
  if (m_current.bank != before.bank || m_current.number != before.number) StartSoundPause();
}

void BlueBrowserData::StartSoundPause() {
  os::MainLoop* loop = os::MainLoop::Current();
  if (!loop || m_pauseTimer != 0) return;
  m_pauseTimer = loop->AddTimer(kSoundPauseMs, 0, [this] { OnSoundPauseEnd(); });
}

void BlueBrowserData::OnSoundPauseEnd() {
  m_pauseTimer = 0;
  if (!m_bPending) return;
  m_bPending = false;
  SendChosenSound(m_pending);
  UpdateSelection();
}

void BlueBrowserData::DropChosenSound() { m_bPending = false; }

void BlueBrowserData::SetCurrentSound(const Oskend::SSoundIndex& s) {
  if (s.bank >= 255 && s.number >= 255) {
    m_current = {0xFF, 0xFF};
    return;
  }
  if (s.bank == m_current.bank && s.number == m_current.number) return;
  if (!m_pRemoteSynth->GetAuditionState()) m_pRemoteSynth->BeginAudition(1);
  m_pRemoteSynth->PutCurSound(s);
  m_current = s;
}

bool BlueBrowserData::IsAuditioning() const {
  return (m_current.bank < 255 || m_current.number < 255) && m_pRemoteSynth->GetAuditionState();
}

void BlueBrowserData::CancelAudition() {
  DropChosenSound();
  if (!m_pRemoteSynth->GetAuditionState()) return;
  SetCurrentSound({0xFF, 0xFF});
  m_pRemoteSynth->EndAudition(false);
  UpdateSelection();
}

void BlueBrowserData::OKAudition() {
  // OK keeps what the user sees chosen, also when its turn had not come.
  if (m_bPending) {
    m_bPending = false;
    SetCurrentSound(m_pending);
  }
  const Oskend::SSoundIndex cur = m_pRemoteSynth->GetCurSound(true);
  SetCurrentSound({0xFF, 0xFF});
  m_pRemoteSynth->EndAudition(true);
  m_pRemoteSynth->PutCurSound(cur);
  // A copy: a browser may leave the list while it is told.
  const std::vector<BlueBrowserBase*> browsers = m_browsers;
  for (BlueBrowserBase* b : browsers) b->RequestSetCurrentSound({0xFF, 0xFF});
}

void BlueBrowserData::UpdateSelection() {
  const std::vector<BlueBrowserBase*> browsers = m_browsers;
  for (BlueBrowserBase* b : browsers) b->OnUpdateSelection();
}

void BlueBrowserData::UpdateAllBrowsers(BlueBrowserBase*, bool rebuildSelectors) {
  const std::vector<BlueBrowserBase*> browsers = m_browsers;
  for (BlueBrowserBase* b : browsers) {
    b->UpdateBrowser(rebuildSelectors);
    b->OnUpdateSelection();
  }
}

void BlueBrowserData::OnIdle(int) { ProcessEventQueue(); }

void BlueBrowserData::ResetAll() {
  CancelAudition();
  m_iCategory = m_iSubCategory = m_iBank = -1;
  UpdateAllBrowsers(nullptr, true);
}

void BlueBrowserData::OnIdleRemoteSynthModeChanged(Oskend::IRemoteSynth*, int mode) {
  // The model may tell the same mode twice (a mode put is followed from the
  // instrument's answer and again by the model itself): that is no change.
  if (mode == m_iMode) return;
  m_iMode = mode;
  ResetAll();
}

void BlueBrowserData::OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode,
                                                       const Oskend::SSoundIndex&) {
  ResetAll();
}

void BlueBrowserData::OnIdleRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*,
                                                              bool connected, bool) {
  if (connected == m_bConnected) return;
  m_bConnected = connected;
  ResetAll();
}

void BlueBrowserData::OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool on) {
  if (on) return;
  DropChosenSound();
  m_current = {0xFF, 0xFF};
  const std::vector<BlueBrowserBase*> browsers = m_browsers;
  for (BlueBrowserBase* b : browsers) b->OnUpdateSelection();
}
