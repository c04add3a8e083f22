// The global and editor setup sections: what the global block reports to
// the model, locks and hidden rows, category names, the preferences store
// and the data-file filter.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/InitChunks.h"
#include "platform/CHfcPreferences.h"
#include "tests/model/SectionFakes.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestEnvironment.h"

namespace {

using sectiontest::Notice;
using sectiontest::RecordingSink;
using sectiontest::SectionSet;

constexpr int Id(unsigned v) { return static_cast<int>(v); }
constexpr int kAllSw = Id(0x80008100), kProgSw = Id(0x80008200), kProgASw = Id(0x80008300);
constexpr int kProgCSw = Id(0x80008500), kCombiSw = Id(0x80009100), kProgNum = Id(0x80009000);
constexpr int kMIDIIn = Id(0x8000AC00), kAutoLoadFile = Id(0x8000AB00);
constexpr int kMIDIOutToDAW = Id(0x8000B000), kPrgChgToGUI = Id(0x8000B200);

std::string Long(const std::string& pair) { return pair.c_str(); }

class GlobalSetupSectionTest : public ::testing::Test {
 protected:
  SParamDesc Row(Oskend::ISection& section, int id) {
    SParamDesc row{};
    EXPECT_TRUE(section.GetParamDesc(id, &row)) << std::hex << id;
    return row;
  }

  vesk::test::TempDir dir;
  vesk::test::ScopedEnv xdg{"XDG_CONFIG_HOME", dir.path()};
  vesk::test::TestEnvironment env;
  SectionSet s;
  RecordingSink sink;
};

TEST_F(GlobalSetupSectionTest, GlobalRowsAreLockedHiddenAndNeverSent) {
  for (unsigned id : {0x80000104u, 0x80000400u, 0x8000040Du, 0x80000412u})
    EXPECT_EQ(Row(s.global, Id(id)).flags & 1, 1u) << std::hex << id;
  EXPECT_EQ(Row(s.global, Id(0x80000402)).flags & 1, 0u);
  s.host.standalone = true;
  EXPECT_EQ(Row(s.global, Id(0x80000402)).flags & 1, 1u);
  EXPECT_TRUE(Row(s.global, Id(0x81000181)).flags & PFLAG_HIDDEN);
  EXPECT_FALSE(Row(s.global, Id(0x81000100)).flags & PFLAG_HIDDEN);

  s.global.PutParamIEx(Id(0x80000403), 2, 0xFFFF, eChgSource_Editor);
  s.global.PutParamIEx(Id(0x80000200), 1, 0xFFFF, eChgSource_Editor);
  EXPECT_TRUE(s.host.midi.sent.empty());
  EXPECT_EQ(s.host.extCtl, (std::vector<int>{2}));
  EXPECT_EQ(s.host.bankMap, (std::vector<int>{1}));
}

// A channel is stored 0-15 and shown 1-16, the way the timbre list names
// it ("3G" for stored 2): the global channel on the System page and the
// effects' channels of a performance.
TEST_F(GlobalSetupSectionTest, ChannelsAreShownOneUp) {
  struct Case {
    Oskend::ISection* section;
    unsigned id;
  };
  const Case cases[] = {{&s.global, 0x80000400u}, {&s.combi, 0x122Fu}, {&s.combi, 0x1233u},
                        {&s.combi, 0x1809u},      {&s.combi, 0x180Au}, {&s.combi, 0x1B03u}};
  for (const Case& c : cases) {
    const SParamDesc row = Row(*c.section, Id(c.id));
    ASSERT_NE(row.converter, nullptr) << std::hex << c.id;
    EXPECT_EQ(Long(row.converter->Format(0)), "1") << std::hex << c.id;
    EXPECT_EQ(Long(row.converter->Format(2)), "3") << std::hex << c.id;
    EXPECT_EQ(Long(row.converter->Format(15)), "16") << std::hex << c.id;
    EXPECT_EQ(row.converter->Parse("3"), 2) << std::hex << c.id;
  }
  EXPECT_EQ(Long(Row(s.combi, Id(0x1809)).converter->Format(16)), "Global Channel");
}

TEST_F(GlobalSetupSectionTest, CategoryNamesAreTheBuiltInOnes) {
  EXPECT_EQ(Long(s.global.GetParamS(Id(0x90000000))), "A.PIANO                 ");
  EXPECT_EQ(Long(s.global.GetParamS(Id(0x90000006))), "USER                    ");
  EXPECT_EQ(Long(s.global.GetParamS(Id(0x90000007))), std::string(24, ' '));
}

TEST_F(GlobalSetupSectionTest, ReinitialisingPassesTheGlobalSettingsOn) {
  Oskend::CHUNK_GLOBAL g = s.host.Image().GetGlobal();
  g.data()[1728] = 9;
  g.data()[1730] = 0x10 | (3 << 1);
  s.global.OnReinitialized(nullptr);
  EXPECT_EQ(s.host.extCtl, (std::vector<int>{3}));
  EXPECT_EQ(s.host.bankMap, (std::vector<int>{1}));
  EXPECT_EQ(s.host.midi.channel, 9);
  EXPECT_EQ(s.host.globalChannel, (std::vector<int>{9}));

  // Only the field's bits name the channel; the rest of the byte is not passed on.
  g.data()[1728] = 0x83;
  s.global.OnReinitialized(nullptr);
  EXPECT_EQ(s.host.midi.channel, 3);
  EXPECT_EQ(s.host.globalChannel, (std::vector<int>{9, 3}));
}

TEST_F(GlobalSetupSectionTest, FilterRecordFromTheSwitches) {
  struct Case {
    int all, prog, combi;
    int banks[4];
    std::uint8_t expected[12];
  } cases[] = {
      {1, 0, 0, {1, 0, 1, 0}, {0, 0, 20, 0, 0, 0x85, 0x80, 0x80, 0, 0, 0, 0}},
      {0, 0, 0, {0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {0, 1, 0, {0, 1, 0, 1}, {0, 0, 0, 0, 0, 0x0A, 0, 0x80, 0, 0, 0, 0}},
      {0, 0, 1, {0, 0, 0, 0}, {0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    s.setup.PutParamIEx(kAllSw, c.all, 0x8000, eChgSource_Editor);
    s.setup.PutParamIEx(kProgSw, c.prog, 0x8000, eChgSource_Editor);
    s.setup.PutParamIEx(kCombiSw, c.combi, 0x8000, eChgSource_Editor);
    for (int b = 0; b < 4; ++b)
      s.setup.PutParamIEx(kProgASw + b * 0x100, c.banks[b], 0x8000, eChgSource_Editor);
    Oskend::FXBFILTERINFO info;
    info.bytes.fill(0xEE);
    EXPECT_TRUE(s.setup.BuildFilter(&info));
    EXPECT_EQ(std::memcmp(info.bytes.data(), c.expected, 12), 0) << c.all << c.prog << c.combi;
  }
}

TEST_F(GlobalSetupSectionTest, SetupLocksFollowTheSwitchesAndTheHost) {
  s.setup.PutParamIEx(kAllSw, 1, 0x8000, eChgSource_Editor);
  EXPECT_EQ(Row(s.setup, kProgSw).flags & 3, 3u);
  EXPECT_EQ(Row(s.setup, kProgNum).flags & 3, 3u);
  s.setup.PutParamIEx(kAllSw, 0, 0x8000, eChgSource_Editor);
  s.setup.PutParamIEx(kProgSw, 1, 0x8000, eChgSource_Editor);
  EXPECT_EQ(Row(s.setup, kProgCSw).flags & 3, 0u);
  s.setup.PutParamIEx(kProgSw, 0, 0x8000, eChgSource_Editor);
  EXPECT_EQ(Row(s.setup, kProgCSw).flags & 3, 3u);

  struct HostInfo : Oskend::IPlugInHostInfo {
    bool au = false;
    bool IsHostStandalone() override { return false; }
    bool IsHostAUWrapper() override { return au; }
  } info;
  EXPECT_EQ(Row(s.setup, kMIDIOutToDAW).flags & 3, 0u);  // no plug-in object: no lock
  s.setup.Init(&s.host, s.setupBlock, &info);
  EXPECT_EQ(Row(s.setup, kMIDIOutToDAW).flags & 3, 0u);
  info.au = true;
  EXPECT_EQ(Row(s.setup, kMIDIOutToDAW).flags & 3, 3u);
}

TEST_F(GlobalSetupSectionTest, SetupChangesNotifyAndSwitchRouting) {
  s.setup.AdviseSink(&sink);
  s.setup.PutParamIEx(kProgSw, 0, 0x80FF, eChgSource_Editor);
  EXPECT_EQ(sink.notices, (std::vector<Notice>{{1, &s.setup, 0}}));
  sink.notices.clear();
  s.setup.PutParamI(kMIDIOutToDAW, 1);
  s.setup.PutParamI(kPrgChgToGUI, 1);
  EXPECT_EQ(sink.notices,
            (std::vector<Notice>{{3, &s.setup, kMIDIOutToDAW}, {3, &s.setup, kPrgChgToGUI}}));
  EXPECT_EQ(s.host.midiOutToDAW, (std::vector<bool>{true}));
  EXPECT_EQ(s.host.prgChgToGUI, (std::vector<bool>{true}));
  EXPECT_TRUE(s.host.midi.sent.empty());  // the setup section is never sent
}

TEST_F(GlobalSetupSectionTest, SettingsRoundTripThroughThePreferences) {
  s.setup.PutParamS(kMIDIIn, "Vesk Port 1      ");
  s.setup.PutParamS(kAutoLoadFile, "/tmp/song.VSKall");
  s.setup.PutParamIEx(kProgNum, 17, 0x8000, eChgSource_Editor);
  s.setup.PutParamIEx(kAllSw, 0, 0x8000, eChgSource_Editor);
  EXPECT_TRUE(s.setup.PersistSave());
  {
    CHfcPreferences prefs;
    ASSERT_TRUE(prefs.Open("Vesk Editor"));
    char buf[64];
    prefs.ReadString("MIDIInName", buf, sizeof buf, "?");
    EXPECT_STREQ(buf, "Vesk Port 1");
    EXPECT_EQ(prefs.ReadInteger("Filter.ProgNum", 0), 17);
    EXPECT_EQ(prefs.ReadInteger("Filter.AllSw", 9), 0);
  }
  std::memcpy(s.setupBlock, Oskend::INITCHUNK_SETUP().data(), sizeof s.setupBlock);
  s.setup.AdviseSink(&sink);
  EXPECT_TRUE(s.setup.PersistLoad());
  EXPECT_EQ(Long(s.setup.GetParamS(kMIDIIn)), "Vesk Port 1");
  EXPECT_EQ(Long(s.setup.GetParamS(kAutoLoadFile)), "/tmp/song.VSKall");
  EXPECT_EQ(s.setup.GetParamI(kProgNum), 17);
  EXPECT_EQ(s.setup.GetParamI(kAllSw), 0);
  EXPECT_EQ(sink.Ids(1).size(), 1u);

  s.setup.PutParamIEx(kProgNum, 3, 0x8000, eChgSource_Editor);
  EXPECT_TRUE(s.setup.PersistSave(kProgNum));
  CHfcPreferences prefs;
  ASSERT_TRUE(prefs.Open("Vesk Editor"));
  EXPECT_EQ(prefs.ReadInteger("Filter.ProgNum", 0), 3);
}

// Choosing the automatic load changes the block only: like every other
// setting it reaches the store through "Save as Default", so the ALL switch
// (and with it the filter of the next session's chunks and files) is not
// written behind the user's back.
TEST_F(GlobalSetupSectionTest, TheAutomaticLoadIsKeptOnlyBySaveAsDefault) {
  constexpr int kAutoLoad = Id(0x8000AA00);
  auto choose = [&] {
    s.setup.PutParamIEx(kAllSw, 0, 0x8000, eChgSource_Editor);
    s.setup.PutParamI(kAutoLoad, 1);
    s.setup.PutParamS(kAutoLoadFile, "/tmp/start.VSKall");
  };
  auto nextStart = [&] {
    std::memcpy(s.setupBlock, Oskend::INITCHUNK_SETUP().data(), sizeof s.setupBlock);
    ASSERT_TRUE(s.setup.PersistLoad());
  };
  choose();
  nextStart();
  EXPECT_EQ(s.setup.GetParamI(kAllSw), 1);
  EXPECT_EQ(s.setup.GetParamI(kAutoLoad), 0);
  EXPECT_NE(Long(s.setup.GetParamS(kAutoLoadFile)), "/tmp/start.VSKall");

  choose();
  ASSERT_TRUE(s.setup.PersistSave());
  nextStart();
  EXPECT_EQ(s.setup.GetParamI(kAllSw), 0);
  EXPECT_EQ(s.setup.GetParamI(kAutoLoad), 1);
  EXPECT_EQ(Long(s.setup.GetParamS(kAutoLoadFile)), "/tmp/start.VSKall");
}

TEST_F(GlobalSetupSectionTest, MissingSettingsLoadTheirDefaults) {
  std::memset(s.setupBlock, 0, sizeof s.setupBlock);
  EXPECT_TRUE(s.setup.PersistLoad());
  EXPECT_EQ(s.setup.GetParamI(kAllSw), 1);
  EXPECT_EQ(s.setup.GetParamI(kProgNum), -1);
  // Switches, numbers and the file name; an empty port name leaves its
  // field as it was.
  EXPECT_EQ(std::memcmp(s.setupBlock, Oskend::INITCHUNK_SETUP().data(), 274), 0);
}

}  // namespace
