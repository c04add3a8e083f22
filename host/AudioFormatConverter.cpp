#include "host/AudioFormatConverter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace os::audio;

namespace {

bool Supported(const AudioStreamBasicDescription& f) {
  if (f.formatID != kFormatLinearPCM || f.framesPerPacket != 1 || f.channelsPerFrame == 0)
    return false;
  if (f.formatFlags & kFormatFlagIsBigEndian) return false;
  if (f.formatFlags & kFormatFlagIsFloat) return f.bitsPerChannel == 32;
  return f.bitsPerChannel == 16 || f.bitsPerChannel == 24 || f.bitsPerChannel == 32;
}

template <int Bytes>
inline void PutInt(uint8_t* p, float v) {
  constexpr double scale = Bytes == 2 ? 32768.0 : Bytes == 3 ? 8388608.0 : 2147483648.0;
  double s = std::nearbyint(static_cast<double>(v) * scale);
  s = std::clamp(s, -scale, scale - 1);
  const int32_t i = static_cast<int32_t>(s);
  for (int b = 0; b < Bytes; ++b) p[b] = static_cast<uint8_t>(i >> (8 * b));
}

// Writes `frames` samples of one channel with a stride between them.
void WriteChannel(const AudioStreamBasicDescription& f, const float* in, uint8_t* out,
                  size_t stride, uint32_t frames) {
  const uint32_t bytes = f.bitsPerChannel / 8;
  if (f.formatFlags & kFormatFlagIsFloat) {
    for (uint32_t i = 0; i < frames; ++i) {
      const float v = in ? in[i] : 0.0f;
      std::memcpy(out + i * stride, &v, 4);
    }
    return;
  }
  for (uint32_t i = 0; i < frames; ++i) {
    const float v = in ? in[i] : 0.0f;
    uint8_t* p = out + i * stride;
    if (bytes == 2)
      PutInt<2>(p, v);
    else if (bytes == 3)
      PutInt<3>(p, v);
    else
      PutInt<4>(p, v);
  }
}

}  // namespace

std::unique_ptr<AudioFormatConverter> AudioFormatConverter::New(
    const AudioStreamBasicDescription& in, const AudioStreamBasicDescription& out, int32_t* status) {
  const bool inOk = Supported(in) && (in.formatFlags & kFormatFlagIsFloat) &&
                    (in.formatFlags & kFormatFlagIsNonInterleaved);
  if (!inOk || !Supported(out)) {
    if (status) *status = kErrFormatNotSupported;
    return nullptr;
  }
  std::unique_ptr<AudioFormatConverter> c(new AudioFormatConverter());
  c->in_ = in;
  c->out_ = out;
  c->map_.assign(out.channelsPerFrame, -1);
  for (uint32_t i = 0; i < std::min(in.channelsPerFrame, out.channelsPerFrame); ++i) c->map_[i] = int32_t(i);
  if (status) *status = 0;
  return c;
}

int32_t AudioFormatConverter::SetChannelMap(const std::vector<int32_t>& map) {
  if (map.size() != out_.channelsPerFrame) return kErrBadPropertySize;
  for (int32_t m : map)
    if (m >= static_cast<int32_t>(in_.channelsPerFrame)) return kErrFormatNotSupported;
  map_ = map;
  return 0;
}

int32_t AudioFormatConverter::FillComplexBuffer(InputProc proc, void* userData, uint32_t* frames,
                                                AudioBufferList* output) {
  AudioBufferList input;
  input.numberBuffers = in_.channelsPerFrame;
  uint32_t packets = *frames;
  if (const int32_t s = proc(this, &packets, &input, userData)) return s;
  uint32_t n = *frames;
  for (uint32_t b = 0; b < input.numberBuffers; ++b)
    n = std::min(n, input.buffers[b].dataByteSize / 4);
  const float* channels[kMaxBuffers] = {};
  for (uint32_t b = 0; b < std::min(input.numberBuffers, kMaxBuffers); ++b)
    channels[b] = static_cast<const float*>(input.buffers[b].data);
  const uint32_t bytes = out_.bitsPerChannel / 8;
  const uint32_t total = out_.channelsPerFrame;
  if (!(out_.formatFlags & kFormatFlagIsNonInterleaved)) {
    // One buffer, channels side by side in each frame.
    if (output->numberBuffers < 1) return kErrFormatNotSupported;
    AudioBuffer& buf = output->buffers[0];
    n = std::min(n, buf.dataByteSize / out_.bytesPerFrame);
    auto* base = static_cast<uint8_t*>(buf.data);
    for (uint32_t c = 0; c < total; ++c)
      WriteChannel(out_, map_[c] < 0 ? nullptr : channels[map_[c]], base + c * bytes,
                   out_.bytesPerFrame, n);
  } else {
    // Channels counted across the buffers, each buffer planar.
    uint32_t c = 0;
    for (uint32_t b = 0; b < output->numberBuffers && c < total; ++b) {
      AudioBuffer& buf = output->buffers[b];
      const uint32_t inBuffer = std::max(1u, buf.numberChannels);
      const uint32_t perChannel = buf.dataByteSize / inBuffer;
      const uint32_t frames = std::min(n, perChannel / bytes);
      for (uint32_t k = 0; k < inBuffer && c < total; ++k, ++c)
        WriteChannel(out_, map_[c] < 0 ? nullptr : channels[map_[c]],
                     static_cast<uint8_t*>(buf.data) + k * perChannel, bytes, frames);
    }
  }
  *frames = n;
  return 0;
}
