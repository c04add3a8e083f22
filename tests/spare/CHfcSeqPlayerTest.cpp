#include "spare/CHfcSeqPlayer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "spare/CHfcSeqPlayerListener.h"
#include "tests/support/TempDir.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Recorder : CHfcSeqPlayerListener {
  std::vector<Bytes> messages;
  void OnHfcSeqPlayerMidi(const unsigned char* data, long count, long time) override {
    EXPECT_EQ(time, 0);
    messages.emplace_back(data, data + count);
  }
};

// A one-track file around the given track bytes, division 480.
Bytes Smf(const Bytes& track, unsigned division = 480) {
  Bytes f = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1,
             static_cast<unsigned char>(division >> 8), static_cast<unsigned char>(division)};
  const size_t n = track.size();
  Bytes head = {'M', 'T', 'r', 'k', static_cast<unsigned char>(n >> 24), static_cast<unsigned char>(n >> 16),
                static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n)};
  f.insert(f.end(), head.begin(), head.end());
  f.insert(f.end(), track.begin(), track.end());
  return f;
}

Bytes AllSoundOff(int ch) { return {static_cast<unsigned char>(0xB0 | ch), 0x78, 0x00}; }

TEST(CHfcSeqPlayer, VariableLengthQuantities) {
  struct Case {
    Bytes bytes;
    long value;
  };
  const Case cases[] = {{{0x00}, 0},         {{0x7F}, 127},          {{0x81, 0x00}, 128},
                        {{0xFF, 0x7F}, 16383}, {{0x81, 0x80, 0x00}, 16384}, {{0xFF, 0xFF, 0xFF, 0x7F}, 0x0FFFFFFF}};
  for (const Case& c : cases) {
    long pos = 0;
    EXPECT_EQ(CHfcSeqPlayer::GetVariableLengthNumber(c.bytes.data(), &pos), c.value);
    EXPECT_EQ(pos, static_cast<long>(c.bytes.size()));
  }
}

TEST(CHfcSeqPlayer, DecodesRunningStatusAndShortMessages) {
  // delta 0 note on, delta 0 running-status note on, program change,
  // channel pressure, pitch bend.
  const Bytes file = Smf({0x00, 0x90, 60, 100, 0x00, 62, 90, 0x00, 0xC1, 5, 0x00, 0xD2, 40, 0x00, 0xE0, 0, 64,
                          0x00, 0xFF, 0x2F, 0x00});
  CHfcSeqPlayer player;
  Recorder rec;
  player.SetListener(&rec);
  ASSERT_EQ(player.SetSmf(file.data(), file.size()), 1);
  player.Start();
  player.AddTimeByTicks(1);
  ASSERT_GE(rec.messages.size(), 5u);
  EXPECT_EQ(rec.messages[0], (Bytes{0x90, 60, 100}));
  EXPECT_EQ(rec.messages[1], (Bytes{0x90, 62, 90}));
  EXPECT_EQ(rec.messages[2], (Bytes{0xC1, 5}));
  EXPECT_EQ(rec.messages[3], (Bytes{0xD2, 40}));
  EXPECT_EQ(rec.messages[4], (Bytes{0xE0, 0, 64}));
  // The end of the track stops the player, which silences every channel.
  EXPECT_FALSE(player.IsPlaying());
  ASSERT_EQ(rec.messages.size(), 5u + 16u);
  for (int ch = 0; ch < 16; ++ch) EXPECT_EQ(rec.messages[5 + ch], AllSoundOff(ch));
}

// The first event's delta is a real wait; an advance covers the time up to
// its end, so an event due exactly then fires in the next advance.
TEST(CHfcSeqPlayer, FiringTimesUnderMixedAdvances) {
  const Bytes file = Smf({0x83, 0x60, 0x90, 60, 100,  // at 480
                          0x83, 0x60, 0x80, 60, 0,    // at 960
                          0x00, 0xFF, 0x2F, 0x00});
  CHfcSeqPlayer player;
  Recorder rec;
  player.SetListener(&rec);
  ASSERT_EQ(player.SetSmf(file.data(), file.size()), 1);
  player.Start();
  player.AddTimeByTicks(479);
  EXPECT_TRUE(rec.messages.empty());
  player.AddTimeByTicks(1);  // due at the end of this advance
  EXPECT_TRUE(rec.messages.empty());
  player.AddTimeByTicks(1);
  ASSERT_EQ(rec.messages.size(), 1u);
  // 500,000 us a quarter at division 480: 250 ms are 240 ticks.
  player.AddTimeByMilliseconds(250);
  EXPECT_EQ(rec.messages.size(), 1u);
  // 11,025 samples at 44.1 kHz are 250 ms: the note-off is past due.
  player.AddTimeBySamples(11025);
  ASSERT_GE(rec.messages.size(), 2u);
  EXPECT_EQ(rec.messages[1], (Bytes{0x80, 60, 0}));
}

TEST(CHfcSeqPlayer, TempoEventsAndModes) {
  // Tempo 250,000 us a quarter (240 BPM) at tick 0, a note at 480.
  const Bytes file = Smf({0x00, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90, 0x83, 0x60, 0x90, 60, 1, 0x00, 0xFF, 0x2F, 0x00});
  CHfcSeqPlayer player;
  Recorder rec;
  player.SetListener(&rec);
  ASSERT_EQ(player.SetSmf(file.data(), file.size()), 1);
  player.Start();
  player.AddTimeByTicks(0);
  player.AddTimeByTicks(1);
  EXPECT_EQ(player.GetMicrosecondsPerQuarter(), 250000);
  EXPECT_FLOAT_EQ(player.GetTempo(0), 240.0f);
  // In user-tempo mode a tempo event updates the file tempo only.
  player.SetTempo(60.0f);
  ASSERT_EQ(player.SetTempoMode(1), 1);
  EXPECT_EQ(player.GetMicrosecondsPerQuarter(), 1000000);
  player.Start();
  player.AddTimeByTicks(1);
  EXPECT_EQ(player.GetMicrosecondsPerQuarter(), 1000000);
  EXPECT_FLOAT_EQ(player.GetTempo(-1), 60.0f);
  EXPECT_EQ(player.SetTempoMode(2), 0);
  // A tempo of zero is refused rather than dividing by it.
  player.SetTempo(0.0f);
  player.UpdateTempoBase(0.0f);
  EXPECT_EQ(player.GetMicrosecondsPerQuarter(), 1000000);
  EXPECT_FLOAT_EQ(player.GetTempo(1), 60.0f);
}

TEST(CHfcSeqPlayer, StopAndPauseSilenceEveryChannel) {
  const Bytes file = Smf({0x00, 0xFF, 0x2F, 0x00});
  CHfcSeqPlayer player;
  Recorder rec;
  player.SetListener(&rec);
  ASSERT_EQ(player.SetSmf(file.data(), file.size()), 1);
  player.Stop();
  player.Pause(true);
  ASSERT_EQ(rec.messages.size(), 32u);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(rec.messages[i], AllSoundOff(i % 16));
  EXPECT_TRUE(player.IsPaused());
  // Not playing: advancing does nothing.
  rec.messages.clear();
  player.AddTimeByTicks(1000);
  EXPECT_TRUE(rec.messages.empty());
}

TEST(CHfcSeqPlayer, TitleIsTheTrackName) {
  const Bytes file = Smf({0x00, 0xFF, 0x03, 0x05, 'M', 'e', 'l', 'o', 'n', 0x00, 0x90, 60, 1, 0x00, 0xFF, 0x2F, 0x00});
  CHfcSeqPlayer player;
  ASSERT_EQ(player.SetSmf(file.data(), file.size()), 1);
  char title[16];
  player.GetTitle(title, sizeof title);
  EXPECT_STREQ(title, "Melon");
  char small[4];
  player.GetTitle(small, sizeof small);
  EXPECT_STREQ(small, "Mel");
}

// Truncated and hostile tracks end playback cleanly; run under the address
// sanitizer, any read past the data fails the test.
TEST(CHfcSeqPlayer, TruncatedTracksFailCleanly) {
  const std::vector<Bytes> tracks = {
      {0x00, 0x90, 60},                    // note without its velocity
      {0x00, 0x90},                        // status alone
      {0x00, 0xFF, 0x51, 0x03, 0x07},      // tempo shorter than its length
      {0x00, 0xF0, 0x85, 0x00, 0x01},      // SysEx longer than the track
      {0x00, 0x40, 0x40},                  // data with no running status
      {0x81},                              // delta that never ends
      {0x00, 0xFF, 0x03, 0x7F, 'a'},       // title longer than the track
  };
  for (const Bytes& t : tracks) {
    const Bytes file = Smf(t);
    // Copy just the bytes, so the sanitizer sees any overrun.
    std::vector<unsigned char> exact(file.begin(), file.end());
    CHfcSeqPlayer player;
    Recorder rec;
    player.SetListener(&rec);
    ASSERT_EQ(player.SetSmf(exact.data(), exact.size()), 1);
    player.Start();
    player.AddTimeByTicks(100000);
    EXPECT_FALSE(player.IsPlaying());
  }
  // A track that claims more than the image holds is refused.
  Bytes file = Smf({0x00, 0xFF, 0x2F, 0x00});
  file[21] = 0x40;
  CHfcSeqPlayer player;
  EXPECT_EQ(player.SetSmf(file.data(), file.size()), 0);
  EXPECT_EQ(player.SetSmf(nullptr), 0);
}

TEST(CHfcSeqPlayer, LoadsFromFile) {
  vesk::test::TempDir dir;
  const std::string path = dir.path() + "/song.mid";
  const Bytes file = Smf({0x00, 0xFF, 0x03, 0x02, 'H', 'i', 0x00, 0xC0, 7, 0x00, 0xFF, 0x2F, 0x00}, 96);
  auto write = [&](const Bytes& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  };
  write(file);
  CHfcSeqPlayer player;
  ASSERT_EQ(player.LoadSmfFromFile(path.c_str()), 1);
  EXPECT_EQ(player.GetDivision(), 96);
  char title[8];
  player.GetTitle(title, sizeof title);
  EXPECT_STREQ(title, "Hi");
  EXPECT_EQ(player.Unload(), 1);
  EXPECT_EQ(player.Unload(), 0);

  // Short reads and over-long tracks fail and leave nothing loaded.
  write(Bytes(file.begin(), file.end() - 3));
  EXPECT_EQ(player.LoadSmfFromFile(path.c_str()), 0);
  Bytes huge = file;
  huge[18] = 0x10;
  huge[19] = huge[20] = 0;
  huge[21] = 1;  // 0x10000001 bytes: over the limit
  write(huge);
  EXPECT_EQ(player.LoadSmfFromFile(path.c_str()), 0);
  EXPECT_EQ(player.LoadSmfFromFile((dir.path() + "/missing.mid").c_str()), 0);
  EXPECT_EQ(player.Unload(), 0);
}

}  // namespace
