#include "editor/pages/combi_global/GlobalUserScaleLayer.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/pages/combi_global/XEOctaveSelector.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"

using combipage::AddGroup;
using combipage::Put;

namespace {
struct KeyPlace {
  int x;
  int y;
};
constexpr KeyPlace kKeys[12] = {{8, 85},   {38, 30},  {67, 85},  {97, 30},  {126, 85}, {185, 85},
                                {215, 30}, {244, 85}, {274, 30}, {303, 85}, {333, 30}, {362, 85}};
const char* const kOctaveLabels[12] = {"C(Key)", "C#", "D",  "D#", "E",  "F",
                                       "F#",     "G",  "G#", "A",  "A#", "B"};
constexpr int kNotes = 128;
}  // namespace

GlobalUserScaleLayer::GlobalUserScaleLayer(Oskend::IRemoteSynth* synth)
    : GlobalPageLayerBase(synth, eMode_Global, true, kDumpSwitchId) {}

bool GlobalUserScaleLayer::OnCreate() {
  m_pOctaveImage = combipage::Skin("Container_UserScale_Octave");
  m_pOctave10Image = combipage::Skin("Container_UserScale_Octave10");
  CreateUserOctaveControls();
  CreateAllNotesControls();
  OnUserOctaveChanged(0);
  OnAllNotesOctaveChanged(0);
  GlobalPageLayerBase::OnCreate();
  return true;
}

void GlobalUserScaleLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_WriteGlobalSetting, &MenuItemInfo::kMenuItemInfo_CopyScale,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_Load,
        &MenuItemInfo::kMenuItemInfo_Save, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_ReceiveAll, &MenuItemInfo::kMenuItemInfo_TransmitAll,
        &MenuItemInfo::kMenuItemInfo_ReceiveGlobal, &MenuItemInfo::kMenuItemInfo_TransmitGlobal})
    list.push_back(*m);
}

void GlobalUserScaleLayer::CreateOctaveEdit(XEControlCreater& make, XEControlContainer* keys,
                                            int base) {
  const bool upper = base == kOctaveBase;
  for (int i = 0; i < 12; ++i) {
    const int labelId = (upper ? kOctaveLabelBase : kAllNotesLabelBase) + i;
    Put(this, keys,
        make.CreateLabel(kKeys[i].x, kKeys[i].y - 18, upper ? kOctaveLabels[i] : "", 40, 13, 6, 1,
                         0, labelId));
    if (CHfcControl* field = Put(this, keys, make.CreateTextEdit(kKeys[i].x, kKeys[i].y, 40, 13,
                                                                 base + i, false))) {
      LinkControlWithParam(field, GetTargetMode(), base + i);
      SynchronizeControlWithParam(field, true);
    }
  }
}

void GlobalUserScaleLayer::CreateUserOctaveControls() {
  XEControlContainer* title = AddGroup(this, "Container_Horizontal_1", 9, 5, 0, 0);
  XEControlCreater t(title->m_pBackground, title->m_iX, title->m_iY);
  Put(this, title, t.CreateLabel(5, 5, "User Octave Scale", 120, 13, 1, 0, 0, -1));
  XEControlContainer* row = AddGroup(this, "Container_Base", 9, 25, 0, 20);
  XEControlCreater r(row->m_pBackground, row->m_iX, row->m_iY);
  Put(this, row, r.CreateLabel(10, 4, "Octave Scale", 80, 13, 0, 0, 0, -1));
  if (XEDropdownList* list = Put(this, row, r.CreateDropdownList(100, 4, 2, kScaleListId))) {
    for (int s = 0; s < 4; ++s)
      list->AddItem(("User Octave Scale 0" + std::to_string(s)).c_str(), false);
    list->SetMinIntValue(0, false);
    list->SetMaxIntValue(3, false);
  }
  AddGroup(this, "Container_Base", 9, 46, 0, 140);
  XEControlContainer* keys = AddGroup(this, "Container_UserScale_Octave", 179, 61, 0, 0);
  XEControlCreater k(keys->m_pBackground, keys->m_iX, keys->m_iY);
  CreateOctaveEdit(k, keys, kOctaveBase);
}

void GlobalUserScaleLayer::CreateAllNotesControls() {
  XEControlContainer* title = AddGroup(this, "Container_Horizontal_1", 9, 190, 0, 0);
  XEControlCreater t(title->m_pBackground, title->m_iX, title->m_iY);
  Put(this, title, t.CreateLabel(10, 4, "User All Notes Scale", 200, 13, 1, 0, 0, -1));
  AddGroup(this, "Container_Base", 9, 210, 0, 140);
  m_pAllNotesKeys = AddGroup(this, "Container_UserScale_Octave", 179, 225, 0, 0);
  XEControlCreater k(m_pAllNotesKeys->m_pBackground, m_pAllNotesKeys->m_iX, m_pAllNotesKeys->m_iY);
  CreateOctaveEdit(k, m_pAllNotesKeys, kAllNotesBase);
  XEControlContainer* bottom = AddGroup(this, "Container_Base", 9, 351, 0, 43);
  auto* selector = new XEOctaveSelector;
  if (selector->Create(119, 358, bottom->m_pBackground, 0, 0, kOctaveSelectorId))
    Put(this, bottom, selector);
  else
    delete selector;
}

void GlobalUserScaleLayer::OnUserOctaveChanged(int scale) {
  CHfcControl* list = GetControlById(kScaleListId, 0);
  if (!list) return;
  list->SetIntValue(scale, true);
  for (int i = 0; i < 12; ++i) {
    CHfcControl* field = GetControlById(kOctaveBase + i, 0);
    if (!field) continue;
    RelinkControlWithParam(field, GetTargetMode(), kOctaveBase + 12 * scale + i);
    SynchronizeControlWithParam(field, true);
  }
}

void GlobalUserScaleLayer::OnAllNotesOctaveChanged(int octave) {
  CHfcControl* selector = GetControlById(kOctaveSelectorId, 0);
  if (!selector) return;
  selector->SetIntValue(octave, true);
  for (int i = 0; i < 12; ++i) {
    const int note = 12 * octave + i;
    const bool hidden = note >= kNotes;
    if (CHfcControl* label = GetControlById(kAllNotesLabelBase + i, 0)) {
      if (hidden) {
        label->Hide(true);
      } else {
        std::string name = XESynthUtils::GetKeyNoteString(note);
        label->SetPtrValue(const_cast<char*>(name.c_str()), true);
        label->Show(true);
      }
    }
    if (CHfcControl* field = GetControlById(kAllNotesBase + i, 0)) {
      RelinkControlWithParam(field, GetTargetMode(), kAllNotesBase + note);
      SynchronizeControlWithParam(field, true);
      if (hidden) field->Hide(true);
    }
  }
  if (m_pAllNotesKeys) {
    m_pAllNotesKeys->m_pBackground = octave == 10 ? m_pOctave10Image : m_pOctaveImage;
    if (m_pAllNotesKeys->m_pBackground) {
      m_pAllNotesKeys->m_iWidth = m_pAllNotesKeys->m_pBackground->GetWidth();
    }
  }
  RequestRedraw();
}

void GlobalUserScaleLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (control && control->GetId() == kOctaveSelectorId) {
    OnAllNotesOctaveChanged(value);
    return;
  }
  if (control && control->GetId() == kScaleListId) {
    OnUserOctaveChanged(value);
    return;
  }
  GlobalPageLayerBase::OnHfcCtrlIntValueChanged(control, value);
}

void GlobalUserScaleLayer::OnHfcCtrlPtrValueChanged(CHfcControl* control, void* text) {
  if (control && text && control->GetId() == kScaleListId)
    OnUserOctaveChanged(std::clamp(std::atoi(static_cast<const char*>(text)),
                                   control->GetMinIntValue(),
                                   std::min(control->GetMaxIntValue(), kScaleCount - 1)));
  XESynthLayer::OnHfcCtrlPtrValueChanged(control, text);
}

bool GlobalUserScaleLayer::PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  return CTabPageLayer::PreMouseLButtonDown(m, x, y, mods);
}
