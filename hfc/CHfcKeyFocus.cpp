#include "hfc/CHfcKeyFocus.h"

#include "hfc/HfcEventStatus.h"
#include "os/window/Window.h"

bool CHfcKeyFocus::SetFocus(CHfcKeyFocusListener* listener, os::Window* window) {
  if (!listener || !window) return false;
  if (listener == m_pFocused && window == m_pWindow) {
    SetSystemKeyFocus();
    return true;
  }
  // Straight to the new listener, not back to a holder in between.
  Drop();
  m_pFocused = listener;
  m_pWindow = window;
  if (SetSystemKeyFocus()) return true;
  m_pFocused = nullptr;
  m_pWindow = nullptr;
  return false;
}

CHfcKeyFocusListener* CHfcKeyFocus::Drop() {
  CHfcKeyFocusListener* old = m_pFocused;
  const bool hadSystemFocus = m_bHasSystemFocus;
  m_pFocused = nullptr;
  m_pWindow = nullptr;
  m_bHasSystemFocus = false;
  if (old && hadSystemFocus) old->OnHfcKeyLostFocus(this);
  return old;
}

void CHfcKeyFocus::ReleaseFocus() {
  CHfcKeyFocusListener* old = Drop();
  if (!m_pHolder || old == m_pHolder || m_pFocused) return;
  // Back to the holder, without taking the keyboard from another program.
  m_pFocused = m_pHolder;
  m_pWindow = m_pHolderWindow;
  if (m_pWindow->HasFocus()) SetSystemKeyFocus();
}

void CHfcKeyFocus::SetHolder(CHfcKeyFocusListener* holder, os::Window* window) {
  m_pHolder = holder && window ? holder : nullptr;
  m_pHolderWindow = m_pHolder ? window : nullptr;
}

bool CHfcKeyFocus::SetSystemKeyFocus() {
  if (!m_pFocused || !m_pWindow) return false;
  if (m_bHasSystemFocus) return true;
  if (!m_pWindow->RequestFocus()) return false;
  m_bHasSystemFocus = true;
  m_pFocused->OnHfcKeySetFocus(this);
  return true;
}

void CHfcKeyFocus::OnPlatformFocus(bool gained) {
  if (!m_pFocused || gained == m_bHasSystemFocus) return;
  m_bHasSystemFocus = gained;
  if (gained)
    m_pFocused->OnHfcKeySetFocus(this);
  else
    m_pFocused->OnHfcKeyLostFocus(this);
}

int CHfcKeyFocus::OnPlatformKey(const os::KeyEvent& e) {
  CHfcKeyFocusListener* listener = m_pFocused;
  if (!listener) return kHfcEventNotHandled;
  bool used = false;
  switch (e.kind) {
    case os::KeyEvent::Kind::kDown:
    case os::KeyEvent::Kind::kRepeat: {
      used = e.kind == os::KeyEvent::Kind::kDown
                 ? listener->OnHfcKeyDown(this, e.chr, e.key, e.mods)
                 : listener->OnHfcKeyRepeat(this, e.chr, e.key, e.mods);
      // The listener may have given the focus away in its key call.
      if (e.chr >= 32 && e.chr <= 126 && m_pFocused == listener)
        used = listener->OnHfcKeyChar(this, e.chr) || used;
      break;
    }
    case os::KeyEvent::Kind::kUp:
      used = listener->OnHfcKeyUp(this, e.chr, e.key, e.mods);
      break;
  }
  return used ? kHfcEventHandled : kHfcEventNotHandled;
}
