#include "hfc/CHfcCtrlWheel.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/HfcLinearDrag.h"
#include "hfc/HfcModifiers.h"

CHfcCtrlWheel::~CHfcCtrlWheel() = default;

bool CHfcCtrlWheel::Create(tagHfcCtrlWheelParam* p, int id, int userValue) {
  if (!p || !p->skin || p->frames < 1) return false;
  m_param = *p;
  const int width = p->width != 0 ? p->width : p->skin->GetWidth();
  const int height = p->height != 0 ? p->height : p->skin->GetHeight() / p->frames;
  if (!CHfcControl::Create(p->x, p->y, width, height, id)) return false;
  SetMinIntValue(p->minimum, true);
  SetMaxIntValue(p->maximum, true);
  SetGroupId(userValue);
  m_bDirty = true;
  Enable(true);
  return true;
}

void CHfcCtrlWheel::Destroy() {
  m_bCreated = false;
  CHfcControl::Destroy();
}

void CHfcCtrlWheel::SetIntValue(int value, bool redraw) {
  value = ClipIntValueRange(value);
  if (value == m_iValue) return;
  m_iValue = value;
  if (redraw) m_bDirty = true;
}

int CHfcCtrlWheel::GetFrameIndex() {
  const long span = static_cast<long>(GetMaxIntValue()) - GetMinIntValue() + 1;
  if (span <= 0) return 0;
  const long f = (static_cast<long>(GetIntValue()) - GetMinIntValue()) * m_param.frames / span;
  return static_cast<int>(std::clamp(f, 0L, static_cast<long>(m_param.frames - 1)));
}

void CHfcCtrlWheel::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_param.skin) return;
  const float fx = static_cast<float>(m_rcFrame.left);
  const float fy = static_cast<float>(m_rcFrame.top);
  const float fw = static_cast<float>(GetWidth());
  const float fh = static_cast<float>(GetHeight());
  dc->ClearRect(fx, fy, fw, fh);
  const int h = GetHeight();
  if (m_param.bgBmp) {
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth(), h, m_param.bgBmp, m_param.bgX,
                m_param.bgY);
  } else {
    dc->SetBrushColor(0xFF000000u);
    dc->FillRect(fx, fy, fw, fh);
  }
  dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth(), h, m_param.skin, 0, GetFrameIndex() * h);
}

bool CHfcCtrlWheel::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  if (CHfcKey::sm_pInstance) CHfcKey::sm_pInstance->ReleaseFocus();
  if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
  if ((mods & kHfcModCommand) && m_pListener) {
    int v = 0;
    if (m_pListener->OnHfcCtrlDefaultIntValueRequired(this, &v)) SetIntValue(v, true);
  }
  m_ptPress = {x, y};
  m_iAccumulator = GetIntValue();
  m_fStartValue = static_cast<float>(GetIntValue());
  SetMouseCapture();
  SetMouseCursorForMouseDown();
  return true;
}

bool CHfcCtrlWheel::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  return OnHfcMouseLButtonDown(m, x, y, mods);
}

bool CHfcCtrlWheel::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture()) return true;
  const bool fine = (mods & kHfcModShift) != 0;
  m_iAccumulator = HfcLinearDrag(m_iAccumulator, m_ptPress.y, y, m_param.step, fine);
  const int r = ClipIntValueRange(m_iAccumulator);
  if (r != m_iLastReported) {
    m_iLastReported = r;
    if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, r);
  }
  m_ptPress = {x, y};
  return true;
}

bool CHfcCtrlWheel::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  ReleaseMouseCapture();
  return true;
}

void CHfcCtrlWheel::OnHfcMouseLostCapture(CHfcMouse*) {
  if (!m_pListener) return;
  if (m_param.springBack) m_pListener->OnHfcCtrlIntValueChanged(this, m_param.springValue);
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
}
