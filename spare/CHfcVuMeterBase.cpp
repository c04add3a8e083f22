#include "spare/CHfcVuMeterBase.h"

#include <algorithm>
#include <cmath>

void CHfcVuMeterBase::StartAtMinimum() {
  const tagHfcVuMeterScale s = Scale();
  m_fMin = s.minimum;
  m_fMax = s.maximum;
  m_fValue = m_fPeak = s.minimum;
  m_iHoldLeft = 0;
}

void CHfcVuMeterBase::SetFloatValue(float v, bool redraw) {
  const tagHfcVuMeterScale s = Scale();
  if (s.conversion == 0.0f) v = 10.0f * std::log10(v * v);
  // A silent amplitude is minus infinity decibels, and NaN is no level.
  if (std::isnan(v)) v = s.minimum;
  v = std::max(v, m_fValue);
  v = std::clamp(v, s.minimum, s.maximum);
  if (v >= m_fPeak) {
    m_fPeak = v;
    m_iHoldLeft = s.peakHold;
  }
  if (v != m_fValue) {
    m_fValue = v;
    if (redraw) m_bDirty = true;
  }
}

void CHfcVuMeterBase::Fall(int elapsed) {
  const tagHfcVuMeterScale s = Scale();
  if (m_iHoldLeft > 0) {
    m_iHoldLeft -= elapsed;
    if (m_iHoldLeft < 1) {
      m_fPeak = s.minimum;
      m_iHoldLeft = 0;
      m_bDirty = true;
    }
  }
  const float v = std::max(m_fValue - elapsed * 0.001f * s.fallRate, s.minimum);
  if (v != m_fValue) {
    m_fValue = v;
    m_bDirty = true;
  }
}

bool CHfcVuMeterBase::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  ReleaseFocus();
  SetMouseCapture();
  if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
  return true;
}

bool CHfcVuMeterBase::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
  ReleaseMouseCapture();
  return true;
}
