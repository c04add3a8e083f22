#include "spare/CHfcCtrlVerticalFader.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/HfcModifiers.h"

const tagHfcCtrlVerticalFaderParam CHfcCtrlVerticalFader::sm_mInitParam{};

CHfcCtrlVerticalFader::CHfcCtrlVerticalFader() : m_param(sm_mInitParam) {}

void CHfcCtrlVerticalFader::Destroy() {
  m_param = sm_mInitParam;
  m_bDragging = false;
  CHfcControl::Destroy();
}

bool CHfcCtrlVerticalFader::Create(const tagHfcCtrlVerticalFaderParam* p, int id, int flags) {
  if (!p || !p->thumb) return false;
  tagHfcCtrlVerticalFaderParam param = *p;
  if (param.thumbWidth == 0) param.thumbWidth = p->thumb->GetWidth();
  if (param.thumbHeight == 0) param.thumbHeight = p->thumb->GetHeight();
  if (param.maximum <= param.minimum || param.width <= 0 || param.height <= 0 ||
      param.trackLength <= param.thumbHeight)
    return false;
  if (!CHfcControl::Create(param.x, param.y, param.width, param.height, id)) return false;
  (void)flags;
  m_param = param;
  m_iMin = param.minimum;
  m_iMax = param.maximum;
  m_iValue = param.minimum - 1;  // so the initial value counts as a change
  SetIntValue(param.initialValue, true);
  CalcPosition();
  m_bDragging = false;
  Enable(false);
  return true;
}

int CHfcCtrlVerticalFader::CalcPosition() {
  const int travel = Travel();
  m_iThumbOffset = travel - static_cast<int>(static_cast<long long>(m_iValue - m_param.minimum) * (travel + 1) /
                                             (static_cast<long long>(m_param.maximum) - m_param.minimum + 1));
  return m_iThumbOffset;
}

void CHfcCtrlVerticalFader::SetIntValue(int v, bool redraw) {
  v = std::clamp(v, m_param.minimum, m_param.maximum);
  if (v == m_iValue) return;
  m_iValue = v;
  CalcPosition();
  if (redraw) m_bDirty = true;
}

void CHfcCtrlVerticalFader::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_param.thumb) return;
  const int l = m_rcFrame.left, t = m_rcFrame.top;
  if (m_param.background)
    dc->CopyBmp(l, t, GetWidth(), GetHeight(), m_param.background, m_param.backgroundX, m_param.backgroundY);
  else
    dc->ClearRect(l, t, GetWidth(), GetHeight());
  dc->CopyBmp(l + m_param.thumbX, t + m_param.trackTop + m_iThumbOffset, m_param.thumbWidth, m_param.thumbHeight,
              m_param.thumb, 0, 0);
}

bool CHfcCtrlVerticalFader::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  ReleaseFocus();
  SetMouseCapture();
  SetMouseCursorForMouseDown();
  if (x < m_param.thumbX || x >= m_param.thumbX + m_param.thumbWidth) {
    m_bDragging = false;
    return true;
  }
  if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
  const int thumbTop = m_param.trackTop + m_iThumbOffset;
  int v = m_iValue;
  if (y < thumbTop || y >= thumbTop + m_param.thumbHeight) {
    // The thumb's centre jumps under the pointer; counted from the minimum
    // so that a range not starting at 0 lands there too.
    const int travel = Travel();
    v = m_param.minimum +
        static_cast<int>(static_cast<long long>(m_param.maximum - m_param.minimum) *
                         (m_param.thumbHeight / 2 + m_param.trackTop - y + travel) / travel);
  }
  m_iAccumulator = v;
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, ClipIntValueRange(v));
  m_iLastY = y;
  m_bDragging = true;
  return true;
}

bool CHfcCtrlVerticalFader::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture() || !m_bDragging) return false;
  const int step = (mods & kHfcModShift) ? m_param.fineStep : m_param.step;
  const long long next = static_cast<long long>(m_iAccumulator) + static_cast<long long>(m_iLastY - y) * step;
  // Kept within int, so a long drag cannot wrap round to the other end.
  m_iAccumulator = static_cast<int>(std::clamp<long long>(next, -(1LL << 30), 1LL << 30));
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, ClipIntValueRange(m_iAccumulator));
  m_iLastY = y;
  return true;
}

bool CHfcCtrlVerticalFader::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (!HoldsMouseCapture()) return false;
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
  m_bDragging = false;
  ReleaseMouseCapture();
  return true;
}
