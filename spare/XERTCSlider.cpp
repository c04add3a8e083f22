#include "spare/XERTCSlider.h"

#include "hfc/CHfcBmp.h"
#include "hfc/HfcModifiers.h"

bool XERTCSlider::OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  m_iLastY = y;
  return CHfcCtrlKnob::OnHfcMouseLButtonDown(m, x, y, mods);
}

bool XERTCSlider::OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) {
  if (GetDragMode() == 0 || GetDragMode() == 1) return CHfcCtrlKnob::OnHfcMouseMove(m, x, y, mods);
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture()) return true;
  const int range = m_iMax - m_iMin;
  const int h = GetHeight();
  int value = m_iValue;
  if (range >= 128 && (mods & kHfcModShift)) {
    value = m_iValue + (m_iLastY - y);
  } else if (h > 0) {
    // The value is the share of the height above the pointer, counted from
    // the minimum so that a range not starting at 0 spans the whole height.
    value = m_iMin + static_cast<int>(static_cast<long long>(h - y) * (range + 1) / h);
  }
  m_bDirty = true;
  value = ClipIntValueRange(value);
  m_iLastY = y;
  if (value != m_iValue) {
    SetIntValue(value, true);
    if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, value);
  }
  return true;
}
