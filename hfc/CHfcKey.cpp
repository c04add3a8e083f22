#include "hfc/CHfcKey.h"

#include "hfc/HfcCountedInstance.h"

#include "os/window/Window.h"

CHfcKey* CHfcKey::sm_pInstance = nullptr;
int CHfcKey::sm_iRefCount = 0;

bool CHfcKey::Initialize() {
  return HfcCountedStart(sm_pInstance, sm_iRefCount, [] { return new CHfcKey(); });
}

bool CHfcKey::Uninitialize() { return HfcCountedStop(sm_pInstance, sm_iRefCount); }

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
