#pragma once
// The two calls a machine backend makes into its clients' code, shared by
// the ALSA and JACK backends: each takes what it needs under the backend's
// monitor, calls outside it (a client's exception is swallowed, so that it
// cannot end the backend's thread), and then tells waiters under the monitor
// that the call is over, so that ending a port or cancelling a send can
// wait for a call in progress.
#include "os/Monitor.h"
#include "os/midi/Client.h"
#include "os/midi/InputPort.h"
#include "os/midi/PacketList.h"

namespace os::midi {

// Hands a list read on an input port to its read procedure, unless the
// port has ended. The port counts the calls in progress.
template <typename Port>
void DeliverReads(Monitor& monitor, Port& p, const PacketList& list) {
  ReadProc proc;
  {
    Monitor::Hold hold(monitor.mutex());
    if (!p.alive || !p.proc) return;
    proc = p.proc;
    ++p.calling;
  }
  try {
    proc(list);
  } catch (...) {
  }
  Monitor::Hold hold(monitor.mutex());
  --p.calling;
  monitor.NotifyAll();
}

// Ends a SysEx send with `status`, unless it was withdrawn or ended
// already; `completing` names the send whose done procedure runs.
template <typename Sends>
void CompleteSend(Monitor& monitor, Sends& sends, SysexId& completing, SysexId id, Status status) {
  SysexDone done;
  {
    Monitor::Hold hold(monitor.mutex());
    auto it = sends.find(id);
    if (it == sends.end()) return;
    done = std::move(it->second.done);
    sends.erase(it);
    completing = id;
  }
  try {
    if (done) done(status);
  } catch (...) {
  }
  Monitor::Hold hold(monitor.mutex());
  completing = 0;
  monitor.NotifyAll();
}

}  // namespace os::midi
