#include "spare/CHfcCtrlSelectKnob.h"

#include <algorithm>
#include <cmath>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/HfcModifiers.h"

namespace {
constexpr float kPi = 3.14159265f;
constexpr float kTwoPi = 2 * kPi;
float Wrap(float u) {
  u = std::fmod(u, kTwoPi);
  return u < 0 ? u + kTwoPi : u;
}
}  // namespace

bool CHfcCtrlSelectKnob::Create(const tagHfcCtrlSelectKnobParam* p, int id, int flags) {
  if (!p || !p->strip || p->positions < 2 || p->sweep == 0.0f) return false;
  const int w = p->width ? p->width : p->strip->GetWidth();
  const int h = p->height ? p->height : p->strip->GetHeight() / p->positions;
  if (!CHfcControl::Create(p->x, p->y, w, h, id)) return false;
  (void)flags;
  m_param = *p;
  m_param.width = w;
  m_param.height = h;
  start_ = p->startAngle * 0.017453294f;
  sweep_ = p->sweep * 0.017453294f;
  dead_ = (kTwoPi - std::fabs(sweep_)) / 2;
  invSweep_ = 1.0f / sweep_;
  centre_ = p->width / 2.0f;
  m_iMin = 0;
  m_iMax = p->positions - 1;
  m_iValue = 0;
  Enable(false);
  return true;
}

float CHfcCtrlSelectKnob::ValueFromPoint(int x, int y) const {
  const int W = GetWidth(), H = GetHeight();
  float theta = std::atan2(centre_ - static_cast<float>(y - H / 2), static_cast<float>(x - W / 2) - centre_);
  if (theta < 0) theta += kTwoPi;
  if (sweep_ >= 0) {
    const float u = Wrap(theta - start_);
    if (u <= sweep_) return u * invSweep_;
    return u <= sweep_ + dead_ ? 1.0f : 0.0f;
  }
  const float s = -sweep_;
  const float u = Wrap(theta - start_ - sweep_);
  if (u <= s) return 1.0f - u / s;
  return u <= s + dead_ ? 0.0f : 1.0f;
}

float CHfcCtrlSelectKnob::PointToValueRelativeCircular(tagHfcPoint p0, tagHfcPoint p1) const {
  const float hw = GetWidth() / 2, hh = GetHeight() / 2;
  const float a0 = std::atan2(p0.x - hw, hh - p0.y);
  float a1 = std::atan2(p1.x - hw, hh - p1.y);
  const float k = (hw - p1.x) * (p0.y - hh) - (p1.y - hh) * (hw - p0.x);
  if (k >= 1 && a0 > a1) a1 += kTwoPi;
  if (k < 0 && a0 < a1) a1 -= kTwoPi;
  float r = (a1 - a0) * 0.5f;
  if (sweep_ < -kPi / 2) r *= 0.333f;
  return r;
}

int CHfcCtrlSelectKnob::QuantizeToInt(float v, int n, int offset) {
  if (n < 1) return offset;
  const int index = static_cast<int>(n * v - 1.0f / (2 * n));
  return std::clamp(index, 0, n - 1) + offset;
}

float CHfcCtrlSelectKnob::RegulateFromInt(int value, int n, int offset) {
  if (n < 2) return 0.0f;
  return static_cast<float>(std::clamp(value - offset, 0, n - 1)) / (n - 1);
}

bool CHfcCtrlSelectKnob::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  last_ = {x, y};
  const int step = std::max(m_param.linearStep, 1);
  linearAcc_ = step * m_iValue + step / 2;
  dragMode_ = CHfcControl::sm_iGlobalKnobMode;
  if (mods & kHfcModOption) dragMode_ = dragMode_ == 2 ? 0 : 2;
  if (dragMode_ == 1) {
    linearAcc_ = m_iValue;
    relative_ = RegulateFromInt(m_iValue, m_param.positions, 0);
    if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
  } else if (dragMode_ == 0) {
    lastAbsolute_ = ValueFromPoint(x, y);
    lastReported_ = Quantize(lastAbsolute_);
    if (m_pListener) {
      m_pListener->OnHfcCtrlBeginEdit(this);
      m_pListener->OnHfcCtrlIntValueChanged(this, lastReported_);
    }
  }
  SetMouseCapture();
  SetMouseCursorForMouseDown();
  if (CHfcKey::sm_pInstance && CHfcKey::sm_pInstance->GetFocus()) CHfcKey::sm_pInstance->ReleaseFocus();
  return true;
}

bool CHfcCtrlSelectKnob::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture()) return true;
  if (dragMode_ == 1) {
    const float p = relative_ + PointToValueRelativeCircular(last_, {x, y});
    const int index = Quantize(p);
    if (index != linearAcc_) {
      linearAcc_ = index;
      relative_ = p;
      last_ = {x, y};
      if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, ClipIntValueRange(index));
    }
  } else if (dragMode_ == 2) {
    linearAcc_ += last_.y - y;
    const int index = ClipIntValueRange(linearAcc_ / std::max(m_param.linearStep, 1));
    if (index != m_iValue && m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, index);
    last_ = {x, y};
  } else {
    float v = ValueFromPoint(x, y);
    if (lastAbsolute_ - v > 0.5f)
      v = 1.0f;
    else if (v - lastAbsolute_ > 0.5f)
      v = 0.0f;
    else
      lastAbsolute_ = v;
    const int index = Quantize(v);
    if (index != lastReported_) {
      lastReported_ = index;
      if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, index);
    }
  }
  return true;
}

bool CHfcCtrlSelectKnob::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (HoldsMouseCapture()) ReleaseMouseCapture();
  return true;
}

void CHfcCtrlSelectKnob::OnHfcMouseLostCapture(CHfcMouse*) {
  CHfcMouse::SetCursorById(0);
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
}

bool CHfcCtrlSelectKnob::OnHfcMouseRButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseRButtonDown(this, x, y, mods);
  return true;
}

void CHfcCtrlSelectKnob::SetIntValue(int value, bool redraw) {
  value = ClipIntValueRange(value);
  if (value == m_iValue) return;
  m_iValue = value;
  if (redraw) m_bDirty = true;
}

void CHfcCtrlSelectKnob::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int w = GetWidth(), h = GetHeight();
  dc->ClearRect(m_rcFrame.left, m_rcFrame.top, w, h);
  if (m_param.background)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, m_param.background, m_param.backgroundX, m_param.backgroundY);
  if (m_param.strip) dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, m_param.strip, 0, m_iValue * h);
}
