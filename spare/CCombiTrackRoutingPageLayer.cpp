#include "spare/CCombiTrackRoutingPageLayer.h"

#include "editor/controls/XEDropdownList.h"
#include "model/ISection.h"
#include "model/ISoundSection.h"
#include "model/XEUtils.h"
#include "remote/IRemoteSynth.h"

namespace {
constexpr int kBusSelectBase = 0x234;
constexpr int kProgramBase = 0x200;
// The program mode whose sounds may feed the first bus entry.
constexpr int kBusProgramMode = 2;
}  // namespace

CCombiTrackRoutingPageLayer::CCombiTrackRoutingPageLayer(Oskend::IRemoteSynth* synth,
                                                         const std::string& name)
    : CTabPageLayer(synth, name) {
  for (bool& flag : m_bBusEnabled) flag = true;
}

bool CCombiTrackRoutingPageLayer::OnCreate() { return CTabPageLayer::OnCreate(); }

void CCombiTrackRoutingPageLayer::OnRefresh() {
  XESynthLayer::OnRefresh();
  InitBusSelectDropdownList();
}

void CCombiTrackRoutingPageLayer::OnIdleRemoteSynthBankListChanged(
    Oskend::IRemoteSynth* synth, eMode mode, const Oskend::SSoundIndex& sound) {
  XESynthLayer::OnIdleRemoteSynthBankListChanged(synth, mode, sound);
  UpdateBusSelectDropdownList();
}

void CCombiTrackRoutingPageLayer::OnIdleRemoteSynthAuditionStateChanged(
    Oskend::IRemoteSynth* synth, bool on) {
  XESynthLayer::OnIdleRemoteSynthAuditionStateChanged(synth, on);
  UpdateBusSelectDropdownList();
}

void CCombiTrackRoutingPageLayer::OnIdleSectionReinitialized(Oskend::ISection* section) {
  XESynthLayer::OnIdleSectionReinitialized(section);
  UpdateBusSelectDropdownList();
}

void CCombiTrackRoutingPageLayer::OnIdleSectionParamChanged(Oskend::ISection* section, int pid) {
  XESynthLayer::OnIdleSectionParamChanged(section, pid);
  UpdateBusSelectDropdownList();
}

void CCombiTrackRoutingPageLayer::OnIdleRemoteSynthCurSoundChanged(
    Oskend::IRemoteSynth*, const Oskend::SSoundIndex&) {
  UpdateBusSelectDropdownList();
}

void CCombiTrackRoutingPageLayer::OnIdleRemoteSynthProgOSCModeChanged(Oskend::IRemoteSynth*, int) {
  UpdateBusSelectDropdownList();
}

void CCombiTrackRoutingPageLayer::InitBusSelectDropdownList() {
  const bool combi = GetTargetMode() == eMode_Combi;
  for (int t = 0; t < kTimbreCount; ++t) {
    const int id = combi ? kBusSelectBase + (t << 8) : -1;
    auto* list = dynamic_cast<XEDropdownList*>(GetControlById(id, 0));
    if (list && !list->GetEnableParameterList()) list->SetEnableParameterList(&m_bBusEnabled[t], 0);
  }
  UpdateBusSelectDropdownList();
}

void CCombiTrackRoutingPageLayer::UpdateBusSelectDropdownList() {
  for (bool& flag : m_bBusEnabled) flag = true;
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  if (!synth) return;
  const bool combi = GetTargetMode() == eMode_Combi;
  Oskend::ISoundSection* buffer = synth->GetEditBuffer(GetTargetMode());
  if (!buffer) return;
  for (int t = 0; t < kTimbreCount; ++t) {
    const int id = combi ? kProgramBase + (t << 8) : -1;
    Oskend::ISection* section = nullptr;
    if (!buffer->FindSectionByPID(id, &section) || !section) continue;
    Oskend::eBankID bank{};
    int program = 0;
    if (!XEUtils::Int2BankProg(section->GetParamI(id), &bank, &program, eMode_ProgPlay)) continue;
    if (synth->GetProgramMode(bank, program) != kBusProgramMode) m_bBusEnabled[t] = false;
  }
}
