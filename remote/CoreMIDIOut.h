#pragma once
// The system MIDI output to one of the synthesizer's destinations.
#include <atomic>
#include <memory>

#include "os/midi/Client.h"
#include "platform/XEvent.h"
#include "remote/IMIDIOut.h"

class CoreMIDIOut : public IMIDIOut {
 public:
  CoreMIDIOut();
  ~CoreMIDIOut() override;

  void AppendEnumDevices(std::vector<MIDIDevKey>* list) override;
  bool Open(const MIDIDevKey* key, int a, int b) override;
  void Close() override;
  bool IsOpen() override;
  bool SendShort(const void* data, unsigned len) override;
  bool SendLong(const void* data, unsigned len, unsigned timeoutMs) override;

  // The wait of a SysEx send: a finite time-out as given; kInfinite becomes
  // twice the time the message takes on a 31,250-baud cable plus 2 s.
  static unsigned SendLongWaitMs(unsigned timeoutMs, unsigned len);

 private:
  std::unique_ptr<os::midi::Client> client_;
  std::unique_ptr<os::midi::OutputPort> port_;
  os::midi::EndpointId destination_ = 0;
  XEvent completion_;
  std::atomic<os::midi::Status> completionStatus_{os::midi::kOk};
};
