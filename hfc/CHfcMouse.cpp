#include "hfc/CHfcMouse.h"

#include <algorithm>

#include "hfc/HfcCountedInstance.h"
#include "hfc/HfcEventStatus.h"
#include "hfc/CHfcWindow.h"
#include "os/window/Window.h"
#include "platform/HfcGuiHooks.h"

CHfcMouse* CHfcMouse::sm_pInstance = nullptr;
int CHfcMouse::sm_iRefCount = 0;
int* CHfcMouse::m_piMacCursorId = nullptr;
int CHfcMouse::m_iNumCursors = 0;

namespace {
constexpr int kOemCursorCount = 18;

// What the platform services (popup menus, file dialogs) need of the
// framework, installed while the framework runs.
void InstallGuiHooks() {
  HfcGuiHooks hooks;
  hooks.releaseCapture = [] {
    if (CHfcMouse::sm_pInstance) CHfcMouse::sm_pInstance->ReleaseCapture();
  };
  hooks.localToGlobal = [](CHfcWindow* window, tagHfcPoint* point) {
    return window->LocalToGlobal(point);
  };
  hooks.systemWindow = [](CHfcWindow* window) -> void* { return window->GetPlatformWindow(); };
  HfcSetGuiHooks(hooks);
}
}  // namespace

bool CHfcMouse::Initialize(bool full) {
  return HfcCountedStart(sm_pInstance, sm_iRefCount, [full] {
    CHfcMouse* hub = new CHfcMouse(full);
    MacLoadOemCursors();
    InstallGuiHooks();
    return hub;
  });
}

bool CHfcMouse::Uninitialize() {
  if (!HfcCountedStop(sm_pInstance, sm_iRefCount)) return false;
  if (sm_iRefCount == 0) {
    HfcSetGuiHooks(HfcGuiHooks{});
    delete[] m_piMacCursorId;
    m_piMacCursorId = nullptr;
    m_iNumCursors = 0;
  }
  return true;
}

void CHfcMouse::MacLoadOemCursors() {
  if (m_piMacCursorId) return;
  m_piMacCursorId = new int[kOemCursorCount];
  for (int i = 0; i < kOemCursorCount; ++i) m_piMacCursorId[i] = i;
  m_iNumCursors += kOemCursorCount;
}

void CHfcMouse::SetCursorById(int id) {
  if (id < 0 || id >= 128) return;
  SetCursorByIndex(id);
}

void CHfcMouse::SetCursorByIndex(int index) {
  if (index < 0 || index >= m_iNumCursors || !m_piMacCursorId) return;
  os::Window::SetCursorEverywhere(static_cast<os::CursorId>(m_piMacCursorId[index]));
}

int CHfcMouse::LoadCursor(int) { return 0; }

CHfcMouse::CHfcMouse(bool full) : m_bFull(full) {}

bool CHfcMouse::SendPressGlobal(CHfcMouseListener* target, CHfcMouse* hub, const os::MouseEvent& e,
                                bool twice) {
  const int x = e.globalX;
  const int y = e.globalY;
  switch (e.button) {
    case os::MouseButton::kLeft:
      return twice ? target->OnHfcMouseLButtonDoubleClickGlobal(hub, x, y, e.mods)
                   : target->OnHfcMouseLButtonDownGlobal(hub, x, y, e.mods);
    case os::MouseButton::kRight:
      return twice ? target->OnHfcMouseRButtonDoubleClickGlobal(hub, x, y, e.mods)
                   : target->OnHfcMouseRButtonDownGlobal(hub, x, y, e.mods);
    case os::MouseButton::kMiddle:
      return twice ? target->OnHfcMouseMButtonDoubleClickGlobal(hub, x, y, e.mods)
                   : target->OnHfcMouseMButtonDownGlobal(hub, x, y, e.mods);
    case os::MouseButton::kNone: break;
  }
  return false;
}

bool CHfcMouse::SendReleaseGlobal(CHfcMouseListener* target, CHfcMouse* hub,
                                  const os::MouseEvent& e) {
  switch (e.button) {
    case os::MouseButton::kLeft:
      return target->OnHfcMouseLButtonUpGlobal(hub, e.globalX, e.globalY, e.mods);
    case os::MouseButton::kRight:
      return target->OnHfcMouseRButtonUpGlobal(hub, e.globalX, e.globalY, e.mods);
    case os::MouseButton::kMiddle:
      return target->OnHfcMouseMButtonUpGlobal(hub, e.globalX, e.globalY, e.mods);
    case os::MouseButton::kNone: break;
  }
  return false;
}

CHfcMouse::~CHfcMouse() = default;

void CHfcMouse::SetCapture(CHfcMouseListener* listener, CHfcWindow*) {
  CHfcMouseListener* previous = m_pCapture;
  m_pCapture = listener;
  if (previous) previous->OnHfcMouseLostCapture(this);
}

void CHfcMouse::ReleaseCapture() {
  if (!m_pCapture) return;
  // Told first, then cleared: the holder may still look at the capture.
  m_pCapture->OnHfcMouseLostCapture(this);
  m_pCapture = nullptr;
}

void CHfcMouse::OnLostCaptureBySystem() { ReleaseCapture(); }

void CHfcMouse::GetPoint(tagHfcPoint* point) const {
  if (point) *point = m_ptGlobal;
}

void CHfcMouse::MacAddEventListener(CHfcMouseListener* listener) { m_listeners.Append(listener); }

void CHfcMouse::MacRemoveEventListener(CHfcMouseListener* listener) {
  m_listeners.Remove(listener);
}

int CHfcMouse::OnPlatformMouseEvent(const os::MouseEvent& e) {
  using Kind = os::MouseEvent::Kind;
  if (m_bFull) {
    switch (e.kind) {
      case Kind::kDown: return OnMacMouseDown(e);
      case Kind::kUp: return OnMacMouseUp(e);
      case Kind::kMove: return OnMacMouseMoved(e);
      case Kind::kDrag: return OnMacMouseDragged(e);
      case Kind::kWheel: return OnMacMouseWheelMoved(e);
    }
    return kHfcEventNotHandled;
  }
  switch (e.kind) {
    case Kind::kMove: return OnMacMouseMoved2(e);
    case Kind::kWheel: return OnMacMouseWheelMoved(e);
    default: return kHfcEventNotHandled;
  }
}

int CHfcMouse::OnMacMouseDown(const os::MouseEvent&) { return kHfcEventNotHandled; }

int CHfcMouse::OnMacMouseUp(const os::MouseEvent& e) {
  // Only presses of the primary button take the capture, so only its
  // release ends a drag.
  if (m_pCapture && e.button == os::MouseButton::kLeft)
    m_pCapture->OnHfcMouseLButtonUpGlobal(this, e.globalX, e.globalY, e.mods);
  return kHfcEventNotHandled;
}

int CHfcMouse::OnMacMouseMoved(const os::MouseEvent& e) {
  if (!m_pCapture) return kHfcEventNotHandled;
  return m_pCapture->OnHfcMouseMoveGlobal(this, e.globalX, e.globalY, e.mods)
             ? kHfcEventHandled
             : kHfcEventNotHandled;
}

int CHfcMouse::OnMacMouseDragged(const os::MouseEvent& e) {
  if (m_pCapture) m_pCapture->OnHfcMouseMoveGlobal(this, e.globalX, e.globalY, e.mods);
  return kHfcEventNotHandled;
}

int CHfcMouse::OnMacMouseWheelMoved(const os::MouseEvent& e) { return OfferToListeners(e, true); }

int CHfcMouse::OnMacMouseMoved2(const os::MouseEvent& e) { return OfferToListeners(e, false); }

int CHfcMouse::OfferToListeners(const os::MouseEvent& e, bool wheel) {
  m_listeners.ForEachUntil([&](CHfcMouseListener* l) {
    return wheel ? l->OnHfcMouseMacMouseWheelMove(this, &e) : l->OnHfcMouseMacMouseMove(this, &e);
  });
  return kHfcEventNotHandled;
}
