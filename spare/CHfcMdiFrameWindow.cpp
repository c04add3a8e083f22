#include "spare/CHfcMdiFrameWindow.h"

#include <cstring>

#include "os/MainLoop.h"
#include "os/window/TopLevelWindow.h"
#include "os/window/Window.h"
#include "platform/CHfcMenuBar.h"
#include "spare/CHfcMdiChildWindow.h"

bool CHfcMdiFrameWindow::Create(char* title, int, int, int, int, unsigned int, CHfcMenuBar* menuBar) {
  m_pFrameMenuBar = menuBar;
  if (menuBar) menuBar->SetMenuBar();
  std::memset(m_szTitle, 0, sizeof m_szTitle);
  if (title) std::strncpy(m_szTitle, title, sizeof m_szTitle - 1);
  return true;
}

bool CHfcMdiFrameWindow::Destroy() {
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->Quit();
  return true;
}

bool CHfcMdiFrameWindow::GetWindowRect(tagHfcRect* rect) {
  if (!rect) return false;
  const os::WindowRect b = os::MainScreenBounds();
  *rect = {b.left, b.top, b.right, b.bottom};
  return true;
}

bool CHfcMdiFrameWindow::GetClientRect(tagHfcRect* rect) { return GetWindowRect(rect); }

CHfcWindow* CHfcMdiFrameWindow::GetActiveChildWindow() {
  for (CHfcMdiChildWindow* child : CHfcMdiChildWindow::Children()) {
    os::Window* w = child->GetPlatformWindow();
    if (w && w->HasFocus()) return child;
  }
  return nullptr;
}

bool CHfcMdiFrameWindow::ActivateChildWindow(CHfcMdiChildWindow* child) {
  if (!child) return false;
  child->Activate();
  return true;
}
