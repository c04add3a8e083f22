#pragma once
// The modal progress window of a session and the wait for the session's
// end. A waiting caller on the main thread runs the window's modal loop; a
// timer of its own dispatcher ends the wait once no activity has been seen
// for the time-out. Other waits block on the done event. The first end
// recorded wins, except that the user's abort overrides it.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/CHfcCriticalSection.h"
#include "platform/IAsyncDispatch.h"
#include "platform/IAsyncProgressUI.h"
#include "platform/XEvent.h"

class CHfcWindow;

class ProgressWithUI : public IAsyncDispatchHandler, public IAsyncProgressHandler {
 public:
  static constexpr int kPending = 1;
  static constexpr unsigned kRange = 1024;
  static constexpr long kTimerPeriodMs = 100;

  ProgressWithUI();  // main thread
  ~ProgressWithUI() override;
  ProgressWithUI(const ProgressWithUI&) = delete;
  ProgressWithUI& operator=(const ProgressWithUI&) = delete;

  void Initialize(bool standalone);
  // Opens the window (main thread only); false when it cannot.
  bool UIActivate(CHfcWindow* parent);
  void UIDeactivate();
  bool IsShowing();
  bool UIConfigure(const char* text, unsigned max, unsigned scale, unsigned offset);
  void NotifyPos(unsigned total, unsigned pos, const char* text = nullptr);
  // Records activity: the time-out runs from the last one.
  void Touch();

  // Readies a wait before the work it waits for starts: the result becomes
  // pending and the done event is cleared.
  void Arm(bool modal);
  int Wait(unsigned ms, bool modal);
  void NotifyEnd(int result);
  bool Cancelled() const { return cancelled_; }
  // A wait also ends, failed, as soon as `lost` answers true (checked every
  // timer period): a session whose partner has gone need not run into its
  // time-out.
  void SetLostCheck(std::function<bool()> lost) { lost_ = std::move(lost); }
  void ClearCancelled() { cancelled_ = false; }

  void OnAsyncTimer(long id) override;
  void OnAsyncEvent(long, long) override {}
  void OnAsyncCanceled() override;

 private:
  int Result();
  // Ends the wait, failed, when the lost check answers true.
  bool EndIfLost();

  CHfcCriticalSection cs_;
  bool standalone_ = false;
  XEvent done_;
  std::unique_ptr<IAsyncProgressUI> ui_;
  std::unique_ptr<IAsyncDispatch> dispatch_;
  long timerId_ = 0;
  std::string text_;
  unsigned max_ = 1;
  unsigned scale_ = 1;
  unsigned offset_ = 0;
  unsigned timeoutMs_ = 0;  // under cs_
  uint32_t start_ = 0;      // under cs_
  int result_ = 0;          // under cs_
  bool modal_ = false;      // under cs_
  std::atomic<bool> cancelled_{false};
  std::function<bool()> lost_;
};
