#pragma once
// Modal progress window driven from a session thread.

class IAsyncProgressHandler {
 public:
  virtual ~IAsyncProgressHandler() = default;
  virtual void OnAsyncCanceled() = 0;
};

class IAsyncProgressUI {
 public:
  virtual ~IAsyncProgressUI() = default;
  // Main thread. False when a window is up already or none can be made.
  virtual bool BeginModal(void* parentWindow, const char* title, bool cancellable,
                          IAsyncProgressHandler* handler) = 0;
  // Main thread: runs the modal loop until a break or EndModal; true.
  virtual bool RunModal() = 0;
  virtual void EndModal() = 0;
  virtual bool IsActive() = 0;
  virtual bool SetTitle(const char* title) = 0;
  virtual bool SetCancellable(bool on) = 0;
  // Any thread. Shows position * 100 / range as a whole percent.
  virtual void NotifyProgress(const char* text, int range, int position) = 0;
  // Any thread: ends the modal loop (a break that comes before RunModal
  // ends the loop as soon as it starts).
  virtual void NotifyBreak() = 0;
};

IAsyncProgressUI* AsyncProgressUICreate();
