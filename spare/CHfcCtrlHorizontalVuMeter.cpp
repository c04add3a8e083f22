#include "spare/CHfcCtrlHorizontalVuMeter.h"

#include <algorithm>
#include <cmath>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

const tagHfcCtrlHorizontalVuMeterParam CHfcCtrlHorizontalVuMeter::sm_mInitParam{};

CHfcCtrlHorizontalVuMeter::CHfcCtrlHorizontalVuMeter() : m_param(sm_mInitParam) {}

bool CHfcCtrlHorizontalVuMeter::Create(const tagHfcCtrlHorizontalVuMeterParam* p, int id, int flags) {
  if (!p || !p->bar) return false;
  // An empty scale would divide by zero on every draw.
  if (!(p->maximum > p->minimum)) return false;
  m_param = *p;
  if (m_param.width == 0) m_param.width = p->bar->GetWidth();
  if (m_param.height == 0) m_param.height = p->bar->GetHeight();
  if (m_param.width <= 0 || m_param.height <= 0) return false;
  if (!CHfcControl::Create(m_param.x, m_param.y, m_param.width, m_param.height, id)) return false;
  (void)flags;
  m_fMin = m_param.minimum;
  m_fMax = m_param.maximum;
  m_fValue = m_fPeak = m_param.minimum;
  m_iHoldLeft = 0;
  Enable(false);
  return true;
}

void CHfcCtrlHorizontalVuMeter::SetFloatValue(float v, bool redraw) {
  if (m_param.scaleMode == 0.0f) v = 10.0f * std::log10(v * v);
  // A silent amplitude is minus infinity decibels, and NaN is no level.
  if (std::isnan(v)) v = m_param.minimum;
  v = std::max(v, m_fValue);
  v = std::clamp(v, m_param.minimum, m_param.maximum);
  if (v >= m_fPeak) {
    m_fPeak = v;
    m_iHoldLeft = m_param.peakHold;
  }
  if (v != m_fValue) {
    m_fValue = v;
    if (redraw) m_bDirty = true;
  }
}

void CHfcCtrlHorizontalVuMeter::OnIdle(int elapsed) {
  if (m_iHoldLeft > 0) {
    m_iHoldLeft -= elapsed;
    if (m_iHoldLeft < 1) {
      m_fPeak = m_param.minimum;
      m_iHoldLeft = 0;
      m_bDirty = true;
    }
  }
  const float v = std::max(m_fValue - elapsed * 0.001f * m_param.decay, m_param.minimum);
  if (v != m_fValue) {
    m_fValue = v;
    m_bDirty = true;
  }
  CHfcControl::OnIdle(elapsed);
}

void CHfcCtrlHorizontalVuMeter::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_param.bar) return;
  const int w = GetWidth(), h = GetHeight();
  const float span = m_param.maximum - m_param.minimum;
  dc->ClearRect(m_rcFrame.left, m_rcFrame.top, w, h);
  if (m_param.background)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, m_param.background, m_param.backgroundX, m_param.backgroundY);
  const int lit = static_cast<int>((m_fValue - m_param.minimum) / span * w);
  if (lit > 0) dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, lit, h, m_param.bar, 0, 0);
  if (m_iHoldLeft > 0) {
    const int p = static_cast<int>(w * (m_fPeak - m_param.minimum) / span);
    if (p > 0) dc->CopyBmp(m_rcFrame.left + p - 1, m_rcFrame.top, 1, h, m_param.bar, p - 1, 0);
  }
}

bool CHfcCtrlHorizontalVuMeter::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  ReleaseFocus();
  SetMouseCapture();
  if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
  return true;
}

bool CHfcCtrlHorizontalVuMeter::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
  ReleaseMouseCapture();
  return true;
}
