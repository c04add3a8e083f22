#include "editor/controls/CXBCtrlEnvelopeGraph.h"

#include <algorithm>

#include "editor/controls/GraphPointKeys.h"
#include "editor/controls/XBGraphPaint.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/HfcModifiers.h"
#include "platform/HfcTime.h"

const tagXBCtrlEnvelopeGraphParam CXBCtrlEnvelopeGraph::sm_mInitParam = {
    0,    0,     250, 100,     nullptr,     0,           0,           0,
    5,    nullptr, 0,   127,     0xFF000000u, 0xFF000000u, 0xFFFF0000u, 0xFF000000u,
    0xFF000000u, 0xFF000000u, 1.0f, 10.0f, 1, 0, 0, nullptr};

CXBCtrlEnvelopeGraph::CXBCtrlEnvelopeGraph() : m_param(sm_mInitParam) {}

CXBCtrlEnvelopeGraph::~CXBCtrlEnvelopeGraph() {
  if (m_bCreated) CXBCtrlEnvelopeGraph::Destroy();
  FreeArrays();
}

void CXBCtrlEnvelopeGraph::FreeArrays() {
  delete[] m_pPoints;
  delete[] m_pValues;
  m_pPoints = nullptr;
  m_pValues = nullptr;
}

bool CXBCtrlEnvelopeGraph::Create(tagXBCtrlEnvelopeGraphParam* param, int id, int idHigh) {
  if (!param || param->width <= 0 || param->height <= 0 || param->count < 2) return false;
  // Drags divide by the segment width and by the handle area's height,
  // point places by the maximum.
  const int s = param->pointSize;
  if ((param->width - s) / (param->count - 1) <= 0 || param->height - s <= 0) return false;
  if (param->maximum <= 0 || param->maximum <= param->minimum) return false;
  m_param = *param;
  CHfcControl::Create(m_param.x - 2, m_param.y - 2, m_param.width + 6, m_param.height + 6, id);
  m_iGroupId = idHigh;
  SetMinIntValue(m_param.minimum, true);
  SetMaxIntValue(m_param.maximum, true);
  m_fDragUnit = m_param.dragUnit;
  m_fDragScale = m_param.dragScale;
  FreeArrays();
  m_pPoints = new tagHfcPoint[m_param.count]{};
  m_pValues = new tagEnvelopeValue[m_param.count]{};
  for (int i = 0; i < m_param.count; ++i) m_pValues[i].index = i;
  m_bCreated = true;
  m_bEnabled = true;
  m_bDirty = true;
  m_bReadOnly = false;
  return true;
}

void CXBCtrlEnvelopeGraph::Destroy() {
  FreeArrays();
  m_bCreated = false;
  m_param = sm_mInitParam;
  m_iActive = m_iKey = m_iHit = -2;
  CHfcControl::Destroy();
}

int CXBCtrlEnvelopeGraph::GetSegmentWidth() const {
  return m_param.count > 1 ? (m_param.width - m_param.pointSize) / (m_param.count - 1) : 0;
}

void CXBCtrlEnvelopeGraph::CalcPoints() {
  if (!m_pPoints || !m_pValues) return;
  const int s = m_param.pointSize;
  const uint32_t seg = static_cast<uint32_t>(GetSegmentWidth());
  const uint32_t M = static_cast<uint32_t>(m_param.maximum);
  const uint32_t hs = static_cast<uint32_t>(m_param.height - s);
  int x = s / 2;
  for (int i = 0; i < m_param.count; ++i) {
    if (i > 0) x += static_cast<int32_t>(static_cast<uint32_t>(m_pValues[i].time) * seg / M);
    m_pPoints[i].x = x;
    m_pPoints[i].y = static_cast<int32_t>(hs + static_cast<uint32_t>(s / 2) -
                                          static_cast<uint32_t>(m_pValues[i].level) * hs / M);
  }
}

void CXBCtrlEnvelopeGraph::SetEnvelopeValue(int index, tagEnvelopeValue* value, bool redraw) {
  if (!value || !m_pValues || index < 0 || index >= m_param.count) return;
  m_pValues[index].level = value->level;
  m_pValues[index].time = value->time;
  CalcPoints();
  if (redraw) m_bDirty = true;
}

void CXBCtrlEnvelopeGraph::SetEnvelopeValue(tagEnvelopeValue* value, bool redraw) {
  if (value) SetEnvelopeValue(value->index, value, redraw);
}

void CXBCtrlEnvelopeGraph::SetPtrValue(void* value, bool redraw) {
  SetEnvelopeValue(static_cast<tagEnvelopeValue*>(value), redraw);
}

bool CXBCtrlEnvelopeGraph::GetEnvelopeValue(tagEnvelopeValue* out, int index) {
  if (!out || !m_pValues || index < 0 || index >= m_param.count) return false;
  *out = {index, m_pValues[index].level, m_pValues[index].time};
  return true;
}

void CXBCtrlEnvelopeGraph::SetEnvelopeAllValue(tagEnvelopeValue* value, bool redraw) {
  if (!value || !m_pValues) return;
  for (int i = 0; i < m_param.count; ++i) {
    m_pValues[i].level = value->level;
    m_pValues[i].time = value->time;
  }
  CalcPoints();
  if (redraw) m_bDirty = true;
}

bool CXBCtrlEnvelopeGraph::GetEnvelopeAllValue(tagEnvelopeValue* out) {
  if (!out || !m_pValues) return false;
  for (int i = 0; i < m_param.count; ++i) {
    out[i].level = m_pValues[i].level;
    out[i].time = m_pValues[i].time;
  }
  return true;
}

void CXBCtrlEnvelopeGraph::SetActivePoint(int index, bool focus) {
  if (index < -1) return;
  if (m_bFocusOnClick && focus) SetFocus(0);
  m_iActive = m_iKey = m_iHit = index;
  m_bDirty = true;
  if (m_pListener) m_pListener->OnHfcCtrlMouseLostCapture(this);
}

uint32_t CXBCtrlEnvelopeGraph::Colour(uint32_t colour) const {
  return m_bEnabled ? colour : XBScaleAlpha(colour, m_fDisabledAlpha);
}

void CXBCtrlEnvelopeGraph::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  const float alpha = m_bEnabled ? 1.0f : m_fDisabledAlpha;
  if (m_param.background)
    dc->CopyBmpAlpha(left, top, GetWidth() + 4, GetHeight() + 4, m_param.background, alpha,
                     m_param.backgroundX - 2, m_param.backgroundY - 2);
  else
    dc->ClearRect(left, top, GetWidth(), GetHeight());
  if (!m_pPoints) return;
  const uint32_t pen = dc->GetPenColor();
  const uint32_t brush = dc->GetBrushColor();
  const float penWidth = dc->GetPenWidth();
  const int s = m_param.pointSize;
  const int gx = m_param.x;
  const int gy = m_param.y;
  const int w = m_param.width;
  const int h = m_param.height;
  const int n = m_param.count;
  const int seg = GetSegmentWidth();

  // The span the point being dragged can move in.
  if (m_iActive >= 0 && m_iActive < n) {
    int from = m_iActive == 0 ? gx + m_pPoints[0].x - s : gx + m_pPoints[m_iActive - 1].x - s / 2;
    from = std::max(from, left);
    dc->SetBrushColor(0x25A5ACB3u);
    dc->FillRect(from, gy - 1, seg + s, h + 11 - s);
  }

  // The zone under the polyline, one column per pixel.
  float base;
  if (m_param.baseline == 0)
    base = static_cast<float>(gy + h);
  else if (m_param.baseline == 1)
    base = static_cast<float>(gy + h / 2);
  else
    base = 0.0f;
  dc->SetBrushColor(Colour(m_param.zoneColor));
  auto column = [&](int x, float y) {
    const float y0 = std::min(y, base);
    const float y1 = std::max(y, base);
    if (y1 > y0) dc->FillRect(static_cast<float>(x), y0, 1.0f, y1 - y0);
  };
  if (s >= 4)
    for (int x = gx + 1; x <= gx + s / 2 - 1; ++x) column(x, static_cast<float>(gy + m_pPoints[0].y));
  for (int i = 0; i + 1 < n; ++i) {
    const int dx = m_pPoints[i + 1].x - m_pPoints[i].x;
    const float slope =
        dx != 0 ? static_cast<float>(m_pPoints[i + 1].y - m_pPoints[i].y) / static_cast<float>(dx) : 0.0f;
    for (int c = 0; c < dx; ++c)
      column(gx + m_pPoints[i].x + c, static_cast<float>(gy + m_pPoints[i].y) + c * slope);
  }
  for (int x = gx + m_pPoints[n - 1].x; x <= gx + w - 5; ++x)
    column(x, static_cast<float>(gy + m_pPoints[n - 1].y));

  // The polyline, continued level after the last point.
  dc->SetPenColor(Colour(m_param.lineColor));
  dc->SetPenWidth(1.0f);
  dc->MoveTo(gx + m_pPoints[0].x, gy + m_pPoints[0].y);
  for (int i = 1; i < n; ++i) dc->LineTo(gx + m_pPoints[i].x, gy + m_pPoints[i].y);
  dc->LineTo(gx + w - 4, gy + m_pPoints[n - 1].y);

  for (int i = 0; i < n; ++i) {
    if (i == m_iActive) continue;
    DrawHandle(dc, i, m_param.enabledPoints && m_param.enabledPoints[i] != 0);
  }
  if (m_iActive >= 0 && m_iActive < n) {
    DrawHandle(dc, m_iActive, true);
    if (IsFocused() && m_uFocusColor != 0)
      XBDrawCornerMarks(dc, gx + m_pPoints[m_iActive].x, gy + m_pPoints[m_iActive].y, 6, 2, m_uFocusColor);
  }
  dc->SetPenColor(pen);
  dc->SetBrushColor(brush);
  dc->SetPenWidth(penWidth);
}

void CXBCtrlEnvelopeGraph::DrawHandle(CHfcDrawContext* dc, int i, bool full) {
  const int s = m_param.pointSize;
  const int px = m_param.x + m_pPoints[i].x;
  const int py = m_param.y + m_pPoints[i].y;
  dc->SetBrushColor(Colour(m_param.pointFillColor));
  if (!full) {
    dc->FillRect(px - 2, py - 2, 5, 5);
    return;
  }
  dc->FillRect(px - s / 2, py - s / 2, s, s);
  dc->SetPenColor(Colour(m_param.pointFrameColor));
  dc->SetPenWidth(1.0f);
  dc->FrameRect(px - s / 2, py - s / 2, s, s);
  CHfcBmp* names = m_param.pointNames;
  if (names && i < 6) {
    const int lh = names->GetHeight() / 6;
    dc->CopyBmpAlpha(px - 1, py - 2, names->GetWidth(), lh, names, m_bEnabled ? 1.0f : m_fDisabledAlpha, 0,
                     i * lh);
  }
}

void CXBCtrlEnvelopeGraph::DrawFocus(CHfcDrawContext* dc) {
  if (!dc || !m_bCreated || !m_bVisible || m_uFocusColor == 0 || !m_pPoints) return;
  if (m_iKey < 0 || m_iKey >= m_param.count) return;
  XBDrawCornerMarks(dc, m_param.x + m_pPoints[m_iKey].x, m_param.y + m_pPoints[m_iKey].y, 6, 2,
                    m_uFocusColor);
}

void CXBCtrlEnvelopeGraph::Erase(CHfcDrawContext* dc) {
  if (dc && m_param.background)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, m_param.width, m_param.height, m_param.background,
                m_param.backgroundX, m_param.backgroundY);
}

int CXBCtrlEnvelopeGraph::HitTest(int x, int y) const {
  if (!m_pPoints || !m_param.enabledPoints) return -2;
  const int s = m_param.pointSize;
  int hit = -2;
  for (int i = 0; i < m_param.count; ++i) {
    if (!m_param.enabledPoints[i]) continue;
    const int x0 = m_pPoints[i].x - (s / 2 + 3);
    const int y0 = m_pPoints[i].y - (s / 2 + 3);
    if (x > x0 && x < x0 + s + 6 && y > y0 && y < y0 + s + 6) hit = i;
  }
  return hit;
}

void CXBCtrlEnvelopeGraph::Report(int point, int level, int time) {
  if (!m_pListener) return;
  tagEnvelopeValue v{point, level, time};
  m_pListener->OnHfcCtrlPtrValueChanged(this, &v);
}

bool CXBCtrlEnvelopeGraph::Press(int x, int y, int mods, bool releaseKeyOnConsume) {
  if (m_bReadOnly || !m_pValues) return false;
  m_iPressTime = static_cast<int>(HfcGetSystemTimeMs());
  m_iKey = -2;
  m_iHit = HitTest(x, y);
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) {
    if (releaseKeyOnConsume && CHfcKey::sm_pInstance) CHfcKey::sm_pInstance->ReleaseFocus();
    return true;
  }
  if ((mods & kHfcModCommand) && m_pListener) {
    int value = 0;
    if (m_pListener->OnHfcCtrlDefaultIntValueRequired(this, &value)) SetIntValue(value, true);
  }
  const int s = m_param.pointSize;
  const int M = m_param.maximum;
  const tagEnvelopeValue v = m_iHit >= 0 ? m_pValues[m_iHit] : tagEnvelopeValue{0, 0, 0};
  if (m_iHit >= 0) {
    m_iActive = m_iHit;
    m_bDirty = true;
    if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
    Report(m_iHit, v.level, v.time);
    SetMouseCapture();
    SetMouseCursorForMouseDown();
    if (CHfcKey::sm_pInstance) CHfcKey::sm_pInstance->ReleaseFocus();
    if (m_bFocusOnClick)
      SetFocus(0);
    else
      ReleaseFocus();
  }
  m_ptLast = {x, y};
  m_iLastTime = v.time;
  m_iLastLevel = s / 2 + M - v.level;
  m_bMoved = false;
  m_fAccX = (v.time + 0.5f) * m_fDragScale;
  m_fAccY = (s / 2 + M - v.level + 0.5f) * m_fDragScale;
  return m_iHit >= 0;
}

bool CXBCtrlEnvelopeGraph::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  return Press(x, y, mods, true);
}

bool CXBCtrlEnvelopeGraph::OnHfcMouseLButtonDoubleClick(CHfcMouse*, int x, int y, int mods) {
  return Press(x, y, mods, false);
}

bool CXBCtrlEnvelopeGraph::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (!HoldsMouseCapture()) {
    if (m_pListener && !m_bReadOnly) m_pListener->OnHfcCtrlMouseMove(this, x, y, mods);
    return true;
  }
  if (m_iActive < 0 || m_iActive >= m_param.count) return true;
  const int s = m_param.pointSize;
  const int M = m_param.maximum;
  const float dx = static_cast<float>(x - m_ptLast.x);
  const float dy = static_cast<float>(y - m_ptLast.y);
  float stepX;
  float stepY;
  float factor;
  if (mods & 1) {
    stepX = dx * 0.5f;
    stepY = dy * 0.5f;
    factor = 1.0f;
  } else {
    const float R = static_cast<float>(M + 1 - m_param.minimum);
    stepX = dx * m_fDragScale * R / static_cast<float>(GetSegmentWidth());
    stepY = dy * m_fDragScale * R / static_cast<float>(m_param.height - s);
    factor = GetMouseDeltaRatio();
    if (factor != 1.0f) factor *= 0.5f;
  }
  m_fAccX += stepX * factor;
  m_fAccY += stepY * factor;
  const int time = ClipIntValueRange(static_cast<int>(m_fAccX / m_fDragScale));
  const int level = ClipIntValueRange(M + s / 2 - static_cast<int>(m_fAccY / m_fDragScale));
  if (m_pListener && (time != m_iLastTime || level != m_iLastLevel)) Report(m_iActive, level, time);
  m_ptLast = {x, y};
  m_iLastTime = time;
  m_iLastLevel = level;
  m_bMoved = true;
  return true;
}

bool CXBCtrlEnvelopeGraph::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (HoldsMouseCapture()) {
    ReleaseMouseCapture();
    return true;
  }
  return false;
}

void CXBCtrlEnvelopeGraph::OnHfcMouseLostCapture(CHfcMouse*) {
  CHfcMouse::SetCursorById(0);
  const int active = m_iActive;
  m_iActive = -2;
  m_bDirty = true;
  if (!m_pListener || !m_pValues || active < 0 || active >= m_param.count) return;
  // Until the first move the stored pair is the press's, not a value.
  if (m_bMoved)
    Report(active, m_iLastLevel, m_iLastTime);
  else
    Report(active, m_pValues[active].level, m_pValues[active].time);
  m_pListener->OnHfcCtrlEndEdit(this);
}

bool CXBCtrlEnvelopeGraph::OnKeyDown(int key, int, int) {
  if (HoldsMouseCapture()) return false;
  if (m_iKey < 0 || m_iKey >= m_param.count || !m_pValues) return false;
  int time = m_pValues[m_iKey].time;
  int level = m_pValues[m_iKey].level;
  if (!GraphPointKeyStep(key, 2 - m_param.keyTimeStepAdjust, &time, &level)) return false;
  time = ClipIntValueRange(time);
  level = ClipIntValueRange(level);
  if (m_pListener && (time != m_iLastTime || level != m_iLastLevel)) Report(m_iKey, level, time);
  m_iLastTime = time;
  m_iLastLevel = level;
  return true;
}

bool CXBCtrlEnvelopeGraph::OnKeyRepeat(int chr, int key, int mods) { return OnKeyDown(chr, key, mods); }
