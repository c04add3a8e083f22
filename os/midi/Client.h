#pragma once
// A program's connection to the MIDI system. Destroying the client ends
// its ports (they fail from then on) and withdraws its SysEx sends.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "os/midi/InputPort.h"
#include "os/midi/OutputPort.h"
#include "os/midi/Types.h"

namespace os::midi {

// Called once on a system thread when a SysEx send ends: kOk when the last
// byte went out, an error (such as kErrEndpointGone) when it could not.
using SysexDone = std::function<void(Status)>;

class Client {
 public:
  virtual ~Client() = default;
  virtual Status CreateInputPort(const std::string& name, ReadProc read,
                                 std::unique_ptr<InputPort>* port) = 0;
  virtual Status CreateOutputPort(const std::string& name, std::unique_ptr<OutputPort>* port) = 0;
  // Sends a whole SysEx message in the background; the bytes are copied.
  // On success *id names the send and done will be called exactly once
  // unless the send is withdrawn first.
  virtual Status SendSysex(EndpointId destination, const void* data, size_t length,
                           SysexDone done, SysexId* id) = 0;
  // Withdraws a send: what has not gone out stays unsent and done is not
  // called after this returns (a call in progress on another thread is
  // waited for).
  virtual void CancelSysex(SysexId id) = 0;
};

}  // namespace os::midi
