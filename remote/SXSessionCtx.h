#pragma once
// The one exchange with the synthesizer that runs at a time: what is being
// sent, what answer is awaited, and its progress. Begin claims the session
// without waiting (a second session is refused as busy) and End gives the
// claim back; in between the session thread sends (HandleSendSysex) and the
// receiving thread reports what arrives (NotifyPosRX, NotifyEndRX). The
// claim is state, not a lock: the caller waits for the answer holding none.
#include <functional>

#include "os/Lock.h"

#include "remote/ProgressWithUI.h"
#include "remote/SXRequest.h"

class CHfcWindow;

class SXSessionCtx {
 public:
  static constexpr unsigned kBlockBytes = 1024;
  static constexpr unsigned kDefaultTimeoutMs = 1000;
  static constexpr unsigned kProgressTimeoutMs = 10000;
  static constexpr const char* kTxText = "Transmitting...";
  static constexpr const char* kRxText = "Receiving...";
  static constexpr const char* kTxRxText = "Transferring...";

  // One block of the message on the wire: 0 or a failure code.
  using BlockSender = std::function<int(const uint8_t* data, unsigned len)>;

  explicit SXSessionCtx(CHfcWindow* const& parent);  // main thread
  SXSessionCtx(const SXSessionCtx&) = delete;
  SXSessionCtx& operator=(const SXSessionCtx&) = delete;

  ProgressWithUI& Progress() { return progress_; }

  // The caller's thread (main or session). 0 with the session claimed, or
  // kRemoteBusy / kRemoteAborted.
  int Begin(const Oskend::SXRequest& request);
  // The wait of step "caller": 0 when the session awaits nothing.
  unsigned TimeoutMs() const;
  bool Waits() const;
  bool ShowsProgress() const;
  void End();
  bool Active();
  unsigned Flags();

  // Session thread: the message in blocks of kBlockBytes, header first,
  // then the packed data and an F7. Stops at a failed block (its code) or
  // at the user's abort (kRemoteAborted).
  int HandleSendSysex(const BlockSender& send);

  void NotifyPosTX(unsigned sent);
  void NotifyPosRX(const void* hdr, unsigned len, unsigned received);
  void NotifyEndRX(const void* hdr, unsigned len, int result);

 private:
  CHfcWindow* const& parent_;
  ProgressWithUI progress_;
  os::Lock lock_;  // guards the fields below against the other threads
  bool claimed_ = false;  // from Begin to End
  Oskend::SXRequest request_;
  unsigned txTotal_ = 0;
  bool active_ = false;
  bool progressShown_ = false;
};
