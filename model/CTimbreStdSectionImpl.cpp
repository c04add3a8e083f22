#include "model/CTimbreStdSectionImpl.h"

#include "model/CRTCSectionImpl.h"
#include "model/XEUtils.h"

namespace {
constexpr int kProgramIndex = 0x00;
constexpr int kChannelIndex = 0x04;
}  // namespace

void CTimbreStdSectionImpl::Init(IHostProxy* host, const TABLEDESC& table, int midiId, int idBase,
                                 std::uint8_t* block, unsigned size, const std::uint8_t* reference,
                                 Oskend::ISoundSection* sound, CRTCSectionImpl* rtc, int index) {
  m_sound = sound;
  m_rtc = rtc;
  m_index = index;
  Bind(host, table, midiId, idBase, block, size, reference);
}

int CTimbreStdSectionImpl::GetParamI(int id) {
  int v = CSectionImplBaseT::GetParamI(id);
  if ((id & 0xFF) == 0x34 && v == 0 && GetCurTimbreProgOscMode(id) != 2) return 1;
  return v;
}

Oskend::CHUNK_PROG CTimbreStdSectionImpl::ProgramAt(int bank, int program) {
  // Only a program of the image: banks 0-3, numbers 0-127.
  if (Host() == nullptr || bank < 0 || bank > 3 || program < 0 || program > 127)
    return Oskend::CHUNK_PROG();
  Oskend::CHUNK_REMOTESYNTH image = Host()->GetRawChunk();
  if (!image) return Oskend::CHUNK_PROG();
  Oskend::CHUNK_CURSOUND cur = image.GetCurProg();
  if (cur.GetBank() == bank && cur.GetNumber() == program) return image.GetProgEditBuffer();
  return Host()->GetProgramFromStorage(static_cast<Oskend::eBankID>(bank), program);
}

int CTimbreStdSectionImpl::GetProgOscMode(int bank, int program) {
  Oskend::CHUNK_PROG prog = ProgramAt(bank, program);
  return prog ? prog.GetCommon().GetOSCMode() : 0;
}

Oskend::CHUNK_PROG CTimbreStdSectionImpl::GetChunkProg(int value) {
  Oskend::eBankID bank;
  int program;
  if (!XEUtils::Int2BankProg(value, &bank, &program, eMode_ProgPlay)) return Oskend::CHUNK_PROG();
  return ProgramAt(bank, program);
}

int CTimbreStdSectionImpl::GetCurTimbreProgOscMode(int id) {
  // The stored number, not the clamped reading: a number beyond the four
  // banks must not stand for the last program of bank D.
  Oskend::CHUNK_PROG prog =
      GetChunkProg(GetParamI_AvoidToCallISectionsPrepareParamDesc((id & 0xFF00) | kProgramIndex));
  return prog ? prog.GetCommon().GetOSCMode() : 0;
}

void CTimbreStdSectionImpl::EnableControlChange(int cc) {
  if (cc >= 0 && cc < 128) m_enabledCC[cc >> 5].fetch_or(1u << (cc & 31));
}

void CTimbreStdSectionImpl::DisableControlChange(int cc) {
  if (cc >= 0 && cc < 128) m_enabledCC[cc >> 5].fetch_and(~(1u << (cc & 31)));
}

bool CTimbreStdSectionImpl::IsEnableControlChange(int cc) const {
  return cc >= 0 && cc < 96 && (m_enabledCC[cc >> 5].load() & (1u << (cc & 31))) != 0;
}

void CTimbreStdSectionImpl::CheckAndSetLocalFilter(int cc, bool on, std::uint32_t* pass,
                                                   std::uint32_t* mask) {
  if (pass == nullptr || mask == nullptr || cc < 0 || cc > 127) return;
  mask[cc >> 5] |= 1u << (cc & 31);
  if (on) pass[cc >> 5] |= 1u << (cc & 31);
}

void CTimbreStdSectionImpl::CheckAndSetSpecifiedLocalFilter(int cc, bool on, std::uint32_t* pass,
                                                            std::uint32_t* mask) {
  if (pass == nullptr || mask == nullptr || cc < 0 || cc > 127) return;
  std::uint32_t bit = 1u << (cc & 31);
  mask[cc >> 5] |= bit;
  if (on)
    pass[cc >> 5] |= bit;
  else
    pass[cc >> 5] &= ~bit;
}

int CTimbreStdSectionImpl::GetSwitchCCNumFromAssign(int kind, int which) {
  if (kind == 2) return 65;
  if (kind == 1) return which != 0 ? 81 : 80;
  return -1;
}

void CTimbreStdSectionImpl::SetupControlChangeFilter(int id) {
  std::uint32_t mask[4] = {0, 0, 0, 0};
  std::uint32_t pass[4] = {0, 0, 0, 0};
  for (int k = 0; k < 8; ++k)
    CheckAndSetLocalFilter(GetKnobControlChange(k), X(id, 0x1C + k) == 1, pass, mask);
  bool pedal = X(id, 0x26) == 1;
  CheckAndSetLocalFilter(GetGlobalParameter(static_cast<int>(0x8000010D)), pedal, pass, mask);
  CheckAndSetLocalFilter(GetGlobalParameter(static_cast<int>(0x8000010B)), pedal, pass, mask);
  CheckAndSetSpecifiedLocalFilter(64, X(id, 0x16) == 1, pass, mask);
  CheckAndSetSpecifiedLocalFilter(65, X(id, 0x17) == 1, pass, mask);
  CheckAndSetSpecifiedLocalFilter(1, X(id, 0x19) == 1, pass, mask);
  CheckAndSetSpecifiedLocalFilter(2, X(id, 0x1A) == 1, pass, mask);
  CheckAndSetSpecifiedLocalFilter(16, X(id, 0x1B) == 1, pass, mask);
  bool passRest = X(id, 0x28) == 1;
  for (int w = 0; w < 4; ++w) m_enabledCC[w].store(passRest ? (~mask[w] | pass[w]) : pass[w]);
}

void CTimbreStdSectionImpl::OnParamChanged(int id, eChgSource source) {
  PostEvent(kEventParamChanged, id);
  int index = id & 0xFF;
  if (index == kChannelIndex) {
    if (m_rtc != nullptr) m_rtc->ResetStat(1);
  } else if (index == 0x11) {
    for (int i : {0x0F, 0x10, 0x12}) PropsChanged(id, i);
  } else if (index >= 0x14 && index <= 0x28) {
    SetupControlChangeFilter(id);
  } else if (index == 0x34) {
    for (int i = 0x35; i <= 0x3C; ++i) PropsChanged(id, i);
  }
}

bool CTimbreStdSectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CSectionImplBaseT::PrepareParamDesc(index, out)) return false;
  if (out->id == -1) return true;
  int id = out->id;
  bool lock = false;
  switch (id & 0xFF) {
    case 0x0F: lock = X(id, 0x11) == 1; break;
    case 0x10:
    case 0x12: lock = X(id, 0x11) == 0; break;
    case 0x35: lock = X(id, 0x34) == 0; break;
    case 0x36:
    case 0x37: {
      int v = X(id, 0x34);
      lock = v >= 2 && v <= 6;
      break;
    }
    default: break;
  }
  if (lock) out->flags |= 3;
  return true;
}

void CTimbreStdSectionImpl::SendMIDIParam(const SParamDesc& row) {
  if (row.id < 0 || row.ptype == PTYPE_NONE || row.ptype == PTYPE_STRING) return;
  SendParamChange(row.id, sectionrow::SentBusValue(row.flags, sectionrow::Raw(row)));
}

void CTimbreStdSectionImpl::OnRcvMIDIParam(int id, int value, eChgSource source) {
  SParamDesc row{};
  if (!GetParamDesc(id, &row) || row.ptype == PTYPE_NONE || row.ptype == PTYPE_STRING) return;
  if ((id & 0xFF) == kProgramIndex) {
    int old = GetParamI_AvoidToCallISectionsPrepareParamDesc(id);
    // The synthesizer numbers the programs past the four banks 128 higher.
    if (value >= 768) value -= 128;
    sectionrow::PutRaw(row, value);
    OnParamChangedForTimbreProgNum(id, value, old, source);
    return;
  }
  sectionrow::PutRaw(row, sectionrow::ReceivedBusValue(row.flags, value));
  OnParamChanged(id, source);
}
