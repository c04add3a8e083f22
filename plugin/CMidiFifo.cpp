#include "plugin/CMidiFifo.h"

CMidiFifo::CMidiFifo(int size) : entries_(new tagMidiData[size]), size_(size) {}

CMidiFifo::~CMidiFifo() = default;

bool CMidiFifo::Push(uint8_t status, uint8_t data1, uint8_t data2, uint32_t time) {
  CHfcCriticalSectionLock lock(lock_);
  if (count_ >= size_) return false;
  tagMidiData& e = entries_[write_];
  e.status = status;
  e.data1 = data1;
  e.data2 = data2;
  e.time = time;
  write_ = (write_ + 1) & (size_ - 1);
  count_ = count_ + 1;
  return true;
}

bool CMidiFifo::Pop(tagMidiData* out) {
  CHfcCriticalSectionLock lock(lock_);
  if (count_ < 1) return false;
  if (out) *out = entries_[read_];
  read_ = (read_ + 1) & (size_ - 1);
  count_ = count_ - 1;
  return true;
}

void CMidiFifo::Reset() {
  CHfcCriticalSectionLock lock(lock_);
  read_ = write_ = 0;
  count_ = 0;
}
