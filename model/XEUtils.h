#pragma once
// Static helpers that turn the model's data into display text and back:
// sound numbering, bank letters, category names, MIDI port names and the
// fixed tables of the scale-copy dialog.
#include <string>
#include <vector>

#include "model/MIDIDevKey.h"
#include "model/SSoundIndex.h"
#include "model/eBankID.h"
#include "model/eMode.h"

namespace Oskend {
class IRemoteSynth;
}

class XEUtils {
 public:
  static constexpr int kCategoryCount = 7;

  // The index {bank, program}; a bank or program outside 0..254 (-1 among
  // them) gives the byte 0xFF, "no sound". Mode and flag do not matter.
  static Oskend::SSoundIndex BankProg2SoundIndex(Oskend::eBankID bank, int program, eMode mode,
                                                 bool flag);
  // Writes both bytes (to the outputs that are not null); true when both are
  // below 0xFF.
  static bool SoundIndex2BankProg(const Oskend::SSoundIndex& index, Oskend::eBankID* bank,
                                  int* program, eMode mode);
  // Splits a running program number into bank = n / 128 and program =
  // n % 128. False, leaving the outputs alone, for a negative n, for n >= 512
  // in modes 2 and 3 and for n >= 128 in modes 0, 1 and 4.
  static bool Int2BankProg(int n, Oskend::eBankID* bank, int* program, eMode mode);

  // "A" to "D" for program banks 0 to 3, "" for any other bank.
  static std::string GetProgramBankString(Oskend::eBankID bank);
  // "A" for the combination bank 0, "" for any other.
  static std::string GetCombiBankString(Oskend::eBankID bank);

  // out = the built-in name of category 0..6 when valid, else "-----";
  // always true. The model and mode are not consulted.
  static bool GetCategoryName(std::string& out, Oskend::IRemoteSynth* synth, int mode, int category,
                              bool valid);

  // Display name of a port within a port list: "USB-MIDI" for the
  // synthesizer's device type, with " #n" (n counting from 1 in list order)
  // when the list holds two or more of that type; "Unknown" for other types;
  // "" when the key is not in the list.
  static std::string GetMIDIPortName(const std::vector<MIDIDevKey>& keys, const MIDIDevKey& key);

  // Entry i (0 to 11) of a scale-copy table; 0 outside.
  static signed char CopyScale_GetMajor(int i);
  static signed char CopyScale_GetMajorOffset(int key);
  static signed char CopyScale_GetMinor(int i);
  static signed char CopyScale_GetMinorOffset(int key);
  // The 12 values of factory scale n (3 to 8); null for any other n.
  static const signed char* CopyScale_GetRomScaleTable(int n);
  // 128 values, one per note.
  static const signed char* CopyScale_GetStretchTable();
};
