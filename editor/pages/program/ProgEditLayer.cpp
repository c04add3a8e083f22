#include "editor/pages/program/ProgEditLayer.h"

#include <algorithm>

#include "editor/shell/EditorIds.h"
#include "model/ISoundSection.h"
#include "remote/IRemoteSynth.h"

ProgEditLayer::ProgEditLayer(Oskend::IRemoteSynth* synth) : EditTabPageLayerBase(synth, eMode_ProgEdit) {}

ProgEditLayer::~ProgEditLayer() = default;

bool ProgEditLayer::OnCreate() {
  if (m_pRemoteSynth) m_pRemoteSynth->AdviseSink(this);
  return CTabPageLayer::OnCreate();
}

bool ProgEditLayer::OnDestroy() {
  if (m_pRemoteSynth) m_pRemoteSynth->UnadviseSink(this);
  return CTabPageLayer::OnDestroy();
}

bool ProgEditLayer::Show(bool redraw) {
  const bool shown = CTabPageLayer::Show(redraw);
  UpdateControlStatus();
  return shown;
}

void ProgEditLayer::OnIdle(unsigned long elapsed) {
  std::list<int> due;
  {
    CHfcCriticalSectionLock lock(m_deferLock);
    due.swap(m_deferred);
  }
  for (int pid : due) UpdateControlsFor(pid);
  CTabPageLayer::OnIdle(elapsed);
}

int ProgEditLayer::GetOSCMode() const { return GetParamValue(GetTargetMode(), EditorIds::kProgOscMode); }

void ProgEditLayer::EnableForSecondOscillator(std::initializer_list<int> controlIds) {
  const bool dual = GetOSCMode() == EditorIds::kProgOscDouble;
  for (int id : controlIds) EnableControl(GetControlById(id), dual);
}

Oskend::ISection* ProgEditLayer::GetOSCSection() const {
  Oskend::ISoundSection* buffer = m_pRemoteSynth ? m_pRemoteSynth->GetEditBuffer(GetTargetMode()) : nullptr;
  return buffer ? buffer->GetOSC() : nullptr;
}

void ProgEditLayer::OnIdleSectionParamChanged(Oskend::ISection* section, int pid) {
  XESynthLayer::OnIdleSectionParamChanged(section, pid);
  if (pid == 0x0D00) UpdateControlStatus();
}

void ProgEditLayer::OnIdleSectionReinitialized(Oskend::ISection* section) {
  XESynthLayer::OnIdleSectionReinitialized(section);
  UpdateControlStatus();
}

void ProgEditLayer::OnIdleRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*, const Oskend::SSoundIndex&) {
  UpdateControlStatus();
}

void ProgEditLayer::OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth* s, eMode m,
                                                     const Oskend::SSoundIndex& i) {
  XESynthLayer::OnIdleRemoteSynthBankListChanged(s, m, i);
  UpdateControlStatus();
}

void ProgEditLayer::OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth* s, bool on) {
  XESynthLayer::OnIdleRemoteSynthAuditionStateChanged(s, on);
  UpdateControlStatus();
}

void ProgEditLayer::RunOrDefer(int pid) {
  if (std::this_thread::get_id() == m_uiThread) {
    UpdateControlsFor(pid);
    return;
  }
  CHfcCriticalSectionLock lock(m_deferLock);
  m_deferred.push_back(pid);
}

size_t ProgEditLayer::GetDeferredUpdateCount() {
  CHfcCriticalSectionLock lock(m_deferLock);
  return m_deferred.size();
}

void ProgEditLayer::OnSectionParamChanged(Oskend::ISection* section, int pid) {
  RunOrDefer(pid);
  XERemoteSynthEventHandler::OnSectionParamChanged(section, pid);
  OnSectionParamChangedModel(pid);
}

void ProgEditLayer::OnSectionReinitialized(Oskend::ISection* section) {
  RunOrDefer(-1);
  XERemoteSynthEventHandler::OnSectionReinitialized(section);
}

bool ProgEditLayer::ApplyKeyTriple(int pid, int value, std::initializer_list<KeyTriple> triples) {
  for (const KeyTriple& t : triples) {
    int v;
    if (pid == t.p0)
      v = std::min(value, GetParamValue(GetTargetMode(), t.p1));
    else if (pid == t.p2)
      v = std::max(value, GetParamValue(GetTargetMode(), t.p1));
    else if (pid == t.p1)
      v = std::min(std::max(value, GetParamValue(GetTargetMode(), t.p0)), GetParamValue(GetTargetMode(), t.p2));
    else
      continue;
    // A correction that changes nothing is not written, so it does not
    // come back as another notice.
    if (v != GetParamValue(GetTargetMode(), pid)) PutParamValue(GetTargetMode(), pid, v);
    return true;
  }
  return false;
}

void ProgEditLayer::AppendMenu(MenuKind kind, std::list<MenuItemInfo>& out) {
  using M = MenuItemInfo;
  out.push_back(M::kMenuItemInfo_WriteProgram);
  switch (kind) {
    case kMenuBasic:
      out.push_back(M::kMenuItemInfo_CopyOscillator);
      out.push_back(M::kMenuItemInfo_SwapOscillator);
      out.push_back(M::kMenuItemInfo_Separator);
      break;
    case kMenuWithEG:
      out.push_back(M::kMenuItemInfo_CopyOscillator);
      out.push_back(M::kMenuItemInfo_SwapOscillator);
      out.push_back(M::kMenuItemInfo_CopyEG);
      out.push_back(M::kMenuItemInfo_Separator);
      break;
    case kMenuLFOs:
      out.push_back(M::kMenuItemInfo_CopyLFO);
      out.push_back(M::kMenuItemInfo_SwapLFO1);
      out.push_back(M::kMenuItemInfo_SwapLFO2);
      out.push_back(M::kMenuItemInfo_Separator);
      break;
    case kMenuAMS:
      out.push_back(M::kMenuItemInfo_Separator);
      break;
  }
  AppendFileAndTransferItems(out, eMode_ProgEdit);
}
