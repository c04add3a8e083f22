#include "spare/CHfcMdiChildWindow.h"

#include <algorithm>

#include "platform/CHfcMenuBar.h"
#include "spare/CHfcMdiFrameWindow.h"

namespace {

std::vector<CHfcMdiChildWindow*>& AllChildren() {
  static std::vector<CHfcMdiChildWindow*> children;
  return children;
}

void Forget(CHfcMdiChildWindow* child) {
  auto& all = AllChildren();
  all.erase(std::remove(all.begin(), all.end(), child), all.end());
}

}  // namespace

const std::vector<CHfcMdiChildWindow*>& CHfcMdiChildWindow::Children() { return AllChildren(); }

CHfcMdiChildWindow::~CHfcMdiChildWindow() { Forget(this); }

bool CHfcMdiChildWindow::Create(char* title, int x, int y, int width, int height, unsigned int style,
                                CHfcMenuBar* menuBar, CHfcMdiFrameWindow* frame) {
  if (GetPlatformWindow()) return false;
  m_pFrame = frame;
  m_pChildMenuBar = menuBar;
  AllChildren().push_back(this);
  const bool made = CHfcWindow::Create(title, x, y, width, height, style, menuBar, frame,
                                       frame ? frame->GetApplication() : nullptr);
  if (!made) {
    Forget(this);
    m_pFrame = nullptr;
    m_pChildMenuBar = nullptr;
  }
  return made;
}

void CHfcMdiChildWindow::OnActivated() {
  CHfcWindow::OnActivated();
  Forget(this);
  AllChildren().insert(AllChildren().begin(), this);
  if (m_pChildMenuBar) m_pChildMenuBar->SetMenuBar();
}

void CHfcMdiChildWindow::RestoreFrameMenuBarWhenNoneActive() {
  if (!m_pFrame || m_pFrame->GetActiveChildWindow()) return;
  if (CHfcMenuBar* bar = m_pFrame->GetFrameMenuBar()) bar->SetMenuBar();
}

void CHfcMdiChildWindow::OnDeactivated() {
  CHfcWindow::OnDeactivated();
  RestoreFrameMenuBarWhenNoneActive();
}

void CHfcMdiChildWindow::OnPostDestroy() {
  Forget(this);
  RestoreFrameMenuBarWhenNoneActive();
  CHfcWindow::OnPostDestroy();
}
