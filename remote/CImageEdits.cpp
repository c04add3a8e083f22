#include "remote/CImageEdits.h"

#include <algorithm>
#include <cstring>

#include "model/ChunkGlobal.h"
#include "model/ChunkRemoteSynth.h"

namespace Oskend {

namespace {

using L = RemoteSynthLayout;

}  // namespace

CImageEdits::CImageEdits(const std::vector<std::uint8_t>& before, const std::uint8_t* now) {
  if (before.size() != CHUNK_REMOTESYNTH::kSize || !now) return;
  const std::uint8_t* was = before.data();
  Compare({Kind::kGlobal, 0, 0, L::kGlobal, CHUNK_GLOBAL::kSize}, was + L::kGlobal, now, false);
  // A stored sound changes only whole (a load, an initialisation): it goes
  // back whole, never mixed with what the synthesizer holds there.
  for (int b = 0; b < static_cast<int>(L::kProgBankCount); ++b)
    for (int n = 0; n < static_cast<int>(L::kProgsPerBank); ++n) {
      const std::size_t at = L::kProgBanks + b * L::kProgBankSize + n * L::kProgSize;
      Compare({Kind::kProgram, b, n, at, L::kProgSize}, was + at, now, true);
    }
  for (int n = 0; n < static_cast<int>(L::kCombiCount); ++n) {
    const std::size_t at = L::kCombis + n * L::kCombiSize;
    Compare({Kind::kCombination, 0, n, at, L::kCombiSize}, was + at, now, true);
  }
  // The sound an edit buffer was loaded from: the one it held, or the one
  // stored where the current sound is now. When that stored sound was
  // replaced, so was the edit buffer.
  const std::size_t combi = now[L::kCurCombi + 1];
  const bool combiStayed = combi == was[L::kCurCombi + 1] || combi >= L::kCombiCount;
  CompareEditBuffer({Kind::kCurrentCombination, 0, 0, L::kCombiEditBuffer, L::kCombiSize},
                    was + (combiStayed ? L::kCombiEditBuffer : L::kCombis + combi * L::kCombiSize), now,
                    combi < L::kCombiCount && Edited(Kind::kCombination, 0, static_cast<int>(combi)));
  const std::size_t bank = now[L::kCurProg], number = now[L::kCurProg + 1];
  const bool progStayed = (bank == was[L::kCurProg] && number == was[L::kCurProg + 1]) ||
                          bank >= L::kProgBankCount || number >= L::kProgsPerBank;
  CompareEditBuffer({Kind::kCurrentProgram, 0, 0, L::kProgEditBuffer, L::kProgSize},
                    was + (progStayed ? L::kProgEditBuffer
                                      : L::kProgBanks + bank * L::kProgBankSize + number * L::kProgSize),
                    now, Edited(Kind::kProgram, static_cast<int>(bank), static_cast<int>(number)));
}

void CImageEdits::CompareEditBuffer(const Record& record, const std::uint8_t* base, const std::uint8_t* now,
                                    bool replaced) {
  // The sound that replaced the current one was loaded into the edit buffer
  // too, though it may hold the same bytes as before: the connection's
  // program change loads the synthesizer's old sound there, so it goes back.
  if (!replaced) {
    Compare(record, base, now, false);
    return;
  }
  records_.push_back(record);
  runs_.push_back({record.at, std::vector<std::uint8_t>(now + record.at, now + record.at + record.size)});
}

bool CImageEdits::Edited(Kind kind, int bank, int number) const {
  return std::any_of(records_.begin(), records_.end(), [&](const Record& r) {
    return r.kind == kind && r.bank == bank && r.number == number;
  });
}

void CImageEdits::Compare(const Record& record, const std::uint8_t* base, const std::uint8_t* now,
                          bool whole) {
  const std::uint8_t* mine = now + record.at;
  if (std::memcmp(base, mine, record.size) == 0) return;
  records_.push_back(record);
  if (whole) {
    runs_.push_back({record.at, std::vector<std::uint8_t>(mine, mine + record.size)});
    return;
  }
  // The global block's scratch byte is written afresh for every send.
  const auto differs = [&](std::size_t i) {
    return base[i] != mine[i] &&
           !(record.kind == Kind::kGlobal && record.at + i == CHUNK_GLOBAL::kSendScratch);
  };
  bool any = false;
  for (std::size_t i = 0; i < record.size;) {
    if (!differs(i)) {
      ++i;
      continue;
    }
    const std::size_t from = i;
    while (i < record.size && differs(i)) ++i;
    runs_.push_back({record.at + from, std::vector<std::uint8_t>(mine + from, mine + i)});
    any = true;
  }
  if (!any) records_.pop_back();
}

bool CImageEdits::Holds(Kind kind) const {
  return std::any_of(records_.begin(), records_.end(), [&](const Record& r) { return r.kind == kind; });
}

void CImageEdits::PutBack(std::uint8_t* image) const {
  for (const Run& r : runs_) std::memcpy(image + r.at, r.bytes.data(), r.bytes.size());
}

}  // namespace Oskend
