// Damaged and hostile streams: every one is refused with fileioerror, and a
// refused load leaves the image, the caller's parameters and the dirty marks
// as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <streambuf>
#include <string>

#include "tests/remote/PersistTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

using Oskend::FTYPE;
using Oskend::FXBFILTERINFO;
using Oskend::PERSISTPARAMS;
using vesk::test::BE32At;
using vesk::test::PutBE32;
using vesk::test::Save;
using vesk::test::TestImage;

// A bank chunk small enough to build quickly: 2 combinations, 3 programs of
// banks B and D, the global block.
FXBFILTERINFO SmallFilter() {
  FXBFILTERINFO f;
  f.bytes[2] = 2;
  f.bytes[5] = 0x0A;
  f.bytes[7] = 3;
  f.bytes[10] = 1;
  return f;
}

const std::string& Chunk(FTYPE type) {
  static std::map<FTYPE, std::string> cache;
  auto it = cache.find(type);
  if (it == cache.end()) {
    TestImage image(1);
    it = cache.emplace(type, Save(image, type, SmallFilter())).first;
  }
  return it->second;
}

// Offsets in the small bank chunk ("trx " at 0).
constexpr std::size_t kFirstBlock = 32 + 12;  // length of the combinations' block
std::size_t SecondBlock(const std::string& s) { return kFirstBlock + 4 + BE32At(s, kFirstBlock); }

struct LoadResult {
  bool threw = false;
  std::string what;
};

// Loads into an image that must not change unless the load succeeds.
LoadResult LoadAndCheckUntouched(std::istream& in, std::uint32_t index = 1) {
  TestImage image(9);
  const std::vector<std::uint8_t> before = image.bytes();
  PERSISTPARAMS params;
  params.type = FTYPE::AllCombis;
  params.index = index;
  params.image = image.view();
  params.filter = vesk::test::FullFilter();
  CDirtyFlagSet dirty;
  LoadResult r;
  try {
    Oskend::PersistLoadStream(in, 0, &params, dirty);
  } catch (const Oskend::fileioerror& e) {
    r.threw = true;
    r.what = e.what();
    EXPECT_TRUE(image.bytes() == before);
    EXPECT_FALSE(dirty.isDirty());
    EXPECT_EQ(params.type, FTYPE::AllCombis);
    EXPECT_TRUE(params.filter == vesk::test::FullFilter());
  }
  return r;
}

struct CorruptCase {
  const char* name;
  std::function<std::string()> make;
  const char* what;
  std::uint32_t index = 1;
};

std::string Patched(FTYPE type, const std::function<void(std::string&)>& patch) {
  std::string s = Chunk(type);
  patch(s);
  return s;
}

std::string Cut(FTYPE type, std::size_t keep) { return Chunk(type).substr(0, keep); }

// A program container around another native chunk.
std::string Contained(FTYPE inner) {
  std::string s = Chunk(FTYPE::VSTProg).substr(0, 60) + Chunk(inner);
  PutBE32(s, 4, static_cast<std::uint32_t>(s.size() - 8));
  return s;
}

void AddLE32(std::string& s, std::size_t at, int delta) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + i])) << (8 * i);
  v += static_cast<std::uint32_t>(delta);
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

const char* const kUnknown = "unknown format";
const char* const kNative = "load native failed";
const char* const kVST = "load VST failed";

const std::vector<CorruptCase> kCases = {
    {"Empty", [] { return std::string(); }, kUnknown},
    {"FourBytes", [] { return std::string("trp "); }, kUnknown},
    {"HeaderCutShort", [] { return Cut(FTYPE::Prog, 31); }, kUnknown},
    {"WrongPluginId", [] { return Patched(FTYPE::Prog, [](std::string& s) { s[16] = 'X'; }); },
     kUnknown},
    {"UnknownTag", [] { return Patched(FTYPE::Prog, [](std::string& s) { s[3] = 'z'; }); },
     kUnknown},
    {"AllDataSizeBelowMinimum",
     [] { return Patched(FTYPE::All, [](std::string& s) { PutBE32(s, 4, 783423); }); }, kUnknown},
    {"ProgramBodyCut", [] { return Cut(FTYPE::Prog, 1000); }, kNative},
    {"ProgramPaddingCut", [] { return Cut(FTYPE::Prog, 1512); }, kNative},
    {"AllDataLastByteCut", [] { return Cut(FTYPE::All, 783431); }, kNative},
    {"SizeFieldBeyondStream",
     [] { return Patched(FTYPE::Combi, [](std::string& s) { PutBE32(s, 4, 0xFFFFFFFF); }); },
     kNative},
    {"OneBankIndex4", [] { return Chunk(FTYPE::ProgBank); }, kNative, 4},
    {"OneBankIndexHuge", [] { return Chunk(FTYPE::ProgBank); }, kNative, 0xFFFFFFFF},
    {"BankSizeBelowHeader",
     [] { return Patched(FTYPE::Bank, [](std::string& s) { PutBE32(s, 4, 10); }); }, kNative},
    {"BankSizeHuge",
     [] { return Patched(FTYPE::Bank, [](std::string& s) { PutBE32(s, 4, 0x7FFFFFF0); }); },
     kNative},
    {"BankBodyCut", [] { return Cut(FTYPE::Bank, 200); }, kNative},
    {"BankSizeCutsBody",
     [] { return Patched(FTYPE::Bank, [](std::string& s) { PutBE32(s, 4, BE32At(s, 4) - 20); }); },
     kNative},
    {"Filter21Combinations",
     [] { return Patched(FTYPE::Bank, [](std::string& s) { s[34] = 21; }); }, kNative},
    {"Filter129Programs",
     [] { return Patched(FTYPE::Bank, [](std::string& s) { s[39] = static_cast<char>(129); }); },
     kNative},
    {"ArchiveLengthHuge",
     [] {
       return Patched(FTYPE::Bank, [](std::string& s) { PutBE32(s, kFirstBlock, 0xFFFFFFF0); });
     },
     kNative},
    {"ArchiveLengthPastBody",
     [] {
       return Patched(FTYPE::Bank, [](std::string& s) {
         PutBE32(s, kFirstBlock, static_cast<std::uint32_t>(s.size() - kFirstBlock - 3));
       });
     },
     kNative},
    {"ArchiveLengthShort",
     [] {
       return Patched(FTYPE::Bank,
                      [](std::string& s) { PutBE32(s, kFirstBlock, BE32At(s, kFirstBlock) - 1); });
     },
     kNative},
    {"ArchiveOriginalAboveDestination",
     [] {
       return Patched(FTYPE::Bank, [](std::string& s) { AddLE32(s, kFirstBlock + 4 + 8, 1); });
     },
     kNative},
    {"ArchiveOriginalBelowExpected",
     [] {
       return Patched(FTYPE::Bank, [](std::string& s) { AddLE32(s, kFirstBlock + 4 + 8, -1); });
     },
     kNative},
    {"ArchiveMagic",
     [] { return Patched(FTYPE::Bank, [](std::string& s) { s[kFirstBlock + 4] = 't'; }); },
     kNative},
    // The first block is sound and would change the image; the second is not.
    {"SecondArchiveBitFlipped",
     [] {
       return Patched(FTYPE::Bank, [](std::string& s) { s[SecondBlock(s) + 4 + 16 + 3] ^= 0x10; });
     },
     kNative},
    {"SecondArchiveCrc",
     [] { return Patched(FTYPE::Bank, [](std::string& s) { s[SecondBlock(s) + 4 + 12] ^= 1; }); },
     kNative},
    {"ContainerKindUnknown",
     [] { return Patched(FTYPE::VSTProg, [](std::string& s) { s[9] = 'X'; }); }, kUnknown},
    {"ContainerMagicCase",
     [] { return Patched(FTYPE::VSTProg, [](std::string& s) { s[3] = 'K'; }); }, kUnknown},
    {"ContainerWithoutNative",
     [] { return Patched(FTYPE::VSTProg, [](std::string& s) { s[60] = 'x'; }); }, kVST},
    {"ContainerCut", [] { return Cut(FTYPE::VSTCombi, 500); }, kVST},
    {"ContainerSizeBelowNative",
     [] { return Patched(FTYPE::VSTProg, [](std::string& s) { PutBE32(s, 4, 1567); }); }, kVST},
    {"ContainerSizeBeyondStream",
     [] {
       return Patched(FTYPE::VSTBank, [](std::string& s) { PutBE32(s, 4, BE32At(s, 4) + 1); });
     },
     kVST},
    {"ContainerSizeBelowHeader",
     [] { return Patched(FTYPE::VSTProg, [](std::string& s) { PutBE32(s, 4, 8); }); }, kVST},
    {"ContainerBankBodyDamaged",
     [] { return Patched(FTYPE::VSTBank, [](std::string& s) { s[160 + 34] = 99; }); }, kVST},
    {"ContainerAroundAllCombinations", [] { return Contained(FTYPE::AllCombis); }, kVST},
};

class PersistCorruption : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(PersistCorruption, IsRefusedAndChangesNothing) {
  const CorruptCase& c = GetParam();
  std::istringstream in("ab" + c.make());
  in.seekg(2);
  const LoadResult r = LoadAndCheckUntouched(in, c.index);
  ASSERT_TRUE(r.threw);
  EXPECT_EQ(r.what, c.what);
  if (std::string(c.what) == kUnknown) { EXPECT_EQ(in.tellg(), 2); }  // position restored
}

INSTANTIATE_TEST_SUITE_P(Streams, PersistCorruption, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PersistCorruption, SoundChunksOfTheTableLoad) {
  // The damage above is what makes each case fail: the undamaged chunks load.
  for (const FTYPE type : {FTYPE::All, FTYPE::Prog, FTYPE::Combi, FTYPE::ProgBank, FTYPE::Bank,
                           FTYPE::VSTProg, FTYPE::VSTCombi, FTYPE::VSTBank}) {
    std::istringstream in(Chunk(type));
    EXPECT_FALSE(LoadAndCheckUntouched(in).threw) << static_cast<int>(type);
  }
}

// A stream that can only be read forward, as a pipe.
class ForwardOnlyBuf : public std::streambuf {
 public:
  explicit ForwardOnlyBuf(std::string data) : data_(std::move(data)) {
    setg(data_.data(), data_.data(), data_.data() + data_.size());
  }

 private:
  std::string data_;
};

TEST(PersistCorruption, StreamsThatCannotSeekAreCheckedWhileReading) {
  ForwardOnlyBuf whole(Chunk(FTYPE::Prog));
  std::istream wholeIn(&whole);
  EXPECT_FALSE(LoadAndCheckUntouched(wholeIn).threw);

  ForwardOnlyBuf cut(Cut(FTYPE::Prog, 700));
  std::istream cutIn(&cut);
  const LoadResult r = LoadAndCheckUntouched(cutIn);
  EXPECT_TRUE(r.threw);
  EXPECT_EQ(r.what, kNative);

  ForwardOnlyBuf bank(Cut(FTYPE::VSTBank, Chunk(FTYPE::VSTBank).size() - 1));
  std::istream bankIn(&bank);
  EXPECT_EQ(LoadAndCheckUntouched(bankIn).what, kVST);
}

TEST(PersistCorruption, ShortAndMissingFilesAreFailures) {
  vesk::test::TempDir dir;
  for (const std::string& content : {std::string(), std::string("tra")}) {
    const std::string path = dir.File("short.VSKall");
    vesk::test::WriteWholeFile(path, content);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(LoadAndCheckUntouched(in).what, kUnknown);
  }
  TestImage image(1);
  PERSISTPARAMS params;
  params.image = image.view();
  CDirtyFlagSet dirty;
  EXPECT_THROW(Oskend::PersistLoadStream(dir.File("missing").c_str(), 0, &params, dirty),
               Oskend::fileioerror);
  EXPECT_FALSE(Oskend::PersistFindStreamType(dir.File("missing").c_str(), nullptr, nullptr));
}

// Inputs that once made the file reader misbehave under the fuzzer.
TEST(PersistCorruption, FuzzRegressionInputsAreHandled) {
  namespace fs = std::filesystem;
  const fs::path dirPath = VESK_PERSIST_REGRESSION_DIR;
  ASSERT_TRUE(fs::is_directory(dirPath)) << dirPath;
  for (const auto& entry : fs::directory_iterator(dirPath)) {
    std::ifstream in(entry.path(), std::ios::binary);
    LoadAndCheckUntouched(in);
  }
}

}  // namespace
