// Which stored sounds are to be written into the synthesizer's memory once
// it is back: as the loads made while it was away asked, the last load of a
// sound deciding.
#include "remote/CAwayWrites.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Oskend::CAwayWrites;
using Kind = CAwayWrites::Kind;

struct WriteProbe {
  Kind kind;
  int bank, number;
  bool asked;
};

struct LoadsCase {
  std::string what;
  std::function<void(CAwayWrites&)> loads;
  std::vector<WriteProbe> probes;
  std::vector<int> wholeProgramBanks;  // of 0..3
  bool wholePerformances;
};

TEST(CAwayWritesTest, TheLastLoadOfASoundDecides) {
  const std::vector<LoadsCase> cases{
      {"nothing loaded", [](CAwayWrites&) {}, {{Kind::kProgram, 0, 0, false}, {Kind::kCombination, 0, 0, false}}, {}, false},
      {"one program file", [](CAwayWrites& w) { w.Note(Kind::kProgram, 2, 127, true); },
       {{Kind::kProgram, 2, 127, true}, {Kind::kProgram, 2, 126, false}, {Kind::kProgram, 3, 0, false},
        {Kind::kCombination, 0, 127, false}},
       {}, false},
      {"a bank file", [](CAwayWrites& w) { w.NoteBank(Kind::kProgram, 1, true); },
       {{Kind::kProgram, 1, 0, true}, {Kind::kProgram, 1, 127, true}, {Kind::kProgram, 0, 127, false},
        {Kind::kProgram, 2, 0, false}},
       {1}, false},
      {"all programs, then a host's program in bank C",
       [](CAwayWrites& w) {
         w.NoteBank(Kind::kProgram, -1, true);
         w.Note(Kind::kProgram, 2, 5, false);
       },
       {{Kind::kProgram, 2, 5, false}, {Kind::kProgram, 2, 6, true}, {Kind::kProgram, 3, 127, true}},
       {0, 1, 3}, false},
      {"all performances, then one initialised",
       [](CAwayWrites& w) {
         w.NoteBank(Kind::kCombination, -1, true);
         w.Note(Kind::kCombination, 0, 19, false);
       },
       {{Kind::kCombination, 0, 0, true}, {Kind::kCombination, 0, 19, false}, {Kind::kProgram, 0, 0, false}},
       {}, false},
      {"all performances", [](CAwayWrites& w) { w.NoteBank(Kind::kCombination, 0, true); },
       {{Kind::kCombination, 0, 19, true}}, {}, true},
      {"a bank chunk after files", [](CAwayWrites& w) {
         w.Note(Kind::kCombination, 0, 3, true);
         w.NoteBank(Kind::kProgram, 0, true);
         w.NoteBank(Kind::kProgram, -1, false);
         w.NoteBank(Kind::kCombination, -1, false);
       },
       {{Kind::kCombination, 0, 3, false}, {Kind::kProgram, 0, 0, false}}, {}, false},
      {"places that are none",
       [](CAwayWrites& w) {
         w.Note(Kind::kProgram, 4, 0, true);
         w.Note(Kind::kProgram, 0, 128, true);
         w.Note(Kind::kCombination, 0, 20, true);
         w.Note(Kind::kCombination, 1, 0, true);
         w.Note(Kind::kGlobal, 0, 0, true);
         w.NoteBank(Kind::kProgram, 4, true);
       },
       {{Kind::kProgram, 3, 127, false}, {Kind::kCombination, 0, 19, false}, {Kind::kCombination, 1, 0, false},
        {Kind::kGlobal, 0, 0, false}},
       {}, false},
  };
  for (const LoadsCase& c : cases) {
    SCOPED_TRACE(c.what);
    CAwayWrites writes;
    c.loads(writes);
    for (const WriteProbe& p : c.probes)
      EXPECT_EQ(writes.Asked(p.kind, p.bank, p.number), p.asked)
          << "kind " << static_cast<int>(p.kind) << " bank " << p.bank << " number " << p.number;
    std::vector<int> whole;
    for (int b = -1; b <= 4; ++b)
      if (writes.WholeBank(Kind::kProgram, b)) whole.push_back(b);
    EXPECT_EQ(whole, c.wholeProgramBanks);
    EXPECT_EQ(writes.WholeBank(Kind::kCombination, 0), c.wholePerformances);
    writes.Clear();
    EXPECT_FALSE(writes.Asked(Kind::kProgram, 1, 0) || writes.Asked(Kind::kCombination, 0, 0));
  }
}

}  // namespace
