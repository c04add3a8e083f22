#include "platform/CAsyncProgressUIMac.h"

IAsyncProgressUI* AsyncProgressUICreate() {
  return new AsyncProgressUIMac::CAsyncProgressUIMac();
}

namespace AsyncProgressUIMac {

CAsyncProgressUIMac::CAsyncProgressUIMac()
    : loop_(os::MainLoop::Current()),
      lock_(std::make_unique<NRXMutex>(2)),
      token_(std::make_shared<Token>(Token{this})) {}

CAsyncProgressUIMac::~CAsyncProgressUIMac() {
  EndModal();
  token_->self = nullptr;
  token_.reset();
  if (loop_) loop_->RemovePosted(BreakTag());
}

bool CAsyncProgressUIMac::BeginModal(void* /*parentWindow*/, const char* title,
                                     bool /*cancellable*/, IAsyncProgressHandler* handler) {
  {
    NRXStMutexLock lock(*lock_);
    if (window_) return false;
  }
  handler_ = handler;
  std::unique_ptr<os::ProgressWindow> w = os::ProgressWindow::Create();
  if (!w) return false;
  std::weak_ptr<Token> weak = token_;
  w->onCancel = [weak] {
    if (auto t = weak.lock(); t && t->self) t->self->OnCancelCommand();
  };
  {
    NRXStMutexLock lock(*lock_);
    window_ = std::move(w);
  }
  SetTitle(title);
  window_->Show();
  return true;
}

bool CAsyncProgressUIMac::RunModal() {
  running_ = true;
  if (breakPending_) {
    breakPending_ = false;
    return true;
  }
  if (loop_) loop_->RunModal(this);
  return true;
}

void CAsyncProgressUIMac::EndModal() {
  if (running_) {
    if (window_ && loop_) loop_->QuitModal(this);
    running_ = false;
  }
  if (window_) {
    if (loop_) loop_->RemovePosted(UpdateTag());
    std::unique_ptr<os::ProgressWindow> w;
    {
      NRXStMutexLock lock(*lock_);
      w = std::move(window_);
    }
    w.reset();
  }
}

bool CAsyncProgressUIMac::IsActive() {
  NRXStMutexLock lock(*lock_);
  return window_ != nullptr;
}

bool CAsyncProgressUIMac::SetTitle(const char* title) {
  if (!window_ || title == nullptr) return false;
  window_->SetTitle(title);
  return true;
}

bool CAsyncProgressUIMac::SetCancellable(bool on) {
  if (window_) window_->SetCancelEnabled(on);
  return true;
}

void CAsyncProgressUIMac::NotifyProgress(const char* text, int range, int position) {
  NRXStMutexLock lock(*lock_);
  const int percent =
      range == 0 ? 0 : static_cast<int>(static_cast<long long>(position) * 100 / range);
  const std::string t = text ? text : "";
  if (t == progressText_ && percent == progressPercent_) return;
  progressText_ = t;
  progressPercent_ = percent;
  if (!loop_) return;
  std::weak_ptr<Token> weak = token_;
  loop_->Post(
      [weak] {
        if (auto tok = weak.lock(); tok && tok->self) tok->self->OnProgressEvent();
      },
      UpdateTag());
}

void CAsyncProgressUIMac::NotifyBreak() {
  NRXStMutexLock lock(*lock_);
  if (!loop_) return;
  std::weak_ptr<Token> weak = token_;
  loop_->Post(
      [weak] {
        if (auto tok = weak.lock(); tok && tok->self) tok->self->OnBreakEvent();
      },
      BreakTag());
}

void CAsyncProgressUIMac::OnProgressEvent() {
  std::string text;
  int percent;
  {
    NRXStMutexLock lock(*lock_);
    text = progressText_;
    percent = progressPercent_;
  }
  if (!window_) return;
  window_->SetPercent(percent);
  window_->SetText(text);
}

void CAsyncProgressUIMac::OnBreakEvent() {
  if (loop_ && loop_->IsModalRunning(this))
    loop_->QuitModal(this);
  else
    breakPending_ = true;
}

void CAsyncProgressUIMac::OnCancelCommand() {
  if (handler_) handler_->OnAsyncCanceled();
}

}  // namespace AsyncProgressUIMac
