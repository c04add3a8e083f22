#include "spare/CHfcCtrlEqGraph.h"

#include <algorithm>
#include <cmath>

#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "hfc/HfcModifiers.h"

bool CHfcCtrlEqGraph::Create(const tagHfcCtrlEqGraphParam* p, int id, int flags) {
  if (!p || p->bands < 1 || p->width <= 0 || p->height <= 0) return false;
  if (!(p->shownLowFreq > 0) || !(p->shownHighFreq > p->shownLowFreq) || !(p->shownHighGain > p->shownLowGain))
    return false;
  if (!CHfcControl::Create(p->x, p->y, p->width, p->height, id)) return false;
  (void)flags;
  m_param = *p;
  logShownLow_ = std::log10(p->shownLowFreq);
  logShownHigh_ = std::log10(p->shownHighFreq);
  logDragLow_ = std::log10(std::max(p->dragLowFreq, 1e-6f));
  logDragHigh_ = std::log10(std::max(p->dragHighFreq, 1e-6f));
  bands_.assign(static_cast<size_t>(p->bands), Band{});
  dragged_ = selected_ = -1;
  Enable(false);
  return true;
}

void CHfcCtrlEqGraph::Destroy() {
  m_param = tagHfcCtrlEqGraphParam{};
  bands_.clear();
  CHfcControl::Destroy();
}

void CHfcCtrlEqGraph::SetPtrValue(void* p, bool redraw) {
  if (redraw) m_bDirty = true;
  const auto* v = static_cast<const tagEqBandValue*>(p);
  if (!v || !ValidBand(v->band) || v->kind < 0 || v->kind >= 6) return;
  Band& b = bands_[static_cast<size_t>(v->band)];
  switch (v->kind) {
    case 0: b.frequency = v->values[0]; break;
    case 1: b.width = v->values[0]; break;
    case 2: b.gain = v->values[0]; break;
    case 3:
      b.b0 = v->values[0];
      b.b1 = v->values[1];
      b.b2 = v->values[2];
      b.a1 = v->values[3];
      b.a2 = v->values[4];
      break;
    case 4:
      if (v->values[0] > 0) sampleRate_ = v->values[0];  // a rate of 0 would divide every response
      break;
    case 5: selected_ = v->band; break;
  }
}

float CHfcCtrlEqGraph::GetFreqPosition(float f) const {
  if (!(f >= m_param.shownLowFreq && f <= m_param.shownHighFreq)) return -1.0f;
  return GetWidth() * (std::log10(f) - logShownLow_) / (logShownHigh_ - logShownLow_);
}

float CHfcCtrlEqGraph::GetGainPosition(float g) const {
  // A silent or undefined response (0 / 0) is off the axis too.
  if (!(g >= m_param.shownLowGain && g <= m_param.shownHighGain)) return -1.0f;
  return GetHeight() * (m_param.shownHighGain - g) / (m_param.shownHighGain - m_param.shownLowGain);
}

float CHfcCtrlEqGraph::GetPositionFreq(float x) const {
  const float e = logShownLow_ + (logShownHigh_ - logShownLow_) * x / GetWidth();
  return e > 0 ? std::pow(10.0f, e) : 0.0001f;
}

float CHfcCtrlEqGraph::GetPositionGain(float y) const {
  return m_param.shownLowGain + (m_param.shownHighGain - m_param.shownLowGain) * (GetHeight() - y) / GetHeight();
}

bool CHfcCtrlEqGraph::GetBandPosition(int band, float* x, float* y) const {
  if (!ValidBand(band)) return false;
  const Band& b = bands_[static_cast<size_t>(band)];
  if (x) *x = GetFreqPosition(b.frequency);
  if (y) *y = GetGainPosition(b.gain);
  return true;
}

int CHfcCtrlEqGraph::GetPositionBand(float x, float y) const {
  float best = static_cast<float>(GetWidth() + GetHeight());
  int found = -1;
  for (int i = 0; i < GetBandCount(); ++i) {
    float bx, by;
    GetBandPosition(i, &bx, &by);
    const float d = std::hypot(bx - x, by - y);
    if (d < best) {
      best = d;
      found = i;
    }
  }
  return found >= 0 && best <= 6.0f ? found : -1;
}

float CHfcCtrlEqGraph::GetGain(float f, bool clip) const {
  const double w = 6.2831855 * f / sampleRate_;
  double total = 0.0;
  for (const Band& b : bands_) {
    const double nr = b.b0 + b.b1 * std::cos(w) + b.b2 * std::cos(2 * w);
    const double ni = -(b.b1 * std::sin(w) + b.b2 * std::sin(2 * w));
    const double dr = 1 + b.a1 * std::cos(w) + b.a2 * std::cos(2 * w);
    const double di = -(b.a1 * std::sin(w) + b.a2 * std::sin(2 * w));
    total += 4.343 * std::log((nr * nr + ni * ni) / (dr * dr + di * di));
  }
  float g = static_cast<float>(total);
  if (clip) g = std::clamp(g, m_param.shownLowGain, m_param.shownHighGain);
  return g;
}

void CHfcCtrlEqGraph::DrawXLine(CHfcDrawContext* dc, float gain, unsigned colour) {
  if (!dc || gain < m_param.shownLowGain || gain > m_param.shownHighGain) return;
  const int y = static_cast<int>(GetHeight() * (m_param.shownHighGain - gain) /
                                 (m_param.shownHighGain - m_param.shownLowGain));
  if (y < 0) return;
  dc->SetPenColor(colour);
  dc->MoveTo(m_rcFrame.left, m_rcFrame.top + y);
  dc->LineTo(m_rcFrame.left + GetWidth(), m_rcFrame.top + y);
}

void CHfcCtrlEqGraph::DrawYLine(CHfcDrawContext* dc, float f, unsigned colour) {
  if (!dc) return;
  const int x = static_cast<int>(GetFreqPosition(f));
  if (x < 0) return;
  dc->SetPenColor(colour);
  dc->MoveTo(m_rcFrame.left + x, m_rcFrame.top);
  dc->LineTo(m_rcFrame.left + x, m_rcFrame.top + GetHeight());
}

void CHfcCtrlEqGraph::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int l = m_rcFrame.left, t = m_rcFrame.top, W = GetWidth(), H = GetHeight();
  dc->ClearRect(l, t, W, H);
  if (m_param.background) dc->CopyBmp(l, t, W, H, m_param.background, m_param.backgroundX, m_param.backgroundY);
  dc->SetPenColor(m_param.curveColour);
  dc->SetPenWidth(1.0f);
  auto inside = [H](float y) { return y >= 0 && y <= H - 1; };
  float prev = GetGainPosition(GetGain(GetPositionFreq(0), false));
  dc->MoveTo(static_cast<float>(l), t + prev);
  for (int i = 1; i <= W; ++i) {
    const float f = GetPositionFreq(static_cast<float>(i));
    if (f >= sampleRate_ * 0.5f) break;
    const float y = GetGainPosition(GetGain(f, false));
    if (inside(prev) && inside(y))
      dc->LineTo(static_cast<float>(l + i), t + y);
    else
      dc->MoveTo(static_cast<float>(l + i), t + y);
    prev = y;
  }
  for (int i = 0; i < GetBandCount(); ++i) {
    float bx, by;
    GetBandPosition(i, &bx, &by);
    const bool sel = i == selected_;
    const int x = static_cast<int>(bx) - 2, y = static_cast<int>(by) - 2;
    dc->SetPenWidth(1.0f);
    dc->ClearRect(l + x, t + y, 5, 5);
    dc->SetBrushColor(sel ? m_param.selectedFill : m_param.otherFill);
    dc->FillRect(l + x, t + y, 5, 5);
    dc->SetPenColor(sel ? m_param.selectedOutline : m_param.otherOutline);
    dc->FrameRect(l + x, t + y, 5, 5);
  }
}

void CHfcCtrlEqGraph::Report(int kind, float a, float b) {
  if (!m_pListener) return;
  tagEqBandValue v{kind, dragged_, {a, b, 0, 0, 0}};
  m_pListener->OnHfcCtrlPtrValueChanged(this, &v);
}

bool CHfcCtrlEqGraph::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  if (CHfcKey::sm_pInstance) CHfcKey::sm_pInstance->ReleaseFocus();
  SetMouseCapture();
  SetMouseCursorForMouseDown();
  for (int i = 0; i < GetBandCount(); ++i) {
    float bx, by;
    GetBandPosition(i, &bx, &by);
    const int hx = static_cast<int>(bx), hy = static_cast<int>(by);
    if (x >= hx - 3 && x <= hx + 3 && y >= hy - 3 && y <= hy + 3) {
      dragged_ = i;
      dragX_ = static_cast<float>(x);
      dragY_ = static_cast<float>(y);
      widthDrag_ = bands_[static_cast<size_t>(i)].width * 9.5f + 0.5f;
      lastX_ = x;
      lastY_ = y;
      Report(0, std::clamp(GetPositionFreq(dragX_), m_param.dragLowFreq, m_param.dragHighFreq),
             std::clamp(GetPositionGain(dragY_), m_param.dragLowGain, m_param.dragHighGain));
      break;
    }
  }
  return true;
}

bool CHfcCtrlEqGraph::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture() || dragged_ < 0) return true;
  float dx = static_cast<float>(x - lastX_), dy = static_cast<float>(y - lastY_);
  if (mods & kHfcModShift) {
    dx *= 0.1f;
    dy *= 0.1f;
  }
  lastX_ = x;
  lastY_ = y;
  if (mods & kHfcModOption) {
    widthDrag_ += dx * 0.1f;
    Report(1, widthDrag_, 0.0f);
  } else {
    dragX_ += dx;
    dragY_ += dy;
    Report(0, std::clamp(GetPositionFreq(dragX_), m_param.dragLowFreq, m_param.dragHighFreq),
           std::clamp(GetPositionGain(dragY_), m_param.dragLowGain, m_param.dragHighGain));
  }
  return true;
}

bool CHfcCtrlEqGraph::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (!HoldsMouseCapture()) return false;
  ReleaseMouseCapture();
  return true;
}

void CHfcCtrlEqGraph::OnHfcMouseLostCapture(CHfcMouse*) {
  dragged_ = -1;
  if (m_iValue != 0 && m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, 1);
}
