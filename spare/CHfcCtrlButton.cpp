#include "spare/CHfcCtrlButton.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

bool CHfcCtrlButton::Create(const tagHfcCtrlButtonParam* p, int id, int flags) {
  if (!p || p->values < 1) return false;
  tagHfcCtrlButtonParam param = *p;
  if ((param.width == 0 || param.height == 0) && !p->button) return false;
  if (param.width == 0) param.width = p->button->GetWidth();
  if (param.height == 0) param.height = p->button->GetHeight() / (2 * p->values);
  if (!CHfcControl::Create(param.x, param.y, param.width, param.height, id)) return false;
  (void)flags;
  m_param = param;
  m_iMin = 0;
  m_iMax = param.values - 1;
  m_iValue = 0;
  pressed_ = false;
  Enable(false);
  return true;
}

void CHfcCtrlButton::Destroy() {
  m_param = tagHfcCtrlButtonParam{};
  pressed_ = false;
  CHfcControl::Destroy();
}

void CHfcCtrlButton::SetIntValue(int v, bool redraw) {
  v = std::clamp(v, 0, m_param.values - 1);
  if (v == m_iValue) return;
  m_iValue = v;
  if (redraw) m_bDirty = true;
}

void CHfcCtrlButton::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int l = m_rcFrame.left, t = m_rcFrame.top, w = GetWidth(), h = GetHeight();
  dc->ClearRect(l, t, w, h);
  if (m_param.background) dc->CopyBmp(l, t, w, h, m_param.background, m_param.backgroundX, m_param.backgroundY);
  if (!m_param.button) return;
  const int row = 2 * m_iValue + (pressed_ ? 1 : 0);
  if (m_bEnabled) {
    dc->CopyBmp(l, t, w, h, m_param.button, 0, row * h);
    if (IsFocused()) DrawFocus(dc);
  } else {
    dc->CopyBmpAlpha(l, t, w, h, m_param.button, m_fDisabledAlpha, 0, row * h);
  }
}

bool CHfcCtrlButton::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  pressed_ = true;
  m_bDirty = true;
  SetMouseCapture();
  SetMouseCursorForMouseDown();
  return true;
}

bool CHfcCtrlButton::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (HoldsMouseCapture()) {
    const bool inside = x >= 0 && x < GetWidth() && y >= 0 && y < GetHeight();
    if (inside != pressed_) {
      pressed_ = inside;
      m_bDirty = true;
    }
  }
  return true;
}

bool CHfcCtrlButton::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (!HoldsMouseCapture()) return false;
  if (pressed_) {
    pressed_ = false;
    if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, m_iValue);
    m_bDirty = true;
  }
  ReleaseMouseCapture();
  return true;
}

void CHfcCtrlButton::OnHfcMouseLostCapture(CHfcMouse*) {
  if (pressed_) {
    pressed_ = false;
    m_bDirty = true;
  }
}
