// Proof that the coded body is a standard -lh5- stream: each block is
// wrapped in an LHA level-0 archive and unpacked by the system's LHA tool.
#include <gtest/gtest.h>

#include <unistd.h>

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
  for (char c : method) h.push_back(static_cast<uint8_t>(c));
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

void WriteFile(const fs::path& p, const Bytes& data) {
  std::ofstream f(p, std::ios::binary);
  f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

// Unpacks archive into outDir; returns the tool's exit status, its output
// in log.
int RunTool(const fs::path& tool, const fs::path& archive, const fs::path& outDir, std::string& log) {
  fs::create_directories(outDir);
  const fs::path logFile = outDir.parent_path() / (outDir.filename().string() + ".log");
  const std::string cmd = "cd '" + outDir.string() + "' && '" + tool.string() + "' xq '" +
                          archive.string() + "' > '" + logFile.string() + "' 2>&1";
  const int rc = std::system(cmd.c_str());
  const Bytes text = ReadFile(logFile);
  log.assign(text.begin(), text.end());
  return rc;
}

class TavoArchiverLha : public ::testing::Test {
 protected:
  void SetUp() override {
    tool_ = FindLhaTool();
    ASSERT_FALSE(tool_.empty()) << "no LHA tool (lhasa or lha) on PATH; install the lhasa package";
    dir_ = fs::temp_directory_path() / ("vesk_lha_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }
  fs::path tool_;
  fs::path dir_;
};

TEST_F(TavoArchiverLha, StandardLhaToolExtractsOurBlocks) {
  int coded = 0;
  for (const auto& c : vesk::test::ArchiveCases()) {
    SCOPED_TRACE(c.name);
    const Bytes block = vesk::test::Compress(c.data);
    unsigned compressed = 0, original = 0;
    unsigned short crc = 0;
    ASSERT_TRUE(CTavoArchiver::getHeaderInfo(block.data(), compressed, original, crc));
    if (compressed < original) ++coded;

    const fs::path archive = dir_ / (c.name + ".lzh");
    WriteFile(archive, MakeLzh(block, "data.bin"));
    std::string log;
    const int rc = RunTool(tool_, archive, dir_ / c.name, log);
    const fs::path extracted = dir_ / c.name / "data.bin";
    ASSERT_TRUE(rc == 0 && fs::exists(extracted)) << "exit status " << rc << ": " << log;
    EXPECT_TRUE(ReadFile(extracted) == c.data);
  }
  EXPECT_GE(coded, 10);  // most cases really went through the -lh5- decoder
}

// The tool checks the member CRC, so the passes above vouch for ours.
TEST_F(TavoArchiverLha, ToolRejectsAWrongCrc) {
  Bytes data = vesk::test::MakeSyntheticImage(2);
  data.resize(20000);
  Bytes block = vesk::test::Compress(data);
  block[12] ^= 0x01;
  const fs::path archive = dir_ / "bad.lzh";
  WriteFile(archive, MakeLzh(block, "data.bin"));
  std::string log;
  EXPECT_NE(RunTool(tool_, archive, dir_ / "bad", log), 0) << log;
}

}  // namespace
