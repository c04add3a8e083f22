// The shared section body over a small table of its own: ranges, locks,
// sends, received values, raw access and notices.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/CSectionImplBaseT.h"
#include "os/Thread.h"
#include "tests/model/SectionFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using sectiontest::FakeHost;
using sectiontest::Notice;
using sectiontest::RecordingSink;
using sectiontest::SentChange;

constexpr int kGlobalId = static_cast<int>(0x80000100u);

// clang-format off
const SParamDesc kRows[] = {
    {"Level", "", 0x01, PTYPE_CONT, ATYPE_UBF8, 0, 0, 6, 64, 0, 127, 0, 0, "%.0f,v", nullptr, nullptr, nullptr},
    {"Depth", "", 0x02, PTYPE_CONT, ATYPE_SBF8, 1, 0, 7, 0, -99, 99, 0, 0, "%.0f,v", nullptr, nullptr, nullptr},
    {"Fixed", "", 0x03, PTYPE_CONT, ATYPE_UBF8, 2, 0, 7, 0, 0, 127, 0, 0x1, "%.0f,v", nullptr, nullptr, nullptr},
    {"Name", "", 0x04, PTYPE_STRING, ATYPE_STR16, 4, 0, 7, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
    {"Mode", "", 0x05, PTYPE_CONT, ATYPE_UBF8, 3, 0, 3, 5, 0, 15, 0, 0x10, "%.0f,v", nullptr, nullptr, nullptr},
    {"Sys", "", kGlobalId, PTYPE_CONT, ATYPE_UBF8, 20, 0, 7, 0, 0, 127, 0, 0, "%.0f,v", nullptr, nullptr, nullptr},
    {" ", "", -1, PTYPE_NONE, ATYPE_NONE, 0, 0, 0, 0, 0, 0, 0, 0, "", nullptr, nullptr, nullptr},
};
// clang-format on
const TABLEDESC kTable = {kRows, sizeof kRows / sizeof kRows[0]};

class TestSection : public CSectionImplBaseT<TestSection, Oskend::ISection> {
 public:
  void Init(IHostProxy* host, int midiId, int idBase, std::uint8_t* data, unsigned size,
            const std::uint8_t* ref) {
    Bind(host, kTable, midiId, idBase, data, size, ref);
  }
};

class SectionBaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(block, 0, sizeof block);
    std::memset(ref, 0, sizeof ref);
    ref[0] = 33;
    section.Init(&host, 3, 0x0500, block, sizeof block, ref);
    section.AdviseSink(&sink);
  }

  vesk::test::TestEnvironment env;
  FakeHost host;
  std::uint8_t block[32];
  std::uint8_t ref[32];
  TestSection section;
  RecordingSink sink;
};

TEST_F(SectionBaseTest, UnknownIdsAnswerNothingAndNotifyNothing) {
  SParamDesc row{};
  for (int id : {0x0999, 0x0001, -1}) {  // 0x0001 lacks the id base
    EXPECT_FALSE(section.GetParamDesc(id, &row)) << id;
    EXPECT_EQ(section.GetParamI(id), 0);
    EXPECT_EQ(section.GetParamS(id), std::string(2, '\0'));
    EXPECT_EQ(section.PutParamIEx(id, 5, 0xFF, eChgSource_Editor), 0);
  }
  env.loop().RunPending();
  EXPECT_TRUE(sink.notices.empty());
  EXPECT_TRUE(host.midi.sent.empty());
}

TEST_F(SectionBaseTest, IdsAreRebasedBothWays) {
  EXPECT_EQ(section.GetParamCount(), 7);
  EXPECT_EQ(section.GetParamIDByIndex(0), 0x0501);
  EXPECT_EQ(section.GetParamIDByIndex(6), -1);  // a row without an id
  EXPECT_EQ(section.GetParamIDByIndex(7), -1);
  EXPECT_EQ(section.GetIndexByParamID(0x0502), 1);
  SParamDesc row{};
  ASSERT_TRUE(section.GetParamDesc(0x0502, &row));
  EXPECT_EQ(row.id, 0x0502);
  EXPECT_EQ(row.data, block);
}

TEST_F(SectionBaseTest, ReferenceValuesComeFromTheReferenceBlockUnlessFlagged) {
  SParamDesc row{};
  ASSERT_TRUE(section.GetParamDesc(0x0501, &row));
  EXPECT_EQ(row.ref, 33);
  ref[3] = 9;
  ASSERT_TRUE(section.GetParamDesc(0x0505, &row));
  EXPECT_EQ(row.ref, 5);  // flags 0x10: the default
}

TEST_F(SectionBaseTest, ReadsClampButRawReadsAndTextDoNot) {
  block[1] = 120;  // above the row's 99
  EXPECT_EQ(section.GetParamI(0x0502), 99);
  EXPECT_EQ(section.GetParamI_AvoidToCallISectionsPrepareParamDesc(0x0502), 120);
  EXPECT_EQ(std::string(section.GetParamS(0x0502).c_str()), "120");
}

TEST_F(SectionBaseTest, WritesClampStoreSendTheStoredFieldAndNotify) {
  EXPECT_EQ(section.PutParamI(0x0501, 200), 127);
  EXPECT_EQ(block[0], 127);
  ASSERT_EQ(host.midi.sent.size(), 1u);
  EXPECT_EQ(host.midi.sent[0], (SentChange{3, 0x0501, 127}));
  EXPECT_EQ(host.midi.wire[0].size(), 18u);
  EXPECT_EQ(sink.notices, (std::vector<Notice>{{3, &section, 0x0501}}));

  EXPECT_EQ(section.PutParamIEx(0x0502, -5, 0x1u, eChgSource_Editor), -5);
  EXPECT_EQ(host.midi.sent.size(), 1u);  // notify only
  EXPECT_EQ(std::string(section.PutParamS(0x0502, "42").c_str()), "42");
  EXPECT_EQ(static_cast<std::int8_t>(block[1]), 42);
}

TEST_F(SectionBaseTest, LockedRowsRefuseEditsUnlessForced) {
  block[2] = 7;
  EXPECT_EQ(section.PutParamI(0x0503, 50), 0);
  EXPECT_EQ(section.PutParamS(0x0503, "50"), std::string(2, '\0'));
  EXPECT_EQ(block[2], 7);
  EXPECT_TRUE(sink.notices.empty());
  EXPECT_TRUE(host.midi.sent.empty());
  EXPECT_EQ(section.PutParamIEx(0x0503, 50, 0x8000 | 0x3, eChgSource_Editor), 50);
  EXPECT_EQ(block[2], 50);
  EXPECT_EQ(host.midi.sent.size(), 1u);
}

TEST_F(SectionBaseTest, ReceivedValuesAreStoredRawEvenOnLockedRowsAndNeverSentBack) {
  section.OnRcvMIDIParam(0x0503, 99, eChgSource_Synth);
  EXPECT_EQ(block[2], 99);
  section.OnRcvMIDIParam(0x0502, 120, eChgSource_Synth);  // unclamped
  EXPECT_EQ(block[1], 120);
  section.OnRcvMIDIParam(0x0504, 1, eChgSource_Synth);  // text rows take nothing
  EXPECT_EQ(block[4], 0);
  EXPECT_TRUE(host.midi.sent.empty());
  EXPECT_EQ(sink.Ids(3), (std::vector<int>{0x0503, 0x0502}));
}

TEST_F(SectionBaseTest, TextRowsStoreTheTextAndAreNeverSent) {
  std::string stored = section.PutParamS(0x0504, "Hello");
  EXPECT_EQ(std::string(stored.c_str()), "Hello           ");
  EXPECT_EQ(std::memcmp(block + 4, "Hello           ", 16), 0);
  EXPECT_TRUE(host.midi.sent.empty());
  EXPECT_TRUE(sink.Has(3, 0x0504));
}

TEST_F(SectionBaseTest, NeverSentSectionsAndSystemIds) {
  TestSection setupLike;
  setupLike.Init(&host, 255, 0, block, sizeof block, nullptr);
  EXPECT_EQ(setupLike.PutParamI(0x01, 10), 10);
  section.Init(&host, 6, 0, block, sizeof block, nullptr);
  EXPECT_EQ(section.PutParamI(kGlobalId, 10), 10);
  EXPECT_EQ(block[20], 10);
  EXPECT_TRUE(host.midi.sent.empty());
}

TEST_F(SectionBaseTest, RawAccessIsCutAtTheBlockEnd) {
  std::uint8_t buf[100];
  EXPECT_EQ(section.RawGet(buf, 32, 4), 0u);
  EXPECT_EQ(section.RawSize(), 32u);
  std::memset(buf, 0xAB, sizeof buf);
  EXPECT_EQ(section.RawPut(buf, 28, 100), 4u);
  EXPECT_EQ(block[27], 0);
  EXPECT_EQ(block[31], 0xAB);
  EXPECT_EQ(section.RawPut(buf, 32, 1), 0u);
  EXPECT_EQ(sink.notices, (std::vector<Notice>{{1, &section, 0}}));
  EXPECT_EQ(section.RawGet(buf, 30, 10), 2u);
}

TEST_F(SectionBaseTest, SinksAreKeptOnceInAdvisingOrder) {
  RecordingSink second;
  EXPECT_FALSE(section.AdviseSink(&sink));
  EXPECT_FALSE(section.AdviseSink(nullptr));
  EXPECT_TRUE(section.AdviseSink(&second));
  section.PutParamI(0x0501, 1);
  EXPECT_EQ(sink.notices.size(), 1u);
  EXPECT_EQ(second.notices.size(), 1u);
  EXPECT_TRUE(section.UnadviseSink(&sink));
  EXPECT_FALSE(section.UnadviseSink(&sink));
  section.PutParamI(0x0501, 2);
  EXPECT_EQ(sink.notices.size(), 1u);
  EXPECT_EQ(second.notices.size(), 2u);
}

TEST_F(SectionBaseTest, ASinkThatUnadvisesItselfDuringANoticeLetsTheOthersHearItOnce) {
  struct LeavingSink : RecordingSink {
    TestSection* section = nullptr;
    void OnSectionParamChanged(Oskend::ISection* s, int id) override {
      RecordingSink::OnSectionParamChanged(s, id);
      section->UnadviseSink(this);
    }
  };
  TestSection other;
  other.Init(&host, 3, 0x0500, block, sizeof block, ref);
  LeavingSink first;
  first.section = &other;
  RecordingSink second, third;
  for (Oskend::ISectionSink* s : std::initializer_list<Oskend::ISectionSink*>{&first, &second, &third})
    ASSERT_TRUE(other.AdviseSink(s));
  other.PutParamI(0x0501, 1);
  other.PutParamI(0x0501, 2);
  EXPECT_EQ(first.Ids(3), (std::vector<int>{0x0501}));
  EXPECT_EQ(second.Ids(3), (std::vector<int>{0x0501, 0x0501}));
  EXPECT_EQ(third.Ids(3), (std::vector<int>{0x0501, 0x0501}));
}

TEST_F(SectionBaseTest, NoticesFromAnotherThreadArriveOnTheMainLoop) {
  os::Thread midiThread;
  midiThread.Start([&] { section.OnRcvMIDIParam(0x0501, 12, eChgSource_Synth); });
  midiThread.Join();
  EXPECT_EQ(block[0], 12);
  EXPECT_TRUE(sink.notices.empty());
  env.loop().RunPending();
  EXPECT_EQ(sink.notices, (std::vector<Notice>{{3, &section, 0x0501}}));
}

}  // namespace
