// The settings record as its file holds it.
#include "host/SaveData.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vesk::test {
namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

SaveData Filled() {
  SaveData s;
  s.outputDeviceName = "Null Out";
  s.streamFormat = os::audio::MakeLinearPCM(48000, 2, 24, false);
  s.portName[0] = "KEYS";
  s.deviceName[0] = "Keyboard";
  s.portName[3] = "CLOCK";
  s.entry[0][12] = 1;
  s.entry[0][28] = 0x44;
  s.bufferFrameSize = 512;
  s.startingChannel = 2;
  s.useAutoStop = true;
  s.autoStopLimit = 80;
  s.knobMode = 1;
  s.clockSourceId = 7;
  return s;
}

TEST(SaveData, TheWrittenFileHasItsFieldsAtTheirOffsetsInLittleEndian) {
  const std::vector<uint8_t> b = Filled().Serialize();
  ASSERT_EQ(b.size(), 9464u);
  // 'TlvK' written as a little-endian word.
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "KvlT");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[4])), "Null Out");
  double rate;
  std::memcpy(&rate, &b[1028], 8);
  EXPECT_EQ(rate, 48000.0);
  EXPECT_EQ(b[1036], 'm');  // 'lpcm', low byte first
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[1068])), "KEYS");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[2092])), "Keyboard");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[7212])), "CLOCK");
  EXPECT_EQ(b[9260 + 12], 1);
  EXPECT_EQ(b[9260 + 28], 0x44);
  EXPECT_EQ(b[9436], 0x00);
  EXPECT_EQ(b[9437], 0x02);  // 512
  EXPECT_EQ(b[9440], 2);
  EXPECT_EQ(b[9444], 3);
  EXPECT_EQ(b[9448], 1);
  EXPECT_EQ(b[9449] | b[9450] | b[9451], 0);
  EXPECT_EQ(b[9452], 80);
  EXPECT_EQ(b[9456], 1);
  EXPECT_EQ(b[9460], 7);

  SaveData back;
  std::string reason;
  ASSERT_TRUE(SaveData::Parse(b.data(), b.size(), &back, &reason)) << reason;
  EXPECT_EQ(back.outputDeviceName, "Null Out");
  EXPECT_EQ(back.streamFormat.bitsPerChannel, 24u);
  EXPECT_EQ(back.portName[0], "KEYS");
  EXPECT_EQ(back.deviceName[0], "Keyboard");
  EXPECT_EQ(back.entry[0], Filled().entry[0]);
  EXPECT_EQ(back.version, 3);
  EXPECT_TRUE(back.useAutoStop);
  EXPECT_EQ(back.autoStopLimit, 80);
  EXPECT_EQ(back.knobMode, 1);
  EXPECT_EQ(back.clockSourceId, 7u);
}

TEST(SaveData, TheVersionFieldAndTheLengthDecideWhichFieldsAreRead) {
  std::vector<uint8_t> full = Filled().Serialize();
  struct Case {
    size_t length;
    uint32_t tag;
    int version;
    bool autoStop;
    int limit, knob;
    uint32_t clock;
    int64_t versionField = -1;  // what the version field holds; -1: as written
  };
  const Case cases[] = {
      // A version-1 file: the defaults of the later fields.
      {9444, 0x546C766B, 1, false, 100, 2, 0},
      {9444, 0x546C764B, 1, false, 100, 2, 0},
      // Version 2 restores the auto-stop and knob fields but no clock.
      {9460, 0x546C764B, 2, true, 80, 1, 0},
      {9464, 0x546C764B, 3, true, 80, 1, 7},
      // The tag is not checked: another tag reads as the same record.
      {9464, 0x58585858, 3, true, 80, 1, 7},
      // The version field decides which later fields are taken: below 2
      // none, above 3 all; never more than the length holds.
      {9464, 0x546C764B, 1, false, 100, 2, 0, 0},
      {9464, 0x546C764B, 1, false, 100, 2, 0, 0xFFFFFFFF},
      {9464, 0x546C764B, 2, true, 80, 1, 0, 2},
      {9464, 0x546C764B, 3, true, 80, 1, 7, 9},
      {9460, 0x546C764B, 2, true, 80, 1, 0, 9},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> b(full.begin(), full.begin() + c.length);
    Put32(b, 0, c.tag);
    if (c.versionField >= 0) Put32(b, 9444, static_cast<uint32_t>(c.versionField));
    SaveData s;
    std::string reason;
    ASSERT_TRUE(SaveData::Parse(b.data(), b.size(), &s, &reason)) << c.length << " " << reason;
    SCOPED_TRACE(testing::Message() << c.length << " bytes, tag " << std::hex << c.tag
                                    << ", version field " << std::dec << c.versionField);
    EXPECT_EQ(s.version, c.version);
    EXPECT_EQ(s.useAutoStop, c.autoStop);
    EXPECT_EQ(s.autoStopLimit, c.limit);
    EXPECT_EQ(s.knobMode, c.knob);
    EXPECT_EQ(s.clockSourceId, c.clock);
    EXPECT_EQ(s.outputDeviceName, "Null Out");
  }
}

// What is unsafe to read refuses the file as a whole, with the reason: too
// short a file, and a name without its terminating NUL.
TEST(SaveData, ShortFilesAndUnendedNamesAreRefusedAsAWholeWithTheReason) {
  const std::vector<uint8_t> good = Filled().Serialize();
  struct Case {
    const char* what;
    size_t length;
    size_t at;
    std::vector<uint8_t> bytes;
    const char* reason;
  };
  std::vector<uint8_t> noNul(1024, 'x');
  const Case cases[] = {
      {"9,443 bytes", 9443, 0, {}, "The file is shorter than a settings file."},
      {"5,000 bytes", 5000, 0, {}, "The file is shorter than a settings file."},
      {"3 bytes", 3, 0, {}, "The file is shorter than a settings file."},
      {"empty", 0, 0, {}, "The file is empty."},
      {"device name without NUL", 9464, 4, noNul, "A device or port name in the file does not end within its field."},
      {"port name without NUL", 9464, 1068 + 3 * 2048 + 1024, noNul,
       "A device or port name in the file does not end within its field."},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> b = good;
    std::copy(c.bytes.begin(), c.bytes.end(), b.begin() + c.at);
    // Only the bytes that exist: a sanitizer catches any read beyond.
    std::vector<uint8_t> exact(b.begin(), b.begin() + c.length);
    SaveData s;
    s.knobMode = 77;
    std::string reason;
    EXPECT_FALSE(SaveData::Parse(exact.data(), exact.size(), &s, &reason)) << c.what;
    EXPECT_EQ(reason, c.reason) << c.what;
    // Nothing of the file is taken.
    EXPECT_EQ(s.knobMode, 2) << c.what;
    EXPECT_TRUE(s.outputDeviceName.empty()) << c.what;
  }
}

// A value out of its range takes its default, and the rest of the file is
// read as it stands.
TEST(SaveData, AValueOutOfRangeTakesItsDefaultAndTheRestIsKept) {
  const std::vector<uint8_t> good = Filled().Serialize();
  struct Case {
    const char* what;
    size_t at;
    std::vector<uint8_t> bytes;
    int channel;
    bool autoStop;
    int limit, knob;
  };
  // As Filled() has them: channel 2, auto-stop on at 80 %, knob mode 1.
  const Case cases[] = {
      {"knob mode 3", 9456, {3, 0, 0, 0}, 2, true, 80, 2},
      {"negative knob mode", 9456, {0xFF, 0xFF, 0xFF, 0xFF}, 2, true, 80, 2},
      {"limit 0", 9452, {0, 0, 0, 0}, 2, true, 100, 1},
      {"limit 101", 9452, {101, 0, 0, 0}, 2, true, 100, 1},
      {"odd channel", 9440, {3, 0, 0, 0}, 0, true, 80, 1},
      {"negative channel", 9440, {0xFE, 0xFF, 0xFF, 0xFF}, 0, true, 80, 1},
      {"channel 256", 9440, {0, 1, 0, 0}, 0, true, 80, 1},
      {"auto-stop byte 7", 9448, {7}, 2, false, 80, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> b = good;
    std::copy(c.bytes.begin(), c.bytes.end(), b.begin() + c.at);
    SaveData s;
    std::string reason;
    ASSERT_TRUE(SaveData::Parse(b.data(), b.size(), &s, &reason)) << reason;
    EXPECT_EQ(s.startingChannel, c.channel);
    EXPECT_EQ(s.useAutoStop, c.autoStop);
    EXPECT_EQ(s.autoStopLimit, c.limit);
    EXPECT_EQ(s.knobMode, c.knob);
    EXPECT_EQ(s.outputDeviceName, "Null Out");
    EXPECT_EQ(s.streamFormat.bitsPerChannel, 24u);
    EXPECT_EQ(s.portName[0], "KEYS");
    EXPECT_EQ(s.deviceName[0], "Keyboard");
    EXPECT_EQ(s.entry[0], Filled().entry[0]);
    EXPECT_EQ(s.bufferFrameSize, 512u);
    EXPECT_EQ(s.clockSourceId, 7u);
  }
}

TEST(SaveData, LongNamesAreCutTo1023BytesAndStillEndInNul) {
  SaveData s;
  s.outputDeviceName = std::string(1500, 'd');
  const std::vector<uint8_t> b = s.Serialize();
  EXPECT_EQ(b[4 + 1022], 'd');
  EXPECT_EQ(b[4 + 1023], 0);
  SaveData back;
  ASSERT_TRUE(SaveData::Parse(b.data(), b.size(), &back, nullptr));
  EXPECT_EQ(back.outputDeviceName, std::string(1023, 'd'));
}

TEST(SaveData, EveryTruncationOfAGoodFileIsReadOrRefusedWithinItsBytes) {
  const std::vector<uint8_t> good = Filled().Serialize();
  for (size_t n = 0; n <= good.size(); n += (n < 9440 ? 997 : 1)) {
    std::vector<uint8_t> exact(good.begin(), good.begin() + n);
    SaveData s;
    const bool ok = SaveData::Parse(exact.data(), exact.size(), &s, nullptr);
    EXPECT_EQ(ok, n >= 9444) << n;
  }
}

}  // namespace
}  // namespace vesk::test
