#include "remote/CAwayWrites.h"

namespace Oskend {

namespace {

using L = RemoteSynthLayout;

bool InRange(int value, std::size_t count) {
  return value >= 0 && static_cast<std::size_t>(value) < count;
}

}  // namespace

void CAwayWrites::Note(Kind kind, int bank, int number, bool write) {
  if (kind == Kind::kProgram && InRange(bank, L::kProgBankCount) && InRange(number, kPerBank))
    programs_.set(static_cast<std::size_t>(bank) * kPerBank + static_cast<std::size_t>(number), write);
  else if (kind == Kind::kCombination && bank == 0 && InRange(number, kCombinations))
    combinations_.set(static_cast<std::size_t>(number), write);
}

void CAwayWrites::NoteBank(Kind kind, int bank, bool write) {
  if (kind == Kind::kCombination && bank <= 0) {
    if (write)
      combinations_.set();
    else
      combinations_.reset();
    return;
  }
  if (kind != Kind::kProgram || bank >= static_cast<int>(L::kProgBankCount)) return;
  const std::size_t from = bank < 0 ? 0 : static_cast<std::size_t>(bank) * kPerBank;
  const std::size_t to = bank < 0 ? kPrograms : from + kPerBank;
  for (std::size_t i = from; i < to; ++i) programs_.set(i, write);
}

void CAwayWrites::Clear() {
  programs_.reset();
  combinations_.reset();
}

bool CAwayWrites::Asked(Kind kind, int bank, int number) const {
  if (kind == Kind::kProgram)
    return InRange(bank, L::kProgBankCount) && InRange(number, kPerBank) &&
           programs_.test(static_cast<std::size_t>(bank) * kPerBank + static_cast<std::size_t>(number));
  return kind == Kind::kCombination && bank == 0 && InRange(number, kCombinations) &&
         combinations_.test(static_cast<std::size_t>(number));
}

bool CAwayWrites::WholeBank(Kind kind, int bank) const {
  if (kind == Kind::kCombination) return bank == 0 && combinations_.all();
  if (kind != Kind::kProgram || !InRange(bank, L::kProgBankCount)) return false;
  const std::size_t from = static_cast<std::size_t>(bank) * kPerBank;
  for (std::size_t i = from; i < from + kPerBank; ++i)
    if (!programs_.test(i)) return false;
  return true;
}

}  // namespace Oskend
