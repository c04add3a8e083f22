#include "model/CRTCSectionImpl.h"

#include <cstring>

#include "model/SectionTables.h"

namespace {

// Page B, every knob in the middle, nothing else set.
constexpr std::uint8_t kInitBlock[CRTCSectionImpl::kBlockSize] = {1, 64, 64, 64, 64, 64, 64, 64, 64,
                                                                  0, 0,  0,  0,  0,  0,  0,  0};

}  // namespace

CRTCSectionImpl::CRTCSectionImpl() {
  std::memcpy(m_block, kInitBlock, kBlockSize);
  std::memset(m_stat.knobs, 64, sizeof m_stat.knobs);
}

void CRTCSectionImpl::Init(IHostProxy* host, Oskend::ISoundSection* progPlay,
                           Oskend::ISoundSection* progEdit, Oskend::ISoundSection* combi,
                           Oskend::ISoundSection* fourth, Oskend::ISection* global) {
  m_progPlay = progPlay;
  m_progEdit = progEdit;
  m_combi = combi;
  m_fourth = fourth;
  m_global = global;
  std::memcpy(m_block, kInitBlock, kBlockSize);
  std::memset(m_stat.knobs, 64, sizeof m_stat.knobs);
  Bind(host, Oskend::TABLEDESC_RTCTL, 0, 0, m_block, kBlockSize, kInitBlock);
}

void CRTCSectionImpl::OnReinitialized(const Oskend::SModeChangeInfo* info) {
  PostEvent(kEventReinitialized, 0);
  if (info != nullptr && CheckModeForReset(info)) ResetStat(1);
}

bool CRTCSectionImpl::SaveStat(Oskend::RTCSTAT* out) {
  if (out != nullptr) *out = m_stat;
  return true;
}

bool CRTCSectionImpl::RestoreStat(const Oskend::RTCSTAT& state, unsigned flags) {
  m_stat = state;
  for (int id = 0x8001; id <= 0x8008; ++id) {
    std::uint8_t b = m_stat.knobs[id - 0x8001];
    if (b & 0x80) PutParamIEx(id, b & 127, flags, eChgSource_Editor);
  }
  return true;
}

bool CRTCSectionImpl::ResetStat(unsigned) {
  std::memset(m_stat.knobs, 64, sizeof m_stat.knobs);
  return true;
}

int CRTCSectionImpl::GetCCResetValue(int cc) {
  switch (cc) {
    case 8:
    case 10:
    case 16:
    case 17:
    case 19:
    case 20:
    case 21:
    case 118:
    case 119: return 64;
    case 7:
    case 11:
    case 92:
    case 94:
    case 95: return 127;
    default: return cc >= 70 && cc <= 79 ? 64 : 0;
  }
}

bool CRTCSectionImpl::CheckModeForReset(const Oskend::SModeChangeInfo* info) {
  static std::uint8_t previous = 255;
  if (info == nullptr) return false;
  if (previous == 255) previous = info->oldMode;
  std::uint8_t prev = previous;
  std::uint8_t next = info->newMode;
  // Global and drum-kit modes are passing visits, not remembered.
  if (next != 6 && next != 8) previous = next;
  if (next == prev || prev >= 4) return false;
  bool sameKind = (prev == 0 && next == 1) || (prev == 1 && next == 0) ||
                  (prev == 2 && next == 3) || (prev == 3 && next == 2);
  return !sameKind;
}
