#include "hfc/CHfcSlideSwitchBase.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"

CHfcSlideSwitchBase::~CHfcSlideSwitchBase() = default;

bool CHfcSlideSwitchBase::CreateSwitch(const tagHfcCtrlSlideSwitchParam* p, int id,
                                       int userValue) {
  // Without a state there is no length to divide the strip by.
  if (!p || !p->skin || p->states < 1) return false;
  m_param = *p;
  if (m_param.width == 0) m_param.width = p->skin->GetWidth();
  if (m_param.height == 0) m_param.height = p->skin->GetHeight() / p->states;
  if (!CHfcControl::Create(m_param.x, m_param.y, m_param.width, m_param.height, id)) return false;
  SetMinIntValue(0, true);
  SetMaxIntValue(p->states - 1, true);
  SetGroupId(userValue);
  Enable(true);
  return true;
}

void CHfcSlideSwitchBase::Destroy() {
  m_bCreated = false;
  CHfcControl::Destroy();
}

void CHfcSlideSwitchBase::SetIntValue(int value, bool redraw) {
  value = ClipIntValueRange(value);
  if (value == m_iValue) return;
  m_iValue = value;
  if (redraw) m_bDirty = true;
}

void CHfcSlideSwitchBase::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_param.skin) return;
  const int s = std::min(std::max(m_iValue, 0), m_param.states - 1);
  const int x = m_rcFrame.left;
  const int y = m_rcFrame.top;
  const int w = GetWidth();
  const int h = GetHeight();
  if (m_param.bgBmp)
    dc->CopyBmp(x, y, w, h, m_param.bgBmp, m_param.bgX, m_param.bgY);
  else
    dc->ClearRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                  static_cast<float>(h));
  if (m_bEnabled)
    dc->CopyBmp(x, y, w, h, m_param.skin, 0, s * h);
  else
    dc->CopyBmpAlpha(x, y, w, h, m_param.skin, m_fDisabledAlpha, 0, s * h);
}

int CHfcSlideSwitchBase::StateAlong(int offset) {
  const int length = m_bHorizontal ? GetWidth() : GetHeight();
  const int zone = std::max(1, length / std::max(1, m_param.states));
  const int maximum = GetMaxIntValue();
  return std::min(std::max(maximum - offset / zone, 0), maximum);
}

void CHfcSlideSwitchBase::ReportStateAt(int x, int y) {
  const int state = StateAlong(m_bHorizontal ? x : y);
  if (state != GetIntValue() && m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, state);
}

bool CHfcSlideSwitchBase::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (!m_bEnabled) return false;
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  if (CHfcKey::sm_pInstance) CHfcKey::sm_pInstance->ReleaseFocus();
  SetMouseCapture();
  SetMouseCursorForMouseDown();
  if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
  ReportStateAt(x, y);
  return true;
}

bool CHfcSlideSwitchBase::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  return OnHfcMouseLButtonDown(m, x, y, mods);
}

bool CHfcSlideSwitchBase::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (HoldsMouseCapture()) ReportStateAt(x, y);
  return true;
}

bool CHfcSlideSwitchBase::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (HoldsMouseCapture()) {
    if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
    ReleaseMouseCapture();
  }
  return true;
}

bool CHfcSlideSwitchBase::OnHfcMouseRButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseRButtonDown(this, x, y, mods);
  return true;
}
