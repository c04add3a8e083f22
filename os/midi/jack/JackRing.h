#pragma once
// A lock-free ring of bytes between one writer thread and one reader
// thread (a JACK process callback on one side), on libjack's ring. The
// bytes are copied here, each copy a JackTurn that ends before the ring's
// index moves, so that ThreadSanitizer sees the order the ring's barriers
// give (a suppressed report would still cost a symbolised stack per copy,
// enough to make long transfers time out). Never blocks, never allocates
// (the process callback uses it).
#include <jack/ringbuffer.h>

#include <cstddef>

namespace os::midi {

class JackRing {
 public:
  // Holds at least `bytes` - 1; locked in memory.
  explicit JackRing(size_t bytes);
  ~JackRing();
  JackRing(const JackRing&) = delete;
  JackRing& operator=(const JackRing&) = delete;

  bool ok() const { return ring_ != nullptr; }
  // Either side.
  size_t ReadSpace() const;
  size_t WriteSpace() const;
  // The writer: `length` bytes in, published at once (the caller saw the
  // room in WriteSpace).
  void Write(const void* data, size_t length);
  // The reader: a copy of the next `length` bytes, leaving them in the
  // ring; taking them out; or dropping them (the caller saw them in
  // ReadSpace).
  void Peek(void* out, size_t length) const;
  void Read(void* out, size_t length);
  void Skip(size_t length);

 private:
  void CopyOut(void* out, size_t length) const;
  jack_ringbuffer_t* ring_;
};

}  // namespace os::midi
