// Writing and reading data files: every kind round-trips through the writer
// and the reader, the fixed kinds have their exact lengths, and the reader
// recognises what a stream holds.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "os/Thread.h"
#include "remote/PersistFormat.h"
#include "tests/remote/PersistTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

using Oskend::FTYPE;
using Oskend::FXBFILTERINFO;
using Oskend::PERSISTPARAMS;
using L = Oskend::RemoteSynthLayout;
using vesk::test::BE32At;
using vesk::test::FullFilter;
using vesk::test::Load;
using vesk::test::Save;
using vesk::test::TestImage;

struct Range {
  std::size_t from;  // in the saved image
  std::size_t to;    // in the loaded image
  std::size_t size;
};

struct Marks {
  unsigned banks;  // bit per bank
  bool combis, global, curSound;
};

struct RoundTripCase {
  const char* name;
  FTYPE type;
  std::uint32_t index;  // bank a one-bank body is read into
  std::vector<Range> moved;
  Marks marks;
};

constexpr std::size_t kBank2 = L::kProgBanks + 2 * L::kProgBankSize;
constexpr std::size_t kBank1 = L::kProgBanks + 1 * L::kProgBankSize;
const Range kCombis{L::kCombis, L::kCombis, L::kCombisSize};
const Range kBanks{L::kProgBanks, L::kProgBanks, L::kProgBanksSize};
const Range kCombiEdit{L::kCombiEditBuffer, L::kCombiEditBuffer, L::kCombiSize};
const Range kCurCombi{L::kCurCombi, L::kCurCombi, 8};
const Range kGlobal{0, 0, Oskend::CHUNK_GLOBAL::kSize};
const Range kProgEdit{L::kProgEditBuffer, L::kProgEditBuffer, L::kProgSize};
const Range kCurProg{L::kCurProg, L::kCurProg, 8};

const std::vector<RoundTripCase> kRoundTrips = {
    {"All",
     FTYPE::All,
     0,
     {kCombis, kBanks, kCombiEdit, kGlobal, kCurCombi},
     {15, true, true, true}},
    {"Bank",
     FTYPE::Bank,
     0,
     {kCombis, kBanks, kCombiEdit, kGlobal, kCurCombi},
     {15, true, true, false}},
    {"AllProgs", FTYPE::AllProgs, 0, {kBanks}, {15, false, false, false}},
    {"AllCombis", FTYPE::AllCombis, 0, {kCombis}, {0, true, false, false}},
    // Saved from an image whose current program is in bank C (2), read into B.
    {"ProgBank",
     FTYPE::ProgBank,
     1,
     {{kBank2, kBank1, L::kProgBankSize}},
     {2, false, false, false}},
    {"Prog", FTYPE::Prog, 0, {kProgEdit, kCurProg}, {0, false, false, true}},
    {"Combi", FTYPE::Combi, 0, {kCombiEdit, kCurCombi}, {0, false, false, true}},
    {"VSTBank",
     FTYPE::VSTBank,
     0,
     {kCombis, kBanks, kCombiEdit, kGlobal, kCurCombi},
     {15, true, true, false}},
    {"VSTProg", FTYPE::VSTProg, 0, {kProgEdit, kCurProg}, {0, false, false, true}},
    {"VSTCombi", FTYPE::VSTCombi, 0, {kCombiEdit, kCurCombi}, {0, false, false, true}},
};

class PersistRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(PersistRoundTrip, MovesExactlyItsPartsAndMarksThem) {
  const RoundTripCase& c = GetParam();
  TestImage source(2);  // current program in bank 2
  TestImage target(77);
  const std::string chunk = Save(source, c.type);
  ASSERT_FALSE(chunk.empty());

  std::vector<std::uint8_t> expected = target.bytes();
  for (const Range& r : c.moved)
    std::copy_n(source.bytes().begin() + r.from, r.size, expected.begin() + r.to);

  PERSISTPARAMS params;
  CDirtyFlagSet dirty;
  ASSERT_TRUE(Load(target, chunk, dirty, FullFilter(), c.index, &params));
  EXPECT_EQ(params.type, c.type);
  EXPECT_TRUE(target.bytes() == expected);
  EXPECT_EQ(dirty.mProgBanks.to_ulong(), c.marks.banks);
  EXPECT_EQ(dirty.mCombis.test(0), c.marks.combis);
  EXPECT_EQ(dirty.mGlobal, c.marks.global);
  EXPECT_EQ(dirty.mCurSound, c.marks.curSound);

  // Loading the same chunk again changes nothing and marks nothing.
  CDirtyFlagSet again;
  ASSERT_TRUE(Load(target, chunk, again, FullFilter(), c.index));
  EXPECT_FALSE(again.isDirty());
}

INSTANTIATE_TEST_SUITE_P(EveryKind, PersistRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Persist, ReaderOnlyAddsMarks) {
  TestImage source(1);
  TestImage target(1);
  const std::string chunk = Save(source, FTYPE::Prog);
  CDirtyFlagSet dirty;
  dirty.mGlobal = true;
  dirty.mProgBanks.set(3);
  ASSERT_TRUE(Load(target, chunk, dirty));
  EXPECT_TRUE(dirty.mGlobal);
  EXPECT_TRUE(dirty.mProgBanks.test(3));
  EXPECT_FALSE(dirty.mCurSound);  // same bytes as before
}

struct SizeCase {
  FTYPE type;
  std::size_t length;
  const char* tag;
  std::size_t tagAt;
};

TEST(Persist, FixedKindsHaveTheirExactLengthsAndHeaders) {
  const SizeCase cases[] = {
      {FTYPE::All, 783432, "tra ", 0},         {FTYPE::AllProgs, 753700, "trpa", 0},
      {FTYPE::AllCombis, 26676, "trca", 0},    {FTYPE::ProgBank, 188452, "trpb", 0},
      {FTYPE::Prog, 1516, "trp ", 0},          {FTYPE::Combi, 1376, "trc ", 0},
      {FTYPE::VSTProg, 60 + 1516, "trp ", 60}, {FTYPE::VSTCombi, 60 + 1376, "trc ", 60},
  };
  TestImage image(3);
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.tag);
    const std::string chunk = Save(image, c.type);
    ASSERT_EQ(chunk.size(), c.length);
    const std::string header = chunk.substr(c.tagAt, 32);
    EXPECT_EQ(header.substr(0, 4), c.tag);
    EXPECT_EQ(BE32At(header, 4), c.length - c.tagAt - 8);
    EXPECT_EQ(BE32At(header, 8), 0u);  // version
    EXPECT_EQ(BE32At(header, 12), 0u);
    EXPECT_EQ(header.substr(16, 4), "QVS6");
    EXPECT_EQ(header.substr(20), std::string(12, '\0'));
  }
}

TEST(Persist, ProgramContainerMatchesItsLayout) {
  TestImage image(1);
  const std::string chunk = Save(image, FTYPE::VSTProg);
  ASSERT_EQ(chunk.size(), 1576u);
  EXPECT_EQ(chunk.substr(0, 4), "Ccnk");
  EXPECT_EQ(BE32At(chunk, 4), 1568u);
  EXPECT_EQ(chunk.substr(8, 4), "FPCh");
  EXPECT_EQ(BE32At(chunk, 12), 0u);
  EXPECT_EQ(chunk.substr(16, 4), "QVS6");
  EXPECT_EQ(chunk.substr(20, 40), std::string(40, '\0'));
  EXPECT_EQ(chunk.substr(60, 4), "trp ");
  EXPECT_EQ(BE32At(chunk, 64), 1508u);
  // The body: program edit buffer, current program record, 4 zero bytes.
  const auto& b = image.bytes();
  EXPECT_EQ(chunk.substr(92, L::kProgSize),
            std::string(b.begin() + L::kProgEditBuffer, b.begin() + L::kProgEditBuffer + L::kProgSize));
  EXPECT_EQ(chunk.substr(92 + L::kProgSize, 8),
            std::string(b.begin() + L::kCurProg, b.begin() + L::kCurProg + 8));
  EXPECT_EQ(chunk.substr(1572), std::string(4, '\0'));
}

TEST(Persist, AllDataBodyIsInFileOrder) {
  TestImage image(5);
  const std::string chunk = Save(image, FTYPE::All);
  const auto& b = image.bytes();
  auto image_at = [&](std::size_t at, std::size_t n) {
    return std::string(b.begin() + at, b.begin() + at + n);
  };
  std::size_t at = 32;
  for (const Range& r : {kCombis, kBanks, kCombiEdit, kGlobal, kCurCombi}) {
    EXPECT_EQ(chunk.substr(at, r.size), image_at(r.from, r.size)) << at;
    at += r.size;
  }
  EXPECT_EQ(chunk.substr(at), std::string(20, '\0'));
}

TEST(Persist, BankChunkLayoutFollowsItsFilter) {
  TestImage image(4);
  struct Case {
    unsigned combis, mask, progs;
    bool global;
  };
  for (const Case c : {Case{20, 0x8F, 128, true}, Case{0, 0x05, 3, false},
                       Case{7, 0x00, 128, false}, Case{1, 0x02, 0, true}, Case{0, 0, 0, false}}) {
    SCOPED_TRACE(c.combis * 1000 + c.mask);
    FXBFILTERINFO filter;
    filter.bytes[2] = static_cast<std::uint8_t>(c.combis);
    filter.bytes[5] = static_cast<std::uint8_t>(c.mask);
    filter.bytes[7] = static_cast<std::uint8_t>(c.progs);
    filter.bytes[10] = c.global ? 1 : 0;
    const std::string chunk = Save(image, FTYPE::Bank, filter);
    ASSERT_FALSE(chunk.empty());
    EXPECT_EQ(chunk.substr(0, 4), "trx ");
    EXPECT_EQ(BE32At(chunk, 4), chunk.size() - 8);
    EXPECT_EQ(chunk.substr(32, 12), std::string(filter.bytes.begin(), filter.bytes.end()));
    // Walk the blocks as the format lays them out.
    std::size_t at = 44;
    unsigned blocks = (c.combis != 0 ? 1 : 0);
    if (c.progs != 0)
      for (int bank = 0; bank < 4; ++bank) blocks += filter.HasBank(bank) ? 1 : 0;
    for (unsigned i = 0; i < blocks; ++i) {
      const std::uint32_t length = BE32At(chunk, at);
      EXPECT_EQ(chunk.substr(at + 4, 4), "TAVO");
      at += 4 + length;
    }
    const std::size_t length = at - 32 + L::kCombiSize + (c.global ? 1738 : 0);
    EXPECT_EQ(chunk.size(), 32 + length + 8 + (length % 4 != 0 ? 4 - length % 4 : 0));
    const auto& b = image.bytes();
    EXPECT_EQ(chunk.substr(at, L::kCombiSize),
              std::string(b.begin() + L::kCombiEditBuffer, b.begin() + L::kCombiEditBuffer + L::kCombiSize));
    EXPECT_EQ(chunk.substr(at + L::kCombiSize + (c.global ? 1738 : 0), 8),
              std::string(b.begin() + L::kCurCombi, b.begin() + L::kCurCombi + 8));
  }
}

TEST(Persist, BankChunkTakesOnlyWhatTheCallerWants) {
  TestImage source(1);
  TestImage target(9);
  const std::string chunk = Save(source, FTYPE::VSTBank);
  FXBFILTERINFO wanted;
  wanted.bytes[5] = 0x0A;  // banks B and D, no combinations
  PERSISTPARAMS params;
  CDirtyFlagSet dirty;
  std::vector<std::uint8_t> expected = target.bytes();
  for (std::size_t bank : {1u, 3u}) {
    const std::size_t at = L::kProgBanks + bank * L::kProgBankSize;
    std::copy_n(source.bytes().begin() + at, L::kProgBankSize, expected.begin() + at);
  }
  std::copy_n(source.bytes().begin(), Oskend::CHUNK_GLOBAL::kSize, expected.begin());  // global stored
  ASSERT_TRUE(Load(target, chunk, dirty, wanted, 0, &params));
  EXPECT_TRUE(target.bytes() == expected);
  EXPECT_EQ(dirty.mProgBanks.to_ulong(), 0x0Au);
  EXPECT_FALSE(dirty.mCombis.any());
  EXPECT_TRUE(params.filter == FullFilter());  // the file's filter replaces the caller's
}

TEST(Persist, PartialBankChunkFillsTheFirstProgramsAndCombinations) {
  TestImage source(1);
  TestImage target(6);
  FXBFILTERINFO filter;
  filter.bytes[2] = 3;
  filter.bytes[5] = 0x04;
  filter.bytes[7] = 5;
  const std::string chunk = Save(source, FTYPE::Bank, filter);
  std::vector<std::uint8_t> expected = target.bytes();
  const auto copy = [&](std::size_t at, std::size_t n) {
    std::copy_n(source.bytes().begin() + at, n, expected.begin() + at);
  };
  copy(L::kCombis, 3 * L::kCombiSize);
  copy(L::kProgBanks + 2 * L::kProgBankSize, 5 * L::kProgSize);
  copy(L::kCombiEditBuffer, L::kCombiSize);
  copy(L::kCurCombi, 8);
  CDirtyFlagSet dirty;
  ASSERT_TRUE(Load(target, chunk, dirty));
  EXPECT_TRUE(target.bytes() == expected);
  EXPECT_EQ(dirty.mProgBanks.to_ulong(), 0x04u);
  EXPECT_TRUE(dirty.mCombis.test(0));
  EXPECT_FALSE(dirty.mGlobal);
}

TEST(Persist, IncompressibleImageRoundTripsThroughStoredBlocks) {
  TestImage source = TestImage::Random(11);
  TestImage target(3);
  const std::string chunk = Save(source, FTYPE::Bank);
  // Random data cannot be coded smaller, so every block is stored.
  EXPECT_EQ(BE32At(chunk, 44), 16 + L::kCombisSize);
  CDirtyFlagSet dirty;
  ASSERT_TRUE(Load(target, chunk, dirty));
  for (const Range& r : {kCombis, kBanks, kCombiEdit, kGlobal, kCurCombi})
    EXPECT_TRUE(std::equal(source.bytes().begin() + r.from,
                           source.bytes().begin() + r.from + r.size,
                           target.bytes().begin() + r.to));
}

TEST(Persist, SavesFromTwoThreadsAtOnceMatchOneThread) {
  TestImage a(1);
  TestImage b(2);
  b.bytes()[L::kCombis + 5000] ^= 0x5A;  // differ where both threads code
  FXBFILTERINFO filter;
  filter.bytes[2] = 20;
  filter.bytes[5] = 0x01;
  filter.bytes[7] = 32;
  const std::string expectedA = Save(a, FTYPE::Bank, filter);
  const std::string expectedB = Save(b, FTYPE::Bank, filter);
  ASSERT_NE(expectedA, expectedB);
  std::string gotA[3], gotB[3];
  os::Thread t1, t2;
  ASSERT_TRUE(t1.Start([&] {
    for (auto& s : gotA) s = Save(a, FTYPE::Bank, filter);
  }));
  ASSERT_TRUE(t2.Start([&] {
    for (auto& s : gotB) s = Save(b, FTYPE::Bank, filter);
  }));
  t1.Join();
  t2.Join();
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(gotA[i] == expectedA);
    EXPECT_TRUE(gotB[i] == expectedB);
  }
}

TEST(Persist, FindStreamTypeTellsEveryKind) {
  const FTYPE all[] = {FTYPE::All,      FTYPE::Bank,    FTYPE::AllProgs, FTYPE::AllCombis,
                       FTYPE::ProgBank, FTYPE::Prog,    FTYPE::Combi,    FTYPE::VSTBank,
                       FTYPE::VSTProg,  FTYPE::VSTCombi};
  TestImage image(1);
  for (const FTYPE type : all) {
    SCOPED_TRACE(static_cast<int>(type));
    const std::string chunk = Save(image, type);
    std::istringstream in(chunk);
    FTYPE found = FTYPE::All;
    unsigned char extra = 0;
    ASSERT_TRUE(Oskend::PersistFindStreamType(in, &found, &extra));
    EXPECT_EQ(found, Oskend::persist::NativeType(type));
    EXPECT_EQ(extra, 140);
    const std::streamoff headerEnd =
        Oskend::persist::IsVSTType(type) ? (type == FTYPE::VSTBank ? 160 : 60) + 32 : 32;
    EXPECT_EQ(in.tellg(), headerEnd);
    std::istringstream again(chunk);
    EXPECT_TRUE(Oskend::PersistFindStreamType(again, nullptr, nullptr));
  }
}

TEST(Persist, FindStreamTypeRefusesOtherStreams) {
  TestImage image(1);
  std::string tooSmall = Save(image, FTYPE::All);
  vesk::test::PutBE32(tooSmall, 4, 783423);
  std::string otherId = Save(image, FTYPE::Prog);
  otherId[19] = '7';
  std::string otherKind = Save(image, FTYPE::VSTProg);
  otherKind[8] = 'X';
  for (const std::string& s :
       {std::string(), std::string("abc"), tooSmall, otherId, otherKind, std::string(100, '\0')}) {
    std::istringstream in("xy" + s);
    in.seekg(2);
    FTYPE found = FTYPE::All;
    unsigned char extra = 1;
    EXPECT_FALSE(Oskend::PersistFindStreamType(in, &found, &extra));
    EXPECT_EQ(found, FTYPE::None);
    EXPECT_EQ(extra, 0);
    EXPECT_EQ(in.tellg(), 2);
  }
}

TEST(Persist, FilesRoundTripAndAFailedSaveKeepsTheOldFile) {
  vesk::test::TempDir dir;
  const std::string path = dir.File("bank.VSKbpr");
  TestImage source(3);
  PERSISTPARAMS params;
  params.type = FTYPE::ProgBank;
  params.image = source.view();
  ASSERT_TRUE(Oskend::PersistSaveStream(path.c_str(), 0, &params));
  const std::string saved = vesk::test::ReadWholeFile(path);
  EXPECT_EQ(saved.size(), 188452u);

  FTYPE found = FTYPE::None;
  EXPECT_TRUE(Oskend::PersistFindStreamType(path.c_str(), &found, nullptr));
  EXPECT_EQ(found, FTYPE::ProgBank);

  // A current program outside banks A-D cannot be saved as a bank: nothing is
  // written, and the file keeps what it held.
  source.SetCurProgBank(4);
  EXPECT_FALSE(Oskend::PersistSaveStream(path.c_str(), 0, &params));
  EXPECT_EQ(vesk::test::ReadWholeFile(path), saved);
  EXPECT_EQ(dir.List(), std::vector<std::string>{"bank.VSKbpr"});
  std::ostringstream out;
  EXPECT_FALSE(Oskend::PersistSaveStream(out, 0, &params));
  EXPECT_TRUE(out.str().empty());

  TestImage target(8);
  PERSISTPARAMS load;
  load.index = 0;
  load.image = target.view();
  CDirtyFlagSet dirty;
  ASSERT_TRUE(Oskend::PersistLoadStream(path.c_str(), 0, &load, dirty));
  EXPECT_TRUE(std::equal(source.bytes().begin() + L::kProgBanks + 3 * L::kProgBankSize,
                         source.bytes().begin() + L::kProgBanks + 4 * L::kProgBankSize,
                         target.bytes().begin() + L::kProgBanks));
  EXPECT_TRUE(dirty.mProgBanks.test(0));
}

TEST(Persist, WriterRefusesWhatItCannotWrite) {
  TestImage image(1);
  struct Case {
    const char* name;
    FTYPE type;
    unsigned combis, progs;
  };
  for (const Case& c : {Case{"no kind", FTYPE::None, 0, 0}, Case{"kind 11", FTYPE(11), 0, 0},
                        Case{"kind -1", FTYPE(-1), 0, 0}, Case{"21 combis", FTYPE::Bank, 21, 0},
                        Case{"129 programs", FTYPE::VSTBank, 0, 129}}) {
    SCOPED_TRACE(c.name);
    FXBFILTERINFO filter;
    filter.bytes[2] = static_cast<std::uint8_t>(c.combis);
    filter.bytes[5] = 0x80;
    filter.bytes[7] = static_cast<std::uint8_t>(c.progs);
    EXPECT_TRUE(Save(image, c.type, filter).empty());
  }
  PERSISTPARAMS noImage;
  noImage.type = FTYPE::Prog;
  std::ostringstream out;
  EXPECT_FALSE(Oskend::PersistSaveStream(out, 0, &noImage));
  EXPECT_FALSE(Oskend::PersistSaveStream(out, 0, nullptr));
  std::ofstream closed;
  PERSISTPARAMS prog;
  prog.type = FTYPE::Prog;
  prog.image = image.view();
  EXPECT_FALSE(Oskend::PersistSaveStream(closed, 0, &prog));
}

}  // namespace
