#pragma once
// The audio layer's records: a stream's format (40 bytes, as devices and
// the settings file carry it), a range of values and a list of buffers.
#include <cstdint>

namespace os::audio {

using DeviceId = uint32_t;
using StreamId = uint32_t;
using Status = int32_t;
constexpr Status kOk = 0;
constexpr Status kErrUnknownProperty = 0x77686f3f;  // 'who?'
constexpr Status kErrBadDevice = 0x21646576;        // '!dev'
constexpr Status kErrIllegalOperation = 0x6e6f7065;  // 'nope'
constexpr Status kErrUnsupportedFormat = 0x21646174;  // '!dat'
constexpr Status kErrHardware = 0x68617264;          // 'hard'

constexpr uint32_t FourCC(const char (&s)[5]) {
  return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) |
         (uint32_t(uint8_t(s[2])) << 8) | uint32_t(uint8_t(s[3]));
}

constexpr uint32_t kFormatLinearPCM = FourCC("lpcm");
enum : uint32_t {
  kFormatFlagIsFloat = 1u << 0,
  kFormatFlagIsBigEndian = 1u << 1,
  kFormatFlagIsSignedInteger = 1u << 2,
  kFormatFlagIsPacked = 1u << 3,
  kFormatFlagIsNonInterleaved = 1u << 5,
};

struct AudioStreamBasicDescription {
  double sampleRate = 0;
  uint32_t formatID = 0;
  uint32_t formatFlags = 0;
  uint32_t bytesPerPacket = 0;
  uint32_t framesPerPacket = 0;
  uint32_t bytesPerFrame = 0;
  uint32_t channelsPerFrame = 0;
  uint32_t bitsPerChannel = 0;
  uint32_t reserved = 0;
};
static_assert(sizeof(AudioStreamBasicDescription) == 40);

// Packed linear PCM of the given sample type; interleaved unless asked.
AudioStreamBasicDescription MakeLinearPCM(double rate, uint32_t channels, uint32_t bits,
                                          bool isFloat, bool interleaved = true);

struct AudioValueRange {
  double minimum = 0;
  double maximum = 0;
};

struct AudioBuffer {
  uint32_t numberChannels = 0;
  uint32_t dataByteSize = 0;
  void* data = nullptr;
};

// A fixed upper bound keeps lists on the stack of the audio thread.
constexpr uint32_t kMaxBuffers = 16;
struct AudioBufferList {
  uint32_t numberBuffers = 0;
  AudioBuffer buffers[kMaxBuffers];
};

// Property codes that listeners receive.
constexpr uint32_t kPropertyDevices = FourCC("dev#");
constexpr uint32_t kPropertyBufferSize = FourCC("bsiz");
constexpr uint32_t kPropertyPhysicalFormat = FourCC("pft ");
constexpr uint32_t kPropertyStreamFormat = FourCC("sfmt");
constexpr uint32_t kPropertyClockSource = FourCC("csrc");
constexpr uint32_t kPropertyNominalRate = FourCC("nsrt");

}  // namespace os::audio
