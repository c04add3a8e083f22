#include "host/NRXAudioBufferList.h"

#include <cstdlib>

#include "platform/NRXException.h"

NRXAudioBufferList::NRXAudioBufferList(int buffers, int channelsPerBuffer, int frames) {
  if (!(buffers >= 1)) throw NRXIfNotException("inNumberBuffers >= 1", nullptr);
  if (!(channelsPerBuffer >= 1)) throw NRXIfNotException("inChannelsPerBuffer >= 1", nullptr);
  if (!(frames >= 1)) throw NRXIfNotException("inFrameSize >= 1", nullptr);
  const size_t bytes = static_cast<size_t>(frames) * sizeof(float);
  buffers_.resize(static_cast<size_t>(buffers));
  for (auto& b : buffers_) {
    b.numberChannels = static_cast<uint32_t>(channelsPerBuffer);
    b.dataByteSize = static_cast<uint32_t>(bytes);
    b.data = std::calloc(1, bytes);
    if (!b.data) {
      for (auto& f : buffers_) std::free(f.data);
      throw NRXNullException("mBuffers[i].mData", nullptr);
    }
  }
  list_.numberBuffers = static_cast<uint32_t>(buffers);
  list_.buffers = buffers_.data();
}

NRXAudioBufferList::~NRXAudioBufferList() {
  for (auto& b : buffers_) std::free(b.data);
}
