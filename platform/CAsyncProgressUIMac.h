#pragma once
#include <memory>
#include <string>

#include "os/MainLoop.h"
#include "os/ProgressWindow.h"
#include "platform/IAsyncProgressUI.h"
#include "platform/NRXMutex.h"

namespace AsyncProgressUIMac {

class CAsyncProgressUIMac : public IAsyncProgressUI {
 public:
  CAsyncProgressUIMac();
  ~CAsyncProgressUIMac() override;

  bool BeginModal(void* parentWindow, const char* title, bool cancellable,
                  IAsyncProgressHandler* handler) override;
  bool RunModal() override;
  void EndModal() override;
  bool IsActive() override;
  bool SetTitle(const char* title) override;
  bool SetCancellable(bool on) override;
  void NotifyProgress(const char* text, int range, int position) override;
  void NotifyBreak() override;

 private:
  struct Token {
    CAsyncProgressUIMac* self;
  };
  void OnProgressEvent();
  void OnBreakEvent();
  void OnCancelCommand();
  const void* UpdateTag() const { return &progressText_; }
  const void* BreakTag() const { return &progressPercent_; }

  IAsyncProgressHandler* handler_ = nullptr;
  os::MainLoop* loop_;
  std::unique_ptr<os::ProgressWindow> window_;
  bool running_ = false;
  bool breakPending_ = false;
  std::unique_ptr<NRXMutex> lock_;
  std::string progressText_;
  int progressPercent_ = 0;
  std::shared_ptr<Token> token_;
};

}  // namespace AsyncProgressUIMac
