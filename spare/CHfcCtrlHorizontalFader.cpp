#include "spare/CHfcCtrlHorizontalFader.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/HfcModifiers.h"

const tagHfcCtrlHorizontalFaderParam CHfcCtrlHorizontalFader::sm_mInitParam{};

CHfcCtrlHorizontalFader::CHfcCtrlHorizontalFader() : m_param(sm_mInitParam) {}

void CHfcCtrlHorizontalFader::Destroy() {
  m_param = sm_mInitParam;
  m_bDragging = false;
  CHfcControl::Destroy();
}

bool CHfcCtrlHorizontalFader::Create(const tagHfcCtrlHorizontalFaderParam* p, int id, int flags) {
  if (!p || !p->thumb) return false;
  tagHfcCtrlHorizontalFaderParam param = *p;
  if (param.thumbWidth == 0) param.thumbWidth = p->thumb->GetWidth();
  if (param.thumbHeight == 0) param.thumbHeight = p->thumb->GetHeight();
  // Both would divide by zero when the thumb is placed or dragged.
  if (param.maximum <= param.minimum || param.trackLength <= param.thumbWidth) return false;
  const int w = p->thumb->GetWidth() - param.thumbWidth + param.extraWidth;
  const int h = p->thumb->GetHeight() - param.thumbHeight + param.extraHeight;
  if (w <= 0 || h <= 0) return false;
  if (!CHfcControl::Create(param.x, param.y, w, h, id)) return false;
  (void)flags;
  m_param = param;
  m_iMin = param.minimum;
  m_iMax = param.maximum;
  m_iValue = param.minimum - 1;  // so the initial value counts as a change
  SetIntValue(param.initialValue, true);
  CalcPosition();
  Enable(false);
  m_bDirty = true;
  return true;
}

int CHfcCtrlHorizontalFader::CalcPosition() {
  m_iThumbPos = (m_iValue - m_param.minimum) * (m_param.trackLength + 1 - m_param.thumbWidth) /
                (m_param.maximum - m_param.minimum + 1);
  return m_iThumbPos;
}

void CHfcCtrlHorizontalFader::SetIntValue(int v, bool redraw) {
  v = std::clamp(v, m_param.minimum, m_param.maximum);
  if (v == m_iValue) return;
  m_iValue = v;
  CalcPosition();
  if (redraw) m_bDirty = true;
}

void CHfcCtrlHorizontalFader::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_param.thumb) return;
  const int tw = m_param.thumb->GetWidth(), th = m_param.thumb->GetHeight();
  if (m_param.background) {
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth() - m_param.thumbWidth + tw,
                GetHeight() + th - m_param.thumbHeight, m_param.background, m_param.backgroundX,
                m_param.backgroundY);
  } else {
    dc->ClearRect(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight());
  }
  dc->CopyBmp(m_rcFrame.left + m_param.thumbX + m_iThumbPos, m_rcFrame.top + m_param.thumbY, tw, th, m_param.thumb, 0,
              0);
}

bool CHfcCtrlHorizontalFader::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  ReleaseFocus();
  SetMouseCapture();
  if (y < m_param.thumbY || y >= m_param.thumbY + m_param.thumbHeight) {
    m_bDragging = false;
    return true;
  }
  if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
  if ((mods & kHfcModCommand) && m_pListener) {
    int v = 0;
    if (m_pListener->OnHfcCtrlDefaultIntValueRequired(this, &v)) {
      SetIntValue(v, true);
      m_pListener->OnHfcCtrlEndEdit(this);
      ReleaseMouseCapture();
      return true;
    }
  }
  const int thumbLeft = m_param.thumbX + m_iThumbPos;
  if (x >= thumbLeft && x < thumbLeft + m_param.thumbWidth) {
    m_iAccumulator = m_iValue;
  } else {
    // Counted from the minimum, so a range not starting at 0 puts the thumb
    // under the pointer too.
    m_iAccumulator = m_param.minimum + (m_param.maximum - m_param.minimum) *
                                           (x - m_param.thumbX - m_param.thumbWidth / 2) /
                                           (m_param.trackLength - m_param.thumbWidth);
  }
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, ClipIntValueRange(m_iAccumulator));
  m_iLastX = x;
  m_bDragging = true;
  return true;
}

bool CHfcCtrlHorizontalFader::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture() || !m_bDragging) return false;
  const int factor = (mods & kHfcModShift) ? m_param.fineFactor : m_param.coarseFactor;
  m_iAccumulator -= (m_iLastX - x) * factor;
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, ClipIntValueRange(m_iAccumulator));
  m_iLastX = x;
  return true;
}

bool CHfcCtrlHorizontalFader::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (!HoldsMouseCapture()) return false;
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
  m_bDragging = false;
  ReleaseMouseCapture();
  return true;
}
