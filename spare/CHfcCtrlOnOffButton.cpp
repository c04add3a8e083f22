#include "spare/CHfcCtrlOnOffButton.h"

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

bool CHfcCtrlOnOffButton::Create(const tagHfcCtrlOnOffButtonParam* p, int id, int flags) {
  if (!p || !p->button) return false;
  const int w = p->width ? p->width : p->button->GetWidth();
  const int h = p->height ? p->height : p->button->GetHeight() / 2;
  if (!CHfcControl::Create(p->x, p->y, w, h, id)) return false;
  (void)flags;
  m_pButton = p->button;
  m_pBackground = p->background;
  m_iBackX = p->backgroundX;
  m_iBackY = p->backgroundY;
  m_iValue = 0;
  m_iMin = 0;
  m_iMax = 1;
  Enable(false);
  return true;
}

bool CHfcCtrlOnOffButton::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  ReleaseFocus();
  if (m_pListener) {
    m_pListener->OnHfcCtrlBeginEdit(this);
    m_pListener->OnHfcCtrlIntValueChanged(this, 1 - m_iValue);
    m_pListener->OnHfcCtrlEndEdit(this);
  }
  return true;
}

void CHfcCtrlOnOffButton::Destroy() {
  m_pButton = nullptr;
  m_pBackground = nullptr;
  CHfcControl::Destroy();
}

void CHfcCtrlOnOffButton::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_pButton) return;
  const int w = GetWidth(), h = GetHeight();
  if (m_pBackground) dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, m_pBackground, m_iBackX, m_iBackY);
  dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, m_pButton, 0, m_iValue ? h : 0);
}

void CHfcCtrlOnOffButton::SetIntValue(int v, bool redraw) {
  const int value = v ? 1 : 0;
  if (value == m_iValue) return;
  m_iValue = value;
  if (redraw) m_bDirty = true;
}
