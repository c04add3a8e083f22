#pragma once
// The two calls a machine backend makes into its clients' code, shared by
// the ALSA and JACK backends: each takes what it needs under the backend's
// lock, calls outside it (a client's exception is swallowed, so that it
// cannot end the backend's thread), and then tells waiters under the lock
// that the call is over, so that ending a port or cancelling a send can
// wait for a call in progress.
#include <condition_variable>
#include <mutex>

#include "os/midi/Client.h"
#include "os/midi/InputPort.h"
#include "os/midi/PacketList.h"

namespace os::midi {

// Hands a list read on an input port to its read procedure, unless the
// port has ended. The port counts the calls in progress.
template <typename Port>
void DeliverReads(std::mutex& m, std::condition_variable& cv, Port& p, const PacketList& list) {
  ReadProc proc;
  {
    std::lock_guard<std::mutex> g(m);
    if (!p.alive || !p.proc) return;
    proc = p.proc;
    ++p.calling;
  }
  try {
    proc(list);
  } catch (...) {
  }
  std::lock_guard<std::mutex> g(m);
  --p.calling;
  cv.notify_all();
}

// Ends a SysEx send with `status`, unless it was withdrawn or ended
// already; `completing` names the send whose done procedure runs.
template <typename Sends>
void CompleteSend(std::mutex& m, std::condition_variable& cv, Sends& sends, SysexId& completing,
                  SysexId id, Status status) {
  SysexDone done;
  {
    std::lock_guard<std::mutex> g(m);
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
  std::lock_guard<std::mutex> g(m);
  completing = 0;
  cv.notify_all();
}

}  // namespace os::midi
