#include "spare/CHfcCtrlLed.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"

bool CHfcCtrlLed::Create(const tagHfcCtrlLedParam* p, int id, int flags) {
  if (!p || !p->states || p->stateCount < 1) return false;
  tagHfcCtrlLedParam param = *p;
  if (param.width == 0) param.width = p->states->GetWidth();
  if (param.height == 0) param.height = p->states->GetHeight() / p->stateCount;
  if (!CHfcControl::Create(param.x, param.y, param.width, param.height, id)) return false;
  (void)flags;
  m_param = param;
  m_iMin = 0;
  m_iMax = param.stateCount - 1;
  m_iValue = 0;
  Enable(false);
  return true;
}

void CHfcCtrlLed::Destroy() {
  CHfcControl::Destroy();
  m_param = tagHfcCtrlLedParam{};
  m_bCreated = false;
}

void CHfcCtrlLed::SetIntValue(int v, bool redraw) {
  v = ClipIntValueRange(v);
  if (v == m_iValue) return;
  m_iValue = v;
  if (redraw) m_bDirty = true;
}

long CHfcCtrlLed::GetParameterWord(int index) const {
  switch (index) {
    case 0: return m_param.x;
    case 1: return m_param.y;
    case 2: return m_param.width;
    case 3: return m_param.height;
    case 4: return reinterpret_cast<long>(m_param.states);
    case 5: return reinterpret_cast<long>(m_param.background);
    case 6: return m_param.backgroundX;
    case 7: return m_param.backgroundY;
    case 8: return m_param.reserved;
    case 9: return m_param.stateCount;
    default: return 0;
  }
}

bool CHfcCtrlLed::GetParameter(int index, void**) { return GetParameterWord(index) != 0; }

void CHfcCtrlLed::SetParameter(int index, int value, void* pointer, bool) {
  switch (index) {
    case 0: m_param.x = value; break;
    case 1: m_param.y = value; break;
    case 2: m_param.width = value; break;
    case 3: m_param.height = value; break;
    case 4: m_param.states = static_cast<CHfcBmp*>(pointer); break;
    case 5: m_param.background = static_cast<CHfcBmp*>(pointer); break;
    case 6: m_param.backgroundX = value; break;
    case 7: m_param.backgroundY = value; break;
    case 8: m_param.reserved = value; break;
    case 9: m_param.stateCount = value; break;
    default: break;
  }
}

void CHfcCtrlLed::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int l = m_rcFrame.left, t = m_rcFrame.top, w = GetWidth(), h = GetHeight();
  dc->ClearRect(l, t, w, h);
  if (m_uBackColor) {
    dc->SetBrushColor(m_uBackColor);
    dc->FillRect(l, t, w, h);
  }
  if (m_param.background) dc->CopyBmp(l, t, w, h, m_param.background, m_param.backgroundX, m_param.backgroundY);
  if (m_param.states) dc->CopyBmp(l, t, w, h, m_param.states, 0, m_iValue * h);
}

bool CHfcCtrlLed::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  if (CHfcKey::sm_pInstance) CHfcKey::sm_pInstance->ReleaseFocus();
  SetMouseCapture();
  if (m_pListener) {
    m_pListener->OnHfcCtrlBeginEdit(this);
    m_pListener->OnHfcCtrlIntValueChanged(this, static_cast<int>(static_cast<unsigned>(m_iValue) | 0x80000000u));
  }
  return true;
}

bool CHfcCtrlLed::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (m_pListener) {
    m_pListener->OnHfcCtrlIntValueChanged(this, m_iValue);
    m_pListener->OnHfcCtrlEndEdit(this);
  }
  ReleaseMouseCapture();
  return true;
}

void CHfcCtrlLed::OnHfcMouseLostCapture(CHfcMouse*) {
  if (m_pListener) {
    m_pListener->OnHfcCtrlIntValueChanged(this, m_iValue);
    m_pListener->OnHfcCtrlEndEdit(this);
  }
}

bool CHfcCtrlLed::OnHfcMouseRButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseRButtonDown(this, x, y, mods);
  return true;
}

bool CHfcCtrlLed::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseMove(this, x, y, mods);
  return true;
}
