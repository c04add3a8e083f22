#include "editor/pages/combi_global/TesraCombiPlayLayer.h"

#include <cstdlib>
#include <string>

#include "editor/controls/CTabControl.h"
#include "editor/controls/UIFormManager.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/pages/combi_global/CCombiPlayTabPageLayer.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "model/ISection.h"
#include "model/IStringConverter.h"
#include "model/paramdesc/SParamDesc.h"
#include "remote/IRemoteSynth.h"

namespace {
constexpr int kSplitKeyId = 0x107;
constexpr int kCurrentTimbreId = 0x10A;
// Above the sub-pages, which start 38 rows down (strip at 4, tabs 34 high).
constexpr int kKeyBoxTop = 0;
}  // namespace

TesraCombiPlayLayer::TesraCombiPlayLayer(Oskend::IRemoteSynth* synth)
    : CombiMultiLayerBase(synth, eMode_Combi, false) {}

TesraCombiPlayLayer::~TesraCombiPlayLayer() = default;

bool TesraCombiPlayLayer::OnCreate() {
  m_noteLock.Lock();
  m_noteRequests.clear();
  m_noteLock.Unlock();
  CreateTimbreProg();
  CreateSublevelTab();
  if (m_pRemoteSynth) m_pRemoteSynth->AdviseMIDISink(this);
  return CombiMultiLayerBase::OnCreate();
}

bool TesraCombiPlayLayer::OnDestroy() {
  if (m_pRemoteSynth) m_pRemoteSynth->UnadviseMIDISink(this);
  return CombiMultiLayerBase::OnDestroy();
}

void TesraCombiPlayLayer::CreateTimbreProg() {
  // The key box stands in the band beside the sub-page strip, at the top
  // of the page: lower down the sub-pages lie over it and the learn switch
  // could not be reached.
  XEControlContainer* box = combipage::AddGroup(this, "Container_Base", 600, kKeyBoxTop, 120, 42);
  XEControlCreater make(box->m_pBackground, box->m_iX, box->m_iY);
  CHfcControl* key = combipage::Put(this, box, make.CreateTextEdit(75, 5, 40, 13, kKeyFieldId, false));
  if (key) {
    LinkControlWithParam(key, GetTargetMode(), kSplitKeyId);
    SynchronizeControlWithParam(key, true);
    if (Oskend::ISection* s = GetParamSection(GetTargetMode(), kSplitKeyId))
      SynchronizeAllControlWithParam(s, true);
  }
  if (CHfcControl* learn = combipage::Put(this, box, make.CreateCheckBox(5, 24, kLearnSwitchId, 0)))
    learn->SetIntValue(1, true);
  // Away from the split bar, the field and the switch say what they are.
  combipage::Put(this, box, make.CreateLabel(5, 5, "Split Key", 66, 13, 0, 0, 1, -1));
  combipage::Put(this, box, make.CreateLabel(22, 24, "Learn by playing", 94, 13, 0, 0, 1, -1));
}

bool TesraCombiPlayLayer::CreateSublevelTab() {
  EditTabPageLayerBase::CreateSublevelTab("Tab_Low_Combi_Play", 4, 76);
  UIFormManager* forms = UIFormManager::GetInstance();
  for (int i = 0; i < 2; ++i) {
    auto* page = new CCombiPlayTabPageLayer(m_pRemoteSynth, m_pSublevelTab, "");
    page->SetTargetMode(GetTargetMode());
    const UI_FORMINFO* form = forms ? forms->GetLayerFormInfoById(i == 0 ? 0x42E : 0x42F) : nullptr;
    if (form && m_pSublevelTab) {
      page->Create(*form, GetParentWindow(), "Background_SubTab_Large");
      m_pSublevelTab->AddTabPageLayer(GetParentWindow(), page);
    } else {
      // Without its form the tab stays out of the strip.
      delete page;
    }
  }
  return true;
}

void TesraCombiPlayLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  using M = MenuItemInfo;
  for (const M* m :
       {&M::kMenuItemInfo_WriteCombination, &M::kMenuItemInfo_InitCombination, &M::kMenuItemInfo_Separator})
    list.push_back(*m);
  AppendFileAndTransferItems(list, eMode_Combi);
}

bool TesraCombiPlayLayer::OnHfcMouseLButtonDown(CHfcMouse*, int, int, int) {
  ReleaseFocus(static_cast<CHfcKeyFocusListener*>(nullptr));
  return true;
}

bool TesraCombiPlayLayer::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) {
  return CombiMultiLayerBase::OnHfcCtrlMouseLButtonDown(control, x, y, mods);
}

void TesraCombiPlayLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (!control) return;
  const int id = control->GetId();
  if (id == kKeyFieldId) {
    RequestChangeNote(value);
    XESynthLayer::OnHfcCtrlIntValueChanged(control, value);
    return;
  }
  if (id == kLearnSwitchId) {
    // No parameter stands behind the learn switch to answer the press: the
    // switch takes its next state itself (the release reports the state).
    if (value < 0) control->SetIntValue(control->GetIntValue() == 0 ? 1 : 0, true);
    return;
  }
  if (id >= 0x202 && id <= 0x202 + 0x100 * 11 && (id - 0x202) % 0x100 == 0) {
    // The volumes are automated by the host.
    const SParamIdInfo link = GetParameterIdByControl(control);
    if (link.section && link.pid != -1)
      link.section->PutParamIEx(link.pid, value, Oskend::ISection::kPlainWrite, eChgSource_Reported);
    return;
  }
  XESynthLayer::OnHfcCtrlIntValueChanged(control, value);
}

void TesraCombiPlayLayer::OnHfcCtrlPtrValueChanged(CHfcControl* control, void* text) {
  if (control && text && control->GetId() == kKeyFieldId &&
      dynamic_cast<CHfcCtrlCharEditText*>(control)) {
    const char* typed = static_cast<const char*>(text);
    int note = std::atoi(typed);
    SParamDesc desc{};
    if ((note < 1 || note > 127) && GetParamDesc(&desc, GetTargetMode(), kSplitKeyId) &&
        desc.converter)
      note = desc.converter->Parse(typed);
    RequestChangeNote(note);
  }
  XESynthLayer::OnHfcCtrlPtrValueChanged(control, text);
}

void TesraCombiPlayLayer::OnSectionParamChanged(Oskend::ISection* section, int pid) {
  if (pid == kCurrentTimbreId && section && m_pRemoteSynth)
    m_pRemoteSynth->SetActiveTrack(section->GetParamI(kCurrentTimbreId));
  CombiMultiLayerBase::OnSectionParamChanged(section, pid);
}

void TesraCombiPlayLayer::OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth,
                                                       const Oskend::SSoundIndex& index) {
  CombiMultiLayerBase::OnRemoteSynthCurSoundChanged(synth, index);
}

bool TesraCombiPlayLayer::IsLearning() {
  CHfcControl* learn = GetControlById(kLearnSwitchId, 0);
  return learn && learn->GetIntValue() != 0;
}

void TesraCombiPlayLayer::OnMidiIn(unsigned char status, unsigned char data1, unsigned char data2) {
  if (IsVisible() && IsLearning() && (status & 0xF0) == 0x90) RequestChangeNote(data1);
  CombiMultiLayerBase::OnMidiIn(status, data1, data2);
}

void TesraCombiPlayLayer::OnRemoteSynthMIDIIn(Oskend::IRemoteSynth*, const void* data,
                                              unsigned int length) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  if (!bytes || length < 2 || !IsVisible() || !IsLearning()) return;
  if ((bytes[0] & 0xF0) == 0x90) RequestChangeNote(bytes[1]);
}

void TesraCombiPlayLayer::RequestChangeNote(int note) {
  m_noteLock.Lock();
  m_noteRequests.push_back(note);
  m_noteLock.Unlock();
}

void TesraCombiPlayLayer::OnIdle(unsigned long elapsed) {
  m_noteLock.Lock();
  if (!m_noteRequests.empty()) {
    const int last = m_noteRequests.back();
    m_noteRequests.clear();
    ChangeCurrentNote(last);
  }
  m_noteLock.Unlock();
  CTabPageLayer::OnIdle(elapsed);
}

void TesraCombiPlayLayer::ChangeCurrentNote(int note) {
  if (CHfcControl* key = GetControlById(kKeyFieldId, 0)) {
    if (!key->IsEnabled()) return;
    if (note > key->GetMaxIntValue() || note < key->GetMinIntValue()) return;
    key->SetIntValue(note, true);
    std::string name = XESynthUtils::GetKeyNoteString(note);
    key->SetPtrValue(const_cast<char*>(name.c_str()), true);
  }
  if (CHfcControl* bar = GetControlById(kSplitBarId, 0)) bar->SetIntValue(note, true);
}

int TesraCombiPlayLayer::GetParamId(int kind, int i) {
  switch (kind) {
    case 0: return 0x200 + 0x100 * i;
    case 1: return 0x201 + 0x100 * i;
    case 2: return 0x202 + 0x100 * i;
    case 3: return 0x22B + 0x100 * i;
    case 4: return 0x20D + 0x100 * i;
    case 5: return 0x236 + 0x100 * i;
    case 6: return 0x237 + 0x100 * i;
    case 7: return 0x1200 + i;
    case 8: return 0x1800 + i;
    case 9: return 0x1900 + i;
    case 10: return 0x1A00 + i;
    case 11: return 0x1B00;
    case 12: return 0x1C00 + i;
    case 13: return 0x1205 + i;
    case 14: return 0x1802 + i;
    case 15: return 0x1B01;
    case 16: return 0xCC05 + i;
    case 17: return 0xD203;
    default: return -1;
  }
}
