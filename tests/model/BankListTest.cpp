#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "model/BankNames.h"
#include "model/CBankListImpl.h"
#include "model/ChunkRemoteSynth.h"
#include "model/InitChunks.h"
#include "model/RecordBuffer.h"

namespace Oskend {
namespace {

using L = RemoteSynthLayout;

// The two lists as the model lays them over its image.
class BankLists : public ::testing::Test {
 protected:
  void SetUp() override {
    InitAllChunk(img_);
    progs_.AddBanks(4, 128, BANKNAMES_PROG_RAM_INT, buf_.data() + L::kProgBanks, L::kProgBanksSize);
    combis_.AddBanks(1, 20, BANKNAMES_COMBI, buf_.data() + L::kCombis, L::kCombisSize);
  }
  ISound* Prog(unsigned b, unsigned n) { return progs_.GetAt(b)->GetAt(n); }

  RecordBuffer<ChunkRemoteSynthView> buf_;
  CHUNK_REMOTESYNTH img_ = buf_.view();
  CBankListImpl progs_, combis_;
};

TEST_F(BankLists, WalkBanksSoundsNamesAndCategories) {
  ASSERT_EQ(progs_.GetCount(), 4u);
  const char* letters[] = {"A", "B", "C", "D"};
  for (unsigned b = 0; b < 4; ++b) {
    IBank* bank = progs_.GetAt(b);
    EXPECT_EQ(bank->GetName(), letters[b]);
    ASSERT_EQ(bank->GetCount(), 128u);
    for (unsigned n = 0; n < 128; ++n) {
      ISound* s = bank->GetAt(n);
      ASSERT_EQ(s->RawSize(), 1472u);
      ASSERT_EQ(s->GetName(), "INIT                    ");
      std::uint8_t category = 0;
      ASSERT_EQ(s->RawGet(&category, 630, 1), 1u);
      ASSERT_EQ(category & 31, 6);
    }
  }
  ASSERT_EQ(combis_.GetCount(), 1u);
  EXPECT_EQ(combis_.GetAt(0)->GetName(), "A");
  ASSERT_EQ(combis_.GetAt(0)->GetCount(), 20u);
  EXPECT_EQ(combis_.GetAt(0)->GetAt(19)->RawSize(), 1332u);
  EXPECT_EQ(combis_.GetAt(0)->GetAt(19)->GetName(), "INIT PERF               ");
}

TEST_F(BankLists, SoundsAreViewsOnTheImage) {
  img_.GetProg(2, 17).SetName("Deep Bass");
  EXPECT_EQ(Prog(2, 17)->GetName(), "Deep Bass               ");
  EXPECT_EQ(Prog(2, 16)->GetName(), "INIT                    ");
  img_.GetCombi(7).SetName("Layered");
  EXPECT_EQ(combis_.GetAt(0)->GetAt(7)->GetName(), "Layered                 ");

  const char name[] = "Written";
  EXPECT_EQ(Prog(3, 127)->RawPut(name, 0, 7), 7u);
  EXPECT_EQ(std::memcmp(buf_.data() + L::kProgBanks + 3 * L::kProgBankSize + 127 * L::kProgSize, name, 7), 0);
}

TEST_F(BankLists, OutOfRangeIndexesGiveNull) {
  EXPECT_EQ(progs_.GetAt(4), nullptr);
  EXPECT_EQ(progs_.GetAt(0)->GetAt(128), nullptr);
  EXPECT_EQ(combis_.GetAt(1), nullptr);
  EXPECT_EQ(combis_.GetAt(0)->GetAt(20), nullptr);
}

TEST_F(BankLists, RawAccessIsClippedToTheSound) {
  ISound* s = Prog(0, 0);
  std::array<std::uint8_t, 200> buf{};
  struct Case {
    unsigned offset, count, copied;
  };
  const Case cases[] = {{1472, 10, 0}, {1400, 100, 72}, {0, 24, 24},
                        {1471, 1, 1},  {5000, 1, 0},    {0, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(s->RawGet(buf.data(), c.offset, c.count), c.copied) << c.offset << "+" << c.count;
    EXPECT_EQ(s->RawPut(buf.data(), c.offset, c.count), c.copied) << c.offset << "+" << c.count;
  }
  EXPECT_EQ(s->RawGet(nullptr, 0, 10), 0u);
  EXPECT_EQ(s->RawPut(nullptr, 0, 10), 0u);
}

TEST(CSoundImpl, NameStopsAtTheFirstNonPrintableByte) {
  struct Case {
    const char* what;
    std::array<std::uint8_t, 30> bytes;
    std::size_t cut;  // bytes the name keeps
    unsigned size;
  };
  auto fill = [](std::size_t at, std::uint8_t b) {
    std::array<std::uint8_t, 30> a;
    a.fill('x');
    if (at < a.size()) a[at] = b;
    return a;
  };
  const Case cases[] = {
      {"NUL as 10th byte", fill(9, 0x00), 9, 30}, {"control byte", fill(3, 0x1F), 3, 30},
      {"byte 0x80", fill(0, 0x80), 0, 30},        {"byte 0x7F is kept", fill(5, 0x7F), 24, 30},
      {"all printable", fill(99, 0), 24, 30},     {"shorter sound", fill(99, 0), 10, 10},
  };
  for (const Case& c : cases) {
    std::array<std::uint8_t, 30> bytes = c.bytes;
    CSoundImpl s;
    s.Init(bytes.data(), c.size);
    EXPECT_EQ(s.GetName(), std::string(reinterpret_cast<const char*>(bytes.data()), c.cut))
        << c.what;
  }
  CSoundImpl empty;
  EXPECT_EQ(empty.GetName(), "");
  EXPECT_EQ(empty.RawSize(), 0u);
  empty.Init(nullptr, 100);  // no bytes behind it: an empty sound
  EXPECT_EQ(empty.RawSize(), 0u);
}

TEST(CBankImpl, AddSoundsSplitsTheBytesEvenly) {
  std::array<std::uint8_t, 100> bytes{};
  CBankImpl bank;
  bank.Init(nullptr, 3, bytes.data(), 100);
  EXPECT_EQ(bank.GetName(), "");
  ASSERT_EQ(bank.GetCount(), 3u);
  EXPECT_EQ(bank.GetAt(2)->RawSize(), 33u);
  bank.AddSounds(0, bytes.data(), 100);
  EXPECT_EQ(bank.GetCount(), 3u);
  bank.AddSounds(2, bytes.data(), 10);
  ASSERT_EQ(bank.GetCount(), 5u);
  EXPECT_EQ(bank.GetAt(4)->RawSize(), 5u);
  // Sound 4 starts 5 bytes into the appended run.
  bytes[5] = 'Q';
  EXPECT_EQ(bank.GetAt(4)->GetName().substr(0, 1), "Q");
}

TEST(CBankListImpl, NamesAndDegenerateCounts) {
  std::array<std::uint8_t, 64> bytes{};
  CBankListImpl list;
  list.AddBanks(0, 4, BANKNAMES_PROG_RAM_INT, bytes.data(), 64);
  EXPECT_EQ(list.GetCount(), 0u);
  // More banks than the combination names: the ones past the list are unnamed.
  list.AddBanks(5, 2, BANKNAMES_COMBI, bytes.data(), 60);
  ASSERT_EQ(list.GetCount(), 5u);
  const char* want[] = {"A", "B", "C", "", ""};
  for (unsigned i = 0; i < 5; ++i) EXPECT_EQ(list.GetAt(i)->GetName(), want[i]) << i;
  EXPECT_EQ(list.GetAt(4)->GetAt(1)->RawSize(), 6u);
  list.AddBanks(1, 1, nullptr, bytes.data(), 8);
  ASSERT_EQ(list.GetCount(), 6u);
  EXPECT_EQ(list.GetAt(5)->GetName(), "");
}

}  // namespace
}  // namespace Oskend
