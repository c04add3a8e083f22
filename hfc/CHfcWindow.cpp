#include "hfc/CHfcWindow.h"

#include "os/window/Window.h"

bool CHfcWindow::GlobalToLocal(tagHfcPoint* point) {
  if (!m_pPlatformWindow || !point) return false;
  const os::WindowPoint origin = m_pPlatformWindow->ScreenOrigin();
  point->x -= origin.x;
  point->y -= origin.y;
  return true;
}

bool CHfcWindow::LocalToGlobal(tagHfcPoint* point) {
  if (!m_pPlatformWindow || !point) return false;
  const os::WindowPoint origin = m_pPlatformWindow->ScreenOrigin();
  point->x += origin.x;
  point->y += origin.y;
  return true;
}

bool CHfcWindow::SetFocus(CHfcKeyFocusListener* listener) {
  if (!m_pPlatformWindow) return false;
  return m_keyFocus.SetFocus(listener, m_pPlatformWindow);
}

bool CHfcWindow::ReleaseFocus(CHfcKeyFocusListener* who) {
  if (who && m_keyFocus.GetFocusedListener() != who) return false;
  m_keyFocus.ReleaseFocus();
  return true;
}

bool CHfcWindow::IsFocused(const CHfcKeyFocusListener* listener) const {
  return m_keyFocus.IsFocused(listener);
}
