#pragma once
// Which stored sounds the user asked, while the synthesizer was away, to
// have written into its memory: those a data file replaced, as loading the
// file writes them there while the synthesizer is connected (once the
// file's question is answered). A later change that is not written there
// when connected (a host's chunk, an initialised performance) takes the
// request back for the sounds it replaces. Main thread.
#include <bitset>

#include "model/ChunkRemoteSynth.h"
#include "remote/CImageEdits.h"

namespace Oskend {

class CAwayWrites {
 public:
  using Kind = CImageEdits::Kind;  // kProgram or kCombination

  // One stored program (bank 0..3, number 0..127) or performance (bank 0,
  // number 0..19); other places are ignored.
  void Note(Kind kind, int bank, int number, bool write);
  // Every sound of one bank of the kind; a negative bank: of all its banks.
  void NoteBank(Kind kind, int bank, bool write);
  void Clear();

  bool Asked(Kind kind, int bank, int number) const;
  // Every sound of the bank is asked to be written: the bank goes whole and
  // is stored whole, as a bank file is when connected.
  bool WholeBank(Kind kind, int bank) const;

 private:
  static constexpr std::size_t kPerBank = RemoteSynthLayout::kProgsPerBank;
  static constexpr std::size_t kPrograms = RemoteSynthLayout::kProgBankCount * kPerBank;
  static constexpr std::size_t kCombinations = RemoteSynthLayout::kCombiCount;

  std::bitset<kPrograms> programs_;
  std::bitset<kCombinations> combinations_;
};

}  // namespace Oskend
