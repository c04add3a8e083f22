#include "plugin/CMidiFifo.h"

namespace {
int PowerOfTwo(int size) {
  int n = 1;
  while (n < size && n < (1 << 30)) n <<= 1;
  return n;
}
}  // namespace

CMidiFifo::CMidiFifo(int size)
    : cells_(new Cell[static_cast<size_t>(PowerOfTwo(size))]),
      size_(PowerOfTwo(size)),
      mask_(static_cast<uint32_t>(size_ - 1)) {
  // A cell is free for the producer whose position equals its sequence,
  // and holds an entry for the consumer at sequence - 1.
  for (int i = 0; i < size_; ++i) cells_[i].sequence.store(static_cast<uint32_t>(i), std::memory_order_relaxed);
}

CMidiFifo::~CMidiFifo() = default;

bool CMidiFifo::Push(uint8_t status, uint8_t data1, uint8_t data2, uint32_t time) {
  uint32_t pos = write_.load(std::memory_order_relaxed);
  Cell* cell;
  for (;;) {
    cell = &cells_[pos & mask_];
    const uint32_t seq = cell->sequence.load(std::memory_order_acquire);
    const int32_t diff = static_cast<int32_t>(seq - pos);
    if (diff == 0) {
      // Released: whoever sees the count grow also sees what the producer
      // did before pushing.
      if (write_.compare_exchange_weak(pos, pos + 1, std::memory_order_acq_rel,
                                       std::memory_order_relaxed))
        break;
    } else if (diff < 0) {
      return false;  // full: the consumer has not freed this cell yet
    } else {
      pos = write_.load(std::memory_order_relaxed);
    }
  }
  cell->data.status = status;
  cell->data.data1 = data1;
  cell->data.data2 = data2;
  cell->data.time = time;
  cell->sequence.store(pos + 1, std::memory_order_release);
  return true;
}

bool CMidiFifo::Pop(tagMidiData* out) {
  uint32_t pos = read_.load(std::memory_order_relaxed);
  Cell* cell;
  for (;;) {
    cell = &cells_[pos & mask_];
    const uint32_t seq = cell->sequence.load(std::memory_order_acquire);
    const int32_t diff = static_cast<int32_t>(seq - (pos + 1));
    if (diff == 0) {
      if (read_.compare_exchange_weak(pos, pos + 1, std::memory_order_acq_rel,
                                      std::memory_order_relaxed))
        break;
    } else if (diff < 0) {
      return false;  // empty, or the entry is still being written
    } else {
      pos = read_.load(std::memory_order_relaxed);
    }
  }
  if (out) *out = cell->data;
  cell->sequence.store(pos + static_cast<uint32_t>(size_), std::memory_order_release);
  return true;
}

void CMidiFifo::Reset() {
  while (Pop(nullptr)) {
  }
}

int CMidiFifo::Count() const {
  const uint32_t read = read_.load(std::memory_order_acquire);
  const uint32_t write = write_.load(std::memory_order_acquire);
  const int32_t n = static_cast<int32_t>(write - read);
  return n < 0 ? 0 : (n > size_ ? size_ : n);
}
