#pragma once
// An owned list of audio buffers of 32-bit float frames.
#include <cstdint>
#include <memory>
#include <vector>

struct HostAudioBuffer {
  uint32_t numberChannels;
  uint32_t dataByteSize;
  void* data;
};

struct HostAudioBufferList {
  uint32_t numberBuffers;
  HostAudioBuffer* buffers;
};

class NRXAudioBufferList {
 public:
  // Each precondition fails with NRXIfNotException and its text.
  NRXAudioBufferList(int buffers, int channelsPerBuffer, int frames);
  ~NRXAudioBufferList();
  NRXAudioBufferList(const NRXAudioBufferList&) = delete;
  NRXAudioBufferList& operator=(const NRXAudioBufferList&) = delete;

  HostAudioBufferList* GetBufferList() { return &list_; }

 private:
  std::vector<HostAudioBuffer> buffers_;
  HostAudioBufferList list_{};
};
