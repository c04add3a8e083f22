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

void BlueBrowserData::Advise() {
  if (m_bAdvised || !m_pRemoteSynth) return;
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
}

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

void BlueBrowserData::CancelAudition() {
  if (!m_pRemoteSynth->GetAuditionState()) return;
  SetCurrentSound({0xFF, 0xFF});
  m_pRemoteSynth->EndAudition(false);
  UpdateSelection();
}

void BlueBrowserData::OKAudition() {
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

void BlueBrowserData::OnIdleRemoteSynthModeChanged(Oskend::IRemoteSynth*, int) { ResetAll(); }

void BlueBrowserData::OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode,
                                                       const Oskend::SSoundIndex&) {
  ResetAll();
}

void BlueBrowserData::OnIdleRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool, bool) {
  ResetAll();
}

void BlueBrowserData::OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool on) {
  if (on) return;
  m_current = {0xFF, 0xFF};
  const std::vector<BlueBrowserBase*> browsers = m_browsers;
  for (BlueBrowserBase* b : browsers) b->OnUpdateSelection();
}
