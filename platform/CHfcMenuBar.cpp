#include "platform/CHfcMenuBar.h"

#include "os/MenuBar.h"

CHfcMenuBar::CHfcMenuBar() = default;

CHfcMenuBar::~CHfcMenuBar() {
  if (bar_ && os::MenuBar::Current() == bar_.get()) os::MenuBar::SetCurrent(nullptr);
}

bool CHfcMenuBar::Load(int resourceId) {
  if (bar_) return false;
  checked_ = false;
  bar_ = os::MenuBar::Load(resourceId);
  return bar_ != nullptr;
}

bool CHfcMenuBar::LoadFromNib(char* nibName, char* menuBarName) {
  if (bar_ || !nibName || !menuBarName) return false;
  checked_ = false;
  bar_ = os::MenuBar::Load(nibName, menuBarName);
  return bar_ != nullptr;
}

bool CHfcMenuBar::Destroy() {
  if (!bar_) return false;
  if (os::MenuBar::Current() == bar_.get()) os::MenuBar::SetCurrent(nullptr);
  bar_.reset();
  return true;
}

bool CHfcMenuBar::SetMenuBar() {
  if (!bar_) return false;
  os::MenuBar::SetCurrent(bar_.get());
  if (!checked_) {
    checked_ = true;
    if (os::MenuBar::QuitInApplicationMenu()) OnMacRemoveQuitMenu();
  }
  return true;
}

void CHfcMenuBar::ClearMenuBar() { os::MenuBar::SetCurrent(nullptr); }
