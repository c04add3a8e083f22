#pragma once
// Collects one system-exclusive message of at most 128 bytes (F0 and F7
// included) whose second byte is 7E or 42; anything else is dropped.
#include <cstdint>

class TalvikSysExAssembler {
 public:
  static constexpr int kCapacity = 128;

  // Returns the length of the message in buffer() when `b` completed one,
  // else 0.
  int Feed(uint8_t b) {
    if (b == 0xF0) {
      buffer_[0] = b;
      count_ = 1;
      return 0;
    }
    if (b == 0xF7) {
      int done = 0;
      if (count_ != 0 && count_ != kCapacity) {
        buffer_[count_] = b;
        done = count_ + 1;
      }
      count_ = 0;
      return done;
    }
    if (count_ == 0) return 0;
    if (count_ == 1) {
      if (b == 0x7E || b == 0x42)
        buffer_[count_++] = b;
      else
        count_ = 0;
      return 0;
    }
    if (count_ < kCapacity)
      buffer_[count_++] = b;
    else
      count_ = 0;  // too long: abandoned
    return 0;
  }

  const uint8_t* buffer() const { return buffer_; }
  int count() const { return count_; }
  void Reset() { count_ = 0; }

 private:
  uint8_t buffer_[kCapacity];
  int count_ = 0;
};
