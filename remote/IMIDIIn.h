#pragma once
// An input from the synthesizer, named by a device key. The two int
// arguments of Open are not used by the system ports.
#include <memory>
#include <vector>

#include "model/MIDIDevKey.h"
#include "remote/IMIDIInCallback.h"

class IMIDIIn {
 public:
  virtual ~IMIDIIn() = default;
  // Appends the keys of the synthesizer's sources; keys in the list stay.
  virtual void AppendEnumDevices(std::vector<MIDIDevKey>* list) = 0;
  virtual bool Open(const MIDIDevKey* key, IMIDIInCallback* callback, int a, int b) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() = 0;
};

std::unique_ptr<IMIDIIn> MIDIInCreate();
