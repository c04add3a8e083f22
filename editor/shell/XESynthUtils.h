#pragma once
// The display helpers that read the model of the connected synthesizer:
// categories of the current and stored sounds, bank names and program
// numbering, sound names, tempo and clock state, riff, drum-kit and note
// names, MIDI port names. The helpers that need no model (bank/program
// arithmetic, the scale-copy tables, port naming) live in the model's
// XEUtils, which cannot see the model's remote interface; this class
// inherits them, so every helper is reachable as XESynthUtils::Name.
#include <string>
#include <vector>

#include "model/XEUtils.h"

class CHfcPopupMenu;
class CHfcWindow;
namespace Oskend {
class ISection;
}

class XESynthUtils : public XEUtils {
 public:
  static constexpr int kRiffCount = 384;
  static constexpr int kNoteCount = 128;

  // Title of every message box of the GUI; set by the editor window.
  static std::string mProductName;
  // Note names "C-1" .. "G9", and the audition riffs followed by null.
  static const char* const kStrNote[kNoteCount];
  static const char* const RIFFNAMES[kRiffCount + 1];

  // Category (0x0101) and sub-category (0x0102) of the edit buffer of the
  // mode: 0 without a model, -1 in modes other than 0, 2 and 3.
  static int GetCurSoundCategory(Oskend::IRemoteSynth* synth, int mode);
  static int GetCurSoundSubCategory(Oskend::IRemoteSynth* synth, int mode);
  static bool SetCurSoundCategory(Oskend::IRemoteSynth* synth, int mode, int value);
  static bool SetCurSoundSubCategory(Oskend::IRemoteSynth* synth, int mode, int value);
  // From the category byte of a stored sound (program byte 630,
  // combination byte 824).
  static int GetCategory(Oskend::IRemoteSynth* synth, int mode, int bank, int program, int* sub);
  static int GetSubCategory(Oskend::IRemoteSynth* synth, int mode, int bank, int program);
  static bool GetSubCategoryName(std::string& out, Oskend::IRemoteSynth* synth, int mode,
                                 int category, int sub, bool trim);

  static int ConvertFromParamBank(int bank) { return bank; }
  static int ConvertToParamBank(int bank) { return bank; }
  static int Index2eBankID(int i) { return i >= 0 && i <= 3 ? i : -1; }
  static int GetBankCount(Oskend::IRemoteSynth* synth, int mode);
  static std::string GetBankName(Oskend::IRemoteSynth* synth, int mode, int bank);
  static bool IsGMBank(Oskend::IRemoteSynth* synth, int mode, int bank);
  static std::string GetProgNumberAsString(Oskend::IRemoteSynth* synth, int mode, int bank,
                                           int program);
  static std::string GetBankProgNumberAsString(Oskend::IRemoteSynth* synth, int mode, int bank,
                                               int program);
  static int GetProgramNumberByString(Oskend::IRemoteSynth* synth, int mode, int bank,
                                      const char* text);
  static std::string GetProgramName(Oskend::IRemoteSynth* synth, int mode, int bank, int program,
                                    bool withNumber, bool stripStar);

  // After the editor wrote pid into section: when it is a parameter of the
  // performance edit buffer that the host automates, the model's
  // automation notice carries the edit to the host (through the root
  // layer). Edits that write with the reported change source are told by
  // the model itself and do not come here.
  static void ReportAutomatedEdit(Oskend::IRemoteSynth* synth, Oskend::ISection* section, int pid);
  // The host's automation row of pid when it is the performance edit
  // buffer's parameter held by section; -1 otherwise.
  static int AutomatedIndexOf(Oskend::IRemoteSynth* synth, Oskend::ISection* section, int pid);
  // The values of the host's automated rows now, in row order (none
  // without the automation section).
  static std::vector<int> AutomatedValues(Oskend::IRemoteSynth* synth);
  // The editor put back what a preview had changed (an audition that ended
  // without keeping): every automated row whose value differs from before
  // (AutomatedValues taken before the revert) is reported as an edit, in
  // row order, as the preview's own writes were.
  static void ReportAutomatedRevert(Oskend::IRemoteSynth* synth, const std::vector<int>& before);

  // Tempo parameter 0x100 in hundredths of a beat per minute.
  static int GetTempoParamId(Oskend::IRemoteSynth* synth, Oskend::ISection** section);
  static int GetTempo(Oskend::IRemoteSynth* synth, int& unused);
  static void SetTempo(Oskend::IRemoteSynth* synth, int tempo);
  static bool IsClockExternal(Oskend::IRemoteSynth* synth);
  static int GetKnobAssign(Oskend::IRemoteSynth*, int) { return -1; }
  static int GetCurKnobAssign(Oskend::IRemoteSynth*) { return -1; }

  static std::string GetDrumKitName(Oskend::IRemoteSynth* synth, int kit);
  // A negative index gives entry 0, one past the last "" (the null entry).
  static std::string GetAuditionRiffName(Oskend::IRemoteSynth* synth, int i);
  static int TrackPopupMenu(CHfcPopupMenu* menu, int x, int y, CHfcWindow* window);
  static const char* const* GetKeyNoteString() { return kStrNote; }
  static std::string GetKeyNoteString(int note);
  static int GetKeyNoteCount() { return kNoteCount; }

  static int GetMIDIInEntrySize(Oskend::IRemoteSynth* synth);
  static int GetMIDIOutEntrySize(Oskend::IRemoteSynth* synth);
  static std::string GetMIDIInName(Oskend::IRemoteSynth* synth, int i);
  static std::string GetMIDIOutName(Oskend::IRemoteSynth* synth, int i);
};
