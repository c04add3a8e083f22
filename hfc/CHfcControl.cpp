#include "hfc/CHfcControl.h"

#include <algorithm>

#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/CHfcWindow.h"
#include "hfc/CHfcWindowLayer.h"
#include "hfc/HfcFocusMarks.h"
#include "platform/HfcTime.h"

int CHfcControl::sm_iGlobalKnobMode = 2;

CHfcControl::~CHfcControl() {
  if (m_bCreated) CHfcControl::Destroy();
}

bool CHfcControl::Create(int x, int y, int width, int height, int id) {
  if (width < 0 || height < 0) return false;
  m_rcFrame = {x, y, x + width, y + height};
  m_rcFocus = m_rcFrame;
  m_iId = id;
  m_bCreated = true;
  m_bVisible = false;
  m_bDirty = true;
  return true;
}

void CHfcControl::Destroy() {
  ReleaseFocus();
  ReleaseKeyFocus();
  if (HoldsMouseCapture()) CHfcMouse::sm_pInstance->ReleaseCapture();
  if (m_pParentLayer) m_pParentLayer->RemoveControl(this, true);
  m_rcFrame = {0, 0, 0, 0};
  m_rcFocus = {0, 0, 0, 0};
  m_bCreated = false;
}

void CHfcControl::SetFrame(int left, int top, int width, int height) {
  m_rcFrame = {left, top, left + width, top + height};
  m_rcFocus = {m_rcFrame.left - m_iFocusMargin, m_rcFrame.top - m_iFocusMargin,
               m_rcFrame.right + m_iFocusMargin, m_rcFrame.bottom + m_iFocusMargin};
}

bool CHfcControl::Move(int x, int y, bool update) {
  if (!m_bCreated) return false;
  SetFrame(x, y, GetWidth(), GetHeight());
  if (!m_pParentLayer) return false;
  if (update) m_bDirty = true;
  return true;
}

bool CHfcControl::Resize(int width, int height, bool update) {
  if (!m_bCreated || width < 0 || height < 0) return false;
  SetFrame(m_rcFrame.left, m_rcFrame.top, width, height);
  if (!m_pParentLayer) return false;
  if (update) m_bDirty = true;
  return true;
}

void CHfcControl::Draw(CHfcDrawContext* context) {
  if (!context || !m_bVisible) return;
  context->ClearRect(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight());
}

void CHfcControl::DrawFocus(CHfcDrawContext* context) {
  if (!context || !m_bCreated || !m_bVisible || m_uFocusColor == 0) return;
  const uint32_t pen = context->GetPenColor();
  if (m_iFocusMargin == 0) {
    context->SetPenColor(m_uFocusColor);
    for (const tagHfcFocusStroke& s : HfcFocusCornerStrokes(m_rcFrame)) {
      context->MoveTo(s.from.x, s.from.y);
      context->LineTo(s.to.x, s.to.y);
    }
  } else {
    for (const tagHfcFocusRing& ring :
         HfcFocusRings(m_rcFrame, m_iFocusMargin, m_uFocusColor, m_bFocusGlowOpenAtBottom)) {
      context->SetPenColor(ring.colour);
      context->FrameRect(ring.x, ring.y, ring.width, ring.height);
    }
  }
  context->SetPenColor(pen);
}

void CHfcControl::Update(bool force, bool flush) {
  if (!m_pParentLayer) return;
  const tagHfcRect& area = m_iFocusMargin != 0 ? m_rcFocus : m_rcFrame;
  if (m_bVisible) {
    if (!force && !m_bDirty) return;
    m_bDirty = false;
    Draw(m_pParentLayer->GetDrawContext());
    m_pParentLayer->CopyToWindow(&area, flush);
  } else if (m_bErasePending) {
    m_bErasePending = false;
    Erase(m_pParentLayer->GetDrawContext());
    m_pParentLayer->CopyToWindow(&area, flush);
  }
}

void CHfcControl::Show(bool markDirty) {
  if (!m_bCreated) return;
  m_bVisible = true;
  if (markDirty) m_bDirty = true;
}

void CHfcControl::Hide(bool markDirty) {
  if (!m_bCreated) return;
  if (m_bVisible) {
    m_bVisible = false;
    m_bErasePending = true;
  }
  if (markDirty) m_bDirty = true;
}

void CHfcControl::Enable(bool markDirty) {
  if (!m_bCreated || m_bEnabled) return;
  m_bEnabled = true;
  OnEnabled();
  if (markDirty) m_bDirty = true;
}

void CHfcControl::Disable(bool markDirty) {
  if (!m_bCreated || !m_bEnabled) return;
  m_bEnabled = false;
  OnDisabled();
  if (markDirty) m_bDirty = true;
}

void CHfcControl::SetBackColor(unsigned int colour, bool markDirty) {
  m_uBackColor = colour;
  if (markDirty) m_bDirty = true;
}

void CHfcControl::SetFocus(int index) {
  if (!m_bCreated || !m_pParentLayer) return;
  if (index == -1) {
    ReleaseFocus();
    return;
  }
  m_pParentLayer->SetFocus(static_cast<CHfcKeyFocusListener*>(this));
  m_iFocusIndex = index;
  m_bDirty = true;
}

void CHfcControl::ReleaseFocus() { ReleaseFocus(static_cast<CHfcKeyFocusListener*>(this)); }

void CHfcControl::ReleaseFocus(CHfcKeyFocusListener* listener) {
  if (!m_bCreated || !m_pParentLayer) return;
  m_pParentLayer->ReleaseFocus(listener);
  m_iFocusIndex = -1;
  m_bDirty = true;
}

bool CHfcControl::IsFocused() {
  return m_pParentLayer && m_pParentLayer->IsFocused(static_cast<CHfcKeyFocusListener*>(this));
}

void CHfcControl::SetFocusMergin(int margin) {
  m_iFocusMargin = std::max(margin, 0);
  m_rcFocus = {m_rcFrame.left - m_iFocusMargin, m_rcFrame.top - m_iFocusMargin,
               m_rcFrame.right + m_iFocusMargin, m_rcFrame.bottom + m_iFocusMargin};
}

bool CHfcControl::SetKeyFocus() {
  CHfcKey* hub = CHfcKey::sm_pInstance;
  CHfcKeyListener* self = this;
  if (!hub || hub->GetFocus() == self || !m_pParentLayer) return false;
  CHfcWindow* window = m_pParentLayer->GetParentWindow();
  if (!window) return true;
  hub->SetFocus(self, window->GetPlatformWindow());
  return true;
}

void CHfcControl::ReleaseKeyFocus() {
  CHfcKey* hub = CHfcKey::sm_pInstance;
  if (hub && hub->GetFocus() == static_cast<CHfcKeyListener*>(this)) hub->ReleaseFocus();
}

void CHfcControl::OnHfcKeySetFocus(CHfcKeyFocus*) {
  m_bDirty = true;
  if (m_pListener) m_pListener->OnHfcCtrlKeySetFocus(this);
  OnKeySetFocus();
}

void CHfcControl::OnHfcKeyLostFocus(CHfcKeyFocus*) {
  m_iFocusIndex = -1;
  m_bDirty = true;
  if (m_pListener) m_pListener->OnHfcCtrlKeyLostFocus(this);
  OnKeyLostFocus();
}

bool CHfcControl::OnHfcKeyDown(CHfcKeyFocus*, int chr, int key, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlKeyDown(this, chr, key, mods)) return true;
  return OnKeyDown(chr, key, mods);
}

bool CHfcControl::OnHfcKeyRepeat(CHfcKeyFocus*, int chr, int key, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlKeyRepeat(this, chr, key, mods)) return true;
  return OnKeyRepeat(chr, key, mods);
}

bool CHfcControl::OnHfcKeyUp(CHfcKeyFocus*, int chr, int key, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlKeyUp(this, chr, key, mods)) return true;
  return OnKeyUp(chr, key, mods);
}

bool CHfcControl::OnHfcKeyChar(CHfcKeyFocus*, int chr) {
  if (m_pListener && m_pListener->OnHfcCtrlKeyChar(this, chr)) return true;
  return OnKeyChar(chr);
}

bool CHfcControl::OnHfcKeyIsPointInside(CHfcKeyFocus*, int x, int y) {
  const tagHfcPoint p = ToLocal(x, y);
  return p.x >= 0 && p.x < GetWidth() && p.y >= 0 && p.y < GetHeight();
}

tagHfcPoint CHfcControl::ToLocal(int x, int y) {
  tagHfcPoint p{x, y};
  GlobalToLocal(&p);
  return p;
}

bool CHfcControl::OnHfcMouseLButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) {
  const tagHfcPoint p = ToLocal(x, y);
  return m_bEnabled && OnHfcMouseLButtonDown(m, p.x, p.y, mods);
}

bool CHfcControl::OnHfcMouseLButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) {
  const tagHfcPoint p = ToLocal(x, y);
  return m_bEnabled && OnHfcMouseLButtonDoubleClick(m, p.x, p.y, mods);
}

bool CHfcControl::OnHfcMouseLButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) {
  const tagHfcPoint p = ToLocal(x, y);
  return m_bEnabled && OnHfcMouseLButtonUp(m, p.x, p.y, mods);
}

bool CHfcControl::OnHfcMouseMoveGlobal(CHfcMouse* m, int x, int y, int mods) {
  const tagHfcPoint p = ToLocal(x, y);
  return OnHfcMouseMove(m, p.x, p.y, mods);
}

bool CHfcControl::GlobalToLocal(tagHfcPoint* point) {
  if (m_pParentLayer) m_pParentLayer->GlobalToLocal(point);
  point->x -= m_rcFrame.left;
  point->y -= m_rcFrame.top;
  return true;
}

bool CHfcControl::LocalToGlobal(tagHfcPoint* point) {
  point->x += m_rcFrame.left;
  point->y += m_rcFrame.top;
  if (m_pParentLayer) m_pParentLayer->LocalToGlobal(point);
  return true;
}

bool CHfcControl::SetMouseCapture() {
  CHfcMouse* hub = CHfcMouse::sm_pInstance;
  if (!hub || HoldsMouseCapture()) return false;
  if (!m_pParentLayer || !m_pParentLayer->GetParentWindow()) return false;
  hub->SetCapture(this, m_pParentLayer->GetParentWindow());
  return true;
}

void CHfcControl::BeginEditGesture() {
  EndEditGesture();
  m_bEditGesture = true;
  if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
}

void CHfcControl::EndEditGesture() {
  if (!m_bEditGesture) return;
  m_bEditGesture = false;
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
}

void CHfcControl::ReportTypedText(char* text) {
  if (!m_pListener) return;
  BeginEditGesture();
  m_pListener->OnHfcCtrlPtrValueChanged(this, text);
  EndEditGesture();
}

void CHfcControl::ReleaseMouseCapture() {
  if (HoldsMouseCapture()) CHfcMouse::sm_pInstance->ReleaseCapture();
}

bool CHfcControl::HoldsMouseCapture() const {
  return CHfcMouse::sm_pInstance &&
         CHfcMouse::sm_pInstance->GetCapture() == static_cast<const CHfcMouseListener*>(this);
}

void CHfcControl::SetMouseCursorForMouseDown() {
  if (m_iPressCursorId >= 0) CHfcMouse::SetCursorById(m_iPressCursorId);
}

void CHfcControl::UpdateMouseDownCounter(int elapsed) {
  if (m_iPressTime >= 500) return;
  m_iPressTime += elapsed;
  if (m_iPressTime >= 500 && m_pListener)
    m_pListener->OnHfcCtrlMouseLButtonLongDown(this, 0, 0, 0);
}

int CHfcControl::ClipIntValueRange(int v) {
  if (v < GetMinIntValue()) v = GetMinIntValue();
  if (v > GetMaxIntValue()) v = GetMaxIntValue();
  return v;
}

float CHfcControl::ClipFloatValueRange(float v) {
  if (v < GetMinFloatValue()) v = GetMinFloatValue();
  if (v > GetMaxFloatValue()) v = GetMaxFloatValue();
  return v;
}

float CHfcControl::GetMouseDeltaRatio() {
  const uint32_t now = HfcGetSystemTimeMs();
  float ratio = 1.0f;
  if (now > m_uLastRatioTime && now - m_uLastRatioTime >= 101)
    ratio = 50.0f / std::min(static_cast<float>(now - m_uLastRatioTime), 1600.0f);
  m_uLastRatioTime = now;
  return ratio;
}

float CHfcControl::GetMouseDelta(int delta, int mods) {
  const float ratio = GetMouseDeltaRatio();
  if (mods & 1) return static_cast<float>(delta) * 0.1f;
  return static_cast<float>(delta) * ratio;
}
