#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "os/AtomicFile.h"
#include "os/PreferencesStore.h"
#include "tests/support/TempDir.h"

namespace {

using vesk::test::ReadWholeFile;
using vesk::test::TempDir;
using vesk::test::WriteWholeFile;

TEST(AtomicFile, CommitReplacesAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.File("data.bin");
  WriteWholeFile(path, "old content");
  std::string error;
  ASSERT_TRUE(os::WriteFileAtomically(path, "new", 3, &error)) << error;
  EXPECT_EQ(ReadWholeFile(path), "new");
  EXPECT_EQ(dir.List(), std::vector<std::string>{"data.bin"});
}

TEST(AtomicFile, UnfinishedOrFailedWriteKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.File("data.bin");
  WriteWholeFile(path, "old content");
  {
    os::AtomicFileWriter w;
    ASSERT_TRUE(w.Open(path));
    ASSERT_TRUE(w.Write("half", 4));
    EXPECT_EQ(dir.List().size(), 2u);  // the temporary file beside it
  }  // destroyed without Commit
  EXPECT_EQ(ReadWholeFile(path), "old content");
  EXPECT_EQ(dir.List(), std::vector<std::string>{"data.bin"});

  // The rename itself fails: the target is a folder that is not empty.
  const std::string folder = dir.File("folder");
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  WriteWholeFile(folder + "/inside", "kept");
  os::AtomicFileWriter w;
  ASSERT_TRUE(w.Open(folder));
  ASSERT_TRUE(w.Write("x", 1));
  EXPECT_FALSE(w.Commit());
  EXPECT_NE(w.Error().find("cannot replace"), std::string::npos) << w.Error();
  EXPECT_EQ(ReadWholeFile(folder + "/inside"), "kept");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"data.bin", "folder"}));

  // No folder to put the temporary file in.
  std::string error;
  EXPECT_FALSE(os::WriteFileAtomically(dir.File("missing/x"), "x", 1, &error));
  EXPECT_FALSE(error.empty());
}

TEST(PreferencesStore, EscapingRoundTripsEveryByteButNul) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  const std::string escaped = os::EscapePreferenceText(all);
  for (char c : escaped) EXPECT_TRUE(c > ' ' && c <= '~' && c != '=') << int(c);
  std::string back;
  ASSERT_TRUE(os::UnescapePreferenceText(escaped, &back));
  EXPECT_EQ(back, all);
  for (const char* bad : {"%", "%4", "%zz", "%00", "a b", "a=b"})
    EXPECT_FALSE(os::UnescapePreferenceText(bad, &back)) << bad;
}

}  // namespace
