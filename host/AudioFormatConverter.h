#pragma once
// Turns the hosted component's output (non-interleaved 32-bit float) into a
// device stream's linear PCM format, placing each component channel on the
// device channel its channel map names; device channels the map leaves at
// -1 are written as silence. Non-interleaved output counts its channels
// across all buffers of the list, each buffer holding its channels one
// after another. Nothing is allocated while converting.
#include <cstdint>
#include <memory>
#include <vector>

#include "os/audio/AudioTypes.h"

class AudioFormatConverter {
 public:
  // The input buffers for one fill; returns a status (0 = go on).
  using InputProc = int32_t (*)(AudioFormatConverter* converter, uint32_t* packets,
                                os::audio::AudioBufferList* input, void* userData);

  // Null when either format is not linear PCM this converter can handle
  // (status through `status`).
  static std::unique_ptr<AudioFormatConverter> New(const os::audio::AudioStreamBasicDescription& in,
                                                   const os::audio::AudioStreamBasicDescription& out,
                                                   int32_t* status);
  // One entry per output channel: the input channel or -1.
  int32_t SetChannelMap(const std::vector<int32_t>& map);
  const std::vector<int32_t>& ChannelMap() const { return map_; }
  const os::audio::AudioStreamBasicDescription& OutputFormat() const { return out_; }

  int32_t FillComplexBuffer(InputProc proc, void* userData, uint32_t* frames,
                            os::audio::AudioBufferList* output);

  static constexpr int32_t kErrFormatNotSupported = 0x666d743f;  // 'fmt?'
  static constexpr int32_t kErrBadPropertySize = 0x2173697a;     // '!siz'

 private:
  AudioFormatConverter() = default;
  os::audio::AudioStreamBasicDescription in_, out_;
  std::vector<int32_t> map_;
};
