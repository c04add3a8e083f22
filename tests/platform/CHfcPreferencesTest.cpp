#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/CHfcPreferences.h"
#include "tests/support/TempDir.h"

namespace {

using vesk::test::ReadWholeFile;
using vesk::test::ScopedEnv;
using vesk::test::TempDir;
using vesk::test::WriteWholeFile;

class Preferences : public ::testing::Test {
 protected:
  TempDir dir_;
  ScopedEnv env_{"XDG_CONFIG_HOME", dir_.path()};
  const std::string file_ = dir_.File("Vesk Editor.prefs");
};

TEST_F(Preferences, ValuesReadBackAtOnceAndRoundTripThroughTheFile) {
  const std::string odd = std::string("line\nbreak = 100% \t\x01\xff") + "caf\xc3\xa9";
  {
    CHfcPreferences p;
    ASSERT_TRUE(p.Open("Vesk Editor"));
    EXPECT_EQ(p.ReadInteger("Filter.AllSw", 7), 7);
    p.WriteInteger("Filter.AllSw", 3);
    EXPECT_EQ(p.ReadInteger("Filter.AllSw", 7), 3);  // before any Synchronize
    p.WriteLong("Big", 1L << 40);
    p.WriteString("MIDIInName", odd.c_str());
    EXPECT_TRUE(p.SetKey(odd.c_str(), "value of an odd key"));
    p.WriteInteger("Negative", INT_MIN);
    EXPECT_FALSE(std::ifstream(file_).good());  // nothing on disk yet
    p.Close();
  }
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"Vesk Editor.prefs"});  // no temporary files

  CHfcPreferences p;
  ASSERT_TRUE(p.Open("Vesk Editor"));
  EXPECT_EQ(p.LoadError(), "");
  EXPECT_EQ(p.ReadInteger("Filter.AllSw", 7), 3);
  EXPECT_EQ(p.ReadLong("Big", 0), 1L << 40);
  EXPECT_EQ(p.ReadInteger("Big", 5), 5);  // does not fit: default
  EXPECT_EQ(p.ReadInteger("Negative", 0), INT_MIN);
  char buf[64];
  p.ReadString("MIDIInName", buf, sizeof buf, "none");
  EXPECT_EQ(std::string(buf), odd);
  ASSERT_TRUE(p.GetKey(odd.c_str(), buf, sizeof buf));
  EXPECT_STREQ(buf, "value of an odd key");
  // Strings are not numbers and numbers are not strings.
  EXPECT_EQ(p.ReadInteger("MIDIInName", 9), 9);
  p.ReadString("Filter.AllSw", buf, sizeof buf, "dflt");
  EXPECT_STREQ(buf, "dflt");
  EXPECT_FALSE(p.GetKey("missing", buf, sizeof buf));
}

TEST_F(Preferences, ReadStringCutsAndNeverWritesOutsideTheBuffer) {
  CHfcPreferences p;
  ASSERT_TRUE(p.Open("Vesk Editor"));
  char buf[8];
  std::memset(buf, 'Z', sizeof buf);
  p.ReadString("missing", buf + 1, 4, "sixchr");
  EXPECT_STREQ(buf + 1, "six");
  EXPECT_EQ(buf[0], 'Z');
  std::memset(buf, 'Z', sizeof buf);
  p.ReadString("missing", buf + 1, 0, "sixchr");  // no room at all
  p.ReadString("missing", buf + 1, -3, "sixchr");
  EXPECT_EQ(std::string(buf, 8), "ZZZZZZZZ");
  p.WriteString("k", "stored value");
  p.ReadString("k", buf + 1, 1, "x");
  EXPECT_EQ(buf[1], '\0');
  EXPECT_TRUE(p.GetKey("k", buf + 1, 0));
  EXPECT_EQ(buf[2], 'Z');
}

TEST_F(Preferences, AStoreNeverOpenedGivesDefaults) {
  CHfcPreferences p;
  char buf[8] = "zz";
  EXPECT_EQ(p.ReadInteger("a", 7), 7);
  EXPECT_EQ(p.ReadLong("a", -7), -7);
  p.ReadString("a", buf, sizeof buf, "dflt");
  EXPECT_STREQ(buf, "dflt");
  EXPECT_FALSE(p.GetKey("a", buf, sizeof buf));
  EXPECT_FALSE(p.SetKey("a", "b"));
  EXPECT_FALSE(p.Synchronize());
  p.WriteInteger("a", 1);
  p.Close();
  EXPECT_TRUE(dir_.List().empty());
}

TEST_F(Preferences, CorruptFileGivesDefaultsAnErrorAndIsKeptAside) {
  const std::string garbage = "vesk-preferences 1\ni Filter.AllSw=12x\n";
  WriteWholeFile(file_, garbage);
  CHfcPreferences p;
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(p.Open("Vesk Editor"));
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("cannot read"), std::string::npos) << err;
  EXPECT_NE(p.LoadError().find("line 2: bad integer"), std::string::npos) << p.LoadError();
  EXPECT_EQ(p.ReadInteger("Filter.AllSw", 7), 7);

  p.WriteInteger("Filter.AllSw", 1);
  EXPECT_TRUE(p.Synchronize());
  EXPECT_EQ(ReadWholeFile(file_ + ".corrupt"), garbage);  // nothing lost
  p.Close();
  CHfcPreferences again;
  again.Open("Vesk Editor");
  EXPECT_EQ(again.ReadInteger("Filter.AllSw", 7), 1);

  for (const char* bad : {"", "not a header\n", "vesk-preferences 1\nq k=v\n",
                          "vesk-preferences 1\ns k%=v\n", "vesk-preferences 1\nnoequals\n"}) {
    WriteWholeFile(dir_.File("bad.prefs"), bad);
    CHfcPreferences b;
    ::testing::internal::CaptureStderr();
    b.Open("bad");
    ::testing::internal::GetCapturedStderr();
    EXPECT_NE(b.LoadError(), "") << bad;
  }
}

TEST_F(Preferences, FailedSynchronizeReportsAndLeavesNoTemporaryFile) {
  ASSERT_EQ(::mkdir(file_.c_str(), 0700), 0);  // the file's place is taken
  WriteWholeFile(file_ + "/inside", "x");
  CHfcPreferences p;
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(p.Open("Vesk Editor"));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("not a regular file"),
            std::string::npos);
  p.WriteInteger("a", 1);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(p.Synchronize());
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("preferences:"), std::string::npos);
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"Vesk Editor.prefs"});
  EXPECT_EQ(p.ReadInteger("a", 0), 1);  // still there for a later try
  ::testing::internal::CaptureStderr();
  p.Close();
  ::testing::internal::GetCapturedStderr();
}

TEST_F(Preferences, DomainNamesStayInTheFolder) {
  CHfcPreferences p;
  ASSERT_TRUE(p.Open("../evil/.name"));
  p.WriteInteger("a", 1);
  EXPECT_TRUE(p.Synchronize());
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"%2E.%2Fevil%2F.name.prefs"});
}

}  // namespace
