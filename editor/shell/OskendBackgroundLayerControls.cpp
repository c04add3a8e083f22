// The root layer's reactions: model events with the follow-up edits of
// the combination edit buffer, the front panel's controls and the idle
// timers.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "editor/controls/CTabControl.h"
#include "editor/shell/EditorIds.h"
#include "editor/shell/IPlugInHost.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcCtrlKeyboard.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/CHfcCtrlWheel.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "model/ISection.h"
#include "model/ISound.h"
#include "model/CombiTimbreTake.h"
#include "model/ISoundSection.h"
#include "model/SSoundIndex.h"
#include "model/paramdesc/SParamDesc.h"
#include "platform/CHfcPopupMenu.h"
#include "platform/HfcTime.h"
#include "platform/XEvent.h"
#include "remote/IRemoteSynth.h"

using Oskend::ISection;
using Oskend::ISoundSection;
using Oskend::SSoundIndex;
using namespace EditorIds;

namespace {

Oskend::ISound* ProgramSound(Oskend::IRemoteSynth* synth, int bank, int number) {
  Oskend::IBankList* list = synth ? synth->GetAllSounds(eMode_ProgEdit) : nullptr;
  Oskend::IBank* b = list ? list->GetAt(static_cast<unsigned>(bank)) : nullptr;
  return b ? b->GetAt(static_cast<unsigned>(number)) : nullptr;
}

}  // namespace

// ---- Model events ----

void OskendBackgroundLayer::OnIdleRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool,
                                                                    bool) {
  OnModeChanged();
  UpdateLogoSwitches();
}

void OskendBackgroundLayer::OnIdleRemoteSynthModeChanged(Oskend::IRemoteSynth*, int) {
  OnModeChanged();
}

void OskendBackgroundLayer::OnIdleRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth,
                                                             const SSoundIndex&) {
  if (synth) synth->SetProgResetStatus(true);
  UpdateMainLCD();
  UpdateRealtimeControllers();
}

void OskendBackgroundLayer::OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode,
                                                             const SSoundIndex&) {
  UpdateMainLCD();
  UpdateRealtimeControllers();
}

void OskendBackgroundLayer::OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth* synth,
                                                                  bool on) {
  XESynthLayer::OnIdleRemoteSynthAuditionStateChanged(synth, on);
  if (!on) UpdateRealtimeControllers();
}

void OskendBackgroundLayer::OnIdleRemoteSynthSeqStateChanged(Oskend::IRemoteSynth*, bool) {
  UpdateMainLCD();
}

void OskendBackgroundLayer::OnIdleRemoteSynthNeedAutomationAPI(Oskend::IRemoteSynth*, long v) {
  SetAutomationByPid(static_cast<int>(v >> 16));
}

void OskendBackgroundLayer::OnIdleSectionReinitialized(ISection* section) {
  UpdateMainLCD();
  UpdateRealtimeControllers();
  XESynthLayer::OnIdleSectionReinitialized(section);
}

bool OskendBackgroundLayer::IsCombiEditSection(ISection* section) {
  ISoundSection* combi = m_pRemoteSynth ? m_pRemoteSynth->GetEditBuffer(eMode_Combi) : nullptr;
  if (!combi || !section) return false;
  if (section == combi) return true;
  ISection* sub = nullptr;
  for (int pid = kCombiCommon; pid <= kCombiLastSection; pid += kCombiTimbreStride)
    if (combi->FindSectionByPID(pid, &sub) && sub == section) return true;
  return false;
}

bool OskendBackgroundLayer::IsRealtimeSection(ISection* section) {
  return m_pRemoteSynth && section && section == m_pRemoteSynth->GetRealtimeControl();
}

std::optional<int> OskendBackgroundLayer::CombiEditParam(int pid) {
  ISoundSection* edit = m_pRemoteSynth ? m_pRemoteSynth->GetEditBuffer(eMode_Combi) : nullptr;
  ISection* s = nullptr;
  if (!edit || !edit->FindSectionByPID(pid, &s) || !s) return std::nullopt;
  return s->GetParamI(pid);
}

void OskendBackgroundLayer::OnIdleSectionParamChanged(ISection* section, int pid) {
  // The timbre and panel ids below are the combination's: the same numbers
  // in another section (the program's oscillator mode is 0xD00) mean
  // something else and must not touch the combination.
  if (IsCombiEditSection(section)) {
    if (const int t = CombiTimbreOfProgram(pid); t != -1) {
      // The follow-up edits replace the refresh below.
      OnTimbreProgramChanged(t);
      return;
    }
    if (const int t = CombiTimbreOfIfxUse(pid); t != -1) {
      OnTimbreIfxUseChanged(t);
    } else if (pid >= kCombiPanelFirst && pid <= kCombiPanelLast) {
      if (!OnCombiPanelParamChanged(pid, section->GetParamI(pid))) return;
    }
  }
  UpdateRealtimeControllers();
  if (pid == XESynthUtils::GetTempoParamId(m_pRemoteSynth, nullptr)) UpdateTempoEdit();
  XESynthLayer::OnIdleSectionReinitialized(section);
}

void OskendBackgroundLayer::OnTimbreProgramChanged(int timbre) {
  CombiResetRelParam(timbre % 6, timbre >= 6 ? 1 : 0);
  if (CombiTake().TakeProgramEffects(timbre, GetActiveTimbres() == 1 && m_iSplitType == 0))
    ReportMasterFxRows();
}

void OskendBackgroundLayer::OnTimbreIfxUseChanged(int timbre) {
  CombiTake().SwitchedOn(timbre);
}

bool OskendBackgroundLayer::OnCombiPanelParamChanged(int pid, int value) {
  ISection* rt = m_pRemoteSynth->GetRealtimeControl();
  switch (pid) {
    case kCombiSplitMode:
      if (value == 0) {
        m_iSplitType = 0;
        ShowNoSplitTargets();
      } else {
        ShowCtrlTarget(rt ? rt->GetParamI(kRTCtrlTarget) : 0);
      }
      return true;
    case kCombiEditProgram:
      CombiFxLoadBankProg(value);
      return false;
    case kCombiPanelPage:
    case kProgPanelPage:
      ShowEasySetup(value);
      return true;
    case kCombiTimbreGroup:
      ShowCtrlTarget(value);
      return true;
    default:
      return true;
  }
}

void OskendBackgroundLayer::ShowCtrlTarget(int target) {
  if (m_targetSwitch[0]) m_targetSwitch[0]->SetIntValue(target == 0 ? 1 : 0, true);
  if (m_targetSwitch[1]) m_targetSwitch[1]->SetIntValue(target == 1 ? 1 : 0, true);
}

void OskendBackgroundLayer::ShowNoSplitTargets() {
  ShowCtrlTarget(0);
  if (m_targetSwitch[1]) m_targetSwitch[1]->Disable(true);
}

void OskendBackgroundLayer::ShowEasySetup(int setup) {
  for (int i = 0; i < 4; ++i)
    if (m_easySwitch[i]) m_easySwitch[i]->SetIntValue(i + 1 == setup ? 1 : 0, true);
}

Oskend::CombiTimbreTake OskendBackgroundLayer::CombiTake() {
  Oskend::IRemoteSynth* synth = m_pRemoteSynth;
  ISoundSection* combi = synth ? synth->GetEditBuffer(eMode_Combi) : nullptr;
  auto param = [this](int pid) { return CombiEditParam(pid).value_or(0); };
  auto program = [synth](int bank, int number, unsigned offset, uint8_t* dst, unsigned count) {
    Oskend::ISound* sound = ProgramSound(synth, bank, number);
    return sound && sound->RawGet(dst, offset, count) == count;
  };
  auto put = [combi](unsigned offset, const uint8_t* src, unsigned count) {
    if (combi) combi->RawPut(src, offset, count);
  };
  return Oskend::CombiTimbreTake(param, program, put);
}

void OskendBackgroundLayer::CombiFxLoadBankProg(int prog) {
  CombiTake().LoadMasterFx(prog);
  ReportMasterFxRows();
}

void OskendBackgroundLayer::ReportMasterFxRows() {
  // The copy moves the master effects and the EQ the host automates: it
  // hears of the rows that changed.
  for (int row = kAutomationFirstEffectRow; row <= kAutomationLastRow; ++row) SetAutomation(row);
}

void OskendBackgroundLayer::CombiLoadIfx(int ifx, int bank, int number) {
  CombiTake().LoadIfx(ifx, bank, number);
}

void OskendBackgroundLayer::CombiResetRelParam(int ifx, int upper) {
  const int t = upper ? ifx + 6 : ifx;
  CombiTake().ClearToneAdjust(t);
  if (!m_pRemoteSynth) return;
  const int c = m_pRemoteSynth->GetLastTimbre();
  if ((m_iSplitType == 0 && c % 6 == t) || c == t) m_pRemoteSynth->SetProgResetStatus(true);
}

// ---- Controls ----

int OskendBackgroundLayer::MidiChannel() {
  if (!m_pRemoteSynth) return 0;
  const int sm = m_pRemoteSynth->GetSoundMode();
  return sm == 0 || sm == 2 ? (m_pRemoteSynth->GetGlobalChannel() & 0x0F) : 0;
}

void OskendBackgroundLayer::Pause(int ms) {
  if (!m_bStepPause) return;
  // Every sound step sends the synthesizer a program change. A held arrow
  // key or a long press repeats the step for as long as it lasts, and only
  // this wait on the GUI thread spaces the repeats, so the program changes
  // reach the synthesizer at a rate it can follow.
  XEvent pause;
  if (pause.Create()) pause.Wait(static_cast<unsigned>(ms));
}

void OskendBackgroundLayer::ChangeCurrentSound(const SSoundIndex& index) {
  if (!m_pRemoteSynth) return;
  if (IsSongRunning()) return;
  m_pRemoteSynth->PutCurSound(index);
}

namespace {
// The synthesizer holds 20 performances per bank, 0 to 19.
constexpr int kLastPerformance = 19;
}  // namespace

int OskendBackgroundLayer::ProgramNumberInc() {
  if (!m_pRemoteSynth) return 0;
  SSoundIndex s = m_pRemoteSynth->GetCurSound(true);
  if (m_pRemoteSynth->GetMode() != eMode_Combi) return s.number;
  int bank = s.bank == SSoundIndex::kNone ? 0 : s.bank;
  int number = s.number == SSoundIndex::kNone ? -1 : s.number;
  do {
    ++number;
  } while (number <= kLastPerformance && !m_pRemoteSynth->IsEnableProgramChangeProgram(eMode_Combi, number));
  if (number > kLastPerformance) {
    number = 0;
    const int count = XESynthUtils::GetBankCount(m_pRemoteSynth, 0);
    do {
      ++bank;
    } while (bank < count &&
             !m_pRemoteSynth->IsEnableProgramChangeBank(eMode_Combi, static_cast<Oskend::eBankID>(bank)));
    if (bank > count - 1) bank = 0;
  }
  s.bank = static_cast<uint8_t>(bank);
  s.number = static_cast<uint8_t>(number);
  ChangeCurrentSound(s);
  Pause(50);
  return number;
}

int OskendBackgroundLayer::ProgramNumberDec() {
  if (!m_pRemoteSynth) return 0;
  SSoundIndex s = m_pRemoteSynth->GetCurSound(true);
  if (m_pRemoteSynth->GetMode() != eMode_Combi) return s.number;
  int bank = s.bank == SSoundIndex::kNone ? 0 : s.bank;
  int number = (s.number == SSoundIndex::kNone ? 0 : s.number) - 1;
  if (number < 0 || number > kLastPerformance) {
    number = kLastPerformance;
    const int count = XESynthUtils::GetBankCount(m_pRemoteSynth, 0);
    do {
      --bank;
    } while (bank >= 0 &&
             !m_pRemoteSynth->IsEnableProgramChangeBank(eMode_Combi, static_cast<Oskend::eBankID>(bank)));
    if (bank < 0) bank = std::max(0, count - 1);
  }
  while (number > 0 && !m_pRemoteSynth->IsEnableProgramChangeProgram(eMode_Combi, number)) --number;
  s.bank = static_cast<uint8_t>(bank);
  s.number = static_cast<uint8_t>(number);
  ChangeCurrentSound(s);
  Pause(50);
  return number;
}

bool OskendBackgroundLayer::OnHfcCtrlMouseLButtonDown(CHfcControl* c, int, int, int) {
  if (!c || !m_pRemoteSynth) return false;
  const int id = c->GetId();
  if (id >= kIdModeSwitch && id < kIdModeSwitch + kGuiModes) return OnModeSwitchClicked(id - kIdModeSwitch);
  if (id >= kIdEasySetup && id <= kIdEasySetup + 3) return OnEasySetupClicked(id - kIdEasySetup + 1);
  if (id >= kIdRTSwitch && id < kIdRTSwitch + kRTStrips) {
    OnRealtimeSwitch(id - kIdRTSwitch);
    return false;
  }
  if (id >= kIdSplitType && id <= kIdSplitType + 2) return OnSplitTypeClicked(id - kIdSplitType);
  if (id == kIdCtrlTarget || id == kIdCtrlTarget + 1) return OnCtrlTargetClicked(id - kIdCtrlTarget);
  switch (id) {
    case kIdSoundName:
      if (GetGUIMode() == kGuiPerformance) OpenBlueBrowser(-1);
      return true;
    case kIdProgUp:
    case kIdProgDown:
      if (id == kIdProgUp)
        ProgramNumberInc();
      else
        ProgramNumberDec();
      // The step waited 50 ms; a click waits as long again, so a quick run
      // of clicks steps no faster than typed arrow keys (100 ms a step).
      Pause(50);
      return false;
    case kIdTempo:
      return XESynthUtils::IsClockExternal(m_pRemoteSynth);
    case kIdFx1Type:
    case kIdFx2Type:
      return OnFxTypeSwitchClicked(id == kIdFx1Type ? 0 : 1);
    case kIdUtility:
      return OnUtilitySwitchClicked(c);
    case kIdLogo:
      return OnLogoClicked(c);
    default:
      return false;
  }
}

bool OskendBackgroundLayer::IsSongRunning() {
  return m_pRemoteSynth->GetMode() == eMode_Multi && m_pRemoteSynth->GetSongRunning();
}

bool OskendBackgroundLayer::OnModeSwitchClicked(int guiMode) {
  const int mode = m_pRemoteSynth->GetMode();
  if (guiMode == kGuiProgram &&
      (mode == eMode_ProgEdit || (mode == eMode_Global && m_pRemoteSynth->GetSoundMode() != eMode_ProgPlay)))
    return false;
  if (IsSongRunning()) return false;
  CHfcCriticalSectionLock lock(m_guiModeLock);
  OnGUIModeChanged(guiMode);
  return false;
}

bool OskendBackgroundLayer::OnEasySetupClicked(int setup) {
  const int mode = m_pRemoteSynth->GetMode();
  if (setup <= 2 && (mode == eMode_ProgPlay || mode == eMode_ProgEdit)) return false;
  if (ISection* rt = m_pRemoteSynth->GetRealtimeControl()) rt->PutParamI(kRTEasySetup, setup);
  ShowEasySetup(setup);
  return false;
}

bool OskendBackgroundLayer::OnSplitTypeClicked(int split) {
  const int mode = m_pRemoteSynth->GetMode();
  if (mode == eMode_ProgPlay || mode == eMode_ProgEdit || mode == eMode_Global) return false;
  for (int i = 0; i < 3; ++i)
    if (m_splitSwitch[i]) m_splitSwitch[i]->SetIntValue(i == split ? 1 : 0, true);
  if (ISection* rt = m_pRemoteSynth->GetRealtimeControl()) rt->PutParamI(kRTSplitType, split);
  if (split == 0) {
    ShowNoSplitTargets();
  } else if (m_targetSwitch[1]) {
    m_targetSwitch[1]->Enable(true);
  }
  m_iSplitType = split;
  return false;
}

bool OskendBackgroundLayer::OnCtrlTargetClicked(int target) {
  const int mode = m_pRemoteSynth->GetMode();
  if (mode == eMode_ProgPlay || mode == eMode_ProgEdit) return false;
  if (ISection* rt = m_pRemoteSynth->GetRealtimeControl()) rt->PutParamI(kRTCtrlTarget, target);
  return false;
}

bool OskendBackgroundLayer::OnFxTypeSwitchClicked(int which) {
  // A click within 100 ms of the last one is ignored; the idle clears the
  // timer.
  if (m_fxDebounce[which] != kTimerIdle) return true;
  m_fxDebounce[which] = HfcGetSystemTimeMs();
  OnFxTypeSwitch(which);
  return true;
}

bool OskendBackgroundLayer::OnUtilitySwitchClicked(CHfcControl* c) {
  if (IsSongRunning()) return true;
  c->SetIntValue(1, true);
  OnUtilitySwitch();
  c->SetIntValue(0, true);
  return true;
}

bool OskendBackgroundLayer::OnLogoClicked(CHfcControl* c) {
  enum { kAllSoundOffItem = 100, kAboutItem = 101 };
  CHfcPopupMenu menu;
  menu.Create(0, false);
  menu.InsertItem(0, kAllSoundOffItem, "All Sound Off", 0);
  menu.InsertItem(1, kAboutItem, ("About " + GetProductName()).c_str(), 0);
  const tagHfcRect& r = c->GetFrame();
  const int chosen = menu.TrackPopupById(r.left, r.top, GetParentWindow(), 0);
  menu.Destroy();
  if (m_pSubLayer) return true;
  if (chosen == kAllSoundOffItem) AllSoundOff();
  if (chosen == kAboutItem) PostCommand(XECommand{XECommand::kOpenAbout, 0, 0, 0});
  return true;
}

void OskendBackgroundLayer::OnRealtimeSwitch(int i) {
  ISection* rt = m_pRemoteSynth ? m_pRemoteSynth->GetRealtimeControl() : nullptr;
  if (!rt || !m_rtSwitch[i]) return;
  const int p = kRTTimbreOn + i;
  if (m_iKnobAssign != 1) {
    if (m_rtSwitch[i]->GetIntValue() == 0) {
      rt->PutParamI(p, 1);
      return;
    }
    for (int j = 0; j < 6; ++j)
      if (j != i && m_rtSwitch[j] && m_rtSwitch[j]->GetIntValue() != 0) {
        rt->PutParamI(p, 0);
        m_pRemoteSynth->SetActiveTrack(j);
        return;
      }
    return;
  }
  if (rt->GetParamI(p) == 0) return;
  const int choice = rt->GetParamI(kRTCtrlTarget) * kRTStrips + i;
  rt->PutParamI(kRTKnobAssign, choice);
  m_pRemoteSynth->SetActiveTrack(choice);
  m_iKnobAssign = 2;
  OnGUIModeChanged(kGuiProgram);
  m_rtSwitch[i]->SetIntValue(1, true);
}

void OskendBackgroundLayer::OnFxTypeSwitch(int which) {
  if (!m_pRemoteSynth) return;
  const int mode = m_pRemoteSynth->GetMode();
  const int sm = m_pRemoteSynth->GetSoundMode();
  ISection* section = nullptr;
  int pid = 0;
  if (mode == eMode_Combi || (mode != eMode_ProgEdit && sm == eMode_Combi)) {
    section = m_pRemoteSynth->GetEditBuffer(eMode_Combi);
    pid = kCombiFxType + which;
  } else if (mode == eMode_ProgEdit || sm == eMode_ProgEdit) {
    section = m_pRemoteSynth->GetEditBuffer(eMode_ProgEdit);
    pid = kProgFxType + which;
  }
  if (!section) return;
  static const char* const kNames[2][5] = {
      {"OFF", "Stereo Chorus", "Stereo Flanger", "Vintage Cho/Flg", "Stereo Phaser"},
      {"OFF", "Hall", "Plate", "Room", "Delay"}};
  const int current = section->GetParamI(pid);
  CHfcPopupMenu menu;
  menu.Create(0, false);
  for (int k = 0; k < 5; ++k) menu.InsertItem(k, k + 1, kNames[which][k], 0);
  if (current >= 0 && current <= 4) menu.CheckItem(current, true);
  const tagHfcRect& r = m_fxTypeSwitch[which] ? m_fxTypeSwitch[which]->GetFrame() : tagHfcRect{};
  const int chosen = menu.TrackPopupById(r.left, r.bottom, GetParentWindow(), 0);
  menu.Destroy();
  if (chosen < 1 || chosen > 5) return;
  section->PutParamI(pid, chosen - 1);
  if (m_fxTypeSwitch[which]) m_fxTypeSwitch[which]->SetIntValue(chosen - 1, true);
  SetAutomationByPid(pid);
}

bool OskendBackgroundLayer::OnHfcCtrlMouseLButtonDoubleClick(CHfcControl* c, int, int, int) {
  if (!c) return false;
  if (c->GetId() == kIdSoundName) return true;
  if (c->GetId() == kIdTempo) return XESynthUtils::IsClockExternal(m_pRemoteSynth);
  return false;
}

bool OskendBackgroundLayer::OnHfcCtrlMouseLButtonLongDown(CHfcControl* c, int, int, int) {
  if (!c) return false;
  if (c->GetId() == kIdProgUp) ProgramNumberInc();
  if (c->GetId() == kIdProgDown) ProgramNumberDec();
  return false;
}

bool OskendBackgroundLayer::OnHfcCtrlKeyDown(CHfcControl* c, int chr, int, int) {
  if (!c || (c->GetId() != kIdProgNumber && c->GetId() != kIdSoundName)) return false;
  // Up and down arrow characters.
  if (chr == 30 || chr == 31) {
    const int n = chr == 30 ? ProgramNumberInc() : ProgramNumberDec();
    Pause(100);
    c->SetIntValue(n, true);
    return true;
  }
  c->SetIntValue(c->GetIntValue(), true);
  return false;
}

void OskendBackgroundLayer::OnHfcCtrlIntValueChanged(CHfcControl* c, int value) {
  if (!c || !m_pRemoteSynth) return;
  CHfcCriticalSectionLock lock(m_guiModeLock);
  const int id = c->GetId();
  ISection* rt = m_pRemoteSynth->GetRealtimeControl();
  auto write = [&](int pid) {
    if (!rt) return;
    SParamDesc desc{};
    const int minimum = rt->GetParamDesc(pid, &desc) ? desc.min : 0;
    rt->PutParamI(pid, value + minimum);
    // The host hears of the parameter the knob drives now (the knob's
    // page and group choose it), not of a fixed row.
    SetAutomationByPid(desc.id);
  };
  if (id == kIdProgNumber) {
    SSoundIndex s = m_pRemoteSynth->GetCurSound(true);
    s.number = static_cast<uint8_t>(value);
    ChangeCurrentSound(s);
  } else if (const int pid = PanelKnobParam(id); pid != -1) {
    write(pid);
  } else if (id == kIdCtrlTarget || id == kIdCtrlTarget + 1) {
    if (m_mainTab[0])
      if (auto* page = dynamic_cast<CHfcControlListener*>(m_mainTab[0]->GetActivePage()))
        page->OnHfcCtrlIntValueChanged(c, value);
  } else if (id == kIdKeyboard) {
    const uint8_t ch = static_cast<uint8_t>(MidiChannel());
    const bool on = (static_cast<uint32_t>(value) & 0x80000000u) != 0;
    if (m_pPlugIn)
      m_pPlugIn->MidiInFromGUI(static_cast<uint8_t>((on ? 0x90 : 0x80) | ch),
                               static_cast<uint8_t>(value & 0x7F), 64);
  } else if (id == kIdWheels) {
    OnWheelMoved(c, value);
  }
}

void OskendBackgroundLayer::OnWheelMoved(CHfcControl* c, int value) {
  const int old = c->GetIntValue();
  c->SetIntValue(value, false);
  const int m = c->GetMaxIntValue();
  if (m <= 0) return;
  const uint8_t ch = static_cast<uint8_t>(MidiChannel());
  auto send = [&](const uint8_t (&msg)[3]) {
    m_pRemoteSynth->MIDIOut(msg, 3);
    m_midiReceivers.ForEach([&](IMIDIReceiver* r) { r->OnMidiIn(msg[0], msg[1], msg[2]); });
  };
  uint8_t msg[3];
  if (c->GetGroupId() == 1) {
    // Controller 1 above the centre, 2 below it: each with its amount.
    auto modulation = [m](int v, uint8_t* cc, uint8_t* amount) {
      if (v > m / 2) {
        *cc = 1;
        *amount = static_cast<uint8_t>((2 * v - m) * 127 / m);
      } else {
        *cc = 2;
        *amount = static_cast<uint8_t>(127 - v * 254 / m);
      }
    };
    msg[0] = static_cast<uint8_t>(0xB0 | ch);
    modulation(value, &msg[1], &msg[2]);
    // Crossing the centre lets go of the side left behind, or its
    // controller would keep modulating beside the new one.
    uint8_t oldCc = 0, oldAmount = 0;
    modulation(old, &oldCc, &oldAmount);
    if (oldCc != msg[1] && oldAmount != 0) send({msg[0], oldCc, 0});
  } else if (c->GetGroupId() == 0) {
    // Truncating: the centre, 635 of 1270, sends 8191, one step below the
    // bend's centre and far below what a synthesizer can be heard to bend.
    const int b = std::clamp(value * 0x3FFF / m, 0, 0x3FFF);
    msg[0] = static_cast<uint8_t>(0xE0 | ch);
    msg[1] = static_cast<uint8_t>(b & 0x7F);
    msg[2] = static_cast<uint8_t>((b >> 7) & 0x7F);
  } else {
    return;
  }
  send(msg);
}

void OskendBackgroundLayer::OnHfcCtrlPtrValueChanged(CHfcControl* c, void* value) {
  if (!c || !m_pRemoteSynth) return;
  const char* text = static_cast<const char*>(value);
  if (c->GetId() == kIdTempo) {
    XESynthUtils::SetTempo(m_pRemoteSynth, ParseTempo(text));
  } else if (c->GetId() == kIdProgNumber) {
    SSoundIndex s = m_pRemoteSynth->GetCurSound(true);
    int n = XESynthUtils::GetProgramNumberByString(m_pRemoteSynth, m_pRemoteSynth->GetMode(),
                                                   s.bank, text ? text : "");
    const int last = m_pRemoteSynth->GetSoundMode() == eMode_Combi ? kLastPerformance : 127;
    n = std::clamp(n, 0, last);
    s.number = static_cast<uint8_t>(n);
    ChangeCurrentSound(s);
    Pause(100);
  }
}

void OskendBackgroundLayer::OnHfcCtrlBeginEdit(CHfcControl* c) {
  if (const int index = PanelKnobAutomation(c); index >= 0) {
    if (m_pPlugIn) m_pPlugIn->BeginParameterEdit(index);
    return;
  }
  XESynthLayer::OnHfcCtrlBeginEdit(c);
}

void OskendBackgroundLayer::OnHfcCtrlEndEdit(CHfcControl* c) {
  if (const int index = PanelKnobAutomation(c); index >= 0) {
    if (m_pPlugIn) m_pPlugIn->EndParameterEdit(index);
    return;
  }
  XESynthLayer::OnHfcCtrlEndEdit(c);
}

int OskendBackgroundLayer::PanelKnobParam(int id) {
  if (id >= kIdRTKnob && id < kIdRTKnob + kRTStrips) return kRTKnob + id - kIdRTKnob;
  if (id >= kIdFx1Knob && id < kIdFx1Knob + kRTPanelKnobs) return kRTFx1Knob + id - kIdFx1Knob;
  if (id >= kIdFx2Knob && id < kIdFx2Knob + kRTPanelKnobs) return kRTFx2Knob + id - kIdFx2Knob;
  if (id >= kIdEqKnob && id < kIdEqKnob + kRTPanelKnobs) return kRTEqKnob + id - kIdEqKnob;
  return -1;
}

int OskendBackgroundLayer::PanelKnobAutomation(const CHfcControl* c) {
  const int pid = c ? PanelKnobParam(c->GetId()) : -1;
  ISection* rt = m_pRemoteSynth ? m_pRemoteSynth->GetRealtimeControl() : nullptr;
  SParamDesc desc{};
  if (pid == -1 || !rt || !rt->GetParamDesc(pid, &desc)) return -1;
  return AutomationIndexOf(desc.id);
}

bool OskendBackgroundLayer::PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  if (y < 528 && m_pRemoteSynth && m_pRemoteSynth->GetAuditionState())
    m_pRemoteSynth->EndAudition(false);
  return BackgroundLayer::PreMouseLButtonDown(m, x, y, mods);
}

// ---- Idle ----

void OskendBackgroundLayer::OnIdle(unsigned long now) {
  BackgroundLayer::OnIdle(now);
  uint32_t t = HfcGetSystemTimeMs();
  if (m_iKnobAssign == 1 && t - m_uLastBlink >= 501) {
    const int state = m_modeSwitch[1] && m_modeSwitch[1]->GetIntValue() ? 0 : 1;
    if (m_modeSwitch[1]) m_modeSwitch[1]->SetIntValue(state, true);
    if (ISection* rt = m_pRemoteSynth ? m_pRemoteSynth->GetRealtimeControl() : nullptr)
      for (int i = 0; i < 6; ++i)
        if (m_rtSwitch[i] && rt->GetParamI(kRTTimbreOn + i) != 0) m_rtSwitch[i]->SetIntValue(state, true);
    m_uLastBlink = t;
  }
  for (uint32_t& timer : m_fxDebounce) {
    t = HfcGetSystemTimeMs();
    if (timer != kTimerIdle && t - timer > 100) {
      timer = kTimerIdle;
      m_bBrowsersDirty = true;
    }
  }
}
