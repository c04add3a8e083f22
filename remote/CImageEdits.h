#pragma once
// What the editor changed in its image while the synthesizer was away: the
// bytes in which the image differs from a copy taken when the synthesizer
// went, found record by record of the synthesizer's memory (the global
// block, each program and performance, the two edit buffers; not the
// current sounds and the mode, which a connection takes the synthesizer
// to). An edit buffer is compared with the sound it was loaded from: the
// copy's edit buffer while the current sound stayed the same, else the
// copy's stored sound at the new current place, so that a sound that was
// only chosen is no edit. Put back over the memory received from the
// synthesizer, the edits keep what the synthesizer holds everywhere else:
// the global block and an edit buffer keep its bytes that were not edited;
// a stored sound, which changes only whole, goes back whole, and so does
// the edit buffer of a current sound that was replaced.
// Main thread.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Oskend {

class CImageEdits {
 public:
  enum class Kind { kGlobal, kProgram, kCombination, kCurrentCombination, kCurrentProgram };
  struct Record {
    Kind kind;
    int bank, number;      // of a stored program or performance
    std::size_t at, size;  // the record's place in the image
  };

  CImageEdits() = default;
  // The edits that made the image `now` out of the copy `before` (both of
  // the image's whole size).
  CImageEdits(const std::vector<std::uint8_t>& before, const std::uint8_t* now);

  bool Empty() const { return records_.empty(); }
  // The records that hold an edit, in the order they are to be sent: the
  // global block, the stored sounds, then the edit buffers.
  const std::vector<Record>& Records() const { return records_; }
  // Whether a record of the kind holds an edit.
  bool Holds(Kind kind) const;
  // Writes the edited bytes into an image, over what it holds there.
  void PutBack(std::uint8_t* image) const;

 private:
  struct Run {
    std::size_t at;
    std::vector<std::uint8_t> bytes;
  };
  // Notes the record when its bytes in `now` differ from `base` (the
  // record's bytes it is compared with), with the runs that differ, or
  // with all its bytes when it goes back `whole`.
  void Compare(const Record& record, const std::uint8_t* base, const std::uint8_t* now,
               bool whole);
  // An edit buffer: compared as above, or noted whole when the stored sound
  // at the current place was `replaced`.
  void CompareEditBuffer(const Record& record, const std::uint8_t* base, const std::uint8_t* now,
                         bool replaced);
  // Whether the stored sound is among the records found.
  bool Edited(Kind kind, int bank, int number) const;

  std::vector<Record> records_;
  std::vector<Run> runs_;
};

}  // namespace Oskend
