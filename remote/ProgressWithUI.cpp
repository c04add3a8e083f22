#include "remote/ProgressWithUI.h"

#include <algorithm>
#include <cstdio>

#include "model/GetModalCaption.h"
#include "os/MainLoop.h"
#include "platform/HfcTime.h"
#include "remote/RemoteStatus.h"

namespace {
const char* const kDefaultText = "Transferring...";
}

ProgressWithUI::ProgressWithUI() : ui_(AsyncProgressUICreate()), dispatch_(AsyncDispatchCreate()) {
  done_.Create();
  if (dispatch_) dispatch_->CreateTimer(this, &timerId_);
}

ProgressWithUI::~ProgressWithUI() {
  if (dispatch_) {
    dispatch_->DestroyTimer(timerId_);
    dispatch_->PurgeHandler(this);
  }
  dispatch_.reset();
  ui_.reset();
}

void ProgressWithUI::Initialize(bool standalone) {
  standalone_ = standalone;
  if (IsShowing()) ui_->SetTitle(GetModalCaption(0, standalone_).c_str());
}

bool ProgressWithUI::UIActivate(CHfcWindow* /*parent*/) {
  // The window and its modal loop belong to the main thread.
  os::MainLoop* loop = os::MainLoop::Current();
  if (!ui_ || !loop || !loop->IsMainThread()) return false;
  if (!ui_->BeginModal(nullptr, GetModalCaption(0, standalone_).c_str(), true, this)) return false;
  cancelled_ = false;
  return true;
}

void ProgressWithUI::UIDeactivate() {
  if (ui_) ui_->EndModal();
}

bool ProgressWithUI::IsShowing() { return ui_ && ui_->IsActive(); }

bool ProgressWithUI::UIConfigure(const char* text, unsigned max, unsigned scale, unsigned offset) {
  if (!IsShowing()) return false;
  {
    CHfcCriticalSectionLock lock(cs_);
    text_ = text ? text : kDefaultText;
    max_ = max < 2 ? 1 : max;
    scale_ = scale ? scale : 1;
    offset_ = offset;
  }
  NotifyPos(1, 0, "");
  return true;
}

void ProgressWithUI::NotifyPos(unsigned total, unsigned pos, const char* text) {
  if (!IsShowing()) return;
  std::string line;
  uint32_t p;
  {
    CHfcCriticalSectionLock lock(cs_);
    p = static_cast<uint32_t>((pos * scale_ / std::max(total, 1u) + offset_) * kRange) / max_;
    line = text_ + "\n";
    if (text && *text) {
      line += text;
    } else {
      char buf[32];
      // The percentage of the bar's range, as the bar itself shows it.
      std::snprintf(buf, sizeof buf, "%u %%", std::min<uint32_t>(p * 100 / kRange, 100));
      line += buf;
    }
  }
  ui_->NotifyProgress(line.c_str(), static_cast<int>(kRange), static_cast<int>(p));
}

void ProgressWithUI::Touch() {
  CHfcCriticalSectionLock lock(cs_);
  start_ = HfcGetSystemTimeMs();
}

void ProgressWithUI::Arm(bool modal) {
  CHfcCriticalSectionLock lock(cs_);
  result_ = kPending;
  modal_ = modal;
  start_ = HfcGetSystemTimeMs();
  done_.Reset();
}

int ProgressWithUI::Result() {
  CHfcCriticalSectionLock lock(cs_);
  return result_;
}

int ProgressWithUI::Wait(unsigned ms, bool modal) {
  {
    CHfcCriticalSectionLock lock(cs_);
    modal_ = modal;
    timeoutMs_ = ms;
    start_ = HfcGetSystemTimeMs();
  }
  if (modal && IsShowing()) {
    dispatch_->SetTimerPeriod(timerId_, kTimerPeriodMs);
    bool ran = true;
    // A break left over from an earlier end can stop the loop early; only
    // a recorded end (or a closed window) finishes the wait.
    while (ran && Result() == kPending && IsShowing()) ran = ui_->RunModal();
    dispatch_->SetTimerPeriod(timerId_, 0);
    CHfcCriticalSectionLock lock(cs_);
    if (!ran || result_ == kPending) result_ = Oskend::kRemoteFailed;
    return result_;
  }
  // The time-out runs from the last activity, so a slow transfer that
  // keeps moving is not cut off.
  for (;;) {
    uint32_t idle;
    {
      CHfcCriticalSectionLock lock(cs_);
      if (result_ != kPending) return result_;
      idle = HfcGetSystemTimeMs() - start_;
      if (idle >= timeoutMs_) {
        result_ = Oskend::kRemoteTimeout;
        return result_;
      }
    }
    if (EndIfLost()) continue;
    const uint32_t left = timeoutMs_ - idle;
    done_.Wait(lost_ ? std::min<uint32_t>(left, kTimerPeriodMs) : left);
  }
}

void ProgressWithUI::NotifyEnd(int result) {
  bool brk;
  {
    CHfcCriticalSectionLock lock(cs_);
    if (result_ != kPending && result != Oskend::kRemoteAborted) return;
    result_ = result;
    brk = modal_;
  }
  if (brk && IsShowing())
    ui_->NotifyBreak();
  else
    done_.Set();
}

bool ProgressWithUI::EndIfLost() {
  if (!lost_ || !lost_()) return false;
  NotifyEnd(Oskend::kRemoteFailed);
  return true;
}

void ProgressWithUI::OnAsyncTimer(long id) {
  if (id != timerId_) return;
  if (EndIfLost()) return;
  bool expired = false;
  {
    CHfcCriticalSectionLock lock(cs_);
    const uint32_t now = HfcGetSystemTimeMs();
    if (now - start_ < timeoutMs_) return;
    if (now <= start_)
      start_ = now - 10;  // the clock wrapped
    else
      expired = true;
  }
  if (expired) NotifyEnd(Oskend::kRemoteTimeout);
}

void ProgressWithUI::OnAsyncCanceled() {
  cancelled_ = true;
  NotifyEnd(Oskend::kRemoteAborted);
}
