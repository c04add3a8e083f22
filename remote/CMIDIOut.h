#pragma once
// The link's output to the synthesizer: short messages wait in a time-
// ordered queue and a thread of their own sends each when it is due; whole
// SysEx messages go out at once from the session thread, which claims the
// wire for the whole message (WireHold) so that no short message lands
// inside it. Nobody waits for room in the queue and no lock is held across
// a wait (os/Sync.h): a message that finds the queue full is refused at
// once.
#include <atomic>
#include <memory>

#include "os/Lock.h"
#include "os/Monitor.h"
#include "platform/XEvent.h"
#include "platform/XThread.h"
#include "remote/EventQueue.h"
#include "remote/IMIDIOut.h"
#include "remote/RemoteStatus.h"

class CMIDIOut : public IXThreadProc {
 public:
  CMIDIOut();  // main thread
  ~CMIDIOut() override;
  CMIDIOut(const CMIDIOut&) = delete;
  CMIDIOut& operator=(const CMIDIOut&) = delete;

  // Main thread. Opens the synthesizer's output named by a key of device
  // type 1 with a queue of `capacity` events; any other key is refused.
  bool Open(const MIDIDevKey* key, int a, int b, int capacity);
  // Main thread, once no SysEx is being sent. Messages already due go out;
  // the rest are dropped.
  void Close();
  bool IsOpen() const { return open_; }  // any thread
  eDevType GetDevType() const { return type_; }

  // Any thread but the host's audio thread; never waits. Queues a message
  // of 1-4 bytes due at timeUs (os::NowUs time): 0, or
  // Oskend::kRemoteFailed when closed or malformed, Oskend::kRemoteQueueFull
  // when the queue is full.
  int SendShort(long long timeUs, const void* data, unsigned len);
  // The session thread, inside a WireHold: sends a whole SysEx message (or
  // a block of one) now and waits until it has gone out: 0, or
  // Oskend::kRemoteFailed.
  int SendLong(const void* data, unsigned len);
  // Any thread: drops every queued message; false when closed.
  bool ClearPendings();

  // The session thread claims the wire for one whole SysEx message: it
  // waits only for a short message that is leaving at that moment, and the
  // output thread keeps the due ones queued until the claim ends.
  class WireHold {
   public:
    explicit WireHold(CMIDIOut& out);
    ~WireHold();
    WireHold(const WireHold&) = delete;
    WireHold& operator=(const WireHold&) = delete;

   private:
    CMIDIOut& out_;
  };

  uint32_t ThreadProc() override;  // the output thread

 private:
  // Output thread: true with the wire taken for one short message; false
  // while a SysEx holds it.
  bool TakeWireForShort();
  void GiveWireBack();

  eDevType type_ = kDevTypeUnknown;
  std::unique_ptr<IMIDIOut> platform_;
  IMIDIOut* out_ = nullptr;
  EventQueue queue_;
  XEvent wake_;
  XThread thread_;
  std::atomic<bool> open_{false};
  // Orders producers among themselves and against Close, so nobody sets
  // the wake event while it is being destroyed.
  os::Lock gate_;
  // Who has the wire: a SysEx message, or a short message leaving.
  os::Monitor wire_;
  bool longOnWire_ = false;
  bool shortOnWire_ = false;
};
