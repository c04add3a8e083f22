#include "hfc/CHfcWindowLayer.h"

#include <algorithm>

#include "hfc/CHfcControl.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcWindow.h"

CHfcWindowLayer::~CHfcWindowLayer() {
  if (m_bCreated) Destroy();
  // A layer deleted while still in a window's stack would be composed
  // after its death.
  if (m_pStack && m_pStack->GetLayerIndex(this) >= 0) m_pStack->RemoveLayer(this, false);
}

bool CHfcWindowLayer::Create(int x, int y, int width, int height, CHfcWindow* window) {
  if (m_bCreated || width < 1 || height < 1) return false;
  auto* offscreen = new CHfcOffscreenContext(width, height);
  if (!offscreen->GetBmp()) {
    delete offscreen;
    return false;
  }
  m_pOffscreen = offscreen;
  m_rect = {x, y, x + width, y + height};
  m_pWindow = window;
  m_bCreated = true;
  if (window) window->AddLayer(this, false);
  return OnCreate();
}

bool CHfcWindowLayer::Destroy() {
  if (!m_bCreated) return false;
  if (m_pWindow) {
    m_pWindow->EndKeyHold(this);
    m_pWindow->ReleaseFocus(this);
  }
  if (CHfcKey::sm_pInstance && CHfcKey::sm_pInstance->GetFocus() == this)
    CHfcKey::sm_pInstance->ReleaseFocus();
  if (CHfcMouse::sm_pInstance && HoldsCapture()) CHfcMouse::sm_pInstance->ReleaseCapture();
  if (!OnDestroy()) return false;
  Hide(false);
  RemoveAllControls();
  delete m_pOffscreen;
  m_pOffscreen = nullptr;
  m_pWindow = nullptr;
  m_rect = {0, 0, 0, 0};
  m_bCreated = false;
  return true;
}

int CHfcWindowLayer::GetWidth() const {
  return m_pOffscreen ? m_pOffscreen->GetBmp()->GetWidth() : 0;
}

int CHfcWindowLayer::GetHeight() const {
  return m_pOffscreen ? m_pOffscreen->GetBmp()->GetHeight() : 0;
}

int CHfcWindowLayer::GetIndex() const {
  return m_pWindow ? m_pWindow->GetLayerIndex(const_cast<CHfcWindowLayer*>(this)) : -1;
}

CHfcDrawContext* CHfcWindowLayer::GetDrawContext() const { return m_pOffscreen; }

bool CHfcWindowLayer::Resize(int width, int height, bool redraw) {
  if (!m_pOffscreen) return false;
  const int oldWidth = GetWidth();
  const int oldHeight = GetHeight();
  OnSizeChanging(&width, &height);
  if (!m_pOffscreen->Resize(width, height)) return false;
  m_rect.right = m_rect.left + width;
  m_rect.bottom = m_rect.top + height;
  OnSizeChanged(width, height);
  if (redraw && m_pWindow) {
    // The larger of the two sizes, so that what the old picture covered is
    // drawn again too.
    tagHfcRect area{m_rect.left, m_rect.top, m_rect.left + std::max(width, oldWidth),
                    m_rect.top + std::max(height, oldHeight)};
    m_pWindow->DrawLayers(&area, true);
  }
  return true;
}

bool CHfcWindowLayer::Move(int x, int y, bool redraw) {
  if (!m_bCreated) return false;
  const tagHfcRect old = m_rect;
  OnMoving(&x, &y);
  m_rect = {x, y, x + GetWidth(), y + GetHeight()};
  OnMoved(x, y);
  if (m_pWindow && m_bVisible) {
    tagHfcRect area{std::min(old.left, m_rect.left), std::min(old.top, m_rect.top),
                    std::max(old.right, m_rect.right), std::max(old.bottom, m_rect.bottom)};
    m_pWindow->DrawLayers(&area, redraw);
  }
  return false;
}

void CHfcWindowLayer::Update(const tagHfcRect* rect) {
  if (!m_bCreated || !m_pWindow || !rect) return;
  tagHfcRect r{rect->left + m_rect.left, rect->top + m_rect.top, rect->right + m_rect.left,
               rect->bottom + m_rect.top};
  m_pWindow->Update(&r);
}

void CHfcWindowLayer::Update() {
  if (!m_bCreated || !m_pWindow) return;
  tagHfcRect r = m_rect;
  m_pWindow->Update(&r);
}

bool CHfcWindowLayer::Show(bool now) {
  if (!m_bCreated) return false;
  m_bVisible = true;
  if (m_pWindow) m_pWindow->DrawLayers(&m_rect, now);
  return true;
}

bool CHfcWindowLayer::Hide(bool now) {
  if (!m_bCreated) return false;
  m_bVisible = false;
  if (m_pWindow) m_pWindow->DrawLayers(&m_rect, now);
  return true;
}

bool CHfcWindowLayer::SetParentWindow(CHfcWindow* window) {
  if (!window) return false;
  m_pWindow = window;
  m_pStack = window;
  return true;
}

void CHfcWindowLayer::OnRemoveFromParent(CHfcWindow* window) {
  if (m_pWindow) {
    m_pWindow->EndKeyHold(this);
    m_pWindow->ReleaseFocus(nullptr);
  }
  m_pWindow = nullptr;
}

bool CHfcWindowLayer::AddControl(CHfcControl* control, bool update) {
  if (!control) return false;
  control->SetParentLayer(this);
  m_controls.push_back(control);
  control->SetDirty(true);
  if (update) control->Update(true, true);
  return true;
}

bool CHfcWindowLayer::RemoveControl(CHfcControl* control, bool) {
  auto it = std::find(m_controls.begin(), m_controls.end(), control);
  if (it == m_controls.end()) return false;
  control->ReleaseFocus();
  control->OnRemoveFromParent(this);
  control->SetParentLayer(nullptr);
  m_controls.erase(std::find(m_controls.begin(), m_controls.end(), control));
  return true;
}

void CHfcWindowLayer::RemoveAllControls() {
  while (!m_controls.empty()) {
    CHfcControl* control = m_controls.back();
    control->ReleaseFocus();
    control->OnRemoveFromParent(this);
    control->SetParentLayer(nullptr);
    // The control's calls may already have taken it out.
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it != m_controls.end()) m_controls.erase(it);
  }
}

void CHfcWindowLayer::CopyToWindow(bool now) {
  if (!m_bCreated) return;
  CopyToWindow(0, 0, GetWidth(), GetHeight(), now);
}

void CHfcWindowLayer::CopyToWindow(const tagHfcRect* rect, bool now) {
  if (!m_bCreated || !m_pWindow || !rect) return;
  tagHfcRect r{rect->left + m_rect.left, rect->top + m_rect.top, rect->right + m_rect.left,
               rect->bottom + m_rect.top};
  m_pWindow->DrawLayers(&r, now);
}

void CHfcWindowLayer::CopyToWindow(int x, int y, int width, int height, bool now) {
  const tagHfcRect r{x, y, x + width, y + height};
  CopyToWindow(&r, now);
}

void CHfcWindowLayer::SetControlsDirty(bool dirty) {
  for (CHfcControl* c : m_controls) c->SetDirty(dirty);
}

bool CHfcWindowLayer::Holds(const tagHfcRect& r, int x, int y) {
  return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

CHfcControl* CHfcWindowLayer::FindControlByPosition(int x, int y, bool visibleOnly) const {
  for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
    CHfcControl* c = *it;
    if (Holds(c->GetFrame(), x, y) && (!visibleOnly || c->IsVisible())) return c;
  }
  return nullptr;
}

bool CHfcWindowLayer::GlobalToLocal(tagHfcPoint* point) const {
  if (!m_bCreated || !point) return false;
  if (m_pWindow) m_pWindow->GlobalToLocal(point);
  point->x -= m_rect.left;
  point->y -= m_rect.top;
  return true;
}

bool CHfcWindowLayer::LocalToGlobal(tagHfcPoint* point) const {
  if (!m_bCreated || !point) return false;
  point->x += m_rect.left;
  point->y += m_rect.top;
  if (m_pWindow) m_pWindow->LocalToGlobal(point);
  return true;
}

bool CHfcWindowLayer::SetFocus(CHfcKeyFocusListener* listener) {
  return m_pWindow && m_pWindow->SetFocus(listener);
}

bool CHfcWindowLayer::ReleaseFocus(CHfcKeyFocusListener* listener) {
  return m_pWindow && m_pWindow->ReleaseFocus(listener);
}

bool CHfcWindowLayer::IsFocused(const CHfcKeyFocusListener* listener) const {
  return m_pWindow && m_pWindow->IsFocused(listener);
}

bool CHfcWindowLayer::HoldsCapture() const {
  return CHfcMouse::sm_pInstance &&
         CHfcMouse::sm_pInstance->GetCapture() == static_cast<const CHfcMouseListener*>(this);
}

template <typename Call>
void CHfcWindowLayer::ForEachControl(Call call) {
  const std::vector<CHfcControl*> controls = m_controls;
  for (CHfcControl* c : controls)
    if (std::find(m_controls.begin(), m_controls.end(), c) != m_controls.end()) call(c);
}

template <typename Take>
CHfcControl* CHfcWindowLayer::FirstControlThatTakes(int x, int y, bool enabledOnly, Take take) {
  const std::vector<CHfcControl*> controls = m_controls;
  for (CHfcControl* c : controls) {
    if (std::find(m_controls.begin(), m_controls.end(), c) == m_controls.end()) continue;
    if (!c->IsVisible() || (enabledOnly && !c->IsEnabled())) continue;
    const tagHfcRect& f = c->GetFrame();
    if (Holds(f, x, y) && take(c, x - f.left, y - f.top)) return c;
  }
  return nullptr;
}

bool CHfcWindowLayer::RouteMouse(MouseHandler handler, CHfcMouse* m, int x, int y, int mods) {
  if (!HoldsCapture() &&
      FirstControlThatTakes(x, y, true, [&](CHfcControl* c, int cx, int cy) {
        return (c->*handler)(m, cx, cy, mods);
      }))
    return true;
  return (this->*handler)(m, x, y, mods) || m_bHoldsMouse;
}

bool CHfcWindowLayer::PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  return RouteMouse(&CHfcMouseListener::OnHfcMouseLButtonDown, m, x, y, mods);
}
bool CHfcWindowLayer::PreMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  return RouteMouse(&CHfcMouseListener::OnHfcMouseLButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindowLayer::PreMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) {
  return RouteMouse(&CHfcMouseListener::OnHfcMouseLButtonUp, m, x, y, mods);
}
bool CHfcWindowLayer::PreMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) {
  return RouteMouse(&CHfcMouseListener::OnHfcMouseRButtonDown, m, x, y, mods);
}
bool CHfcWindowLayer::PreMouseRButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  return RouteMouse(&CHfcMouseListener::OnHfcMouseRButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindowLayer::PreMouseRButtonUp(CHfcMouse* m, int x, int y, int mods) {
  return RouteMouse(&CHfcMouseListener::OnHfcMouseRButtonUp, m, x, y, mods);
}
bool CHfcWindowLayer::PreMouseMButtonDown(CHfcMouse* m, int x, int y, int mods) {
  return RouteMouse(&CHfcMouseListener::OnHfcMouseMButtonDown, m, x, y, mods);
}
bool CHfcWindowLayer::PreMouseMButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  return RouteMouse(&CHfcMouseListener::OnHfcMouseMButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindowLayer::PreMouseMButtonUp(CHfcMouse* m, int x, int y, int mods) {
  return RouteMouse(&CHfcMouseListener::OnHfcMouseMButtonUp, m, x, y, mods);
}
bool CHfcWindowLayer::PreMouseMove(CHfcMouse* m, int x, int y, int mods) {
  return RouteMouse(&CHfcMouseListener::OnHfcMouseMove, m, x, y, mods);
}

bool CHfcWindowLayer::PreMouseWheelMoved(CHfcMouse* m, int x, int y, int axis, int delta,
                                         int mods) {
  if (!HoldsCapture() &&
      FirstControlThatTakes(x, y, true, [&](CHfcControl* c, int cx, int cy) {
        return c->OnHfcMouseWheelMoved(m, cx, cy, axis, delta, mods);
      }))
    return true;
  return OnHfcMouseWheelMoved(m, x, y, axis, delta, mods) || m_bHoldsMouse;
}

bool CHfcWindowLayer::RouteGlobal(bool (CHfcWindowLayer::*pre)(CHfcMouse*, int, int, int),
                                  CHfcMouse* m, int x, int y, int mods) {
  tagHfcPoint p{x, y};
  GlobalToLocal(&p);
  return (this->*pre)(m, p.x, p.y, mods);
}

bool CHfcWindowLayer::OnHfcMouseLButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindowLayer::PreMouseLButtonDown, m, x, y, mods);
}
bool CHfcWindowLayer::OnHfcMouseLButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindowLayer::PreMouseLButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindowLayer::OnHfcMouseLButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindowLayer::PreMouseLButtonUp, m, x, y, mods);
}
bool CHfcWindowLayer::OnHfcMouseRButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindowLayer::PreMouseRButtonDown, m, x, y, mods);
}
bool CHfcWindowLayer::OnHfcMouseRButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindowLayer::PreMouseRButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindowLayer::OnHfcMouseRButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindowLayer::PreMouseRButtonUp, m, x, y, mods);
}
bool CHfcWindowLayer::OnHfcMouseMButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindowLayer::PreMouseMButtonDown, m, x, y, mods);
}
bool CHfcWindowLayer::OnHfcMouseMButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindowLayer::PreMouseMButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindowLayer::OnHfcMouseMButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindowLayer::PreMouseMButtonUp, m, x, y, mods);
}
bool CHfcWindowLayer::OnHfcMouseMoveGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindowLayer::PreMouseMove, m, x, y, mods);
}

bool CHfcWindowLayer::OnHfcMouseWheelMovedGlobal(CHfcMouse* m, int x, int y, int axis, int delta,
                                                 int mods) {
  tagHfcPoint p{x, y};
  GlobalToLocal(&p);
  return PreMouseWheelMoved(m, p.x, p.y, axis, delta, mods);
}

bool CHfcWindowLayer::OnHfcDragTrackingEnterWindowGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor,
                                                         int x, int y, int mods, int* action) {
  tagHfcPoint p{x, y};
  GlobalToLocal(&p);
  if (FirstControlThatTakes(p.x, p.y, false, [&](CHfcControl* c, int cx, int cy) {
        c->SetDragInside(true);
        return c->OnHfcDragTrackingEnterWindow(drag, flavor, cx, cy, mods, action);
      }))
    return true;
  return OnHfcDragTrackingEnterWindow(drag, flavor, p.x, p.y, mods, action);
}

bool CHfcWindowLayer::OnHfcDragTrackingInWindowGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor,
                                                      int x, int y, int mods, int* action) {
  tagHfcPoint p{x, y};
  GlobalToLocal(&p);
  bool handled = false;
  ForEachControl([&](CHfcControl* c) {
    if (!c->IsVisible()) return;
    const tagHfcRect f = c->GetFrame();
    if (Holds(f, p.x, p.y)) {
      if (handled) return;
      if (c->IsDragInside()) {
        handled = c->OnHfcDragTrackingInWindow(drag, flavor, p.x - f.left, p.y - f.top, mods,
                                               action);
      } else {
        handled = c->OnHfcDragTrackingEnterWindow(drag, flavor, p.x - f.left, p.y - f.top, mods,
                                                  action);
        c->SetDragInside(true);
      }
    } else if (c->IsDragInside()) {
      c->OnHfcDragTrackingLeaveWindow(drag);
      c->SetDragInside(false);
    }
  });
  if (handled) return true;
  return OnHfcDragTrackingInWindow(drag, flavor, p.x, p.y, mods, action);
}

bool CHfcWindowLayer::OnHfcDragTrackingLeaveWindowGlobal(CHfcDrag* drag) {
  ForEachControl([&](CHfcControl* c) {
    if (c->IsVisible() && c->IsDragInside()) c->OnHfcDragTrackingLeaveWindow(drag);
    c->SetDragInside(false);
  });
  return OnHfcDragTrackingLeaveWindow(drag);
}

bool CHfcWindowLayer::OnHfcDragReceiveGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor, int x, int y,
                                             int mods, int* action) {
  tagHfcPoint p{x, y};
  GlobalToLocal(&p);
  CHfcControl* receiver =
      FirstControlThatTakes(p.x, p.y, false, [&](CHfcControl* c, int cx, int cy) {
        return c->OnHfcDragReceive(drag, flavor, cx, cy, mods, action);
      });
  if (receiver) receiver->SetDragInside(false);
  ForEachControl([&](CHfcControl* c) {
    if (!c->IsDragInside()) return;
    c->OnHfcDragTrackingLeaveWindow(drag);
    c->SetDragInside(false);
  });
  if (receiver) return true;
  return OnHfcDragReceive(drag, flavor, p.x, p.y, mods, action);
}
