#include "editor/shell/XESynthLayer.h"

#include <cstdlib>
#include <cstring>
#include <typeinfo>

#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/CXBCtrlFxRoutingGraph.h"
#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/CXBCtrlVeloZoneGraph.h"
#include "editor/controls/EnvelopeGraphManager.h"
#include "editor/controls/FxRoutingGraphManager.h"
#include "editor/controls/KeyTrkGraphManager.h"
#include "editor/controls/SplitBarGraphManager.h"
#include "editor/controls/VeloZoneGraphManager.h"
#include "editor/controls/XESplitKeyBar.h"
#include "editor/controls/FontManager.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEKnob.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/shell/EditorIds.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlHorizontalSlideSwitch.h"
#include "hfc/CHfcCtrlSlideSwitch.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/CHfcCtrlTextSwitch.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "hfc/HfcBmpFontInfo.h"
#include "model/ISection.h"
#include "model/ISoundSection.h"
#include "model/IStringConverter.h"
#include "model/ParamShownText.h"
#include "model/paramdesc/SParamDesc.h"
#include "remote/IRemoteSynth.h"

using Oskend::ISection;

namespace {

template <typename T>
bool IsExactly(const CHfcControl* c) {
  return typeid(*c) == typeid(T);
}

// A slide switch runs the other way round from its parameter: its first
// position (the highest state) shows the parameter's lowest value. It keeps
// its own range: a parameter of more values than it has positions (the
// oscillator mode's drums beside single and double) would otherwise lift
// the state of every value it shows past its last picture, and all of them
// would look alike.
bool IsSlideSwitch(const CHfcControl* c) {
  return IsExactly<CHfcCtrlSlideSwitch>(c) || IsExactly<CHfcCtrlHorizontalSlideSwitch>(c);
}

int SlideStateOf(CHfcControl* c, const SParamDesc& desc, int value) {
  return c->GetMaxIntValue() - (value - desc.min);
}

// A value bar fills from its centre for the signed 8- and 16-bit fields; a
// signed 32-bit field is not drawn that way.
bool IsSignedNarrowField(int32_t atype) {
  switch (atype) {
    case ATYPE_SBF8:
    case ATYPE_SBF8C64:
    case ATYPE_SBF8C2:
    case ATYPE_SBF16B:
    case ATYPE_SBF16L:
      return true;
    default:
      return false;
  }
}

}  // namespace

XESynthLayer::XESynthLayer(Oskend::IRemoteSynth* synth) : m_pRemoteSynth(synth) {}

XESynthLayer::~XESynthLayer() {
  // A layer deleted without OnDestroy must not stay advised anywhere.
  UnlinkAllControlsWithParam();
  if (m_bAdvised && m_pRemoteSynth) m_pRemoteSynth->UnadviseSink(this);
  for (XEControlContainer* c : m_containers) delete c;
  DeleteGraphManagers();
}

// ---- linking -------------------------------------------------------------

ISection* XESynthLayer::GetParamSection(eMode mode, int pid) const {
  if (!m_pRemoteSynth) return nullptr;
  const int m = static_cast<int>(mode);
  if (m >= eMode_Combi && m <= eMode_Multi) {
    Oskend::ISoundSection* edit = m_pRemoteSynth->GetEditBuffer(m);
    ISection* found = nullptr;
    if (edit && edit->FindSectionByPID(pid, &found)) return found;
    return nullptr;
  }
  ISection* section = nullptr;
  switch (m) {
    case eMode_Global:
      section = m_pRemoteSynth->GetGlobal();
      break;
    case EditorIds::kModeSetup:
      section = m_pRemoteSynth->GetSetup();
      break;
    default:  // drum kits, arpeggio patterns and external controls are no sections here
      return nullptr;
  }
  return section && section->GetIndexByParamID(pid) != -1 ? section : nullptr;
}

void XESynthLayer::AddSectionLink(ISection* section) {
  if (m_sectionLinks[section]++ == 0) section->AdviseSink(this);
}

void XESynthLayer::RemoveSectionLink(ISection* section) {
  auto it = m_sectionLinks.find(section);
  if (it == m_sectionLinks.end()) return;
  if (--it->second <= 0) {
    m_sectionLinks.erase(it);
    section->UnadviseSink(this);
  }
}

int XESynthLayer::GetSectionLinkCount(ISection* section) const {
  auto it = m_sectionLinks.find(section);
  return it == m_sectionLinks.end() ? 0 : it->second;
}

bool XESynthLayer::LinkWithParameter(eMode mode, int pid) {
  return LinkWithParameter(GetParamSection(mode, pid), pid);
}

bool XESynthLayer::LinkWithParameter(ISection* section, int) {
  if (!section) return false;
  AddSectionLink(section);
  return true;
}

void XESynthLayer::UnlinkWithParameter(ISection* section) {
  if (section) RemoveSectionLink(section);
}

void XESynthLayer::LinkControlWithParam(CHfcControl* control, eMode mode, int pid) {
  LinkControlWithParam(control, GetParamSection(mode, pid), pid);
}

void XESynthLayer::LinkControlWithParam(CHfcControl* control, ISection* section, int pid) {
  if (!control || !section) return;
  const int64_t key = ControlKey(control);
  // A control linked again gives up its old link first, so the section
  // count stays one per linked control.
  auto old = m_controlMap.find(key);
  if (old != m_controlMap.end()) {
    ISection* previous = old->second.section;
    m_controlMap.erase(old);
    if (previous) RemoveSectionLink(previous);
  }
  m_controlMap[key] = SParamIdInfo{section, pid};
  if (IsExactly<XEDropdownList>(control)) {
    SParamDesc desc{};
    if (section->GetParamDesc(pid, &desc))
      InitDropdownList(static_cast<XEDropdownList*>(control), &desc);
  }
  AddSectionLink(section);
}

void XESynthLayer::UnlinkControlWithParam(CHfcControl* control) {
  if (!control) return;
  auto it = m_controlMap.find(ControlKey(control));
  if (it == m_controlMap.end()) return;
  ISection* section = it->second.section;
  m_controlMap.erase(it);
  if (section) RemoveSectionLink(section);
}

void XESynthLayer::RelinkControlWithParam(CHfcControl* control, eMode mode, int pid) {
  if (!control) return;
  ISection* section = GetParamSection(mode, pid);
  if (!section) return;
  // Advise the new section before the old link goes, so a section shared
  // by both links is never unadvised in between.
  AddSectionLink(section);
  const int64_t key = ControlKey(control);
  auto it = m_controlMap.find(key);
  if (it != m_controlMap.end()) {
    ISection* previous = it->second.section;
    m_controlMap.erase(it);
    if (previous) RemoveSectionLink(previous);
  }
  m_controlMap[key] = SParamIdInfo{section, pid};
}

void XESynthLayer::UnlinkAllControlsWithParam() {
  // Every entry goes, whether or not its control is still registered, and
  // every section this layer advised is unadvised.
  m_controlMap.clear();
  std::map<ISection*, int> links;
  links.swap(m_sectionLinks);
  for (auto& [section, count] : links) section->UnadviseSink(this);
}

void XESynthLayer::AssociateCtrlIdWithParamId(int64_t key, const SParamIdInfo& info) {
  m_controlMap[key] = info;
}

void XESynthLayer::UnassociateCtrlIdWithParamId(int64_t key) { m_controlMap.erase(key); }

SParamIdInfo XESynthLayer::GetParameterIdByControlId(int id, int group) const {
  auto it = m_controlMap.find(MakeControlKey(id, group));
  return it == m_controlMap.end() ? SParamIdInfo{} : it->second;
}

SParamIdInfo XESynthLayer::GetParameterIdByControl(const CHfcControl* control) const {
  if (!control) return SParamIdInfo{};
  auto it = m_controlMap.find(ControlKey(control));
  return it == m_controlMap.end() ? SParamIdInfo{} : it->second;
}

void XESynthLayer::GetCtrlIdListByParamId(std::list<ControlId>& out,
                                          const SParamIdInfo& info) const {
  out.clear();
  for (const auto& [key, link] : m_controlMap)
    if (link.section == info.section && link.pid == info.pid)
      out.push_back(ControlId{static_cast<int>(key >> 32), static_cast<int>(key & 0xFFFFFFFF)});
}

// ---- synchronisation -----------------------------------------------------

void XESynthLayer::SynchronizeControlWithParam(CHfcControl* control, bool full) {
  const SParamIdInfo link = GetParameterIdByControl(control);
  if (link.section && link.pid != -1) SynchronizeControlWithParam(control, link.section, link.pid, full);
}

XESynthLayer::KnobTextLayout XESynthLayer::ComputeKnobTextLayout(const SParamDesc& desc) {
  if (desc.min >= desc.max) return {19, 15, 0, FontManager::FontName_Geneva9_for_Controls};
  // The lowest value and the one below the highest; a range of one step
  // measures the lowest only.
  size_t widest = Oskend::LongForm(Oskend::ParamShownText(desc, desc.min)).size();
  if (desc.max - 1 > desc.min)
    widest = std::max(widest, Oskend::LongForm(Oskend::ParamShownText(desc, desc.max - 1)).size());
  const int length = static_cast<int>(widest);
  const int x = (((4 - length) * 6) >> 1) + 7;
  if (length >= 5) return {x, 16, length, FontManager::FontName_W4H9};
  return {x, 15, length, FontManager::FontName_Geneva9_for_Controls};
}

void XESynthLayer::LayOutKnob(XEKnob* knob, const SParamDesc& desc) {
  const KnobTextLayout layout = ComputeKnobTextLayout(desc);
  knob->SetDispInfo(layout.x, layout.y, layout.length);
  tagHfcBmpFontInfo* font =
      FontManager::mInstance ? FontManager::mInstance->GetBmpFontInfo(layout.font) : nullptr;
  knob->SetDefaultValue(desc.def);
  knob->SetDirty(true);
  if (font) knob->SetFontInfo(true, font, font->bmp);
}

std::string XESynthLayer::ValueText(CHfcControl* control, const SParamDesc& desc, int value) {
  // The host reads the same text for its parameters.
  std::string text = Oskend::ParamShownText(desc, value);
  if (!IsExactly<XESoundSelector>(control)) return text;
  const size_t colon = text.find(':');
  if (colon != std::string::npos) text.replace(colon, 1, " : ");
  const int kind = static_cast<XESoundSelector*>(control)->GetKind();
  Oskend::eBankID bank = Oskend::eBankID_None;
  int program = 0;
  switch (kind) {
    case 5:
      return XESynthUtils::GetAuditionRiffName(m_pRemoteSynth, value);
    case 4:
    case 3:
      if (!XESynthUtils::Int2BankProg(value, &bank, &program, eMode_ProgPlay)) return text;
      return XESynthUtils::GetProgramName(m_pRemoteSynth, eMode_ProgPlay, bank, program, kind == 4,
                                          false);
    default:
      return text;
  }
}

void XESynthLayer::SynchronizeControlWithParam(CHfcControl* control, ISection* section, int pid,
                                               bool full) {
  if (!control || !section || pid == -1) return;
  SParamDesc desc{};
  if (!section->GetParamDesc(pid, &desc)) return;
  if (full) SynchronizeControlState(control, desc, pid);
  if (desc.ptype == PTYPE_STRING) {
    const std::string text = section->GetParamS(pid);
    control->SetPtrValue(const_cast<char*>(text.c_str()), true);
  } else {
    SynchronizeControlValue(control, desc, section->GetParamI(pid), full);
  }
  GraphParamToControl(control, pid);
  OnPostSynchronizeControlWithParam(control, section, pid);
}

void XESynthLayer::SynchronizeControlState(CHfcControl* control, const SParamDesc& desc, int pid) {
  const bool live = (desc.flags & (PFLAG_READONLY1 | PFLAG_READONLY2)) == 0;
  EnableControl(control, live);
  CHfcControl* label = GetControlById(pid + kLabelIdOffset, 0);
  if (label == control) label = nullptr;
  // A locked row reads as locked, its caption greyed with its control.
  if (label) EnableControl(label, live);
  if (desc.flags & PFLAG_HIDDEN) {
    control->Hide(true);
    if (label) label->Hide(true);
    RequestRedraw();
  } else {
    control->Show(true);
    if (label) label->Show(true);
  }
}

void XESynthLayer::SynchronizeControlValue(CHfcControl* control, const SParamDesc& desc, int value,
                                           bool full) {
  if (IsSlideSwitch(control)) {
    const int top = static_cast<CHfcSlideSwitchBase*>(control)->GetNumStates() - 1;
    control->SetMinIntValue(0, true);
    control->SetMaxIntValue(top, true);
    control->SetIntValue(SlideStateOf(control, desc, value), true);
    return;
  }
  // A drop-down list counts its items for its maximum: its range is its
  // minimum up to one below the count past it.
  const int shownMax = IsExactly<XEDropdownList>(control)
                           ? control->GetMinIntValue() + control->GetMaxIntValue() - 1
                           : control->GetMaxIntValue();
  if (control->GetMinIntValue() != desc.min || shownMax != desc.max) full = true;
  control->SetMinIntValue(desc.min, true);
  control->SetMaxIntValue(desc.max, true);
  if (PrepareControlOfItsClass(control, desc, full, &value)) {
    // The same text again would only cost the control a redraw.
    const std::string text = ValueText(control, desc, value);
    const char* shown = static_cast<const char*>(control->GetPtrValue());
    if (full || !shown || text != shown) control->SetPtrValue(const_cast<char*>(text.c_str()), true);
  }
  control->SetIntValue(value, true);
}

bool XESynthLayer::PrepareControlOfItsClass(CHfcControl* control, const SParamDesc& desc, bool full,
                                            int* value) {
  if (IsExactly<CHfcCtrlCharEditText>(control) || IsExactly<CHfcCtrlTextSwitch>(control) ||
      IsExactly<XESoundSelector>(control))
    return true;
  if (IsExactly<CXBCtrlHorizontalValueBar>(control)) {
    if (full) {
      auto* bar = static_cast<CXBCtrlHorizontalValueBar*>(control);
      bar->SetDefaultValue(desc.def);
      bar->SetBipolar(IsSignedNarrowField(desc.atype));
      bar->SetDirty(true);
    }
    return true;
  }
  if (IsExactly<XEDropdownList>(control)) {
    if (full) InitDropdownList(static_cast<XEDropdownList*>(control), &desc);
    return false;
  }
  if (IsExactly<XEKnob>(control)) {
    if (full) LayOutKnob(static_cast<XEKnob*>(control), desc);
    return true;
  }
  return false;
}

void XESynthLayer::InitDropdownList(XEDropdownList* list, const SParamDesc* desc) {
  if (!list || !desc) return;
  list->DeleteAllItems();
  if (desc->converter) {
    for (int v = desc->min; v <= desc->max; ++v) {
      const std::string pair = Oskend::ParamShownText(*desc, v);
      const size_t nul = pair.find('\0');
      const std::string main = pair.substr(0, nul);
      std::string sub = nul == std::string::npos ? std::string() : pair.substr(nul + 1);
      sub = sub.substr(0, sub.find('\0'));
      list->AddItem(main.c_str(), sub.c_str(), false);
      if (v == desc->max) break;  // a maximum of INT_MAX must not wrap
    }
  }
  list->SetMinIntValue(desc->min, true);
  list->SetMaxIntValue(desc->max, true);
}

void XESynthLayer::SynchronizeAllControlWithParam(ISection*, bool full) {
  // Copy first: a synchronisation may relink controls of the page.
  const std::map<int64_t, SParamIdInfo> links = m_controlMap;
  for (const auto& [key, link] : links) {
    CHfcControl* control =
        GetControlById(static_cast<int>(key >> 32), static_cast<int>(key & 0xFFFFFFFF));
    if (control && link.section) SynchronizeControlWithParam(control, link.section, link.pid, full);
  }
}

void XESynthLayer::SynchronizeLinked(ISection* section, int pid, bool full) {
  std::list<ControlId> ids;
  GetCtrlIdListByParamId(ids, SParamIdInfo{section, pid});
  for (const ControlId& id : ids)
    if (CHfcControl* control = GetControlById(id.id, id.group))
      SynchronizeControlWithParam(control, section, pid, full);
}

// ---- model access --------------------------------------------------------

bool XESynthLayer::GetParamDesc(SParamDesc* desc, eMode mode, int pid) const {
  ISection* s = GetParamSection(mode, pid);
  return s && s->GetParamDesc(pid, desc);
}

int XESynthLayer::GetParamValue(eMode mode, int pid) const {
  ISection* s = GetParamSection(mode, pid);
  return s ? s->GetParamI(pid) : -1;
}

std::string XESynthLayer::GetParamString(eMode mode, int pid) const {
  ISection* s = GetParamSection(mode, pid);
  return s ? s->GetParamS(pid) : std::string();
}

void XESynthLayer::PutParamValue(eMode mode, int pid, int value) const {
  ISection* s = GetParamSection(mode, pid);
  if (!s) return;
  s->PutParamI(pid, value);
  // The browsers and graphs write here: the host hears of their edits of
  // its parameters as of the controls'.
  XESynthUtils::ReportAutomatedEdit(m_pRemoteSynth, s, pid);
}

void XESynthLayer::PutParamString(eMode mode, int pid, const std::string& text) const {
  if (ISection* s = GetParamSection(mode, pid)) s->PutParamS(pid, text.c_str());
}

// ---- containers ----------------------------------------------------------

void XESynthLayer::AddContainer(XEControlContainer* container) {
  if (container) m_containers.push_back(container);
}

XEControlContainer* XESynthLayer::GetContainerByIndex(int index) const {
  if (index < 0 || index >= static_cast<int>(m_containers.size())) return nullptr;
  return m_containers[static_cast<size_t>(index)];
}

void XESynthLayer::SetActiveContainerIndex(int index) {
  for (int i = 0; i < static_cast<int>(m_containers.size()); ++i)
    m_containers[static_cast<size_t>(i)]->m_bActive = i == index;
  RequestRedraw();
}

int XESynthLayer::GetActiveContainerIndex() const {
  for (int i = 0; i < static_cast<int>(m_containers.size()); ++i)
    if (m_containers[static_cast<size_t>(i)]->m_bActive) return i;
  return -1;
}

// ---- layer ---------------------------------------------------------------

bool XESynthLayer::Show(bool redraw) {
  if (!m_pending.empty()) RequestRedraw();
  SynchronizeAllControlWithParam(nullptr, true);
  return XELayerBase::Show(redraw);
}

bool XESynthLayer::OnCreate() {
  if (m_pRemoteSynth && !m_bAdvised) m_bAdvised = m_pRemoteSynth->AdviseSink(this);
  return true;
}

bool XESynthLayer::OnDestroy() {
  if (m_bAdvised && m_pRemoteSynth) m_pRemoteSynth->UnadviseSink(this);
  m_bAdvised = false;
  UnlinkAllControlsWithParam();
  for (XEControlContainer* c : m_containers) delete c;
  m_containers.clear();
  DeleteGraphManagers();
  return true;
}

void XESynthLayer::OnIdle(unsigned long) { ProcessEventQueue(); }

void XESynthLayer::OnRefresh() {
  if (!IsVisible() || !GetOffscreen()) return;
  DrawStandardBackground(GetOffscreen());
  OnPostDrawBackground(GetOffscreen());
  UpdateAllControls();
  CopyToWindow(false);
}

// ---- controls ------------------------------------------------------------

void XESynthLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (!control) return;
  if (IsExactly<CHfcCtrlSwitch>(control)) {
    // The press asks for the next state. The release only reports the
    // state the switch still shows (the new one arrives with the model's
    // notice in the idle): writing it would undo the press.
    if (value >= 0 && value == control->GetIntValue()) return;
    if (value < 0) value = (value & 0x7FFFFFFF) == 0 ? 1 : 0;
  }
  const SParamIdInfo link = GetParameterIdByControl(control);
  if (IsSlideSwitch(control)) {
    SParamDesc desc{};
    if (!link.section || !link.section->GetParamDesc(link.pid, &desc)) desc.min = 0;
    // The state's value, read the way the switch shows it.
    value = SlideStateOf(control, desc, value);
  }
  if (link.section && link.pid != -1) {
    link.section->PutParamI(link.pid, value);
    XESynthUtils::ReportAutomatedEdit(m_pRemoteSynth, link.section, link.pid);
  }
}

void XESynthLayer::OnHfcCtrlPtrValueChanged(CHfcControl* control, void* pointer) {
  const SParamIdInfo link = GetParameterIdByControl(control);
  if (!link.section || link.pid == -1 || !pointer) {
    // A graph reports its edited record; it is linked through its managers.
    GraphControlToParam(control, pointer);
    return;
  }
  SParamDesc desc{};
  if (!link.section->GetParamDesc(link.pid, &desc)) return;
  const char* text = static_cast<const char*>(pointer);
  if (desc.ptype == PTYPE_STRING) {
    link.section->PutParamS(link.pid, text);
    GraphControlToParam(control, pointer);
    return;
  }
  int value = 0;
  if (desc.flags & PFLAG_NOTELIST) {
    int n = 0;
    if (std::strcmp(text, "0") != 0) {
      n = std::atoi(text);
      if (n == 0) n = desc.min - 2;
    }
    value = (desc.flags & PFLAG_NOTELIST_FROM1) ? n + 1 : n;
    if ((value < desc.min || value > desc.max) && desc.converter) value = desc.converter->Parse(text);
  } else {
    if (!desc.converter) return;
    value = desc.converter->Parse(text);
  }
  link.section->PutParamI(link.pid, value);
  XESynthUtils::ReportAutomatedEdit(m_pRemoteSynth, link.section, link.pid);
  GraphControlToParam(control, pointer);
}

void XESynthLayer::OnHfcCtrlKeyLostFocus(CHfcControl* control) {
  SynchronizeControlWithParam(control, true);
}

void XESynthLayer::OnHfcCtrlBeginEdit(CHfcControl* control) {
  const SParamIdInfo link = GetParameterIdByControl(control);
  const int index = XESynthUtils::AutomatedIndexOf(m_pRemoteSynth, link.section, link.pid);
  if (auto* editor = dynamic_cast<CHfcVstEditor*>(GetParentWindow()); editor && index >= 0)
    editor->BeginEdit(index);
}

void XESynthLayer::OnHfcCtrlEndEdit(CHfcControl* control) {
  const SParamIdInfo link = GetParameterIdByControl(control);
  const int index = XESynthUtils::AutomatedIndexOf(m_pRemoteSynth, link.section, link.pid);
  if (auto* editor = dynamic_cast<CHfcVstEditor*>(GetParentWindow()); editor && index >= 0)
    editor->EndEdit(index);
}

// ---- model events --------------------------------------------------------

void XESynthLayer::OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode,
                                                    const Oskend::SSoundIndex&) {
  SynchronizeAllControlWithParam(nullptr, true);
}

void XESynthLayer::OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool) {
  SynchronizeAllControlWithParam(nullptr, true);
}

void XESynthLayer::OnIdleSectionReinitialized(ISection* section) {
  if (IsVisible()) {
    SynchronizeAllControlWithParam(section, true);
    RequestRedraw();
    return;
  }
  for (ISection* s : m_pending)
    if (s == section) return;
  m_pending.push_back(section);
}

void XESynthLayer::OnIdleSectionParamPropsChanged(ISection* section, int pid) {
  SynchronizeLinked(section, pid, true);
}

void XESynthLayer::OnIdleSectionParamChanged(ISection* section, int pid) {
  SynchronizeLinked(section, pid, false);
}

// ---- graph managers ------------------------------------------------------

void XESynthLayer::AddEnvelopeGraphManager(EnvelopeGraphManager* m) {
  if (m) m_envelopeManagers.push_back(m);
}
void XESynthLayer::AddKeyTrkGraphManager(KeyTrkGraphManager* m) {
  if (m) m_keyTrkManagers.push_back(m);
}
void XESynthLayer::AddVeloZoneGraphManager(VeloZoneGraphManager* m) {
  if (m) m_veloZoneManagers.push_back(m);
}
void XESynthLayer::AddFxRoutingGraphManager(FxRoutingGraphManager* m) {
  if (m) m_fxRoutingManagers.push_back(m);
}
void XESynthLayer::AddSplitBarGraphManager(SplitBarGraphManager* m) {
  if (m) m_splitBarManagers.push_back(m);
}

size_t XESynthLayer::GetGraphManagerCount() const {
  return m_envelopeManagers.size() + m_keyTrkManagers.size() + m_veloZoneManagers.size() +
         m_fxRoutingManagers.size() + m_splitBarManagers.size();
}

namespace {
template <typename T>
void DeleteAll(std::list<T*>& managers) {
  for (T* m : managers) delete m;
  managers.clear();
}
}  // namespace

void XESynthLayer::DeleteGraphManagers() {
  DeleteAll(m_envelopeManagers);
  DeleteAll(m_keyTrkManagers);
  DeleteAll(m_veloZoneManagers);
  DeleteAll(m_fxRoutingManagers);
  DeleteAll(m_splitBarManagers);
}

void XESynthLayer::GraphParamToControl(CHfcControl* control, int pid) {
  for (EnvelopeGraphManager* m : m_envelopeManagers)
    if (m->ParamToControl(control, pid)) break;
  for (KeyTrkGraphManager* m : m_keyTrkManagers)
    if (m->ParamToControl(control, pid)) break;
  for (VeloZoneGraphManager* m : m_veloZoneManagers) m->ParamToControl(control, pid, GetTargetMode());
  for (FxRoutingGraphManager* m : m_fxRoutingManagers) m->ParamToControl(control, pid);
  for (SplitBarGraphManager* m : m_splitBarManagers) m->ParamToControl(control, pid);
}

namespace {
template <typename T>
void AskInTurn(std::list<T*>& managers, CHfcControl* control, void* record) {
  for (T* m : managers)
    if (m->ControlToParam(control, record)) return;
}
}  // namespace

void XESynthLayer::GraphControlToParam(CHfcControl* control, void* record) {
  if (!control) return;
  const std::type_info& type = typeid(*control);
  if (type == typeid(CXBCtrlEnvelopeGraph))
    AskInTurn(m_envelopeManagers, control, record);
  else if (type == typeid(CXBCtrlKeyTrkGraph))
    AskInTurn(m_keyTrkManagers, control, record);
  else if (type == typeid(CXBCtrlVeloZoneGraph))
    AskInTurn(m_veloZoneManagers, control, record);
  else if (type == typeid(CXBCtrlFxRoutingGraph))
    AskInTurn(m_fxRoutingManagers, control, record);
  else if (type == typeid(Oskend::XESplitKeyBar))
    AskInTurn(m_splitBarManagers, control, record);
}
