#pragma once
// An application menu bar, loaded from a definition and installed as the
// application's bar.
#include <memory>

namespace os {
class MenuBar;
}

class CHfcMenuBar {
 public:
  CHfcMenuBar();
  virtual ~CHfcMenuBar();
  CHfcMenuBar(const CHfcMenuBar&) = delete;
  CHfcMenuBar& operator=(const CHfcMenuBar&) = delete;

  // Only when no bar is loaded.
  virtual bool Load(int resourceId);
  virtual bool LoadFromNib(char* nibName, char* menuBarName);
  virtual bool Destroy();
  // Called once, at the first SetMenuBar, when the desktop has Quit in an
  // application menu of its own; subclasses remove their own Quit item.
  virtual void OnMacRemoveQuitMenu() {}

  bool SetMenuBar();
  static void ClearMenuBar();

  os::MenuBar* GetBar() { return bar_.get(); }

 private:
  std::unique_ptr<os::MenuBar> bar_;
  bool checked_ = false;
};
