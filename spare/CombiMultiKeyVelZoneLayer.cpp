#include "spare/CombiMultiKeyVelZoneLayer.h"

#include <cstdlib>
#include <string>

#include "editor/controls/CMMPCtrlFlash.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/ZubZoneSlopeBar.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcOffscreenContext.h"
#include "model/IStringConverter.h"
#include "model/paramdesc/SParamDesc.h"
#include "remote/IRemoteSynth.h"
#include "spare/KeyVelZoneRules.h"

using combipage::AddGroup;
namespace kv = KeyVelZoneRules;

namespace {

bool IsEditingField(CHfcControl* c) {
  auto* field = dynamic_cast<CHfcCtrlCharEditText*>(c);
  return field && field->IsEditing();
}

}  // namespace

CombiMultiKeyVelZoneLayer::CombiMultiKeyVelZoneLayer(Oskend::IRemoteSynth* synth, eMode mode,
                                                     bool groups)
    : CombiMultiLayerBase(synth, mode, groups) {}

bool CombiMultiKeyVelZoneLayer::OnCreate() {
  for (int t = 0; t < kTimbres; ++t) m_keyBars[t] = m_velBars[t] = nullptr;
  CreateKeyZoneControls();
  CreateVelocityZoneControls();
  if (Oskend::ISection* s = GetParamSection(GetTargetMode(), GetParamIdBase(0) + kv::kTopKey))
    SynchronizeAllControlWithParam(s, true);
  if (m_pRemoteSynth) m_pRemoteSynth->AdviseMIDISink(this);
  return CombiMultiLayerBase::OnCreate();
}

bool CombiMultiKeyVelZoneLayer::OnDestroy() {
  if (m_pRemoteSynth) m_pRemoteSynth->UnadviseMIDISink(this);
  return CombiMultiLayerBase::OnDestroy();
}

void CombiMultiKeyVelZoneLayer::PutLinked(XEControlContainer* group, CHfcControl* control, int id) {
  if (!control) return;
  AddControl(control, false);
  control->SetListener(this);
  control->Show(false);
  LinkControlWithParam(control, GetTargetMode(), id);
  SynchronizeControlWithParam(control, true);
  if (group) group->AddControl(control);
}

void CombiMultiKeyVelZoneLayer::PutLabel(XEControlContainer* group, int x, int y, const char* text,
                                         int w, int style, int align) {
  XEControlCreater make(group->m_pBackground, group->m_iX, group->m_iY);
  CHfcControl* label = make.CreateLabel(x, y, text, w, 13, style, align, 1, -1);
  if (!label) return;
  AddControl(label, false);
  label->Show(false);
  group->AddControl(label);
}

void CombiMultiKeyVelZoneLayer::CreateTimbreNumbers(XEControlCreater* creator,
                                                    XEControlContainer* container, int timbre) {
  CMMPCtrlFlash* indicator =
      creator->CreateMIDIIndicator((container->m_iWidth - 13) / 2, 4, timbre, -1, false);
  if (!indicator) return;
  AddControl(indicator, false);
  indicator->SetListener(this);
  indicator->Show(false);
  container->AddControl(indicator);
  m_trackIndicators.push_back(indicator);
}

void CombiMultiKeyVelZoneLayer::CreateRows(int top, const int* offsets, const char* const* labels) {
  const bool framed = GetTargetMode() == eMode_Combi;
  const int n = GetNumTracks();
  for (int r = 0; r < 4; ++r) {
    XEControlContainer* row = AddGroup(this, "Container_HorizontalBar", 9, top + 18 * r, 0, 0);
    row->m_bFramed = framed;
    PutLabel(row, 8, 2, labels[r], 81, 0, 0);
    XEControlCreater make(row->m_pBackground, row->m_iX, row->m_iY);
    // Slopes are chosen from lists, the zone ends typed.
    const bool slope = r >= 2;
    for (int t = 0; t < n; ++t) {
      const int id = GetParamIdBase(t) + offsets[r];
      PutLinked(row,
                slope ? static_cast<CHfcControl*>(make.CreateDropdownList(81 + 45 * t, 2, 7, id))
                      : make.CreateTextEdit(81 + 45 * t, 2, 40, 13, id, false),
                id);
    }
  }
}

void CombiMultiKeyVelZoneLayer::CreateKeyZoneControls() {
  const bool framed = GetTargetMode() == eMode_Combi;
  const int n = GetNumTracks();
  for (int t = 0; t < n; ++t) {
    XEControlContainer* column = AddGroup(this, "Container_KeyZone_Timbre", 88 + 45 * t, 5, 0, 0);
    AddTrackShiftList(t / 8, column);
    column->m_bFramed = framed;
    XEControlCreater make(column->m_pBackground, column->m_iX, column->m_iY);
    CreateTimbreNumbers(&make, column, t);
  }
  XEControlContainer* title = AddGroup(this, "Container_Horizontal_1", 9, 5, 78,
                                       combipage::SkinHeight("Container_Horizontal_1"));
  PutLabel(title, 5, 5, "K/V Zone", 60, 1, 0);

  static const int kOffsets[] = {kv::kTopKey, kv::kBottomKey, kv::kTopKeySlope, kv::kBottomKeySlope};
  static const char* const kLabels[] = {"Top Key", "Bottom Key", "Top Slope", "Bottom Slope"};
  CreateRows(26, kOffsets, kLabels);

  const int wb = combipage::SkinWidth("Container_Base");
  XEControlContainer* picture = AddGroup(this, "Container_Base", 9, 98, wb, 115);
  PutLabel(picture, 0, (115 - 29) / 2, "Key", 46, 2, 1);
  PutLabel(picture, 0, (115 - 29) / 2 + 16, "Zone", 46, 2, 1);
  XEControlCreater make(GetBackgroundBmp(), 0, 0);
  for (int t = 0; t < n; ++t) {
    ZubZoneSlopeBar* bar = make.CreateZoneSlopeBar(55, 102 + 5 * t, kKeyBarId + t, 0);
    if (!bar) continue;
    AddControl(bar, false);
    bar->SetListener(this);
    bar->Show(false);
    picture->AddControl(bar);
    m_keyBars[t] = bar;
  }
}

void CombiMultiKeyVelZoneLayer::CreateVelocityZoneControls() {
  static const int kOffsets[] = {kv::kTopVelocity, kv::kBottomVelocity, kv::kTopVelocitySlope,
                                 kv::kBottomVelocitySlope};
  static const char* const kLabels[] = {"Top Velocity", "Bottom Velocity", "Top Slope",
                                        "Bottom Slope"};
  CreateRows(217, kOffsets, kLabels);

  const int n = GetNumTracks();
  const int wb = combipage::SkinWidth("Container_Base");
  XEControlContainer* picture = AddGroup(this, "Container_Base", 9, 289, wb, 104);
  PutLabel(picture, 0, (104 - 29) / 2, "Velocity", 46, 2, 1);
  PutLabel(picture, 0, (104 - 29) / 2 + 16, "Zone", 46, 2, 1);
  XEControlCreater make(GetBackgroundBmp(), 0, 0);
  for (int t = 0; t < n; ++t) {
    ZubZoneSlopeBar* bar = make.CreateZoneSlopeBar(55, 293 + 5 * t, kVelBarId + t, 0);
    if (!bar) continue;
    bar->SetMinIntValue(1, false);
    AddControl(bar, false);
    bar->SetListener(this);
    bar->Show(false);
    picture->AddControl(bar);
    m_velBars[t] = bar;
  }
}

void CombiMultiKeyVelZoneLayer::OnPostDrawBackground(CHfcOffscreenContext* dc) {
  if (!dc) return;
  if (CHfcBmp* keys = combipage::Skin("Image_Keyboard_Big"))
    dc->CopyBmp(55, 183, keys->GetWidth(), keys->GetHeight(), keys, 0, 0);
  if (CHfcBmp* scale = combipage::Skin("Image_VelocityScale"))
    dc->CopyBmp(55, 373, scale->GetWidth(), scale->GetHeight(), scale, 0, 0);
}

int CombiMultiKeyVelZoneLayer::GetNearestKeyIndex(int target, int limit) const {
  return kv::GetNearestIndex(kv::kKeySlopeWidths, target, limit);
}

int CombiMultiKeyVelZoneLayer::GetNearestVelIndex(int target, int limit) const {
  return kv::GetNearestIndex(kv::kVelSlopeWidths, target, limit);
}

int CombiMultiKeyVelZoneLayer::GetZoneValue(int id) { return GetParamValue(GetTargetMode(), id); }

void CombiMultiKeyVelZoneLayer::PutZoneValue(int id, int value) {
  PutParamValue(GetTargetMode(), id, value);
}

bool CombiMultiKeyVelZoneLayer::ApplyZoneChange(bool velocity, int id, int value, bool fromField) {
  const int b = id & 0xFF00;
  const int first = velocity ? kv::kTopVelocity : kv::kTopKey;
  kv::Zone zone{GetZoneValue(b + first), GetZoneValue(b + first + 3), GetZoneValue(b + first + 1),
                GetZoneValue(b + first + 2)};
  int result = 0;
  const bool ok = velocity ? kv::ApplyVelChange(id & 0xFF, value, fromField, zone, &result)
                           : kv::ApplyKeyChange(id & 0xFF, value, fromField, zone, &result);
  if (ok) PutZoneValue(id, result);
  return ok;
}

void CombiMultiKeyVelZoneLayer::ApplyKeyValueChange(int id, int value, bool fromField) {
  ApplyZoneChange(false, id, value, fromField);
}

void CombiMultiKeyVelZoneLayer::ApplyVelValueChange(int id, int value, bool fromField) {
  ApplyZoneChange(true, id, value, fromField);
}

void CombiMultiKeyVelZoneLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (!control) return;
  const int id = control->GetId();
  if ((id & 0xFC) == kv::kTopVelocity)
    ApplyVelValueChange(id, value, true);
  else if ((id & 0xFC) == kv::kTopKey)
    ApplyKeyValueChange(id, value, true);
}

void CombiMultiKeyVelZoneLayer::OnHfcCtrlPtrValueChanged(CHfcControl* control, void* value) {
  if (!control || !value) return;
  const int id = control->GetId();
  if (dynamic_cast<ZubZoneSlopeBar*>(control) && ((id & 0xF0000) == kVelBarId || (id & 0xF0000) == kKeyBarId)) {
    const auto* change = static_cast<const tagZoneSlopeBarValue*>(value);
    if (change->id < 0 || change->id > 3) return;
    const int timbre = id & 0xFF;
    if ((id & 0xF0000) == kVelBarId) {
      static const int kVelOffsets[] = {kv::kBottomVelocity, kv::kTopVelocity,
                                        kv::kBottomVelocitySlope, kv::kTopVelocitySlope};
      ApplyVelValueChange(GetParamIdBase(timbre) + kVelOffsets[change->id], change->value, false);
    } else {
      static const int kKeyOffsets[] = {kv::kBottomKey, kv::kTopKey, kv::kBottomKeySlope,
                                        kv::kTopKeySlope};
      ApplyKeyValueChange(GetParamIdBase(timbre) + kKeyOffsets[change->id], change->value, false);
    }
    return;
  }
  if (dynamic_cast<CHfcCtrlCharEditText*>(control)) {
    const char* text = static_cast<const char*>(value);
    int n = std::atoi(text);
    if (n < 1 || n > 127) {
      SParamDesc desc{};
      if (GetParamDesc(&desc, GetTargetMode(), id) && desc.converter)
        n = desc.converter->Parse(text);
    }
    if ((id & 0xFC) == kv::kTopVelocity)
      ApplyVelValueChange(id, n, true);
    else if ((id & 0xFC) == kv::kTopKey)
      ApplyKeyValueChange(id, n, true);
    return;
  }
  XESynthLayer::OnHfcCtrlPtrValueChanged(control, value);
}

void CombiMultiKeyVelZoneLayer::OnPostSynchronizeControlWithParam(CHfcControl*,
                                                                  Oskend::ISection*, int pid) {
  const int timbre = ((pid & 0xFF00) - GetParamIdBase(0)) / 256;
  if (timbre < 0 || timbre >= kTimbres) return;
  const int offset = pid & 0xFF;
  const bool velocity = offset >= kv::kTopVelocity && offset <= kv::kBottomVelocity;
  if (!velocity && (offset < kv::kTopKey || offset > kv::kBottomKey)) return;
  ZubZoneSlopeBar* bar = velocity ? m_velBars[timbre] : m_keyBars[timbre];
  if (!bar) return;
  const int* widths = velocity ? kv::kVelSlopeWidths : kv::kKeySlopeWidths;
  auto width = [widths](int index) { return widths[index < 0 ? 0 : index > 15 ? 15 : index]; };
  const int b = pid & 0xFF00;
  const int first = velocity ? kv::kTopVelocity : kv::kTopKey;
  const int value = GetZoneValue(pid);
  const int top = GetZoneValue(b + first);
  const int bottom = GetZoneValue(b + first + 3);
  const int ts = width(GetZoneValue(b + first + 1));
  const int bs = width(GetZoneValue(b + first + 2));
  switch (offset - first) {
    case 0:
      bar->SetParamZoneMax(value);
      bar->SetParamSlopeMax(value - ts);
      break;
    case 1: bar->SetParamSlopeMax(top - width(value)); break;
    case 2: bar->SetParamSlopeMin(bottom + width(value)); break;
    case 3:
      bar->SetParamZoneMin(value);
      bar->SetParamSlopeMin(value + bs);
      break;
  }
}

void CombiMultiKeyVelZoneLayer::OnNoteInput(int status, int data1, int data2) {
  if ((status & 0xF0) != 0x90) return;
  std::vector<CHfcControl*> controls;
  GetControlVec(controls);
  CHfcControl* field = nullptr;
  for (CHfcControl* c : controls)
    if (IsEditingField(c)) {
      field = c;
      break;
    }
  if (!field) return;
  const SParamIdInfo info = GetParameterIdByControl(field);
  if (!info.section || info.pid == -1) return;
  const int value = kv::NoteInputValue(status, data1, data2, info.pid & 0xFF);
  if (value < 0) return;
  SParamDesc desc{};
  if (!GetParamDesc(&desc, GetTargetMode(), info.pid) || !desc.converter) return;
  std::string text = desc.converter->Format(value);
  field->SetPtrValue(const_cast<char*>(text.c_str()), false);
}

void CombiMultiKeyVelZoneLayer::OnMidiIn(unsigned char status, unsigned char data1,
                                         unsigned char data2) {
  OnNoteInput(status, data1, data2);
  CombiMultiLayerBase::OnMidiIn(status, data1, data2);
}

void CombiMultiKeyVelZoneLayer::OnRemoteSynthMIDIIn(Oskend::IRemoteSynth*, const void* bytes,
                                                    unsigned length) {
  if (!bytes || length == 0 || !IsVisible()) return;
  const auto* b = static_cast<const unsigned char*>(bytes);
  if ((b[0] & 0xF0) != 0x90) return;
  std::lock_guard<os::Lock> lock(m_noteLock);
  m_note[0] = b[0];
  m_note[1] = length > 1 ? b[1] : 0;
  m_note[2] = length > 2 ? b[2] : 0;
  m_bNotePending = true;
}

void CombiMultiKeyVelZoneLayer::OnIdle(unsigned long elapsed) {
  unsigned char note[3];
  bool pending = false;
  {
    std::lock_guard<os::Lock> lock(m_noteLock);
    pending = m_bNotePending;
    m_bNotePending = false;
    note[0] = m_note[0];
    note[1] = m_note[1];
    note[2] = m_note[2];
  }
  if (pending) OnNoteInput(note[0], note[1], note[2]);
  CombiMultiLayerBase::OnIdle(elapsed);
}

CombiKeyVelZoneLayer::CombiKeyVelZoneLayer(Oskend::IRemoteSynth* synth)
    : CombiMultiKeyVelZoneLayer(synth, eMode_Combi, false) {}

void CombiKeyVelZoneLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_WriteCombination, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_Load, &MenuItemInfo::kMenuItemInfo_Save,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_ReceiveAll,
        &MenuItemInfo::kMenuItemInfo_TransmitAll, &MenuItemInfo::kMenuItemInfo_ReceiveCombi,
        &MenuItemInfo::kMenuItemInfo_TransmitCombi, &MenuItemInfo::kMenuItemInfo_Receive1Combi,
        &MenuItemInfo::kMenuItemInfo_Transmit1Combi})
    list.push_back(*m);
}

MultiKeyVelZoneLayer::MultiKeyVelZoneLayer(Oskend::IRemoteSynth* synth)
    : CombiMultiKeyVelZoneLayer(synth, eMode_Multi, true) {}

void MultiKeyVelZoneLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_WriteMulti, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_CopyFromSong, &MenuItemInfo::kMenuItemInfo_GMInitialize,
        &MenuItemInfo::kMenuItemInfo_CopyFromCombi, &MenuItemInfo::kMenuItemInfo_CopyArpeggiator,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_Load,
        &MenuItemInfo::kMenuItemInfo_Save, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_ReceiveAll, &MenuItemInfo::kMenuItemInfo_TransmitAll,
        &MenuItemInfo::kMenuItemInfo_ReceiveMulti, &MenuItemInfo::kMenuItemInfo_TransmitMulti,
        &MenuItemInfo::kMenuItemInfo_Receive1Multi, &MenuItemInfo::kMenuItemInfo_Transmit1Multi})
    list.push_back(*m);
}
