#include "model/CSetupSectionImpl.h"

#include <cstring>
#include <string>

#include "model/ISectionHostEvents.h"
#include "model/InitChunks.h"
#include "model/SectionTables.h"
#include "platform/CHfcPreferences.h"

namespace {

constexpr int Id(std::uint32_t v) { return static_cast<int>(v); }
constexpr int kAllSw = Id(0x80008100u);
constexpr int kProgSw = Id(0x80008200u);
constexpr int kProgASw = Id(0x80008300u);
constexpr int kProgDSw = Id(0x80008600u);
constexpr int kProgNum = Id(0x80009000u);
constexpr int kCombiSw = Id(0x80009100u);
constexpr int kCombiNum = Id(0x8000A000u);
constexpr int kAutoLoad = Id(0x8000AA00u);
constexpr int kAutoLoadFile = Id(0x8000AB00u);
constexpr int kMIDIIn = Id(0x8000AC00u);
constexpr int kMIDIOut = Id(0x8000AD00u);
constexpr int kMIDIOutToDAW = Id(0x8000B000u);
constexpr int kPrgChgToGUI = Id(0x8000B200u);

// The text of a field as the preferences keep it: up to the first NUL;
// a short field also without trailing spaces and NULs, the long one only
// when it is full.
std::string FieldText(const std::uint8_t* block, const SParamDesc& row) {
  unsigned n = row.atype == ATYPE_STRV256 ? 256 : 32;
  const char* p = reinterpret_cast<const char*>(block) + row.offset;
  size_t len = strnlen(p, n);
  std::string text(p, len);
  if (n == 32 || len == n) {
    size_t last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
  }
  return text;
}

bool IsTextSetting(const SParamDesc& row) {
  return row.ptype == PTYPE_STRING && (row.atype == ATYPE_STRVZ32 || row.atype == ATYPE_STRV256);
}

void WriteRow(CHfcPreferences& prefs, const SParamDesc& row) {
  if (sectionrow::IsNumber(row)) {
    prefs.WriteInteger(row.name, sectionrow::Raw(row));
  } else if (IsTextSetting(row) && row.data != nullptr) {
    prefs.WriteString(row.name, FieldText(static_cast<const std::uint8_t*>(row.data), row).c_str());
  }
}

}  // namespace

void CSetupSectionImpl::Init(IHostProxy* host, std::uint8_t* block,
                             Oskend::IPlugInHostInfo* plugIn) {
  m_plugIn = plugIn;
  Bind(host, Oskend::TABLEDESC_SETUP, kNoMIDI, 0, block, block != nullptr ? kSize : 0,
       Oskend::INITCHUNK_SETUP().data());
}

bool CSetupSectionImpl::PersistLoad() {
  CHfcPreferences prefs;
  if (!prefs.Open(kPreferencesDomain)) return false;
  const std::uint8_t* defaults = Oskend::INITCHUNK_SETUP().data();
  for (int i = 0; i < GetParamCount(); ++i) {
    SParamDesc row{};
    if (!GetParamDescByIndex(static_cast<unsigned>(i), &row)) continue;
    if (sectionrow::IsNumber(row)) {
      const IAccessorI* a = sectionrow::Num(row);
      if (a == nullptr) continue;
      int v = prefs.ReadInteger(row.name, a->GetRaw(defaults, row.offset));
      a->PutRaw(row.data, row.offset, v);
    } else if (IsTextSetting(row)) {
      const IAccessorS* a = sectionrow::Text(row);
      if (a == nullptr) continue;
      std::string def = FieldText(defaults, row);
      char buffer[257];
      int size = row.atype == ATYPE_STRV256 ? 257 : 33;
      prefs.ReadString(row.name, buffer, size, def.c_str());
      buffer[size - 1] = '\0';
      a->Put(row.data, row.offset, buffer);
    }
  }
  PostEvent(kEventReinitialized, 0);
  prefs.Close();
  return true;
}

bool CSetupSectionImpl::PersistSave() {
  CHfcPreferences prefs;
  if (!prefs.Open(kPreferencesDomain)) return false;
  for (int i = 0; i < GetParamCount(); ++i) {
    SParamDesc row{};
    if (GetParamDescByIndex(static_cast<unsigned>(i), &row)) WriteRow(prefs, row);
  }
  prefs.Close();
  return true;
}

bool CSetupSectionImpl::PersistSave(int id) {
  CHfcPreferences prefs;
  if (!prefs.Open(kPreferencesDomain)) return false;
  SParamDesc row{};
  if (GetParamDesc(id, &row)) WriteRow(prefs, row);
  prefs.Close();
  return true;
}

bool CSetupSectionImpl::BuildFilter(Oskend::FXBFILTERINFO* out) {
  if (out == nullptr) return false;
  bool all = GetParamI(kAllSw) != 0;
  bool prog = GetParamI(kProgSw) != 0;
  bool combi = GetParamI(kCombiSw) != 0;
  int mask = 0;
  for (int b = 0; b < 4; ++b)
    if (GetParamI(kProgASw + b * 0x100) != 0) mask |= 1 << b;
  out->bytes.fill(0);
  out->bytes[2] = all || combi ? 20 : 0;
  out->bytes[5] = static_cast<std::uint8_t>(mask | (all ? 0x80 : 0));
  out->bytes[6] = all ? 0x80 : 0;
  out->bytes[7] = all || prog ? 0x80 : 0;
  return true;
}

void CSetupSectionImpl::OnParamChanged(int id, eChgSource source) {
  bool filterOrStartUp = (id >= kAllSw && id <= kProgDSw && (id & 0xFF) == 0) || id == kCombiSw ||
                         id == kAutoLoad || id == kAutoLoadFile || id == kMIDIIn || id == kMIDIOut;
  if (filterOrStartUp) {
    PostEvent(kEventReinitialized, 0);
    return;
  }
  auto* events = dynamic_cast<Oskend::ISectionHostEvents*>(Host());
  if (id == kMIDIOutToDAW && events != nullptr) events->SetMIDIOUTtoDAW(GetParamI(id) != 0);
  if (id == kPrgChgToGUI && events != nullptr) events->SetPrgChgToGUI(GetParamI(id) != 0);
  PostEvent(kEventParamChanged, id);
}

bool CSetupSectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CSectionImplBaseT::PrepareParamDesc(index, out)) return false;
  int id = out->id;
  auto sw = [this](int x) { return ReadPlain(x) != 0; };
  bool lock = false;
  if (id == kProgSw || id == kCombiSw || id == kAutoLoad)
    lock = sw(kAllSw);
  else if ((id >= kProgASw && id <= kProgDSw) || id == kProgNum)
    lock = sw(kAllSw) || !sw(kProgSw);
  else if (id == kCombiNum)
    lock = sw(kAllSw) || !sw(kCombiSw);
  else if (id == kMIDIOutToDAW)
    lock = m_plugIn != nullptr && (m_plugIn->IsHostStandalone() || m_plugIn->IsHostAUWrapper());
  if (lock) out->flags |= 3;
  return true;
}
