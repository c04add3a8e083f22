// The ALSA backend against ALSA's null device, where the machine has it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <chrono>
#include <thread>

#include "os/audio/AudioSystem.h"

namespace vesk::test {
namespace {

std::atomic<int> gCycles{0};
os::audio::Status Count(os::audio::DeviceId, uint64_t, os::audio::AudioBufferList* out, void*) {
  ++gCycles;
  for (uint32_t b = 0; b < out->numberBuffers; ++b)
    std::memset(out->buffers[b].data, 0, out->buffers[b].dataByteSize);
  return 0;
}

TEST(AlsaSmoke, TheNullDeviceIsListedAndPlaysCycles) {
  auto alsa = os::audio::CreateAlsaAudioSystem();
  if (!alsa) GTEST_SKIP() << "ALSA lists no output device on this machine";
  std::vector<os::audio::DeviceId> devices;
  ASSERT_EQ(alsa->GetDevices(&devices), os::audio::kOk);
  os::audio::DeviceId null = 0;
  for (auto d : devices) {
    std::string name;
    alsa->GetDeviceName(d, &name);
    if (name.find("(null)") != std::string::npos) null = d;
  }
  if (!null) GTEST_SKIP() << "ALSA's null device is not configured here";
  std::vector<os::audio::StreamId> streams;
  ASSERT_EQ(alsa->GetOutputStreams(null, &streams), os::audio::kOk);
  ASSERT_EQ(streams.size(), 1u);
  std::vector<os::audio::AudioStreamBasicDescription> formats;
  ASSERT_EQ(alsa->GetAvailableFormats(streams[0], &formats), os::audio::kOk);
  ASSERT_FALSE(formats.empty());
  EXPECT_EQ(alsa->SetBufferFrameSize(null, 256), os::audio::kOk);
  ASSERT_EQ(alsa->AddIOProc(null, &Count, nullptr), os::audio::kOk);
  ASSERT_EQ(alsa->Start(null, &Count), os::audio::kOk);
  // The null device discards at once: its thread keeps to the sample rate
  // instead of spinning, about 40 cycles in 60 periods' time.
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 400 && gCycles < 40; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_GE(gCycles.load(), 40);
  double rate = 0;
  ASSERT_EQ(alsa->GetNominalRate(null, &rate), os::audio::kOk);
  const double period = 256 / (rate > 0 ? rate : formats[0].sampleRate);
  EXPECT_GE(took, (40 - 8) * period) << "the null device's thread spins";
  EXPECT_EQ(alsa->Stop(null, &Count), os::audio::kOk);
  EXPECT_EQ(alsa->RemoveIOProc(null, &Count), os::audio::kOk);
}

}  // namespace
}  // namespace vesk::test
