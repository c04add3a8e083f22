#pragma once
// A fixed-size locked ring of short MIDI messages between threads. The size
// must be a power of two; a full queue refuses the newest message.
#include <cstdint>
#include <memory>

#include "platform/CHfcCriticalSection.h"

struct tagMidiData {
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
  // The sample offset for MIDI from the host, else 0.
  uint32_t time = 0;
};

class CMidiFifo {
 public:
  explicit CMidiFifo(int size);
  virtual ~CMidiFifo();
  CMidiFifo(const CMidiFifo&) = delete;
  CMidiFifo& operator=(const CMidiFifo&) = delete;

  bool Push(uint8_t status, uint8_t data1, uint8_t data2, uint32_t time);
  // out may be null: the entry is dropped.
  bool Pop(tagMidiData* out);
  void Reset();
  // Entries waiting, read without the lock: with one reader it can only
  // grow before that reader pops.
  int Count() const { return count_; }
  int Size() const { return size_; }

 private:
  std::unique_ptr<tagMidiData[]> entries_;
  int size_;
  int read_ = 0;
  int write_ = 0;
  volatile int count_ = 0;
  CHfcCriticalSection lock_;
};
