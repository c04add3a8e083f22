#pragma once
// The parameter ids the editor's shell and pages read and write by name,
// beside the modes (eMode), the row flags (PFLAG_*) and the menu commands
// (MenuItemInfo::Id) they come with. A page that needs one of these ids
// takes it from here, so one number has one name across the editor.
#include "editor/shell/MenuItemInfo.h"
#include "model/eMode.h"
#include "model/paramdesc/SParamDesc.h"

namespace EditorIds {

// The editor's modes: the three mode switches of the panel, each with its
// main tab strip.
inline constexpr int kGuiPerformance = 0;
inline constexpr int kGuiProgram = 1;
inline constexpr int kGuiGlobal = 2;
inline constexpr int kGuiModes = 3;

// The page family of the editor's own settings (IRemoteSynth::GetSetup),
// passed where an eMode goes.
inline constexpr int kModeSetup = 11;

// ---- Real-time control section (IRemoteSynth::GetRealtimeControl) ----

inline constexpr int kRTEasySetup = 0x8000;    // the lit easy-setup switch, 1..4
inline constexpr int kRTKnob = 0x8011;         // real-time knobs 1..6
inline constexpr int kRTTimbreOn = 0x8017;     // timbre on/off switches 1..6
inline constexpr int kRTFx1Knob = 0x801D;      // effect 1 knobs 1..3
inline constexpr int kRTFx2Knob = 0x8020;      // effect 2 knobs 1..3
inline constexpr int kRTEqKnob = 0x8023;       // EQ knobs 1..3
inline constexpr int kRTCtrlTarget = 0x8026;   // 0 Main, 1 Sub
inline constexpr int kRTSplitType = 0x8027;    // 0 Off, 1 Main/Lower, 2 Main/Upper
inline constexpr int kRTKnobAssign = 0x8029;   // the timbre the knobs were assigned to
inline constexpr int kRTStrips = 6;            // knobs and on/off switches
inline constexpr int kRTPanelKnobs = 3;        // knobs per effect and EQ

// ---- Any sound's edit buffer ----

// The sound's name (GetParamS).
inline constexpr int kSoundName = static_cast<int>(0xFFFF0000u);

// ---- Program edit buffer (GetEditBuffer(eMode_ProgEdit)) ----

inline constexpr int kProgOscMode = 0xD00;  // 0 single, 1 double, 2 drums
inline constexpr int kProgOscDouble = 1;
inline constexpr int kProgFxType = 0x800;   // + 0..1: effect 1 and 2 type
inline constexpr int kProgFxOn = 0x802;     // + 0..1: effect 1 and 2 on
inline constexpr int kProgPanelPage = 0x10F;

// ---- Performance edit buffer (GetEditBuffer(eMode_Combi)) ----

inline constexpr int kCombiFxType = 0x1800;  // + 0..1: effect 1 and 2 type
inline constexpr int kCombiFxOn = 0x1802;    // + 0..1: effect 1 and 2 on
inline constexpr int kCombiSplitMode = 0x108;
inline constexpr int kCombiEditProgram = 0x109;
inline constexpr int kCombiCurrentTimbre = 0x10A;
inline constexpr int kCombiPanelPage = 0x10B;
inline constexpr int kCombiTimbreGroup = 0x10C;
inline constexpr int kCombiPanelFirst = kCombiSplitMode;
inline constexpr int kCombiPanelLast = kProgPanelPage;

// Timbre t (0..11) is the section at kCombiTimbre + t * kCombiTimbreStride;
// its program (bank * 128 + number) has that id, its insert-effect use flag
// the id + kTimbreIfxUse. Timbres 6..11 are the upper group: timbre t + 6
// lies kUpperTimbres ids above timbre t.
inline constexpr int kCombiTimbreCount = 12;
inline constexpr int kCombiTimbre = 0x200;
inline constexpr int kCombiTimbreStride = 0x100;
inline constexpr int kCombiLastTimbre = kCombiTimbre + (kCombiTimbreCount - 1) * kCombiTimbreStride;
inline constexpr int kTimbreIfxUse = 0x2B;
inline constexpr int kUpperTimbres = 6 * kCombiTimbreStride;
// The common section (0x100) and the timbre sections share the performance
// edit buffer up to the last timbre's effect section.
inline constexpr int kCombiCommon = 0x100;
inline constexpr int kCombiLastSection = 0x1100;

// ---- Host automation section (IRemoteSynth::GetAutomation) ----

// The rows of the master effects' types and parameters and of the EQ, the
// last rows of the 71.
inline constexpr int kAutomationFirstEffectRow = 60;
inline constexpr int kAutomationLastRow = 70;

// The timbre of a program id, -1 for any other id.
constexpr int CombiTimbreOfProgram(int pid) {
  return pid >= kCombiTimbre && pid <= kCombiLastTimbre && pid % kCombiTimbreStride == 0
             ? (pid - kCombiTimbre) / kCombiTimbreStride
             : -1;
}
// The timbre of an insert-effect use flag id, -1 for any other id.
constexpr int CombiTimbreOfIfxUse(int pid) {
  return CombiTimbreOfProgram(pid - kTimbreIfxUse);
}

}  // namespace EditorIds
