#include "model/CombiTimbreTake.h"

#include <utility>

namespace Oskend {

namespace {
// The insert-effect block of a program (72 bytes from 24); its last two
// bytes are the sends a timbre takes.
constexpr unsigned kProgIfx = 24;
constexpr unsigned kProgIfxSize = 72;
constexpr unsigned kSlotSize = 68;
constexpr unsigned kSendsInBlock = 70;
// The performance's insert-effect slot of effect index 0..5; index 3 has
// none.
constexpr int kSlotOffset[6] = {100, 176, 24, -1, 252, 328};
// Timbre t's record and, in it, its two sends and its eight tone
// adjustments.
constexpr unsigned kTimbre = 628;
constexpr unsigned kTimbreStride = 44;
constexpr unsigned kSends = 15;
constexpr unsigned kToneAdjust = 36;
constexpr unsigned kToneAdjustSize = 8;
// Master effects 1 and 2, their common bytes and the total EQ.
constexpr unsigned kMasterBlocks[4][2] = {{404, 68}, {472, 68}, {540, 4}, {544, 68}};
}  // namespace

CombiTimbreTake::CombiTimbreTake(ParamReader param, ProgramReader program, Writer put)
    : param_(std::move(param)), program_(std::move(program)), put_(std::move(put)) {}

void CombiTimbreTake::ProgramChanged(int t, bool alone) const {
  ClearToneAdjust(t);
  TakeProgramEffects(t, alone);
}

void CombiTimbreTake::SwitchedOn(int t) const { TakeProgramEffects(t, false); }

bool CombiTimbreTake::OwnsSlot(int t) const {
  if (t < 0 || t >= kTimbres || param_(SwitchId(t)) == 0) return false;
  // Of a lower and an upper timbre that both play, the lower owns the slot.
  return t < 6 || param_(SwitchId(t - 6)) == 0;
}

bool CombiTimbreTake::TakeProgramEffects(int t, bool withMasterFx) const {
  if (!OwnsSlot(t)) return false;
  const int v = param_(ProgramId(t));
  LoadIfx(t % 6, v / 128, v % 128);
  if (!withMasterFx) return false;
  LoadMasterFx(v);
  return true;
}

void CombiTimbreTake::LoadIfx(int slot, int bank, int number) const {
  std::uint8_t block[kProgIfxSize] = {};
  if (slot < 0 || slot > 5 || !program_(bank, number, kProgIfx, block, kProgIfxSize)) return;
  if (kSlotOffset[slot] >= 0) put_(static_cast<unsigned>(kSlotOffset[slot]), block, kSlotSize);
  for (int twin : {slot, slot + 6})
    put_(kTimbre + kTimbreStride * static_cast<unsigned>(twin) + kSends, block + kSendsInBlock, 2);
}

void CombiTimbreTake::LoadMasterFx(int program) const {
  std::uint8_t buffer[68];
  for (const auto& b : kMasterBlocks) {
    if (!program_(program / 128, program % 128, b[0], buffer, b[1])) return;
    put_(b[0], buffer, b[1]);
  }
}

void CombiTimbreTake::ClearToneAdjust(int t) const {
  if (t < 0 || t >= kTimbres) return;
  const std::uint8_t zeros[kToneAdjustSize] = {};
  put_(kTimbre + kTimbreStride * static_cast<unsigned>(t) + kToneAdjust, zeros, kToneAdjustSize);
}

}  // namespace Oskend
