#include "spare/CHfcCtrlEnvelopeGraph.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcMouse.h"
#include "hfc/HfcModifiers.h"

CHfcCtrlEnvelopeGraph::CHfcCtrlEnvelopeGraph() : m_param{} {}

bool CHfcCtrlEnvelopeGraph::Create(const tagHfcCtrlEnvelopeGraphParam* p, int id, int flags) {
  if (!p || p->width <= 0 || p->height <= 0 || p->points < 2) return false;
  if (p->maximum == 0 || p->height <= p->handleSize || p->width < p->handleSize + p->points - 1 ||
      p->handleSize < 0 || p->maximum < p->minimum)
    return false;
  if (!CHfcControl::Create(p->x, p->y, p->width, p->height, id)) return false;
  (void)flags;
  m_param = *p;
  m_iMin = p->minimum;
  m_iMax = p->maximum;
  values_.assign(static_cast<size_t>(p->points), tagEnvelopeValue{0, 0, 0});
  positions_.assign(static_cast<size_t>(p->points), tagHfcPoint{0, 0});
  selected_ = kNoPoint;
  CalcPoints();
  m_bDirty = true;
  Enable(false);
  return true;
}

void CHfcCtrlEnvelopeGraph::Destroy() {
  values_.clear();
  positions_.clear();
  m_param = tagHfcCtrlEnvelopeGraphParam{};
  selected_ = kNoPoint;
  CHfcControl::Destroy();
}

void CHfcCtrlEnvelopeGraph::CalcPoints() {
  const int n = GetPointCount();
  if (n < 2) return;
  const int s = m_param.handleSize, W = m_param.width, H = m_param.height, M = m_param.maximum;
  const int step = (W - s) / (n - 1);
  auto levelY = [&](int level) { return (H - s) + s / 2 - level * (H - s) / M; };
  positions_[0] = {s / 2, levelY(values_[0].level)};
  for (int i = 1; i < n; ++i) {
    const auto& v = values_[static_cast<size_t>(i)];
    positions_[static_cast<size_t>(i)] = {positions_[static_cast<size_t>(i - 1)].x + v.time * step / M,
                                          levelY(v.level)};
  }
}

void CHfcCtrlEnvelopeGraph::SetPtrValue(void* value, bool redraw) {
  SetEnvelopeValue(static_cast<const tagEnvelopeValue*>(value), redraw);
}

void CHfcCtrlEnvelopeGraph::SetEnvelopeValue(const tagEnvelopeValue* value, bool redraw) {
  if (value) SetEnvelopeValue(value->index, value, redraw);
}

void CHfcCtrlEnvelopeGraph::SetEnvelopeValue(int index, const tagEnvelopeValue* value, bool redraw) {
  if (!value || !ValidIndex(index)) return;
  values_[static_cast<size_t>(index)].level = value->level;
  values_[static_cast<size_t>(index)].time = value->time;
  CalcPoints();
  if (redraw) m_bDirty = true;
}

bool CHfcCtrlEnvelopeGraph::GetEnvelopeValue(tagEnvelopeValue* value, int index) const {
  if (!value || !ValidIndex(index)) return false;
  *value = {index, values_[static_cast<size_t>(index)].level, values_[static_cast<size_t>(index)].time};
  return true;
}

void CHfcCtrlEnvelopeGraph::SetEnvelopeAllValue(const tagEnvelopeValue* values, bool redraw) {
  if (!values) return;
  for (size_t i = 0; i < values_.size(); ++i) {
    values_[i].level = values[i].level;
    values_[i].time = values[i].time;
  }
  CalcPoints();
  if (redraw) m_bDirty = true;
}

bool CHfcCtrlEnvelopeGraph::GetEnvelopeAllValue(tagEnvelopeValue* values) const {
  if (!values || values_.empty()) return false;
  for (size_t i = 0; i < values_.size(); ++i) {
    values[i].level = values_[i].level;
    values[i].time = values_[i].time;
  }
  return true;
}

int CHfcCtrlEnvelopeGraph::GetPointNumberFromPosition(const tagHfcPoint* pt) const {
  if (!pt) return kNoPoint;
  const int s = m_param.handleSize;
  for (int i = GetPointCount() - 1; i >= 0; --i) {
    const tagHfcPoint& p = positions_[static_cast<size_t>(i)];
    const int left = p.x - (s / 2 + 3), top = p.y - (s / 2 + 3);
    if (left < pt->x && pt->x < left + s + 6 && top < pt->y && pt->y < top + s + 6) return i;
  }
  return kNoPoint;
}

void CHfcCtrlEnvelopeGraph::Erase(CHfcDrawContext* dc) {
  if (dc && m_param.background)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, m_param.width, m_param.height, m_param.background,
                m_param.backgroundX, m_param.backgroundY);
}

void CHfcCtrlEnvelopeGraph::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  if (m_param.background)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), m_param.background, m_param.backgroundX,
                m_param.backgroundY);
  else
    dc->ClearRect(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight());
  const int n = GetPointCount();
  if (n < 2) return;
  const int ox = m_param.x, oy = m_param.y, s = m_param.handleSize;
  dc->SetPenColor(m_param.lineColour);
  dc->SetPenWidth(1.0f);
  dc->MoveTo(ox + positions_[0].x, oy + positions_[0].y);
  for (int i = 1; i < n; ++i)
    dc->LineTo(ox + positions_[static_cast<size_t>(i)].x, oy + positions_[static_cast<size_t>(i)].y);
  for (int i = 0; i < n; ++i) {
    const bool sel = i == selected_;
    const tagHfcPoint& p = positions_[static_cast<size_t>(i)];
    const int hx = ox + p.x - s / 2, hy = oy + p.y - s / 2;
    dc->SetBrushColor(sel ? m_param.selectedFill : m_param.otherFill);
    dc->FillRect(hx, hy, s, s);
    dc->SetPenColor(sel ? m_param.selectedOutline : m_param.otherOutline);
    dc->FrameRect(hx, hy, s, s);
  }
}

void CHfcCtrlEnvelopeGraph::Report() {
  if (!m_pListener || !ValidIndex(selected_)) return;
  tagEnvelopeValue v{selected_, values_[static_cast<size_t>(selected_)].level,
                     values_[static_cast<size_t>(selected_)].time};
  m_pListener->OnHfcCtrlPtrValueChanged(this, &v);
}

bool CHfcCtrlEnvelopeGraph::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  if ((mods & kHfcModCommand) && m_pListener) {
    int v = 0;
    if (m_pListener->OnHfcCtrlDefaultIntValueRequired(this, &v)) {
      m_iValue = v;
      m_bDirty = true;
    }
  }
  const tagHfcPoint pt{x, y};
  const int hit = GetPointNumberFromPosition(&pt);
  if (hit == kNoPoint) return false;
  selected_ = hit;
  m_bDirty = true;
  if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
  Report();
  SetMouseCapture();
  SetMouseCursorForMouseDown();
  ReleaseFocus();
  return true;
}

bool CHfcCtrlEnvelopeGraph::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture()) return false;
  const int p = selected_;
  if (!ValidIndex(p)) return true;
  const int s = m_param.handleSize, W = m_param.width, H = m_param.height, M = m_param.maximum;
  const int n = GetPointCount();
  const int yy = y - s / 2;
  int level = M - yy * M / (H - s);
  const int step = (W - s) / (n - 1);
  int time = 0;
  // A step of 0 (a graph narrower than its points need) has no time scale.
  if (p >= 1 && step > 0) time = (x - positions_[static_cast<size_t>(p - 1)].x) * M / step;
  level = ClipIntValueRange(level);
  time = ClipIntValueRange(time);
  if (m_pListener) {
    tagEnvelopeValue v{p, level, time};
    m_pListener->OnHfcCtrlPtrValueChanged(this, &v);
  }
  return true;
}

bool CHfcCtrlEnvelopeGraph::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (HoldsMouseCapture()) ReleaseMouseCapture();
  return true;
}

void CHfcCtrlEnvelopeGraph::OnHfcMouseLostCapture(CHfcMouse*) {
  CHfcMouse::SetCursorById(0);
  Report();
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
  selected_ = kNoPoint;
  m_bDirty = true;
}
