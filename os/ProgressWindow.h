#pragma once
// A small application-modal window with a title, a line of text, a progress
// bar and a Cancel button. The headless form keeps its state for tests; a
// drawn form can be installed by the GUI layer through SetFactory.
#include <functional>
#include <memory>
#include <string>

namespace os {

class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void SetPercent(int percent) = 0;
  virtual void SetCancelEnabled(bool on) = 0;
  virtual void Show() = 0;

  // Called on the main thread when the user presses Cancel.
  std::function<void()> onCancel;

  using Factory = std::function<std::unique_ptr<ProgressWindow>()>;
  static std::unique_ptr<ProgressWindow> Create();
  static void SetFactory(Factory f);  // empty: back to the headless form
};

// The headless form. Tests reach the window that is up through Current().
class HeadlessProgressWindow : public ProgressWindow {
 public:
  HeadlessProgressWindow();
  ~HeadlessProgressWindow() override;
  void SetTitle(const std::string& title) override { title_ = title; }
  void SetText(const std::string& text) override { text_ = text; }
  void SetPercent(int percent) override { percent_ = percent; }
  void SetCancelEnabled(bool on) override { cancelEnabled_ = on; }
  void Show() override { shown_ = true; }

  const std::string& title() const { return title_; }
  const std::string& text() const { return text_; }
  int percent() const { return percent_; }
  bool cancelEnabled() const { return cancelEnabled_; }
  bool shown() const { return shown_; }
  // Main thread: what a click on Cancel does (nothing when it is disabled).
  void PressCancel();

  // The most recently made window that still exists, or null.
  static HeadlessProgressWindow* Current();

 private:
  std::string title_;
  std::string text_;
  int percent_ = 0;
  bool cancelEnabled_ = true;
  bool shown_ = false;
  HeadlessProgressWindow* previous_;
};

}  // namespace os
