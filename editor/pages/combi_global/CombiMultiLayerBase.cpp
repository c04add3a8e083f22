#include "editor/pages/combi_global/CombiMultiLayerBase.h"

#include <algorithm>
#include <typeinfo>

#include "editor/controls/CMMPCtrlFlash.h"
#include "editor/shell/XEControlContainer.h"
#include "model/ISoundSection.h"
#include "remote/IRemoteSynth.h"

CombiMultiLayerBase::CombiMultiLayerBase(Oskend::IRemoteSynth* synth, eMode mode, bool groups)
    : EditTabPageLayerBase(synth, mode), m_bGroups(groups) {}

CombiMultiLayerBase::~CombiMultiLayerBase() = default;

bool CombiMultiLayerBase::OnCreate() {
  if (GetTargetMode() == eMode_Multi && m_pRemoteSynth)
    if (Oskend::ISoundSection* multi = m_pRemoteSynth->GetEditBuffer(eMode_Multi)) multi->AdviseSink(this);
  return CTabPageLayer::OnCreate();
}

bool CombiMultiLayerBase::OnDestroy() {
  CTabPageLayer::OnDestroy();
  if (GetTargetMode() == eMode_Multi && m_pRemoteSynth)
    if (Oskend::ISoundSection* multi = m_pRemoteSynth->GetEditBuffer(eMode_Multi)) multi->UnadviseSink(this);
  return true;
}

bool CombiMultiLayerBase::Show(bool redraw) {
  const bool shown = CTabPageLayer::Show(redraw);
  UpdateControlStatus();
  return shown;
}

void CombiMultiLayerBase::OnIdleSectionReinitialized(Oskend::ISection* section) {
  XESynthLayer::OnIdleSectionReinitialized(section);
  UpdateControlStatus();
}

void CombiMultiLayerBase::OnSectionParamChanged(Oskend::ISection* section, int pid) {
  XERemoteSynthEventHandler::OnSectionParamChanged(section, pid);
  UpdateControlStatus();
}

void CombiMultiLayerBase::OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth,
                                                       const Oskend::SSoundIndex& index) {
  UpdateControlStatus();
  XERemoteSynthEventHandler::OnRemoteSynthCurSoundChanged(synth, index);
}

void CombiMultiLayerBase::OnRemoteSynthBankListChanged(Oskend::IRemoteSynth* synth, eMode mode,
                                                       const Oskend::SSoundIndex& index) {
  UpdateControlStatus();
  EditTabPageLayerBase::OnRemoteSynthBankListChanged(synth, mode, index);
}

void CombiMultiLayerBase::OnRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool, bool) {
  UpdateControlStatus();
}

bool CombiMultiLayerBase::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y,
                                                    int mods) {
  if (control && typeid(*control) == typeid(CMMPCtrlFlash)) {
    auto holds = [control](const XEControlContainer* c) {
      return c && std::find(c->m_controls.begin(), c->m_controls.end(), control) !=
                      c->m_controls.end();
    };
    if (m_bGroups) {
      for (int g = 0; g < 2; ++g) {
        const auto& list = m_groupContainers[g];
        for (size_t i = 0; i < list.size(); ++i)
          if (holds(list[i])) {
            SetActiveContainerIndex(static_cast<int>(i) + 8 * g);
            break;
          }
      }
    } else {
      for (int i = 0; i < GetContainerCount(); ++i)
        if (holds(GetContainerByIndex(i))) {
          SetActiveContainerIndex(i);
          break;
        }
    }
  }
  return EditTabPageLayerBase::OnHfcCtrlMouseLButtonDown(control, x, y, mods);
}

int CombiMultiLayerBase::GetNumTracks() const {
  switch (GetTargetMode()) {
    case 0:
    case 1:
      return 12;
    case 4:
      return 16;
    default:
      return 0;
  }
}

int CombiMultiLayerBase::GetBaseId(int track) {
  const int mode = GetTargetMode();
  return mode == 0 || mode == 1 ? 0x200 + 0x100 * track : 0;
}

void CombiMultiLayerBase::OnMidiIn(unsigned char status, unsigned char, unsigned char) {
  if (!IsVisible() || !m_pRemoteSynth) return;
  const int soundMode = m_pRemoteSynth->GetSoundMode();
  if (soundMode == 2) return;
  const int mode = m_pRemoteSynth->GetMode();
  if (mode != 0 && mode != 1 && mode != 4) return;
  Oskend::ISoundSection* buffer = m_pRemoteSynth->GetEditBuffer(mode == 1 ? 0 : mode);
  if (!buffer || m_trackIndicators.empty()) return;
  const int channel = status & 0x0F;
  for (size_t t = 0; t < m_trackIndicators.size(); ++t) {
    const int pid = GetBaseId(static_cast<int>(t)) + 4;
    Oskend::ISection* section = nullptr;
    if (!buffer->FindSectionByPID(pid, &section) || !section) continue;
    const int ch = section->GetParamI(pid);
    const bool match = (soundMode == 0 && (ch == channel || ch == 16)) ||
                       (soundMode == 4 && ch == channel);
    if (match && m_trackIndicators[t])
      m_trackIndicators[t]->SetIntValue(m_trackIndicators[t]->GetMaxIntValue(), true);
  }
}

void CombiMultiLayerBase::AddTrackShiftList(int group, XEControlContainer* container) {
  if (group == 0 || group == 1) m_groupContainers[group].push_back(container);
}

void CombiMultiLayerBase::AddTrackShiftList(int group, CHfcControl* control) {
  if (group == 0 || group == 1) m_groupControls[group].push_back(control);
}

void CombiMultiLayerBase::TrackShift(int group) {
  for (int g = 0; g < 2; ++g) {
    for (XEControlContainer* c : m_groupContainers[g])
      if (g == group) c->Show(true); else c->Hide(true);
    for (CHfcControl* c : m_groupControls[g])
      if (g == group) c->Show(true); else c->Hide(true);
  }
  RequestRedraw();
}
