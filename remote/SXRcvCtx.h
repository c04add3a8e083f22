#pragma once
// The SysEx message being received. Until the receiver recognises the
// message's kind its bytes gather raw; a dump's header then stays raw and
// the packed data after it is unpacked as it arrives. A message the user
// aborted stores nothing more.
#include <cstdint>
#include <vector>

#include "platform/CHfcCriticalSection.h"
#include "remote/ChunkDecode.h"
#include "remote/SXSig.h"

class SXRcvCtx {
 public:
  // What the receiver reads of the message. The pointers stay valid until
  // the receiving thread writes again.
  struct View {
    bool inside = false;
    bool decoding = false;
    bool aborted = false;
    const uint8_t* raw = nullptr;  // the message (raw phase) or its header
    unsigned rawLen = 0;
    const uint8_t* data = nullptr;  // unpacked data (decoding)
    unsigned dataLen = 0;
    unsigned written = 0;  // bytes of the message so far, F0 included
    unsigned total = 0;    // expected wire size (decoding)
  };

  void Reserve(unsigned raw, unsigned decoded);
  // At an F0: forgets any message and starts a new one.
  void Enter();
  bool Inside();
  void Write(const void* data, unsigned len, bool final);
  void Estimated(unsigned total, unsigned headerLen, bool final);
  bool GetEstimation(unsigned* total, SXSig* header);
  void Abort();
  bool End();
  View Get();

 private:
  CHfcCriticalSection cs_;
  std::vector<uint8_t> raw_;
  ChunkDecode decoder_;
  bool decoding_ = false;
  unsigned written_ = 0;
  unsigned total_ = 0;
  bool inside_ = false;
  bool aborted_ = false;
};
