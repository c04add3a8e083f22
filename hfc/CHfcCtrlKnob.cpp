#include "hfc/CHfcCtrlKnob.h"

#include <algorithm>
#include <cmath>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/HfcLinearDrag.h"
#include "hfc/HfcModifiers.h"

namespace {
constexpr float kTwoPi = 6.2831855f;
// The travel: clockwise over 312 degrees from 246 degrees, the rest of the
// circle a dead zone at the bottom.
constexpr float kStartAngle = 4.2935100f;
constexpr float kSweep = -5.4454274f;
constexpr float kDeadZone = 0.41887903f;
constexpr float kScale = -0.18364032f;
}  // namespace

CHfcCtrlKnob::~CHfcCtrlKnob() = default;

bool CHfcCtrlKnob::Create(tagHfcCtrlKnobParam* p, int id, int userValue) {
  // Frames divide the strip: a strip of no frames has none to show.
  if (!p || !p->skin || p->frames < 1) return false;
  m_param = *p;
  const int width = p->width != 0 ? p->width : p->skin->GetWidth();
  const int height = p->height != 0 ? p->height : p->skin->GetHeight() / p->frames;
  if (!CHfcControl::Create(p->x, p->y, width, height, id)) return false;
  SetMinIntValue(p->minimum, true);
  SetMaxIntValue(p->maximum, true);
  m_fRadius = static_cast<float>(p->width) / 2.0f;
  m_fStartAngle = kStartAngle;
  m_fSweep = kSweep;
  m_fDeadZone = kDeadZone;
  m_fScale = kScale;
  SetGroupId(userValue);
  m_iOffsetMode = 0;
  m_bDirty = true;
  Enable(true);
  return true;
}

void CHfcCtrlKnob::Destroy() { CHfcControl::Destroy(); }

void CHfcCtrlKnob::SetIntValue(int value, bool redraw) {
  value = ClipIntValueRange(value);
  if (value == m_iValue) return;
  m_iValue = value;
  if (redraw) m_bDirty = true;
}

void CHfcCtrlKnob::SetBackBmp(CHfcBmp* bmp, bool redraw) {
  m_param.bgBmp = bmp;
  if (redraw) m_bDirty = true;
}

int CHfcCtrlKnob::GetFrameIndex() {
  const int frames = m_param.frames;
  const int v = GetIntValue();
  const int lo = GetMinIntValue();
  const int hi = GetMaxIntValue();
  // A one-frame strip has only frame 0; the proportional formula needs a
  // maximum to divide by, else the frames spread over the range.
  if (frames <= 1) return 0;
  long f = 0;
  if (m_iOffsetMode == 0 && hi != 0) {
    const float ff = static_cast<float>(frames) * (static_cast<float>(v) / static_cast<float>(hi)) -
                     1.0f / static_cast<float>(frames - 1);
    f = static_cast<long>(std::trunc(std::max(ff, -1.0f)));
  } else {
    const long span = static_cast<long>(hi) - lo + 1;
    f = span > 0 ? (static_cast<long>(v) - lo) * frames / span : 0;
  }
  return static_cast<int>(std::clamp(f, 0L, static_cast<long>(frames - 1)));
}

void CHfcCtrlKnob::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_param.skin) return;
  const int x = m_rcFrame.left;
  const int y = m_rcFrame.top;
  const int w = GetWidth();
  const int h = GetHeight();
  dc->ClearRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                static_cast<float>(h));
  if (m_param.bgBmp) dc->CopyBmp(x, y, w, h, m_param.bgBmp, m_param.bgX, m_param.bgY);
  const int f = GetFrameIndex();
  if (m_bEnabled)
    dc->CopyBmp(x, y, w, h, m_param.skin, 0, f * h);
  else
    dc->CopyBmpAlpha(x, y, w, h, m_param.skin, m_fDisabledAlpha, 0, f * h);
}

float CHfcCtrlKnob::ValueFromPoint(int x, int y) const {
  // The angle is measured around the control's centre whatever the
  // record's width says.
  const int cx = GetWidth() / 2;
  const int cy = GetHeight() / 2;
  float a = static_cast<float>(std::atan2(static_cast<double>(cy - y), static_cast<double>(x - cx)));
  if (a < 0.0f) a += kTwoPi;
  a -= m_fStartAngle;
  const float s = m_fSweep;
  if (s < 0.0f) {
    float a2 = a - s;
    float b = a2;
    if (b < 0.0f)
      b += kTwoPi;
    else if (b > kTwoPi)
      b -= kTwoPi;
    if (b > m_fDeadZone - s) return 1.0f;
    if (b > -s) return 0.0f;
    if (a2 > m_fDeadZone - s)
      a2 -= kTwoPi;
    else if (a2 < -m_fDeadZone)
      a2 += kTwoPi;
    return a2 * m_fScale + 1.0f;
  }
  float b = a;
  if (b < 0.0f)
    b += kTwoPi;
  else if (b > kTwoPi)
    b -= kTwoPi;
  if (b > s + m_fDeadZone) return 0.0f;
  if (b > s) return 1.0f;
  if (a > m_fDeadZone + s)
    a -= kTwoPi;
  else if (a < -m_fDeadZone)
    a += kTwoPi;
  return a * m_fScale;
}

int CHfcCtrlKnob::PointToValueRelativeCircular(tagHfcPoint from, tagHfcPoint to) {
  const int cx = GetWidth() / 2;
  const int cy = GetHeight() / 2;
  const float a1 = std::atan2(static_cast<float>(from.x - cx), static_cast<float>(cy - from.y));
  float a2 = std::atan2(static_cast<float>(to.x - cx), static_cast<float>(cy - to.y));
  const long c = static_cast<long>(cx - to.x) * (from.y - cy) - static_cast<long>(cx - from.x) * (to.y - cy);
  if (c > 0 && a1 > a2) a2 += kTwoPi;
  if (c < 0 && a1 < a2) a2 -= kTwoPi;
  const float range = static_cast<float>(GetMaxIntValue() - GetMinIntValue());
  return static_cast<int>(std::trunc(range * (a1 / -5.2359881f + a2 * 0.19098592f)));
}

int CHfcCtrlKnob::CircularValue(float fraction) const {
  // Values start at the minimum: the travel covers the range, not 0 to its
  // width.
  return m_param.minimum +
         static_cast<int>(std::trunc(static_cast<float>(m_param.maximum - m_param.minimum) * fraction));
}

bool CHfcCtrlKnob::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  if ((mods & kHfcModCommand) && m_pListener) {
    int v = 0;
    if (m_pListener->OnHfcCtrlDefaultIntValueRequired(this, &v)) SetIntValue(v, true);
  }
  m_ptPress = {x, y};
  m_iAccumulator = m_iLastReported = GetIntValue();
  m_fStartValue = GetFloatValue();
  m_fLastFraction = GetFloatValue();
  m_iDragMode = CHfcControl::sm_iGlobalKnobMode;
  if (mods & kHfcModOption) m_iDragMode = CHfcControl::sm_iGlobalKnobMode == 2 ? 0 : 2;
  if (m_iDragMode == 1) {
    if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
  } else if (m_iDragMode == 0) {
    const float f = ValueFromPoint(x, y);
    m_fLastFraction = f;
    m_iLastReported = CircularValue(f);
    if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
    if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, m_iLastReported);
  } else {
    if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
    if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, GetIntValue());
  }
  SetMouseCapture();
  SetMouseCursorForMouseDown();
  if (CHfcKey::sm_pInstance) CHfcKey::sm_pInstance->ReleaseFocus();
  return true;
}

bool CHfcCtrlKnob::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDoubleClick(this, x, y, mods)) return true;
  return OnHfcMouseLButtonDown(m, x, y, mods);
}

bool CHfcCtrlKnob::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture()) return true;
  if (m_iDragMode == 1) {
    const int n = m_iAccumulator + PointToValueRelativeCircular(m_ptPress, {x, y});
    if (n != m_iAccumulator) {
      m_iAccumulator = n;
      m_ptPress = {x, y};
      if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, ClipIntValueRange(n));
    }
    return true;
  }
  if (m_iDragMode == 0) {
    float f = ValueFromPoint(x, y);
    if (m_fLastFraction - f > 0.5f)
      f = 1.0f;
    else if (f - m_fLastFraction > 0.5f)
      f = 0.0f;
    else
      m_fLastFraction = f;
    const int r = CircularValue(f);
    if (r != m_iLastReported) {
      m_iLastReported = r;
      if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, r);
    }
    return true;
  }
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

bool CHfcCtrlKnob::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  ReleaseMouseCapture();
  return true;
}

void CHfcCtrlKnob::OnHfcMouseLostCapture(CHfcMouse*) {
  CHfcMouse::SetCursorById(0);
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
}

bool CHfcCtrlKnob::OnHfcMouseRButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseRButtonDown(this, x, y, mods);
  return true;
}
