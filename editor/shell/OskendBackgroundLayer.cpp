#include "editor/shell/OskendBackgroundLayer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "editor/controls/CTabControl.h"
#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/shell/EditTabPageLayerBase.h"
#include "editor/shell/EditorIds.h"
#include "editor/shell/IPlugInHost.h"
#include "editor/shell/ModalLayer.h"
#include "editor/shell/RootKeyboardLayout.h"
#include "editor/shell/RootMainPages.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlKeyboard.h"
#include "hfc/CHfcCtrlKnob.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/CHfcCtrlTextSwitch.h"
#include "hfc/CHfcCtrlWheel.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindow.h"
#include "model/ISection.h"
#include "model/ISoundSection.h"
#include "model/paramdesc/SParamDesc.h"
#include "model/SSoundIndex.h"
#include "platform/CHfcPopupMenu.h"
#include "platform/HfcTime.h"
#include "remote/IRemoteSynth.h"
#include "remote/SExtCtlState.h"

using Oskend::ISection;
using Oskend::ISoundSection;
using Oskend::SSoundIndex;
using namespace EditorIds;

namespace {

constexpr int kWheelMax = 1270;

CHfcBmp* Skin(const char* name) {
  ResourceManager* images = ResourceManager::GetInstance();
  return images ? images->LoadImage(name) : nullptr;
}

void SetText(CHfcControl* c, const std::string& text) {
  if (c) c->SetPtrValue(const_cast<char*>(text.c_str()), true);
}

}  // namespace

OskendBackgroundLayer::OskendBackgroundLayer(IPlugInHost* plugin, Oskend::IRemoteSynth* synth)
    : BackgroundLayer(plugin, synth) {}

OskendBackgroundLayer::~OskendBackgroundLayer() = default;

// ---- Construction ----

void OskendBackgroundLayer::Place(CHfcControl* control) {
  control->SetListener(this);
  AddControl(control, false);
  control->Show(false);
}

CHfcCtrlSwitch* OskendBackgroundLayer::MakeSwitch(int x, int y, const char* skin, int states,
                                                  int id, int user, bool oneFramePerState) {
  tagHfcCtrlSwitchParamEx p{};
  p.x = x;
  p.y = y;
  p.skin = Skin(skin);
  p.bgBmp = GetBaseImage();
  p.bgX = x;
  p.bgY = y;
  p.states = states;
  p.height = p.skin && oneFramePerState ? p.skin->GetHeight() / states : 0;
  p.oneFramePerState = oneFramePerState ? 1 : 0;
  auto* s = new CHfcCtrlSwitch;
  if (!p.skin || !s->CreateEx(&p, id, user)) {
    delete s;
    return nullptr;
  }
  // The user value travels in the group word of the framework; the panel's
  // controls all live in group 0 and carry their index in their id.
  s->SetGroupId(0);
  Place(s);
  return s;
}

CHfcCtrlKnob* OskendBackgroundLayer::MakeKnob(int x, int y, const char* skin, int id) {
  tagHfcCtrlKnobParam p{x, y, 0, 0, Skin(skin), GetBaseImage(), x, y, 127, 0, 0, 127, 1};
  auto* k = new CHfcCtrlKnob;
  if (!p.skin || !k->Create(&p, id, 0)) {
    delete k;
    return nullptr;
  }
  Place(k);
  return k;
}

CHfcCtrlCharEditText* OskendBackgroundLayer::MakeEdit(int x, int y, int w, int h, int columns,
                                                      const char* font, int id, int focusMargin) {
  FontManager* fonts = FontManager::mInstance;
  tagHfcBmpFontInfo* info = fonts ? fonts->GetBmpFontInfo(font) : nullptr;
  if (!info) return nullptr;
  tagHfcCtrlCharEditTextParamEx2 p{};
  p.x = x;
  p.y = y;
  p.width = w;
  p.height = h;
  p.background = GetBaseImage();
  p.backgroundX = x;
  p.backgroundY = y;
  p.rows = 1;
  p.columns = columns;
  p.minimum = 0;
  p.maximum = 127;
  p.selectionColor = 0xFF6178C2;
  p.fillColor = 0x00000000;
  p.cursorColor = 0xFFFFFFFF;
  p.sensitivity = 1.0;
  p.fineSensitivity = 0.1;
  p.reserved2 = 1;
  p.proportional = 1;
  p.fontInfo = info;
  p.font = info->bmp ? info->bmp : Skin(font);
  p.textColor = 0xFF0400FD;
  auto* e = new CHfcCtrlCharEditText;
  if (!e->CreateEx2(&p, id, 0)) {
    delete e;
    return nullptr;
  }
  e->SetFocusColor(0xFF0000FF);
  e->SetFocusMergin(focusMargin);
  Place(e);
  return e;
}

bool OskendBackgroundLayer::CreateModeSelectSwitches() {
  for (int i = 0; i < 3; ++i)
    m_modeSwitch[i] = MakeSwitch(31 + 36 * i, 64, "Switch_ModeSelect", 2, kIdModeSwitch + i, i, true);
  if (m_modeSwitch[0]) m_modeSwitch[0]->SetIntValue(1, false);
  return m_modeSwitch[2] != nullptr;
}

bool OskendBackgroundLayer::CreateMainLCD() {
  if (CHfcCtrlCharEditText* number = MakeEdit(20, 19, 17, 12, 3, "FontHelvB11", kIdProgNumber, 1)) {
    if (number->GetEngine()) number->GetEngine()->SetInputFilter("0123456789");
    number->SetMinIntValue(0, false);
    number->SetMaxIntValue(127, false);
  }
  if (CHfcCtrlCharEditText* name = MakeEdit(42, 19, 114, 12, 24, "FontHelvB11", kIdSoundName, 0)) {
    if (name->GetEngine()) name->GetEngine()->SetInputFilter("0123456789");
    name->SetMinIntValue(0, false);
    name->SetMaxIntValue(127, false);
  }
  MakeSwitch(157, 17, "Switch_Arrow_Up", 1, kIdProgUp, 0, false);
  MakeSwitch(157, 25, "Switch_Arrow_Down", 1, kIdProgDown, 0, false);
  XEControlCreater creater(GetBaseImage(), 0, 0);
  if (CHfcControl* cat = creater.CreateTextSwitch(50, 32, "DropdownList_Cat", 1, "FontGeneva9",
                                                  0xFF0400FD, kIdCategory, 13, 0, 0))
    Place(cat);
  if (CHfcControl* bank = creater.CreateTextSwitch(20, 31, "DropdownList_Bank_25X13", 1,
                                                   "FontGeneva9", 0xFF0400FD, kIdBank, 10, 0, 0))
    Place(bank);
  if (CHfcCtrlCharEditText* tempo = MakeEdit(136, 34, 32, 12, 6, "FontGeneva9", kIdTempo, 0)) {
    if (tempo->GetEngine()) tempo->GetEngine()->SetInputFilter("0123456789.");
    tempo->SetMinIntValue(4000, false);
    tempo->SetMaxIntValue(30000, false);
    tempo->SetPressCursorId(10);
  }
  return true;
}

bool OskendBackgroundLayer::CreateRTKnobSelectSwitches() {
  static const char* const kSkins[4] = {"Switch_EasySetup_Volume", "Switch_EasySetup_Octave",
                                        "Switch_EasySetup_CFsend", "Switch_EasySetup_RDsend"};
  static const int kPos[4][2] = {{178, 20}, {178, 29}, {223, 20}, {223, 29}};
  for (int i = 0; i < 4; ++i)
    m_easySwitch[i] = MakeSwitch(kPos[i][0], kPos[i][1], kSkins[i], 2, kIdEasySetup + i, i + 1, true);
  if (m_easySwitch[0]) m_easySwitch[0]->SetIntValue(1, false);
  return true;
}

bool OskendBackgroundLayer::CreateRealTimeKnobs() {
  for (int i = 0; i < 6; ++i) {
    MakeKnob(297 + 44 * i, 23, "Knob_RealTimeKnob", kIdRTKnob + i);
    m_rtSwitch[i] = MakeSwitch(292 + 44 * i, 63, "TimbreOnOff_SW", 2, kIdRTSwitch + i, i, true);
  }
  return true;
}

bool OskendBackgroundLayer::CreatePanelSwitches() {
  static const char* const kSplit[3] = {"Switch_SplitType_Off", "Switch_SplitType_MainLower",
                                        "Switch_SplitType_MainUpper"};
  for (int i = 0; i < 3; ++i)
    m_splitSwitch[i] = MakeSwitch(178, 54 + 9 * i, kSplit[i], 2, kIdSplitType + i, i, false);
  m_targetSwitch[0] = MakeSwitch(252, 54, "Switch_Ctrl_Main", 2, kIdCtrlTarget, 0, false);
  m_targetSwitch[1] = MakeSwitch(252, 63, "Switch_Ctrl_Sub", 2, kIdCtrlTarget + 1, 1, false);
  if (m_splitSwitch[0]) m_splitSwitch[0]->SetIntValue(1, false);
  if (m_targetSwitch[0]) m_targetSwitch[0]->SetIntValue(1, false);
  if (m_targetSwitch[1]) m_targetSwitch[1]->Disable(false);
  return true;
}

bool OskendBackgroundLayer::CreateFxEqKnobs() {
  m_fxTypeSwitch[0] = MakeSwitch(572, 29, "Image_Fx1Type", 10, kIdFx1Type, 0, true);
  m_fxTypeSwitch[1] = MakeSwitch(667, 29, "Image_Fx2Type", 10, kIdFx2Type, 0, true);
  for (int k = 0; k < 3; ++k) {
    MakeKnob(560 + 28 * k, 55, "Knob_FxParamKnob", kIdFx1Knob + k);
    MakeKnob(645 + 28 * k, 55, "Knob_FxParamKnob", kIdFx2Knob + k);
    MakeKnob(728 + 28 * k, 55, "Knob_FxParamKnob", kIdEqKnob + k);
  }
  return true;
}

void OskendBackgroundLayer::CreateMainPanel() {
  CreateModeSelectSwitches();
  CreateMainLCD();
  CreateRTKnobSelectSwitches();
  CreateRealTimeKnobs();
  CreatePanelSwitches();
  CreateFxEqKnobs();
}

CTabControl* OskendBackgroundLayer::CreateMainTab(int id, const char* skin,
                                                 std::vector<CTabPageLayer*> pages) {
  stTabControlCreateParam p{};
  p.x = 3;
  p.y = 90;
  p.tabs = Skin(skin);
  p.width = p.tabs ? p.tabs->GetWidth() : 0;
  p.height = 0;
  p.tabWidth = 76;
  p.tabHeight = 33;
  p.tabGap = 5;
  p.firstTabExtra = 2;
  p.lastTabExtra = 9;
  p.back = GetBaseImage();
  p.backX = 3;
  p.backY = 90;
  auto* strip = new CTabControl;
  if (!p.tabs || !strip->Create(p, id, 0)) {
    delete strip;
    for (CTabPageLayer* page : pages) delete page;
    return nullptr;
  }
  strip->Disable(false);
  strip->Hide(false);
  strip->SetListener(this);
  AddControl(strip, false);
  CTabPageLayerCreateParam param;
  param.background = Skin("Background_MainTab_Large");
  for (CTabPageLayer* page : pages) {
    if (!page->Create(param, GetParentWindow())) {
      delete page;
      continue;
    }
    strip->AddTabPageLayer(GetParentWindow(), page);
    RegistLayerAsMIDIReceiver(page, true);
  }
  return strip;
}

void OskendBackgroundLayer::CreateMainEditTabs() {
  m_mainTab[0] = CreateMainTab(kIdPerfTab, "Tab_Combi_Main", CreatePerfMainPages(m_pRemoteSynth, this));
  m_mainTab[1] = CreateMainTab(kIdProgTab, "Tab_Prog_Main", CreateProgMainPages(m_pRemoteSynth, this));
  m_mainTab[2] =
      CreateMainTab(kIdGlobalTab, "Tab_Global_Main", CreateGlobalMainPages(m_pRemoteSynth, this));
  if (m_pRemoteSynth) m_pRemoteSynth->SetParentWindow(GetParentWindow());
}

bool OskendBackgroundLayer::CreateUtilitySwitch() {
  return MakeSwitch(138, 64, "Switch_ModeSelect", 2, kIdUtility, 0, true) != nullptr;
}

bool OskendBackgroundLayer::CreateKeyboardControl() {
  const RootKeyboardLayout& layout = GetRootKeyboardLayout();
  tagHfcCtrlKeyboardParam p{};
  p.x = 131;
  p.y = 528;
  p.keysBmp = Skin("ControllerKeyboard");
  p.keyCount = RootKeyboardLayout::kKeys;
  p.segmentCount = RootKeyboardLayout::kWhiteKeys;
  p.segments = layout.segments;
  p.keys = layout.keys;
  p.hitMap = layout.hitMap;
  p.lowestNote = RootKeyboardLayout::kLowestNote;
  auto* k = new CHfcCtrlKeyboard;
  if (!p.keysBmp || !k->Create(&p, kIdKeyboard, 0)) {
    delete k;
    return false;
  }
  m_pKeyboard = k;
  Place(k);
  return true;
}

bool OskendBackgroundLayer::CreateWheelControls() {
  for (int i = 0; i < 2; ++i) {
    const int x = i == 0 ? 77 : 101;
    // The pitch wheel springs back to its centre, half its range, which
    // is what a bend of 8192 shows.
    tagHfcCtrlWheelParam p{x,   529, 0,          0,  Skin("ControllerWheel"), GetBaseImage(), x, 529,
                           128, 0,   kWheelMax, 10, kWheelMax / 2,          i == 0 ? 1 : 0};
    auto* w = new CHfcCtrlWheel;
    m_wheel[i] = w;
    if (!p.skin || !w->Create(&p, kIdWheels, i)) {
      delete w;
      m_wheel[i] = nullptr;
      return false;
    }
    w->SetGroupId(i);
    w->SetIntValue(kWheelMax / 2, false);
    Place(w);
  }
  return true;
}

bool OskendBackgroundLayer::CreateLogoSwitches() {
  return MakeSwitch(7, 538, "Image_Logo_TAVO", 2, kIdLogo, 0, true) != nullptr;
}

std::vector<ISection*> OskendBackgroundLayer::SinkSections() {
  std::vector<ISection*> out;
  if (!m_pRemoteSynth) return out;
  auto add = [&](ISection* s) {
    if (s && std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
  };
  for (int mode : {eMode_ProgPlay, eMode_ProgEdit, eMode_Combi, eMode_CombiNoDump})
    add(m_pRemoteSynth->GetEditBuffer(mode));
  add(m_pRemoteSynth->GetRealtimeControl());
  add(m_pRemoteSynth->GetGlobal());
  ISection* s = nullptr;
  if (ISoundSection* prog = m_pRemoteSynth->GetEditBuffer(eMode_ProgEdit))
    if (prog->FindSectionByPID(kProgOscMode, &s)) add(s);
  if (ISoundSection* combi = m_pRemoteSynth->GetEditBuffer(eMode_Combi))
    for (int pid = kCombiTimbre; pid <= kCombiLastSection; pid += kCombiTimbreStride)
      if (combi->FindSectionByPID(pid, &s)) add(s);
  return out;
}

bool OskendBackgroundLayer::OnCreate() {
  m_pModalBrowser = nullptr;
  m_pSubLayer = nullptr;
  m_bModeChanged = false;
  m_bBrowsersDirty = false;
  if (m_pRemoteSynth)
    if (ISection* prog = m_pRemoteSynth->GetEditBuffer(eMode_ProgEdit))
      m_iOscMode = prog->GetParamI(kProgOscMode);
  m_fxDebounce[0] = m_fxDebounce[1] = kTimerIdle;
  m_iPendingPage = -1;
  CreateMainPanel();
  CreateMainEditTabs();
  CreateUtilitySwitch();
  CreateKeyboardControl();
  CreateWheelControls();
  CreateLogoSwitches();
  if (m_pRemoteSynth) {
    m_pRemoteSynth->AdviseSink(this);
    m_advised = SinkSections();
    for (ISection* s : m_advised) s->AdviseSink(this);
  }
  m_bModeChanged = true;
  TrackShift(0);
  UpdateLogoSwitches();
  RequestRedraw();
  return XESynthLayer::OnCreate();
}

bool OskendBackgroundLayer::OnDestroy() {
  XESynthLayer::OnDestroy();
  if (m_pRemoteSynth) m_pRemoteSynth->UnadviseSink(this);
  for (ISection* s : m_advised) s->UnadviseSink(this);
  m_advised.clear();
  for (CTabControl* strip : m_mainTab) {
    if (!strip) continue;
    while (strip->GetTabPageCount() > 0) {
      ITabPageLayer* page = strip->GetTabPageLayer(0);
      strip->RemoveTabPageLayer(0);
      CHfcWindowLayer* layer = page->GetTabPageWindowLayer();
      if (CHfcWindow* w = layer->GetParentWindow()) w->RemoveLayer(layer, false);
      layer->Destroy();
      delete layer;
    }
  }
  m_midiReceivers.Clear();
  RemoveAllControls(true);
  for (auto& s : m_modeSwitch) s = nullptr;
  for (auto& s : m_easySwitch) s = nullptr;
  for (auto& s : m_splitSwitch) s = nullptr;
  for (auto& s : m_targetSwitch) s = nullptr;
  for (auto& s : m_rtSwitch) s = nullptr;
  for (auto& s : m_fxTypeSwitch) s = nullptr;
  for (auto& s : m_mainTab) s = nullptr;
  m_wheel[0] = m_wheel[1] = nullptr;
  m_pKeyboard = nullptr;
  return true;
}

void OskendBackgroundLayer::OnRefresh() {
  CHfcOffscreenContext* dc = GetOffscreen();
  if (!IsVisible() || !dc) return;
  if (CHfcBmp* base = GetBaseImage()) dc->CopyBmp(0, 0, base->GetWidth(), base->GetHeight(), base, 0, 0);
  for (int i = 0; i < GetContainerCount(); ++i)
    if (XEControlContainer* c = GetContainerByIndex(i)) c->OnRefresh();
  UpdateAllControls();
  CopyToWindow(false);
}

// ---- Modes, tabs and MIDI ----

CTabControl* OskendBackgroundLayer::GetMainTab(int guiMode) const {
  return guiMode >= 0 && guiMode < 3 ? m_mainTab[guiMode] : nullptr;
}

void OskendBackgroundLayer::RegistLayerAsMIDIReceiver(XESynthLayer* layer, bool) {
  if (!layer) return;
  if (auto* r = dynamic_cast<IMIDIReceiver*>(layer)) m_midiReceivers.Add(r);
  if (auto* page = dynamic_cast<CTabPageLayer*>(layer))
    if (CTabControl* sub = page->GetSublevelTabControl())
      for (int i = 0; i < sub->GetTabPageCount(); ++i)
        RegistLayerAsMIDIReceiver(dynamic_cast<XESynthLayer*>(sub->GetTabPageLayer(i)), true);
}

int OskendBackgroundLayer::GetActiveTimbres() {
  int n = 0;
  for (CHfcCtrlSwitch* s : m_rtSwitch)
    if (s && s->GetIntValue() != 0) ++n;
  return n;
}

int OskendBackgroundLayer::GetGUIMode() {
  for (int i = 0; i < 3; ++i)
    if (m_modeSwitch[i] && m_modeSwitch[i]->GetIntValue() == 1) return i;
  return -1;
}

void OskendBackgroundLayer::OnMidiIn(uint8_t status, uint8_t d1, uint8_t d2) {
  switch (status & 0xF0) {
    case 0x90:
      if (d2 > 0) {
        if (m_pKeyboard) m_pKeyboard->SetIntValue(static_cast<int>(d1 | 0x80000000u), true);
        m_midiReceivers.ForEach([&](IMIDIReceiver* r) { r->OnMidiIn(status, d1, d2); });
        break;
      }
      [[fallthrough]];
    case 0x80:
      if (m_pKeyboard) m_pKeyboard->SetIntValue(d1, true);
      break;
    case 0xE0:
      if (m_wheel[0]) {
        const int v = d2 * 128 + d1;
        m_wheel[0]->SetIntValue(m_wheel[0]->GetMaxIntValue() * v / 16383, true);
      }
      break;
    case 0xB0:
      if ((d1 == 1 || d1 == 2) && m_wheel[1]) {
        const int h = m_wheel[1]->GetMaxIntValue() / 2;
        const int s = d1 == 1 ? 1 : -1;
        m_wheel[1]->SetIntValue(h + s * d2 * h / 127, true);
      }
      break;
    default:
      break;
  }
}

void OskendBackgroundLayer::OnGUIModeChanged(int mode) {
  for (int i = 0; i < 3; ++i) {
    if (!m_mainTab[i] || !m_modeSwitch[i]) continue;
    if (i != mode) {
      m_modeSwitch[i]->SetIntValue(0, true);
    } else if (i == 1 && m_iKnobAssign != 2) {
      const int on = GetActiveTimbres();
      if ((m_pRemoteSynth && m_pRemoteSynth->GetMode() == eMode_Global) ||
          (on == 1 && m_iSplitType == 0)) {
        m_iKnobAssign = 0;
        m_modeSwitch[1]->SetIntValue(1, true);
        m_iGUIMode = 1;
      } else {
        m_iKnobAssign = 1;
      }
    } else {
      m_iKnobAssign = 0;
      m_modeSwitch[i]->SetIntValue(1, true);
      m_iGUIMode = mode;
    }
  }
  if (m_iKnobAssign == 0 && m_pRemoteSynth) {
    if (m_iGUIMode == 2)
      m_pRemoteSynth->PutMode(eMode_Global);
    else if (m_iGUIMode == 1)
      m_pRemoteSynth->PutMode(eMode_ProgEdit);
    else if (m_iGUIMode == 0)
      m_pRemoteSynth->PutMode(eMode_Combi);
  }
}

void OskendBackgroundLayer::OnModeChanged() {
  CHfcCriticalSectionLock lock(m_guiModeLock);
  CloseModalOnModeChange();
  const int m = m_pRemoteSynth ? m_pRemoteSynth->GetMode() : eMode_None;
  int strip = 0;
  int page = -1;
  // A repeated notice of the mode already shown keeps the page the user is
  // on; the default page is for entering the mode.
  if (m == eMode_Global) {
    strip = kGuiGlobal;
  } else if (m == eMode_ProgEdit) {
    ShowPerformanceStepping(false);
    strip = kGuiProgram;
    page = 0;
  } else if (m == eMode_Combi) {
    ShowPerformanceStepping(true);
    page = 0;
  }
  if (m_mainTab[strip] && m_mainTab[strip]->IsVisible()) page = -1;
  // The model repeats its state every two seconds: a notice of the
  // performance mode the panel already shows must not end the wait for a
  // timbre choice (the performance switch stays dark and the program switch
  // and the lit timbre switches go on flashing); a real change ends it.
  const bool waiting = m_iKnobAssign == 1 && strip == 0;
  if (m_iKnobAssign == 1 && !waiting) m_iKnobAssign = 0;
  if (m_iPendingPage != -1) {
    page = m_iPendingPage;
    m_iPendingPage = -1;
  }
  UpdateMainLCD();
  UpdateRealtimeControllers();
  for (int i = 0; i < 3; ++i) {
    CTabControl* tab = m_mainTab[i];
    if (!tab) continue;
    if (i == strip) {
      tab->SetIntValue(1, true);
      tab->Enable(true);
      if (ITabPageLayer* active = tab->GetActivePage()) active->SetTabPageRefresh(true);
      if (!tab->IsVisible()) tab->Show(true);
      if (page != -1) tab->SetActivePageByIndex(page, true);
      if (m_modeSwitch[i]) m_modeSwitch[i]->SetIntValue(waiting ? 0 : 1, true);
      m_iGUIMode = i;
    } else {
      if (tab->IsVisible()) tab->Hide(true);
      if (m_modeSwitch[i] && !(waiting && i == 1)) m_modeSwitch[i]->SetIntValue(0, true);
    }
  }
  ShowCarriedPage(m);
  UpdateTrackShiftSwitch();
  RequestRedraw();
}

void OskendBackgroundLayer::ShowPerformanceStepping(bool on) {
  // Performances are stepped with the arrows and chosen by number; a
  // program shows its bank instead.
  for (int id : {kIdProgUp, kIdProgDown}) ShowControl(GetControlById(id), on);
  EnableControl(GetControlById(kIdProgNumber), on);
  ShowControl(GetControlById(kIdBank), !on);
}

void OskendBackgroundLayer::SelectEditTabPage(int synthMode, int page, int subPage) {
  if (synthMode < 0 || synthMode > 6 || !m_pRemoteSynth) return;
  if (m_pRemoteSynth->GetMode() != synthMode) {
    m_iPendingPage = page;
    m_pRemoteSynth->PutMode(static_cast<eMode>(synthMode));
  }
  ShowEditTabPage(StripOfMode(synthMode), page, subPage);
}

int OskendBackgroundLayer::StripOfMode(int synthMode) {
  static const int kStrip[7] = {0, 0, 1, 1, 0, 0, 2};
  return synthMode >= 0 && synthMode <= 6 ? kStrip[synthMode] : 0;
}

void OskendBackgroundLayer::ShowEditTabPage(int guiMode, int page, int subPage) {
  CTabControl* strip = GetMainTab(guiMode);
  if (!strip) return;
  strip->SetActivePageByIndex(page, true);
  auto* edit = dynamic_cast<EditTabPageLayerBase*>(strip->GetTabPageLayer(page));
  if (!edit || subPage == -1) return;
  CTabControl* sub = edit->GetSublevelTabControl();
  if (!sub || sub->GetTabPageCount() == 0) return;
  // The last sub-page is count - 1: one past it is no page.
  sub->SetActivePageByIndex(ClampSubPage(subPage, sub->GetTabPageCount()), true);
}

OskendBackgroundLayer::ShownPage OskendBackgroundLayer::GetShownPage() {
  ShownPage shown;
  if (!m_pRemoteSynth) return shown;
  const int mode = m_pRemoteSynth->GetMode();
  CTabControl* strip = GetMainTab(StripOfMode(mode));
  if (!strip || !strip->IsVisible()) return shown;
  shown.mode = mode;
  shown.page = strip->GetActivePageIndex();
  auto* edit = dynamic_cast<EditTabPageLayerBase*>(strip->GetActivePage());
  CTabControl* sub = edit ? edit->GetSublevelTabControl() : nullptr;
  shown.subPage = sub ? sub->GetActivePageIndex() : -1;
  return shown;
}

void OskendBackgroundLayer::ShowPageWhenShown(const ShownPage& page) { m_carriedPage = page; }

void OskendBackgroundLayer::ShowCarriedPage(int mode) {
  const ShownPage carried = m_carriedPage;
  m_carriedPage = ShownPage{};
  // Only while the synthesizer is still in the mode the page belongs to.
  if (carried.mode == -1 || carried.mode != mode || carried.page < 0) return;
  ShowEditTabPage(StripOfMode(mode), carried.page, carried.subPage);
}

void OskendBackgroundLayer::SetAutomation(int index) {
  if (!m_pRemoteSynth || !m_pPlugIn || index < 0 || index > 70) return;
  const int mode = m_pRemoteSynth->GetMode();
  if (mode != eMode_Combi && mode != eMode_CombiNoDump) return;
  ISection* automation = m_pRemoteSynth->GetAutomation();
  if (!automation) return;
  SParamDesc desc{};
  if (!automation->GetParamDescByIndex(static_cast<unsigned>(index), &desc)) return;
  const int v = automation->GetParamI(desc.id);
  m_pPlugIn->SetParameterAutomatedFromInt(index, v, desc.max - desc.min + 1, desc.min);
}

void OskendBackgroundLayer::SetAutomationByPid(int pid) { SetAutomation(AutomationIndexOf(pid)); }

int OskendBackgroundLayer::AutomationIndexOf(int pid) {
  if (!m_pRemoteSynth) return -1;
  const int mode = m_pRemoteSynth->GetMode();
  ISection* automation = m_pRemoteSynth->GetAutomation();
  if ((mode != eMode_Combi && mode != eMode_CombiNoDump) || !automation) return -1;
  return automation->GetIndexByParamID(pid);
}

void OskendBackgroundLayer::UpdateLogoSwitches() {
  CHfcControl* logo = GetControlById(kIdLogo);
  if (!logo || !m_pRemoteSynth) return;
  bool checked = false;
  const bool connected =
      m_pRemoteSynth->GetMIDIConnectionState(nullptr, nullptr, nullptr, nullptr, &checked);
  logo->SetIntValue(connected ? (checked ? 1 : 0) : 0, true);
}

// ---- Displays ----

void OskendBackgroundLayer::UpdateMainLCD() {
  UpdateSoundDisplay();
  UpdateTempoEdit();
}

void OskendBackgroundLayer::UpdateSoundDisplay() {
  if (!m_pRemoteSynth) return;
  const int m = m_pRemoteSynth->GetSoundMode();
  const SSoundIndex s = m_pRemoteSynth->GetCurSound(false);
  if (CHfcControl* number = GetControlById(kIdProgNumber)) {
    number->SetIntValue(s.number, true);
    SetText(number, XESynthUtils::GetProgNumberAsString(m_pRemoteSynth, m, s.bank, s.number));
  }
  if (CHfcControl* name = GetControlById(kIdSoundName)) {
    name->SetIntValue(s.number, true);
    // A browser's audition plays the stored sound without loading it into
    // the edit buffer: the name beside its number is the stored one.
    ISection* edit = m_pRemoteSynth->GetEditBuffer(m);
    if (IsAuditioningSound())
      SetText(name, XESynthUtils::GetProgramName(m_pRemoteSynth, m, s.bank, s.number, false, false));
    else
      SetText(name, edit ? edit->GetParamS(kSoundName) : std::string());
  }
  if (CHfcControl* cat = GetControlById(kIdCategory)) {
    const int c = XESynthUtils::GetCurSoundCategory(m_pRemoteSynth, m);
    if (c != -1 && m != eMode_Combi && m != eMode_Multi) {
      cat->Enable(true);
      std::string text;
      XESynthUtils::GetCategoryName(text, m_pRemoteSynth, m, c, true);
      SetText(cat, text);
    } else {
      cat->Disable(true);
      SetText(cat, "");
    }
  }
  if (CHfcControl* bank = GetControlById(kIdBank)) {
    const std::string name = XESynthUtils::GetBankName(m_pRemoteSynth, m, s.bank).substr(0, 4);
    if (s.bank < SSoundIndex::kNone && m != eMode_Multi) {
      bank->Enable(true);
      SetText(bank, name);
    } else {
      bank->Disable(true);
      SetText(bank, "");
    }
  }
  if (ISection* rt = m_pRemoteSynth->GetRealtimeControl()) {
    const int v = rt->GetParamI(kRTSplitType);
    if (v != m_iSplitType) {
      m_iSplitType = v;
      for (int i = 0; i < 3; ++i)
        if (m_splitSwitch[i]) m_splitSwitch[i]->SetIntValue(v == i ? 1 : 0, true);
    }
  }
}

void OskendBackgroundLayer::UpdateSoundDisplaySeqRunning() {
  SetText(GetControlById(kIdProgNumber), "");
  SetText(GetControlById(kIdCategory), "");
  SetText(GetControlById(kIdBank), "");
  SetText(GetControlById(kIdSoundName), "SEQ Running....");
  EnableControl(GetControlById(kIdTempo), false);
}

std::string OskendBackgroundLayer::FormatTempo(int t) {
  if (t < 4000) return "---.--";
  char text[32];
  std::snprintf(text, sizeof text, "%03d.%02d", t / 100, t % 100);
  return text;
}

int OskendBackgroundLayer::ParseTempo(const char* text) {
  if (!text) return 0;
  int whole = 0;
  const char* p = text;
  while (*p >= '0' && *p <= '9') whole = whole * 10 + (*p++ - '0');
  int fraction = 0;
  if (*p == '.') {
    ++p;
    // Hundredths: a single digit is tenths ("120.5" is 120.50).
    int digits = 0;
    while (*p >= '0' && *p <= '9' && digits < 2) {
      fraction = fraction * 10 + (*p++ - '0');
      ++digits;
    }
    if (digits == 1) fraction *= 10;
  }
  return whole * 100 + fraction;
}

void OskendBackgroundLayer::UpdateTempoEdit() {
  CHfcControl* tempo = GetControlById(kIdTempo);
  if (!tempo || !m_pRemoteSynth) return;
  tempo->Enable(true);
  int unused = 0;
  const int t = XESynthUtils::GetTempo(m_pRemoteSynth, unused);
  const Oskend::SExtCtlState ext = m_pRemoteSynth->GetExtCtlState();
  if (ext.value2 == 1 || ext.value2 == 2) {
    SetText(tempo, "EXT");
    return;
  }
  tempo->SetIntValue(t, true);
  SetText(tempo, FormatTempo(t));
}

void OskendBackgroundLayer::UpdateKnob(CHfcControl* knob, ISection* section, int pid,
                                       bool disabledNoDesc) {
  if (!knob) return;
  const int oldMin = knob->GetMinIntValue();
  const int oldMax = knob->GetMaxIntValue();
  knob->SetMinIntValue(0, false);
  knob->Enable(true);
  SParamDesc desc{};
  if (section && section->GetParamDesc(pid, &desc)) {
    knob->SetMaxIntValue(desc.max - desc.min, false);
    knob->SetIntValue(section->GetParamI(pid) - desc.min, true);
    if (desc.flags & PFLAG_READONLY2) {
      knob->Disable(true);
    } else {
      if (oldMin != knob->GetMinIntValue() || oldMax != knob->GetMaxIntValue())
        knob->Update(true, false);
      knob->Show(true);
    }
  } else if (disabledNoDesc) {
    knob->SetMaxIntValue(2, false);
    knob->SetIntValue(1, true);
    knob->Disable(true);
  } else {
    knob->SetMaxIntValue(0, false);
    knob->SetIntValue(0, true);
  }
}

void OskendBackgroundLayer::UpdateRealtimeControllers() {
  if (!m_pRemoteSynth) return;
  const int mode = m_pRemoteSynth->GetMode();
  ISection* rt = m_pRemoteSynth->GetRealtimeControl();
  UpdateRealtimeStrips(mode, rt);
  UpdateEasySetupSwitches(mode, rt);
  UpdateSplitAndTargetSwitches(mode, rt);
  UpdateEffectSection(mode, rt);
}

void OskendBackgroundLayer::UpdateRealtimeStrips(int mode, ISection* rt) {
  // In program mode only the active track's strip is live.
  const int active = m_pRemoteSynth->GetActiveTrack() % kRTStrips;
  for (int i = 0; i < kRTStrips; ++i) {
    CHfcControl* knob = GetControlById(kIdRTKnob + i);
    if (mode != eMode_ProgEdit || i == active) {
      UpdateKnob(knob, rt, kRTKnob + i, true);
    } else if (knob) {
      knob->SetMinIntValue(0, false);
      knob->Disable(true);
      knob->SetIntValue(0, true);
    }
    CHfcControl* sw = GetControlById(kIdRTSwitch + i);
    if (!sw) continue;
    if (mode == eMode_ProgEdit) {
      EnableControl(sw, i == active);
      sw->SetIntValue(i == active ? 1 : 0, true);
      continue;
    }
    SParamDesc desc{};
    const bool has = rt && rt->GetParamDesc(kRTTimbreOn + i, &desc);
    int on = rt ? rt->GetParamI(kRTTimbreOn + i) : 0;
    // While a timbre choice is awaited the lit switches keep the phase of
    // the flashing program switch.
    if (on != 0 && m_iKnobAssign == 1 && m_modeSwitch[kGuiProgram])
      on = m_modeSwitch[kGuiProgram]->GetIntValue();
    sw->SetIntValue(on, true);
    EnableControl(sw, has && !(desc.flags & PFLAG_READONLY2));
  }
}

void OskendBackgroundLayer::UpdateEasySetupSwitches(int mode, ISection* rt) {
  const int easy = rt ? rt->GetParamI(kRTEasySetup) : 0;
  // The switches carry the values 1..4.
  for (int u = 1; u <= 4; ++u) {
    CHfcCtrlSwitch* s = m_easySwitch[u - 1];
    if (!s) continue;
    if (mode == eMode_Combi) {
      s->Enable(true);
      s->SetIntValue(easy == u ? 1 : 0, true);
    } else if (mode == eMode_Global || (mode == eMode_ProgEdit && u <= 2)) {
      s->Disable(true);
      s->SetIntValue(0, true);
    } else if (mode == eMode_ProgEdit) {
      s->Enable(true);
      if (easy == u) s->SetIntValue(1, true);
    }
  }
}

void OskendBackgroundLayer::UpdateSplitAndTargetSwitches(int mode, ISection* rt) {
  if (mode == eMode_Combi) {
    const int split = rt ? rt->GetParamI(kRTSplitType) : 0;
    for (int i = 0; i < 3; ++i)
      if (m_splitSwitch[i]) {
        m_splitSwitch[i]->Enable(true);
        m_splitSwitch[i]->SetIntValue(split == i ? 1 : 0, true);
      }
    const int target = rt ? rt->GetParamI(kRTCtrlTarget) : 0;
    if (m_targetSwitch[0]) {
      m_targetSwitch[0]->Enable(true);
      m_targetSwitch[0]->SetIntValue(target == 0 ? 1 : 0, true);
    }
    if (m_targetSwitch[1]) {
      // Without a split there is no Sub group to control.
      EnableControl(m_targetSwitch[1], split != 0);
      m_targetSwitch[1]->SetIntValue(target == 1 ? 1 : 0, true);
    }
    m_iSplitType = split;
  } else if (mode == eMode_ProgEdit || mode == eMode_Global) {
    for (CHfcCtrlSwitch* s : m_splitSwitch)
      if (s) {
        s->SetIntValue(0, true);
        s->Disable(true);
      }
    for (CHfcCtrlSwitch* s : m_targetSwitch)
      if (s) {
        s->SetIntValue(0, true);
        s->Disable(true);
      }
  }
}

void OskendBackgroundLayer::UpdateEffectSection(int mode, ISection* rt) {
  std::vector<CHfcControl*> fx;
  fx.push_back(m_fxTypeSwitch[0]);
  for (int k = 0; k < kRTPanelKnobs; ++k) fx.push_back(GetControlById(kIdFx1Knob + k));
  fx.push_back(m_fxTypeSwitch[1]);
  for (int k = 0; k < kRTPanelKnobs; ++k) fx.push_back(GetControlById(kIdFx2Knob + k));
  for (int k = 0; k < kRTPanelKnobs; ++k) fx.push_back(GetControlById(kIdEqKnob + k));
  // Enabling and disabling happen on entering and leaving global mode only,
  // so the controls are not redrawn on every refresh.
  if (mode == eMode_Global) {
    if (m_iFxSetupMode != eMode_Global)
      for (CHfcControl* c : fx) EnableControl(c, false);
    m_iFxSetupMode = eMode_Global;
    return;
  }
  if (m_iFxSetupMode == eMode_Global)
    for (CHfcControl* c : fx) EnableControl(c, true);
  m_iFxSetupMode = mode;
  if (mode != eMode_Combi && mode != eMode_ProgEdit) return;
  ISection* edit = m_pRemoteSynth->GetEditBuffer(mode);
  if (!edit) return;
  const int type = mode == eMode_Combi ? kCombiFxType : kProgFxType;
  const int on = mode == eMode_Combi ? kCombiFxOn : kProgFxOn;
  // The switch's ten pictures: the five types lit, then the same dark.
  for (int e = 0; e < 2; ++e)
    if (m_fxTypeSwitch[e])
      m_fxTypeSwitch[e]->SetIntValue(edit->GetParamI(type + e) + (edit->GetParamI(on + e) ? 0 : 5), true);
  for (int k = 0; k < kRTPanelKnobs; ++k) {
    UpdateKnob(GetControlById(kIdFx1Knob + k), rt, kRTFx1Knob + k, false);
    UpdateKnob(GetControlById(kIdFx2Knob + k), rt, kRTFx2Knob + k, false);
    UpdateKnob(GetControlById(kIdEqKnob + k), rt, kRTEqKnob + k, false);
  }
}

void OskendBackgroundLayer::AllSoundOff() {
  if (m_pRemoteSynth)
    for (int n = 0; n < 16; ++n) {
      const uint8_t off[3] = {static_cast<uint8_t>(0xB0 + n), 0x78, 0x00};
      const uint8_t notes[3] = {static_cast<uint8_t>(0xB0 + n), 0x7B, 0x00};
      m_pRemoteSynth->MIDIOut(off, 3);
      m_pRemoteSynth->MIDIOut(notes, 3);
    }
  if (m_pPlugIn)
    for (int k = 0; k < 128; ++k) m_pPlugIn->MidiInFromGUI(0x80, static_cast<uint8_t>(k), 0);
}
