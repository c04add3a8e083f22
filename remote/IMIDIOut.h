#pragma once
// An output to the synthesizer, named by a device key. Used by one thread
// at a time. The two int arguments of Open are not used by the system
// ports.
#include <memory>
#include <vector>

#include "model/MIDIDevKey.h"

class IMIDIOut {
 public:
  static constexpr unsigned kInfinite = 0xFFFFFFFFu;

  virtual ~IMIDIOut() = default;
  // Appends the keys of the synthesizer's destinations; keys in the list stay.
  virtual void AppendEnumDevices(std::vector<MIDIDevKey>* list) = 0;
  virtual bool Open(const MIDIDevKey* key, int a, int b) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() = 0;
  // One short message (1 to 256 bytes), sent now.
  virtual bool SendShort(const void* data, unsigned len) = 0;
  // A whole SysEx message; returns once it has gone out (true), failed or
  // timeoutMs passed (false). kInfinite waits as long as the message can
  // take on the slowest wire, no longer.
  virtual bool SendLong(const void* data, unsigned len, unsigned timeoutMs) = 0;
};

std::unique_ptr<IMIDIOut> MIDIOutCreate();
