// Proof that the coded body is a standard -lh5- stream: each block is
// wrapped in an LHA level-0 archive and unpacked by the system's LHA tool.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "remote/CTavoArchiver.h"
#include "tests/remote/ArchiveTestData.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

fs::path FindLhaTool() {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  for (const char* name : {"lhasa", "lha"}) {
    size_t start = 0;
    while (start <= dirs.size()) {
      size_t end = dirs.find(':', start);
      if (end == std::string::npos) end = dirs.size();
      const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
      std::error_code ec;
      if (!candidate.empty() && fs::is_regular_file(candidate, ec)) return candidate;
      start = end + 1;
    }
  }
  return {};
}

void PutLE(Bytes& out, unsigned v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// One level-0 member followed by the end-of-archive byte. A stored block
// becomes an -lh0- member, a coded one an -lh5- member; either way the
// member carries the block's CRC.
Bytes MakeLzh(const Bytes& block, const std::string& name) {
  unsigned compressed = 0, original = 0;
  unsigned short crc = 0;
  EXPECT_TRUE(CTavoArchiver::getHeaderInfo(block.data(), compressed, original, crc));
  const bool stored = compressed == original;
  Bytes h;
  h.push_back(0);  // header size, set below
  h.push_back(0);  // header checksum, set below
  const std::string method = stored ? "-lh0-" : "-lh5-";
  h.insert(h.end(), method.begin(), method.end());
  PutLE(h, compressed, 4);
  PutLE(h, original, 4);
  PutLE(h, 0, 2);                              // time 00:00:00
  PutLE(h, (40u << 9) | (1u << 5) | 1u, 2);  // date 2020-01-01
  h.push_back(0x20);                           // archive attribute
  h.push_back(0);                              // header level
  h.push_back(static_cast<unsigned char>(name.size()));
  h.insert(h.end(), name.begin(), name.end());
  PutLE(h, crc, 2);
  h[0] = static_cast<unsigned char>(h.size() - 2);
  unsigned sum = 0;
  for (size_t i = 2; i < h.size(); ++i) sum += h[i];
  h[1] = static_cast<unsigned char>(sum);
  h.insert(h.end(), block.begin() + 16, block.end());
  h.push_back(0);
  return h;
}

Bytes ReadFile(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

TEST(TavoArchiverLha, StandardLhaToolExtractsOurBlocks) {
  const fs::path tool = FindLhaTool();
  ASSERT_FALSE(tool.empty()) << "no LHA tool (lhasa or lha) on PATH; install the lhasa package";

  const fs::path dir = fs::temp_directory_path() /
                       ("vesk_lha_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                        "_" + std::to_string(reinterpret_cast<uintptr_t>(&dir)));
  fs::remove_all(dir);
  fs::create_directories(dir);
  int coded = 0;
  for (const auto& c : vesk::test::ArchiveCases()) {
    SCOPED_TRACE(c.name);
    const Bytes block = vesk::test::Compress(c.data);
    unsigned compressed = 0, original = 0;
    unsigned short crc = 0;
    ASSERT_TRUE(CTavoArchiver::getHeaderInfo(block.data(), compressed, original, crc));
    if (compressed < original) ++coded;

    const fs::path caseDir = dir / c.name;
    fs::create_directories(caseDir / "out");
    const fs::path archive = caseDir / "a.lzh";
    {
      const Bytes lzh = MakeLzh(block, "data.bin");
      std::ofstream f(archive, std::ios::binary);
      f.write(reinterpret_cast<const char*>(lzh.data()), static_cast<std::streamsize>(lzh.size()));
    }
    const std::string cmd = "cd '" + (caseDir / "out").string() + "' && '" + tool.string() +
                            "' xq '" + archive.string() + "' > '" + (caseDir / "log").string() +
                            "' 2>&1";
    const int rc = std::system(cmd.c_str());
    const fs::path extracted = caseDir / "out" / "data.bin";
    ASSERT_TRUE(rc == 0 && fs::exists(extracted))
        << "rc " << rc << ": " << std::string(reinterpret_cast<const char*>(ReadFile(caseDir / "log").data()),
                                              ReadFile(caseDir / "log").size());
    EXPECT_TRUE(ReadFile(extracted) == c.data);
  }
  EXPECT_GE(coded, 10);  // most cases really went through the -lh5- decoder
  fs::remove_all(dir);
}

}  // namespace
