#pragma once
// The link's output to the synthesizer: short messages wait in a time-
// ordered queue and a thread of their own sends each when it is due; whole
// SysEx messages go out at once from the caller's thread. The output mutex
// keeps the two apart on the wire: the SysEx sender holds it for the whole
// message, the thread for each short message.
#include <atomic>
#include <memory>

#include "platform/CHfcCriticalSection.h"
#include "platform/XEvent.h"
#include "platform/XThread.h"
#include "remote/COutputMutex.h"
#include "remote/EventQueue.h"
#include "remote/IMIDIOut.h"
#include "remote/RemoteStatus.h"

class CMIDIOut : public IXThreadProc {
 public:
  CMIDIOut();
  ~CMIDIOut() override;
  CMIDIOut(const CMIDIOut&) = delete;
  CMIDIOut& operator=(const CMIDIOut&) = delete;

  // Opens the synthesizer's output named by a key of device type 1 with a
  // queue of `capacity` events; any other key is refused.
  bool Open(const MIDIDevKey* key, int a, int b, int capacity);
  void Close();
  bool IsOpen() const { return open_; }
  eDevType GetDevType() const { return type_; }

  // Queues a message of 1-4 bytes due at timeUs (os::NowUs time): 0, or
  // Oskend::kRemoteFailed when closed or malformed, Oskend::kRemoteQueueFull
  // when full.
  int SendShort(long long timeUs, const void* data, unsigned len);
  // As SendShort, but a full queue makes the caller wait for room, for at
  // most maxWaitMs, and only while an event falls due in that time (the
  // thread then takes it out). Still kRemoteQueueFull when none would. For
  // threads that may block: never the host's audio thread.
  int SendShortWaiting(long long timeUs, const void* data, unsigned len, unsigned maxWaitMs);
  // Sends a whole SysEx message now and waits until it has gone out: 0, or
  // Oskend::kRemoteFailed. The caller holds the output mutex around it.
  int SendLong(const void* data, unsigned len);
  // Drops every queued message; false when closed.
  bool ClearPendings();
  COutputMutex& OutputMutex() { return mutex_; }

  uint32_t ThreadProc() override;

 private:
  eDevType type_ = kDevTypeUnknown;
  std::unique_ptr<IMIDIOut> platform_;
  IMIDIOut* out_ = nullptr;
  EventQueue queue_;
  COutputMutex mutex_;
  XEvent wake_;
  // Set whenever the queue may have room again (an event went out, the
  // queue was emptied or the output closed); lives as long as the object.
  XEvent room_;
  XThread thread_;
  std::atomic<bool> open_{false};
  // Orders producers against Close, so nobody sets the wake event while it
  // is being destroyed.
  CHfcCriticalSection gate_;
};
