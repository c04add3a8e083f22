#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "os/FinderInfo.h"
#include "platform/CHfcFile.h"
#include "tests/support/TempDir.h"

namespace {

using vesk::test::ReadWholeFile;
using vesk::test::TempDir;
using vesk::test::WriteWholeFile;

TEST(CHfcFileNames, Extensions) {
  struct Case {
    const char* name;
    int size;
    bool ok;
    const char* ext;
  } cases[] = {
      {"song.VSKall", 16, true, ".VSKall"},
      {"a.longextension", 4, true, ".lo"},
      {"dir.x/file.tar.gz", 16, true, ".gz"},
      {".hidden", 16, false, ""},
      {"plain", 16, false, ""},
      {"song.VSKall", 0, false, ""},  // no room: nothing written
  };
  for (const Case& c : cases) {
    char out[20];
    std::memset(out, 'Z', sizeof out);
    EXPECT_EQ(CHfcFile::GetExtension(c.name, out, c.size), c.ok) << c.name;
    if (c.ok) {
      EXPECT_STREQ(out, c.ext) << c.name;
    } else {
      EXPECT_EQ(out[0], 'Z') << c.name;
    }
  }

  char name[16] = "x.txt";
  EXPECT_TRUE(CHfcFile::ReplaceExtension(name, ".dat"));
  EXPECT_STREQ(name, "x.dat");
  std::strcpy(name, "x");
  EXPECT_FALSE(CHfcFile::ReplaceExtension(name, ".dat"));
  EXPECT_STREQ(name, "x");
  std::strcpy(name, ".profile");
  EXPECT_FALSE(CHfcFile::RemoveExtension(name));
  std::strcpy(name, "a.b.c");
  EXPECT_TRUE(CHfcFile::RemoveExtension(name));
  EXPECT_STREQ(name, "a.b");
  EXPECT_EQ(CHfcFile::AddExtension(name, ".VSKpr"), name);
  EXPECT_STREQ(name, "a.b.VSKpr");
}

TEST(CHfcFileNames, SizedFormsRefuseWhatDoesNotFit) {
  char buf[12];
  std::memset(buf, 'Z', sizeof buf);
  std::strcpy(buf, "song");  // 4 + ".VSKall" (7) + terminator = 12
  EXPECT_EQ(CHfcFile::AddExtension(buf, 11, ".VSKall"), nullptr);
  EXPECT_STREQ(buf, "song");
  EXPECT_EQ(buf[5], 'Z');
  EXPECT_EQ(CHfcFile::AddExtension(buf, 12, ".VSKall"), buf);
  EXPECT_STREQ(buf, "song.VSKall");

  char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(CHfcFile::AddExtension(unterminated, 4, ".x"), nullptr);

  char r[8] = "x.txt";
  EXPECT_FALSE(CHfcFile::ReplaceExtension(r, 8, ".toolong"));
  EXPECT_STREQ(r, "x.txt");
  EXPECT_TRUE(CHfcFile::ReplaceExtension(r, 8, ".dat"));
  EXPECT_STREQ(r, "x.dat");
}

TEST(CHfcFile, ReadWritePositionsAndSizes) {
  TempDir dir;
  const std::string path = dir.File("f.bin");
  WriteWholeFile(path, "0123456789");
  CHfcFile f;
  char buf[16] = {};
  EXPECT_EQ(f.Read(buf, 4), 0);  // closed
  EXPECT_FALSE(f.Close());
  EXPECT_FALSE(f.SetPos(0, 2));
  EXPECT_FALSE(f.Open(dir.File("missing").c_str(), 1));
  EXPECT_FALSE(f.Open(dir.path().c_str(), 1));  // a folder

  ASSERT_TRUE(f.Open(path.c_str(), 3));
  EXPECT_TRUE(f.IsOpened());
  EXPECT_TRUE(f.SetPos(-3, 1));  // from the end
  EXPECT_EQ(f.Read(buf, 16), 3);
  EXPECT_STREQ(buf, "789");
  EXPECT_TRUE(f.SetPos(2, 2));
  EXPECT_TRUE(f.SetPos(1, 0));
  EXPECT_TRUE(f.SetPos(5, 9));  // unknown origin: stays
  long pos = 0;
  EXPECT_TRUE(f.GetPos(&pos));
  EXPECT_EQ(pos, 3);
  char ab[] = "ab";
  EXPECT_EQ(f.Write(ab, 2), 2);
  EXPECT_TRUE(f.Close());
  EXPECT_FALSE(f.IsOpened());
  EXPECT_EQ(ReadWholeFile(path), "012ab56789");

  unsigned long long size = 0;
  EXPECT_TRUE(CHfcFile::GetFileSize(path.c_str(), &size));
  EXPECT_EQ(size, 10u);
  EXPECT_FALSE(CHfcFile::GetFileSize(dir.path().c_str(), &size));
  EXPECT_FALSE(CHfcFile::GetFileSize(dir.File("missing").c_str(), &size));
}

TEST(CHfcFile, CreateOpenReplacesAndSetsTheTypeCodes) {
  TempDir dir;
  WriteWholeFile(dir.File("out.VSKall"), "old and long content");
  FSRef folder{dir.path()};
  CHfcFile f;
  ASSERT_TRUE(f.MacCreateOpen(&folder, "out.VSKall", 3, 0x54415630, 0x74726120));
  char data[] = "new";
  EXPECT_EQ(f.Write(data, 3), 3);
  f.Close();
  EXPECT_EQ(ReadWholeFile(dir.File("out.VSKall")), "new");
  uint32_t type = 0, creator = 0;
  ASSERT_TRUE(os::GetFinderInfo(dir.File("out.VSKall"), &type, &creator));
  if (type != 0) {  // kept where the file system has room for them
    EXPECT_EQ(type, 0x74726120u);
    EXPECT_EQ(creator, 0x54415630u);
    FSRef ref{dir.File("out.VSKall")};
    EXPECT_TRUE(CHfcFile::MacChangeType(&ref, 0x74727820));
    os::GetFinderInfo(dir.File("out.VSKall"), &type, &creator);
    EXPECT_EQ(type, 0x74727820u);
    EXPECT_EQ(creator, 0x54415630u);
  }

  CHfcFile g;
  EXPECT_FALSE(g.MacCreateOpen(&folder, std::string(256, 'n').c_str(), 3, 0, 0));
  EXPECT_TRUE(g.MacCreateOpen(&folder, std::string(255, 'n').c_str(), 3, 0, 0));
  g.Close();
  EXPECT_FALSE(g.MacCreateOpen(&folder, "a/b", 3, 0, 0));
  FSSpec spec{dir.path(), "missing"};
  EXPECT_FALSE(CHfcFile::MacChangeCreator(&spec, 1));
  EXPECT_FALSE(g.MacOpen(&spec, 1));
}

}  // namespace
