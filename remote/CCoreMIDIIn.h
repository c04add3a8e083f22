#pragma once
// The system MIDI input from one of the synthesizer's sources. Reading runs
// on the system's input thread, under the port's mutex. Close waits for a
// read in progress, so its caller must not hold a lock the callback takes.
#include <memory>

#include "os/midi/Client.h"
#include "platform/CHfcMutex.h"
#include "remote/CMIDIPacketParser.h"
#include "remote/IMIDIIn.h"

class CCoreMIDIIn : public IMIDIIn {
 public:
  CCoreMIDIIn();
  ~CCoreMIDIIn() override;

  void AppendEnumDevices(std::vector<MIDIDevKey>* list) override;
  bool Open(const MIDIDevKey* key, IMIDIInCallback* callback, int a, int b) override;
  void Close() override;
  bool IsOpen() override;

 private:
  void OnRead(const os::midi::PacketList& list);

  std::unique_ptr<os::midi::Client> client_;
  std::unique_ptr<os::midi::InputPort> port_;
  os::midi::EndpointId source_ = 0;
  IMIDIInCallback* callback_ = nullptr;  // under mutex_
  CHfcMutex mutex_;
  CMIDIPacketParser parser_;  // under mutex_
};
