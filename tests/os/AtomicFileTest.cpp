#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>

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

// A new file gets the mode every new file of the process gets; a replaced
// one keeps its own.
TEST(AtomicFile, NewFilesFollowTheUmaskAndReplacedFilesKeepTheirMode) {
  struct Case {
    mode_t umask;
    int existing;  // the mode of the file replaced, -1 for none
    mode_t expected;
  };
  const Case cases[] = {
      {022, -1, 0644}, {077, -1, 0600}, {002, -1, 0664}, {077, 0640, 0640}, {022, 0600, 0600},
  };
  TempDir dir;
  int n = 0;
  for (const Case& c : cases) {
    const std::string path = dir.File("file" + std::to_string(n++));
    if (c.existing >= 0) {
      WriteWholeFile(path, "old");
      ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(c.existing)), 0);
    }
    const mode_t before = ::umask(c.umask);
    std::string error;
    const bool ok = os::WriteFileAtomically(path, "new", 3, &error);
    ::umask(before);
    ASSERT_TRUE(ok) << error;
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.expected) << "umask " << std::oct << c.umask;
  }
}

// The rename is on the disk only once the folder is flushed: a folder that
// cannot be flushed fails the commit; a file system with nothing to flush
// for folders does not.
TEST(AtomicFile, AFolderThatCannotBeFlushedFailsTheCommit) {
  struct Case {
    int error;
    bool committed;
  };
  static int failWith = 0;
  os::AtomicFileWriter::SetFlushCall([](int fd) {
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      errno = failWith;
      return -1;
    }
    return ::fsync(fd);
  });
  TempDir dir;
  for (const Case c : {Case{EIO, false}, Case{ENOSPC, false}, Case{EINVAL, true}}) {
    failWith = c.error;
    const std::string path = dir.File("data.bin");
    WriteWholeFile(path, "old");
    std::string error;
    EXPECT_EQ(os::WriteFileAtomically(path, "new", 3, &error), c.committed) << c.error;
    if (!c.committed) {
      EXPECT_NE(error.find("cannot flush the folder " + dir.path()), std::string::npos) << error;
    }
    EXPECT_EQ(ReadWholeFile(path), "new");
    EXPECT_EQ(dir.List(), std::vector<std::string>{"data.bin"});
  }
  os::AtomicFileWriter::SetFlushCall(nullptr);
}

TEST(AtomicFile, MakeFoldersRefusesAFileWhereAFolderIsWanted) {
  TempDir dir;
  WriteWholeFile(dir.File("plain"), "not a folder");
  errno = 0;
  EXPECT_FALSE(os::MakeFolders(dir.File("plain")));
  EXPECT_EQ(errno, ENOTDIR);
  EXPECT_FALSE(os::MakeFolders(dir.File("plain/below")));
  EXPECT_EQ(errno, ENOTDIR);

  ASSERT_TRUE(os::MakeFolders(dir.File("a/b/c")));
  struct stat st;
  ASSERT_EQ(::stat(dir.File("a/b/c").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_TRUE(os::MakeFolders(dir.File("a/b")));
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
