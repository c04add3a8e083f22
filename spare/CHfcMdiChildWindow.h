#pragma once
// A document window that belongs to an MDI frame: its own menu bar becomes
// the application's while it is active, and the frame's comes back when no
// child is active any more.
#include <vector>

#include "hfc/CHfcWindow.h"

class CHfcMdiFrameWindow;

class CHfcMdiChildWindow : public CHfcWindow {
 public:
  CHfcMdiChildWindow() = default;
  ~CHfcMdiChildWindow() override;

  // False when the child already has a window; otherwise the base's
  // creation with the frame as parent and the frame's application, the
  // frame forgotten again when that fails.
  using CHfcWindow::Create;
  bool Create(char* title, int x, int y, int width, int height, unsigned int style, CHfcMenuBar* menuBar,
              CHfcMdiFrameWindow* frame);

  void OnActivated() override;
  void OnDeactivated() override;
  // The window is gone: the frame's menu bar returns when no child is
  // active any more; then the object is deleted as every closed window is.
  void OnPostDestroy() override;

  CHfcMdiFrameWindow* GetFrame() const { return m_pFrame; }
  // Every child with a window, the most recently activated first.
  static const std::vector<CHfcMdiChildWindow*>& Children();

 private:
  void RestoreFrameMenuBarWhenNoneActive();

  CHfcMdiFrameWindow* m_pFrame = nullptr;
  CHfcMenuBar* m_pChildMenuBar = nullptr;
};
