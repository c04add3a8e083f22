#pragma once
// A fixed-size ring of short MIDI messages between threads: bounded,
// multi-producer and multi-consumer. It takes no lock and allocates nothing
// after construction, so the host's audio thread may push and pop. Every
// cell carries a sequence number that tells producers and consumers whose
// turn it is; a producer claims a cell and a consumer an entry with one
// compare-and-swap each, so any number of threads may push while any
// number pop. In the plug-in each ring has one consumer, and the to-host
// ring two producers (the link's input thread and the editor). A full
// ring refuses the newest message.
#include <atomic>
#include <cstdint>
#include <memory>

struct tagMidiData {
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
  // The sample offset for MIDI from the host, else 0.
  uint32_t time = 0;
};

class CMidiFifo {
 public:
  // The owner's thread, before any other thread has the ring (the loop
  // thread makes and frees the plug-in's rings). The size is rounded up to
  // a power of two.
  explicit CMidiFifo(int size);
  virtual ~CMidiFifo();
  CMidiFifo(const CMidiFifo&) = delete;
  CMidiFifo& operator=(const CMidiFifo&) = delete;

  // ---- Any thread, the audio thread too (no lock, no wait, no allocation).
  bool Push(uint8_t status, uint8_t data1, uint8_t data2, uint32_t time);
  // out may be null: the entry is dropped.
  bool Pop(tagMidiData* out);
  // Drops what is waiting; pops like any consumer.
  void Reset();
  // Entries pushed and not yet popped; one still being written counts
  // already, and a pop finds it only once it is complete.
  int Count() const;
  int Size() const { return size_; }

 private:
  struct Cell {
    std::atomic<uint32_t> sequence;
    tagMidiData data;
  };
  std::unique_ptr<Cell[]> cells_;
  int size_;
  uint32_t mask_;
  // Apart, so that a producer and a consumer do not share a cache line.
  alignas(64) std::atomic<uint32_t> write_{0};
  alignas(64) std::atomic<uint32_t> read_{0};
};
