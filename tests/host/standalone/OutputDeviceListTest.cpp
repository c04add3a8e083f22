// The output devices and formats the settings offer.
#include "host/OutputDeviceList.h"

#include <gtest/gtest.h>

#include "tests/host/standalone/StandaloneFixture.h"

namespace vesk::test {
namespace {

class DeviceList : public StandaloneFixture {};

std::vector<std::string> Names(const OutputDevice& d) {
  std::vector<std::string> names;
  for (const Stream& s : d.formats) names.push_back(s.name);
  return names;
}

TEST_F(DeviceList, AnAnyRateDeviceListsTheStandardRatesInsideItsRanges) {
  NullAudioSystem::DeviceDesc d;
  d.name = "Any";
  d.streams.push_back(StreamOf({MakeLinearPCM(0, 2, 16, false)}));
  d.rateRanges = {{44100, 96000}};
  audio.AddDevice(d);
  getAllDevices();
  ASSERT_EQ(GetDeviceCount(), 1);
  EXPECT_TRUE(IsDeviceAnyRateAtIndex(0));
  EXPECT_EQ(Names(gAudioDeviceList[0]),
            (std::vector<std::string>{"16Bits/44100Hz/2CH", "16Bits/48000Hz/2CH", "16Bits/64000Hz/2CH",
                                      "16Bits/88200Hz/2CH", "16Bits/96000Hz/2CH"}));
  for (const Stream& s : gAudioDeviceList[0].formats) {
    EXPECT_EQ(s.range.minimum, 32.0);
    EXPECT_EQ(s.range.maximum, 8192.0);
    EXPECT_EQ(s.range.defaultFrames, 256u);
  }
}

TEST_F(DeviceList, FormatsSortAsTextAndOnlyStereoAtCDRateOrAboveIsListed) {
  NullAudioSystem::DeviceDesc d;
  d.name = "Fixed";
  d.streams.push_back(StreamOf({MakeLinearPCM(44100, 2, 24, false), MakeLinearPCM(44100, 2, 16, false),
                                MakeLinearPCM(192000, 2, 16, false), MakeLinearPCM(32000, 2, 16, false),
                                MakeLinearPCM(48000, 1, 16, false)}));
  audio.AddDevice(d);
  // Two mono streams make a stereo format; an input-only device and one
  // whose information cannot be read are left out.
  NullAudioSystem::DeviceDesc mono;
  mono.name = "Two Mono";
  mono.streams = {StreamOf({MakeLinearPCM(48000, 1, 16, false)}), StreamOf({MakeLinearPCM(48000, 1, 16, false)})};
  audio.AddDevice(mono);
  NullAudioSystem::DeviceDesc input;
  input.name = "Input only";
  audio.AddDevice(input);
  NullAudioSystem::DeviceDesc broken = StereoDevice("Broken");
  broken.failInfo = true;
  audio.AddDevice(broken);
  getAllDevices();
  ASSERT_EQ(GetDeviceCount(), 2);
  EXPECT_EQ(Names(gAudioDeviceList[0]),
            (std::vector<std::string>{"16Bits/192000Hz/2CH", "16Bits/44100Hz/2CH", "24Bits/44100Hz/2CH"}));
  EXPECT_EQ(Names(gAudioDeviceList[1]), (std::vector<std::string>{"16Bits/48000Hz/2CH"}));
  EXPECT_TRUE(GetIdleTaskQueue().Pending().empty());

  AudioDeviceID id = 0;
  EXPECT_EQ(getAudioDeviceIndexByName("Two Mono", &id), 3);
  EXPECT_EQ(getAudioIndexByAudioDeviceID(id), 2);
  EXPECT_EQ(getChannelsByAudioAudioDeviceID(id, 0), 2);
  EXPECT_THROW(getChannelsByAudioAudioDeviceID(id, 5), std::out_of_range);
  EXPECT_EQ(getAudioDeviceIndexByName("None", &id), 0);
  const AudioStreamBasicDescription f = gAudioDeviceList[0].formats[2].format;
  EXPECT_EQ(getAudioStreamIndexByAudioStreamBasicDescription(gAudioDeviceList[0].id, &f), 3);
}

TEST_F(DeviceList, AFailedDeviceListLeavesItEmptyAndAsksForOneAlert) {
  audio.AddDevice(StereoDevice());
  audio.FailDeviceList(true);
  getAllDevices();
  getAllDevices();
  EXPECT_EQ(GetDeviceCount(), 0);
  EXPECT_EQ(GetIdleTaskQueue().Pending(), (std::deque<int>{4}));
}

TEST_F(DeviceList, AFormatIsPutOnEveryStreamAndANeverConfirmedChangeCostsOneSecond) {
  NullAudioSystem::DeviceDesc d = StereoDevice();
  d.confirmFormats = false;
  const auto id = audio.AddDevice(d);
  getAllDevices();
  const uint64_t before = os::NowUs();
  SetDevicePhysicalFormat(id, false, MakeLinearPCM(48000, 2, 16, false));
  EXPECT_EQ(audio.Device(id).streams[0].current.sampleRate, 48000);
  EXPECT_GE(os::NowUs() - before, 1000000u);
  EXPECT_LT(os::NowUs() - before, 1100000u);
}

}  // namespace
}  // namespace vesk::test
