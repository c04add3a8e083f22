#include "editor/shell/XESynthUtils.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "model/IBank.h"
#include "model/IBankList.h"
#include "model/ISection.h"
#include "model/ISound.h"
#include "model/ISoundSection.h"
#include "platform/CHfcPopupMenu.h"
#include "remote/IRemoteSynth.h"

using Oskend::IRemoteSynth;

std::string XESynthUtils::mProductName;

namespace {

constexpr int kCategoryId = 0x0101;
constexpr int kSubCategoryId = 0x0102;
constexpr int kTempoId = 0x100;
constexpr unsigned kProgCategoryByte = 630;
constexpr unsigned kCombiCategoryByte = 824;
const char* const kDashes = "------------------------";

Oskend::ISection* CategorySection(IRemoteSynth* synth, int mode) {
  if (mode == eMode_Combi) return synth->GetEditBuffer(eMode_Combi);
  if (mode == eMode_ProgPlay || mode == eMode_ProgEdit) return synth->GetEditBuffer(eMode_ProgEdit);
  return nullptr;
}

Oskend::IBank* Bank(IRemoteSynth* synth, int mode, int bank) {
  if (!synth || bank < 0) return nullptr;
  Oskend::IBankList* list = synth->GetAllSounds(mode);
  return list ? list->GetAt(static_cast<unsigned>(bank)) : nullptr;
}

Oskend::ISound* Sound(IRemoteSynth* synth, int mode, int bank, int program) {
  Oskend::IBank* b = Bank(synth, mode, bank);
  return b && program >= 0 ? b->GetAt(static_cast<unsigned>(program)) : nullptr;
}

// The category byte of a stored sound, -1 when it cannot be read.
int CategoryByte(IRemoteSynth* synth, int mode, int bank, int program) {
  Oskend::ISound* s = Sound(synth, mode, bank, program);
  if (!s) return -1;
  uint8_t byte = 0;
  const unsigned at = mode == 0 ? kCombiCategoryByte : kProgCategoryByte;
  if (s->RawGet(&byte, at, 1) != 1) return -1;
  return byte;
}

std::string ThreeDigits(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%03d", n);
  return buf;
}

std::string CombiNumber(int program) {
  std::string s(1, static_cast<char>('A' + program / 5));
  return s + "-" + std::to_string(program % 5 + 1);
}

std::string PortName(std::vector<MIDIDevKey>* keys, int i) {
  if (!keys || i < 0 || i >= static_cast<int>(keys->size())) return "";
  return (*keys)[static_cast<size_t>(i)].name;
}

}  // namespace

int XESynthUtils::GetCurSoundCategory(IRemoteSynth* synth, int mode) {
  if (!synth) return 0;
  Oskend::ISection* s = CategorySection(synth, mode);
  return s ? s->GetParamI(kCategoryId) : -1;
}

int XESynthUtils::GetCurSoundSubCategory(IRemoteSynth* synth, int mode) {
  if (!synth) return 0;
  Oskend::ISection* s = CategorySection(synth, mode);
  return s ? s->GetParamI(kSubCategoryId) : -1;
}

bool XESynthUtils::SetCurSoundCategory(IRemoteSynth* synth, int mode, int value) {
  if (!synth) return false;
  if (Oskend::ISection* s = CategorySection(synth, mode)) s->PutParamI(kCategoryId, value);
  return true;
}

bool XESynthUtils::SetCurSoundSubCategory(IRemoteSynth* synth, int mode, int value) {
  if (!synth) return false;
  if (Oskend::ISection* s = CategorySection(synth, mode)) s->PutParamI(kSubCategoryId, value);
  return true;
}

int XESynthUtils::GetCategory(IRemoteSynth* synth, int mode, int bank, int program, int* sub) {
  if (!synth || bank == 255 || program == 255 || bank >= 4 || !synth->GetAllSounds(mode))
    return -1;
  if (mode != 0 && mode != 2) {
    if (sub) *sub = 0;
    return 0;
  }
  const int byte = CategoryByte(synth, mode, bank, program);
  if (byte < 0) return -1;
  if (sub) *sub = byte >> 5;
  return byte & 0x1F;
}

int XESynthUtils::GetSubCategory(IRemoteSynth* synth, int mode, int bank, int program) {
  if (!synth || bank == 255 || program == 255 || !synth->GetAllSounds(mode)) return -1;
  if (mode != 0 && mode != 2) return 255;
  const int byte = CategoryByte(synth, mode, bank, program);
  return byte < 0 ? -1 : byte >> 5;
}

bool XESynthUtils::GetSubCategoryName(std::string& out, IRemoteSynth* synth, int mode,
                                      int category, int sub, bool trim) {
  out = "-----";
  if (mode != 2) return false;
  if (sub < 0 || !synth || !synth->GetGlobal()) return true;
  std::string text = synth->GetGlobal()->GetParamS(
      static_cast<int>(0x90000020u + 8u * static_cast<unsigned>(category) +
                       static_cast<unsigned>(sub)));
  text = text.substr(0, text.find('\0'));
  if (trim) text.erase(text.find_last_not_of(' ') + 1);
  out = text;
  return true;
}

int XESynthUtils::GetBankCount(IRemoteSynth* synth, int mode) {
  Oskend::IBankList* list = synth ? synth->GetAllSounds(mode) : nullptr;
  return list ? static_cast<int>(list->GetCount()) : 0;
}

std::string XESynthUtils::GetBankName(IRemoteSynth* synth, int mode, int bank) {
  if ((mode == 2 && bank > 3) || (mode == 0 && bank != 0)) return "-";
  Oskend::IBank* b = Bank(synth, mode, bank);
  return b ? b->GetName() : "-";
}

bool XESynthUtils::IsGMBank(IRemoteSynth* synth, int mode, int bank) {
  if (mode != 2) return false;
  Oskend::IBank* b = Bank(synth, mode, bank);
  if (!b) return false;
  const std::string name = b->GetName();
  if (name == "GM" || name == "g(d)") return true;
  return name.size() == 4 && name.compare(0, 2, "g(") == 0 && name[2] >= '1' && name[2] <= '9' &&
         name[3] == ')';
}

std::string XESynthUtils::GetProgNumberAsString(IRemoteSynth* synth, int mode, int bank,
                                                int program) {
  if (mode == 0) return CombiNumber(program);
  if (program == 255) return "---";
  return ThreeDigits(IsGMBank(synth, mode, bank) ? program + 1 : program);
}

std::string XESynthUtils::GetBankProgNumberAsString(IRemoteSynth* synth, int mode, int bank,
                                                    int program) {
  if (mode == 0) return CombiNumber(program);
  return GetBankName(synth, mode, bank) +
         ThreeDigits(IsGMBank(synth, mode, bank) ? program + 1 : program);
}

int XESynthUtils::GetProgramNumberByString(IRemoteSynth* synth, int mode, int bank,
                                           const char* text) {
  const int n = text ? std::atoi(text) : 0;
  return IsGMBank(synth, mode, bank) ? n - 1 : n;
}

std::string XESynthUtils::GetProgramName(IRemoteSynth* synth, int mode, int bank, int program,
                                         bool withNumber, bool stripStar) {
  Oskend::IBank* b = Bank(synth, mode, bank);
  if (!b) return kDashes;
  Oskend::ISound* s = program >= 0 ? b->GetAt(static_cast<unsigned>(program)) : nullptr;
  std::string name = s ? s->GetName() : "";
  if ((mode == 2 || mode == 3) && stripStar && !name.empty() && name[0] == '*') name.erase(0, 1);
  if (!withNumber) return name;
  std::string text = b->GetName() + GetProgNumberAsString(synth, mode, bank, program);
  return s ? text + ": " + name : text;
}

void XESynthUtils::ReportAutomatedEdit(IRemoteSynth* synth, Oskend::ISection* section, int pid) {
  if (AutomatedIndexOf(synth, section, pid) < 0) return;
  synth->NeedAutomationAPI(static_cast<short>(pid), static_cast<short>(section->GetParamI(pid)));
}

std::vector<int> XESynthUtils::AutomatedValues(IRemoteSynth* synth) {
  std::vector<int> values;
  Oskend::ISection* automation = synth ? synth->GetAutomation() : nullptr;
  const unsigned count = automation ? automation->GetParamCount() : 0;
  for (unsigned i = 0; i < count; ++i) {
    SParamDesc row{};
    values.push_back(automation->GetParamDescByIndex(i, &row) ? automation->GetParamI(row.id) : 0);
  }
  return values;
}

void XESynthUtils::ReportAutomatedRevert(IRemoteSynth* synth, const std::vector<int>& before) {
  Oskend::ISection* automation = synth ? synth->GetAutomation() : nullptr;
  Oskend::ISoundSection* performance = synth ? synth->GetEditBuffer(eMode_Combi) : nullptr;
  if (!automation || !performance) return;
  const std::vector<int> after = AutomatedValues(synth);
  for (size_t i = 0; i < after.size() && i < before.size(); ++i) {
    SParamDesc row{};
    Oskend::ISection* owner = nullptr;
    if (after[i] == before[i] || !automation->GetParamDescByIndex(static_cast<unsigned>(i), &row) ||
        !performance->FindSectionByPID(row.id, &owner))
      continue;
    ReportAutomatedEdit(synth, owner, row.id);
  }
}

int XESynthUtils::AutomatedIndexOf(IRemoteSynth* synth, Oskend::ISection* section, int pid) {
  if (!synth || !section || pid == -1) return -1;
  Oskend::ISection* automation = synth->GetAutomation();
  Oskend::ISoundSection* performance = synth->GetEditBuffer(eMode_Combi);
  const int index = automation ? automation->GetIndexByParamID(pid) : -1;
  if (index < 0 || !performance) return -1;
  // A program's parameter may carry the same number.
  Oskend::ISection* owner = nullptr;
  if (!performance->FindSectionByPID(pid, &owner) || owner != section) return -1;
  return index;
}

int XESynthUtils::GetTempoParamId(IRemoteSynth* synth, Oskend::ISection** section) {
  const int mode = synth ? synth->GetSoundMode() : 4;
  if (section) *section = synth && mode < 4 ? synth->GetTempoEditBuffer(mode) : nullptr;
  return mode < 4 ? kTempoId : -1;
}

int XESynthUtils::GetTempo(IRemoteSynth* synth, int&) {
  if (!synth) return -1;
  const int mode = synth->GetSoundMode();
  Oskend::ISection* s = mode <= 3 ? synth->GetTempoEditBuffer(mode) : nullptr;
  return s ? s->GetParamI(kTempoId) : -1;
}

void XESynthUtils::SetTempo(IRemoteSynth* synth, int tempo) {
  if (!synth) return;
  const int mode = synth->GetSoundMode();
  if (mode >= 4) return;
  if (Oskend::ISection* s = synth->GetTempoEditBuffer(mode))
    s->PutParamI(kTempoId, std::clamp(tempo, 4000, 30000));
}

bool XESynthUtils::IsClockExternal(IRemoteSynth* synth) {
  if (!synth) return false;
  const uint8_t clock = synth->GetExtCtlState().value2;
  return clock == 1 || clock == 2;
}

std::string XESynthUtils::GetDrumKitName(IRemoteSynth* synth, int kit) {
  if (!synth || kit < 0) return "";
  const char* name = synth->GetDrumKitName(kit);
  return name ? name : "";
}

std::string XESynthUtils::GetAuditionRiffName(IRemoteSynth*, int i) {
  if (i < 0) i = 0;
  if (i >= kRiffCount) return "";
  return RIFFNAMES[i];
}

int XESynthUtils::TrackPopupMenu(CHfcPopupMenu* menu, int x, int y, CHfcWindow* window) {
  return menu ? menu->TrackPopupById(x, y, window, 0) : -1;
}

std::string XESynthUtils::GetKeyNoteString(int note) {
  return note >= 0 && note < kNoteCount ? kStrNote[note] : "";
}

int XESynthUtils::GetMIDIInEntrySize(IRemoteSynth* synth) {
  auto* keys = synth ? synth->GetMIDIInKeyDevArray() : nullptr;
  return keys ? static_cast<int>(keys->size()) : 0;
}

int XESynthUtils::GetMIDIOutEntrySize(IRemoteSynth* synth) {
  auto* keys = synth ? synth->GetMIDIOutKeyDevArray() : nullptr;
  return keys ? static_cast<int>(keys->size()) : 0;
}

std::string XESynthUtils::GetMIDIInName(IRemoteSynth* synth, int i) {
  return PortName(synth ? synth->GetMIDIInKeyDevArray() : nullptr, i);
}

std::string XESynthUtils::GetMIDIOutName(IRemoteSynth* synth, int i) {
  return PortName(synth ? synth->GetMIDIOutKeyDevArray() : nullptr, i);
}
