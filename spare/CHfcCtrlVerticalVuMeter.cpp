#include "spare/CHfcCtrlVerticalVuMeter.h"

#include <algorithm>
#include <cmath>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

CHfcCtrlVerticalVuMeter::CHfcCtrlVerticalVuMeter() : m_param{} {}

bool CHfcCtrlVerticalVuMeter::Create(const tagHfcCtrlVerticalVuMeterParam* p, int id, int flags) {
  if (!p || !p->bar || !(p->maximum > p->minimum)) return false;
  tagHfcCtrlVerticalVuMeterParam param = *p;
  if (param.width == 0) param.width = p->bar->GetWidth();
  if (param.height == 0) param.height = p->bar->GetHeight();
  if (param.width <= 0 || param.height <= 0) return false;
  if (!CHfcControl::Create(param.x, param.y, param.width, param.height, id)) return false;
  (void)flags;
  m_param = param;
  m_fMin = param.minimum;
  m_fMax = param.maximum;
  m_fValue = m_fPeak = param.minimum;
  m_iHoldLeft = 0;
  Enable(false);
  return true;
}

int CHfcCtrlVerticalVuMeter::LevelPixels(float level) const {
  return static_cast<int>((level - m_param.minimum) / (m_param.maximum - m_param.minimum) * GetWidth());
}

void CHfcCtrlVerticalVuMeter::SetFloatValue(float v, bool redraw) {
  if (m_param.conversion == 0.0f) v = 10.0f * std::log10(v * v);
  // Silence is minus infinity decibels; NaN is no level at all.
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

void CHfcCtrlVerticalVuMeter::OnIdle(int elapsed) {
  CHfcControl::OnIdle(elapsed);
  if (m_iHoldLeft > 0) {
    m_iHoldLeft -= elapsed;
    if (m_iHoldLeft <= 0) {
      m_fPeak = m_param.minimum;
      m_iHoldLeft = 0;
      m_bDirty = true;
    }
  }
  const float v = std::max(m_fValue - elapsed * 0.001f * m_param.fallRate, m_param.minimum);
  if (v != m_fValue) {
    m_fValue = v;
    m_bDirty = true;
  }
}

void CHfcCtrlVerticalVuMeter::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_param.bar) return;
  const int l = m_rcFrame.left, t = m_rcFrame.top, w = GetWidth(), h = GetHeight();
  dc->ClearRect(l, t, w, h);
  if (m_param.background) dc->CopyBmp(l, t, w, h, m_param.background, m_param.backgroundX, m_param.backgroundY);
  const int lit = LevelPixels(m_fValue);
  if (lit > 0) dc->CopyBmp(l, t, lit, h, m_param.bar, 0, 0);
  if (m_iHoldLeft > 0) {
    const int p = LevelPixels(m_fPeak);
    if (p > 0) dc->CopyBmp(l + p - 1, t, 1, h, m_param.bar, p - 1, 0);
  }
}

bool CHfcCtrlVerticalVuMeter::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  ReleaseFocus();
  SetMouseCapture();
  if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
  return true;
}

bool CHfcCtrlVerticalVuMeter::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
  ReleaseMouseCapture();
  return true;
}
