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

class CMIDIOut : public IXThreadProc {
 public:
  static constexpr int kStatusFailed = static_cast<int>(0x80000001u);
  static constexpr int kStatusQueueFull = static_cast<int>(0x80000005u);

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
  // kStatusFailed when closed or malformed, kStatusQueueFull when full.
  int SendShort(long long timeUs, const void* data, unsigned len);
  // Sends a whole SysEx message now and waits until it has gone out: 0, or
  // kStatusFailed. The caller holds the output mutex around it.
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
  XThread thread_;
  std::atomic<bool> open_{false};
  // Orders producers against Close, so nobody sets the wake event while it
  // is being destroyed.
  CHfcCriticalSection gate_;
};
