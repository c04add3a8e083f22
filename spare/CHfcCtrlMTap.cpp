#include "spare/CHfcCtrlMTap.h"

#include <algorithm>
#include <cmath>

#include "hfc/CHfcDrawContext.h"
#include "hfc/HfcModifiers.h"

namespace {
constexpr float kPi = 3.14159265f;
}

const tagHfcCtrlMTapParam CHfcCtrlMTap::sm_mInitParam{};

CHfcCtrlMTap::CHfcCtrlMTap() : m_param(sm_mInitParam) {}

bool CHfcCtrlMTap::Create(const tagHfcCtrlMTapParam* p, int id, int flags) {
  if (!p || p->taps < 1 || !(p->outerRadius > p->innerRadius)) return false;
  if (!CHfcControl::Create(p->x, p->y, p->width, p->height, id)) return false;
  (void)flags;
  m_param = *p;
  taps_.assign(static_cast<size_t>(p->taps), Tap{});
  highlighted_ = active_ = -1;
  Enable(false);
  return true;
}

void CHfcCtrlMTap::Destroy() {
  taps_.clear();
  m_param = sm_mInitParam;
  CHfcControl::Destroy();
}

void CHfcCtrlMTap::GetPanAndDelayTime(float px, float py, float* pan, float* time) const {
  const float dx = px - m_param.centreX;
  float dy = m_param.centreY - py;
  if (dy <= 0) dy = 1e-7f;
  *pan = std::clamp(1.0f - std::atan2(dy, dx) / kPi, 0.0f, 1.0f);
  *time = std::clamp((std::sqrt(dx * dx + dy * dy) - m_param.innerRadius) /
                         (m_param.outerRadius - m_param.innerRadius),
                     0.0f, 1.0f);
}

bool CHfcCtrlMTap::GetTapPosition(int tap, float* x, float* y) const {
  if (!InRange(tap)) return false;
  const float a = (1.0f - taps_[tap].pan) * kPi;
  const float r = m_param.innerRadius + (m_param.outerRadius - m_param.innerRadius) * taps_[tap].time;
  *x = m_param.centreX + r * std::cos(a);
  *y = m_param.centreY - r * std::sin(a);
  return true;
}

int CHfcCtrlMTap::NearestTap(float x, float y, float limit, float* distance) const {
  float best = limit;
  int found = -1;
  for (int i = 0; i < static_cast<int>(taps_.size()); ++i) {
    float tx, ty;
    GetTapPosition(i, &tx, &ty);
    const float d = std::hypot(tx - x, ty - y);
    if (d < best) {
      best = d;
      found = i;
    }
  }
  *distance = best;
  return found;
}

int CHfcCtrlMTap::GetPositionTap(float x, float y) const {
  float best = 0.0f;
  const int found = NearestTap(x, y, static_cast<float>(GetWidth() + GetHeight()), &best);
  return found >= 0 && best <= m_param.pointSize ? found : -1;
}

void CHfcCtrlMTap::Report(float px, float py) {
  if (!m_pListener) return;
  tagHfcCtrlMTapChange change{2, active_, 0.0f, 0.0f};
  GetPanAndDelayTime(px, py, &change.first, &change.second);
  m_pListener->OnHfcCtrlPtrValueChanged(this, &change);
}

bool CHfcCtrlMTap::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  ReleaseFocus();
  SetMouseCapture();
  float best = 0.0f;
  const int nearest = NearestTap(static_cast<float>(x), static_cast<float>(y), 10000.0f, &best);
  if (nearest >= 0 && best <= m_param.hitDistance) {
    active_ = nearest;
    accX_ = lastX_ = static_cast<float>(x);
    accY_ = lastY_ = static_cast<float>(y);
    Report(accX_, accY_);
  }
  return true;
}

bool CHfcCtrlMTap::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture() || active_ < 0) return true;
  float dx = x - lastX_, dy = y - lastY_;
  if (mods & kHfcModShift) {
    dx *= 0.1f;
    dy *= 0.1f;
  }
  lastX_ = static_cast<float>(x);
  lastY_ = static_cast<float>(y);
  if (m_pListener) {
    accX_ += dx;
    accY_ += dy;
    Report(accX_, accY_);
  }
  return true;
}

bool CHfcCtrlMTap::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (!HoldsMouseCapture()) return false;
  ReleaseMouseCapture();
  return true;
}

void CHfcCtrlMTap::OnHfcMouseLostCapture(CHfcMouse*) {
  active_ = -1;
  if (m_iValue != 0 && m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, 1);
}

void CHfcCtrlMTap::SetPtrValue(void* p, bool redraw) {
  if (redraw) m_bDirty = true;
  const auto* change = static_cast<const tagHfcCtrlMTapChange*>(p);
  if (!change || !InRange(change->tap)) return;
  Tap& t = taps_[static_cast<size_t>(change->tap)];
  switch (change->operation) {
    case 0: t.pan = change->first; break;
    case 1: t.time = change->first; break;
    case 2:
      t.pan = change->first;
      t.time = change->second;
      break;
    case 3: highlighted_ = change->tap; break;
    default: break;
  }
}

void CHfcCtrlMTap::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int w = GetWidth(), h = GetHeight();
  dc->ClearRect(m_rcFrame.left, m_rcFrame.top, w, h);
  if (m_param.background)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, m_param.background, m_param.backgroundX, m_param.backgroundY);
  for (int i = 0; i < static_cast<int>(taps_.size()); ++i) {
    float x, y;
    GetTapPosition(i, &x, &y);
    const bool lit = i == highlighted_;
    dc->SetBrushColor(lit ? m_param.highlightFill : m_param.normalFill);
    dc->SetPenColor(lit ? m_param.highlightPen : m_param.normalPen);
    dc->SetPenWidth(lit ? m_param.pointSize : m_param.normalPenWidth);
    dc->FrameCircle(m_rcFrame.left + x, m_rcFrame.top + y, m_param.pointSize * (lit ? 0.3f : 0.5f));
  }
}
