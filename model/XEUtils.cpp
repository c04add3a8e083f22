#include "model/XEUtils.h"

#include "model/CopyScaleTables.h"

namespace {

const char* const kCategoryNames[XEUtils::kCategoryCount] = {
    "A.PIANO", "E.PIANO", "ORGAN", "STRINGS", "BRASS", "SYNTH", "USER"};
const char* const kNoCategory = "-----";
const char* const kProgramBankLetters[] = {"A", "B", "C", "D"};

std::uint8_t SoundByte(int v) {
  return v >= 0 && v < Oskend::SSoundIndex::kNone ? static_cast<std::uint8_t>(v)
                                                  : Oskend::SSoundIndex::kNone;
}

signed char Entry(const signed char (&table)[12], int i) { return i >= 0 && i < 12 ? table[i] : 0; }

}  // namespace

Oskend::SSoundIndex XEUtils::BankProg2SoundIndex(Oskend::eBankID bank, int program, eMode, bool) {
  return Oskend::SSoundIndex{SoundByte(bank), SoundByte(program)};
}

bool XEUtils::SoundIndex2BankProg(const Oskend::SSoundIndex& index, Oskend::eBankID* bank,
                                  int* program, eMode) {
  if (bank != nullptr) *bank = static_cast<Oskend::eBankID>(index.bank);
  if (program != nullptr) *program = index.number;
  return index.bank < Oskend::SSoundIndex::kNone && index.number < Oskend::SSoundIndex::kNone;
}

bool XEUtils::Int2BankProg(int n, Oskend::eBankID* bank, int* program, eMode mode) {
  if (n < 0) return false;
  switch (mode) {
    case eMode_ProgPlay:
    case eMode_ProgEdit:
      if (n >= 512) return false;
      break;
    case eMode_Combi:
    case eMode_CombiNoDump:
    case eMode_Multi:
      if (n >= 128) return false;
      break;
    default:
      break;
  }
  if (bank != nullptr) *bank = static_cast<Oskend::eBankID>(n / 128);
  if (program != nullptr) *program = n % 128;
  return true;
}

std::string XEUtils::GetProgramBankString(Oskend::eBankID bank) {
  return bank >= Oskend::eBankID_A && bank <= Oskend::eBankID_D ? kProgramBankLetters[bank] : "";
}

std::string XEUtils::GetCombiBankString(Oskend::eBankID bank) {
  return bank == Oskend::eBankID_A ? "A" : "";
}

bool XEUtils::GetCategoryName(std::string& out, Oskend::IRemoteSynth*, int, int category,
                              bool valid) {
  out =
      valid && category >= 0 && category < kCategoryCount ? kCategoryNames[category] : kNoCategory;
  return true;
}

std::string XEUtils::GetMIDIPortName(const std::vector<MIDIDevKey>& keys, const MIDIDevKey& key) {
  int sameType = 0;
  for (const MIDIDevKey& k : keys) sameType += k.type == key.type;
  int before = 0;
  bool found = false;
  for (const MIDIDevKey& k : keys) {
    if (k == key) {
      found = true;
      break;
    }
    before += k.type == key.type;
  }
  if (!found) return "";
  if (key.type != kDevTypeTarget) return "Unknown";
  std::string name = "USB-MIDI";
  if (sameType >= 2) name += " #" + std::to_string(before + 1);
  return name;
}

signed char XEUtils::CopyScale_GetMajor(int i) { return Entry(COPYSCALE_MAJOR, i); }
signed char XEUtils::CopyScale_GetMajorOffset(int key) {
  return Entry(COPYSCALE_MAJOR_OFFSET, key);
}
signed char XEUtils::CopyScale_GetMinor(int i) { return Entry(COPYSCALE_MINOR, i); }
signed char XEUtils::CopyScale_GetMinorOffset(int key) {
  return Entry(COPYSCALE_MINOR_OFFSET, key);
}

const signed char* XEUtils::CopyScale_GetRomScaleTable(int n) {
  return n >= 3 && n <= 8 ? COPYSCALE_ROM_SCALES[n - 3] : nullptr;
}

const signed char* XEUtils::CopyScale_GetStretchTable() { return COPYSCALE_STRETCH; }
