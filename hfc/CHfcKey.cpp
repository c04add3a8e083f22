#include "hfc/CHfcKey.h"

#include "os/window/Window.h"

CHfcKey* CHfcKey::sm_pInstance = nullptr;
int CHfcKey::sm_iRefCount = 0;

bool CHfcKey::Initialize() {
  if (sm_iRefCount == 0) sm_pInstance = new CHfcKey();
  ++sm_iRefCount;
  return sm_pInstance != nullptr;
}

bool CHfcKey::Uninitialize() {
  if (sm_iRefCount <= 0) return false;
  if (--sm_iRefCount == 0) {
    delete sm_pInstance;
    sm_pInstance = nullptr;
  }
  return true;
}

CHfcKey::~CHfcKey() = default;

void CHfcKey::SetFocus(CHfcKeyListener* listener, os::Window* view) {
  if (listener == m_pFocus) return;
  // The previous listener is not told: it learns from its own focus notice.
  m_pFocus = listener;
  m_pFocusView = view;
  if (view) view->RequestFocus();
  if (listener) listener->OnHfcKeyGetFocus(this);
}

void CHfcKey::ReleaseFocus() {
  m_pFocus = nullptr;
  m_pFocusView = nullptr;
}

bool CHfcKey::OnKeyDown(int a, int b) { return m_pFocus && m_pFocus->OnHfcKeyDown(this, a, b); }
bool CHfcKey::OnKeyUp(int a, int b) { return m_pFocus && m_pFocus->OnHfcKeyUp(this, a, b); }
bool CHfcKey::OnKeyChar(int a, int b) { return m_pFocus && m_pFocus->OnHfcKeyChar(this, a, b); }

void CHfcKey::OnKeyLostFocus() {
  if (!m_pFocus) return;
  m_pFocus->OnHfcKeyLostFocus(this);
  ReleaseFocus();
}
