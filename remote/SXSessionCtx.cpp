#include "remote/SXSessionCtx.h"

#include <cstring>
#include <mutex>

#include "remote/ChunkEncode.h"
#include "remote/RemoteStatus.h"

using Oskend::SXRequest;

SXSessionCtx::SXSessionCtx(CHfcWindow* const& parent) : parent_(parent) {}

int SXSessionCtx::Begin(const SXRequest& request) {
  {
    std::lock_guard<os::Lock> g(lock_);
    if (claimed_) return Oskend::kRemoteBusy;
    claimed_ = true;
  }
  if (progress_.Cancelled()) {
    std::lock_guard<os::Lock> g(lock_);
    claimed_ = false;
    return Oskend::kRemoteAborted;
  }
  const unsigned f = request.flags;
  const bool progress = (f & (SXRequest::kSendProgress | SXRequest::kRecvProgress)) != 0;
  progress_.Arm((f & SXRequest::kWait) && progress);
  bool shown = false;
  if (progress && progress_.UIActivate(parent_)) {
    shown = true;
    const bool tx = f & SXRequest::kSendProgress, rx = f & SXRequest::kRecvProgress;
    progress_.UIConfigure(tx && rx ? kTxRxText : tx ? kTxText : kRxText, ProgressWithUI::kRange,
                          ProgressWithUI::kRange, 0);
  }
  std::lock_guard<os::Lock> g(lock_);
  request_ = request;
  txTotal_ = request.WireSize();
  progressShown_ = shown;
  active_ = true;
  return 0;
}

unsigned SXSessionCtx::TimeoutMs() const {
  const unsigned f = request_.flags;
  if (!(f & SXRequest::kWait)) return 0;
  if (request_.timeoutMs) return request_.timeoutMs;
  return f & (SXRequest::kSendProgress | SXRequest::kRecvProgress) ? kProgressTimeoutMs
                                                                   : kDefaultTimeoutMs;
}

bool SXSessionCtx::Waits() const { return request_.flags & SXRequest::kWait; }

bool SXSessionCtx::ShowsProgress() const {
  return request_.flags & (SXRequest::kSendProgress | SXRequest::kRecvProgress);
}

void SXSessionCtx::End() {
  bool shown;
  {
    std::lock_guard<os::Lock> g(lock_);
    shown = progressShown_;
    progressShown_ = false;
    active_ = false;
    request_ = SXRequest();
    txTotal_ = 0;
  }
  if (shown) {
    progress_.UIDeactivate();
    progress_.ClearCancelled();
  }
  std::lock_guard<os::Lock> g(lock_);
  claimed_ = false;
}

bool SXSessionCtx::Active() {
  std::lock_guard<os::Lock> g(lock_);
  return active_;
}

unsigned SXSessionCtx::Flags() {
  std::lock_guard<os::Lock> g(lock_);
  return request_.flags;
}

int SXSessionCtx::HandleSendSysex(const BlockSender& send) {
  std::vector<uint8_t> header;
  const uint8_t* data;
  unsigned dataLen;
  {
    std::lock_guard<os::Lock> g(lock_);
    header = request_.header;
    data = request_.data;
    dataLen = request_.dataLen;
  }
  uint8_t block[kBlockBytes];
  unsigned fill = 0, sent = 0;
  // Sends the block once it is full.
  auto flushFull = [&]() -> int {
    if (fill < kBlockBytes) return 0;
    if (int r = send(block, fill)) return r;
    sent += fill;
    fill = 0;
    NotifyPosTX(sent);
    return 0;
  };
  // Copies bytes in, sending each full block; stops at an abort or failure.
  auto put = [&](const uint8_t* p, unsigned n) -> int {
    while (n) {
      if (progress_.Cancelled()) return Oskend::kRemoteAborted;
      const unsigned k = std::min(n, kBlockBytes - fill);
      std::memcpy(block + fill, p, k);
      fill += k;
      p += k;
      n -= k;
      if (int r = flushFull()) return r;
    }
    return 0;
  };
  if (int r = put(header.data(), static_cast<unsigned>(header.size()))) return r;
  if (data && dataLen) {
    ChunkEncode enc(data, dataLen);
    for (;;) {
      if (progress_.Cancelled()) return Oskend::kRemoteAborted;
      const unsigned k = enc.Read(block + fill, kBlockBytes - fill);
      if (k == 0) break;
      fill += k;
      if (int r = flushFull()) return r;
    }
    const uint8_t eox = 0xF7;
    if (int r = put(&eox, 1)) return r;
  }
  if (fill) {
    if (progress_.Cancelled()) return Oskend::kRemoteAborted;
    if (int r = send(block, fill)) return r;
  }
  NotifyPosTX(sent + fill);
  return 0;
}

void SXSessionCtx::NotifyPosTX(unsigned sent) {
  unsigned total;
  bool show;
  {
    std::lock_guard<os::Lock> g(lock_);
    if (!active_) return;
    total = txTotal_;
    show = request_.flags & SXRequest::kSendProgress;
  }
  progress_.Touch();
  if (show) progress_.NotifyPos(total, sent);
}

void SXSessionCtx::NotifyPosRX(const void* hdr, unsigned len, unsigned received) {
  unsigned total;
  bool show;
  {
    std::lock_guard<os::Lock> g(lock_);
    if (!active_ || !(request_.flags & SXRequest::kWait) || !request_.expect.Concerns(hdr, len))
      return;
    total = request_.rxExpected;
    show = request_.flags & SXRequest::kRecvProgress;
  }
  progress_.Touch();
  if (show) progress_.NotifyPos(total, received);
}

void SXSessionCtx::NotifyEndRX(const void* hdr, unsigned len, int result) {
  int end;
  {
    std::lock_guard<os::Lock> g(lock_);
    if (!active_ || !(request_.flags & SXRequest::kWait)) return;
    if (!request_.expect.EndResult(hdr, len, result, &end)) return;
  }
  progress_.NotifyEnd(end);
}
