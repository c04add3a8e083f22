#pragma once
// The frame of a stand-alone application with several document windows:
// it owns the application's menu bar and stands for the whole screen, but
// has no window of its own. Its children switch the menu bar as they come
// to the front and go.
#include "hfc/CHfcWindow.h"

class CHfcAppBase;
class CHfcMdiChildWindow;

class CHfcMdiFrameWindow : public CHfcWindow {
 public:
  CHfcMdiFrameWindow() = default;

  // Keeps the menu bar and makes it the application's; keeps the title (at
  // most 255 characters). Position, size and style are not used and no
  // window is made. True.
  using CHfcWindow::Create;
  bool Create(char* title, int x, int y, int width, int height, unsigned int style, CHfcMenuBar* menuBar);
  // Ends the application's event loop. True.
  bool Destroy() override;
  // Both give the main screen's bounds; false for a null rectangle.
  bool GetWindowRect(tagHfcRect* rect) override;
  bool GetClientRect(tagHfcRect* rect) override;
  // The child window at the front holding the keyboard, or null.
  CHfcWindow* GetActiveChildWindow();
  // Brings the child to the front; false for null.
  virtual bool ActivateChildWindow(CHfcMdiChildWindow* child);

  CHfcMenuBar* GetFrameMenuBar() const { return m_pFrameMenuBar; }
  CHfcAppBase* GetApplication() const { return m_pApp; }
  const char* GetFrameTitle() const { return m_szTitle; }

 private:
  CHfcAppBase* m_pApp = nullptr;
  CHfcMenuBar* m_pFrameMenuBar = nullptr;
  char m_szTitle[256] = {};
};
