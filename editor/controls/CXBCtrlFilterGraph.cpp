#include "editor/controls/CXBCtrlFilterGraph.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "editor/controls/GraphPointKeys.h"
#include "editor/controls/XBGraphPaint.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/HfcModifiers.h"
#include "platform/HfcTime.h"

const tagXBCtrlFilterGraphParam CXBCtrlFilterGraph::sm_mInitParam = {
    0,           0,           250,         100,         nullptr,     nullptr, 0,    0,
    0,           5,           nullptr,     0,           127,         0xFF000000u, 0xFF000000u,
    0xFFFF0000u, 0xFF000000u, 0xFF000000u, 0xFF000000u, 1.0f,        10.0f,   1};

CXBCtrlFilterGraph::CXBCtrlFilterGraph() : m_param(sm_mInitParam) {}

CXBCtrlFilterGraph::~CXBCtrlFilterGraph() {
  if (m_bCreated) CXBCtrlFilterGraph::Destroy();
  FreeStore();
}

void CXBCtrlFilterGraph::FreeStore() {
  delete[] m_pValues;
  delete[] m_pPoints;
  m_pValues = nullptr;
  m_pPoints = nullptr;
}

bool CXBCtrlFilterGraph::Create(tagXBCtrlFilterGraphParam* param, int id, int idHigh) {
  if (!param || param->width <= 0 || param->height <= 0) return false;
  // Every drag step and point place divides by these.
  const int s = param->pointSize;
  if (param->width - s <= 0 || param->height - s <= 0) return false;
  if (param->maximum <= 0 || param->maximum <= param->minimum) return false;
  m_param = *param;
  CHfcControl::Create(m_param.x - 2, m_param.y - 2, m_param.width + 6, m_param.height + 6, id);
  m_iGroupId = idHigh;
  SetMinIntValue(m_param.minimum, true);
  SetMaxIntValue(m_param.maximum, true);
  m_fDragScale = m_param.dragScale;
  m_iKeyAdjust = m_param.keyTimeStepAdjust;
  FreeStore();
  m_iType = m_param.filterType;
  m_iCount = 1;
  m_pValues = new tagFilterValue[2]{};
  m_pPoints = new tagHfcPoint[2]{};
  m_bCreated = true;
  m_bEnabled = true;
  m_bDirty = true;
  m_bReadOnly = false;
  return true;
}

void CXBCtrlFilterGraph::Destroy() {
  FreeStore();
  m_param = sm_mInitParam;
  m_iActive = -2;
  m_iKey = -2;
  CHfcControl::Destroy();
}

void CXBCtrlFilterGraph::SetFilterType(int type, bool redraw) {
  m_iType = type;
  if (type >= 0 && type <= 3) m_iCount = 1;
  if (redraw) m_bDirty = true;
}

void CXBCtrlFilterGraph::SetFilterValue(int index, tagFilterValue* value, bool redraw) {
  if (!value || !m_pValues || index < 0 || index > m_iCount) return;
  m_pValues[index].index = index;
  m_pValues[index].level = value->level;
  m_pValues[index].time = value->time;
  CalcPoints();
  m_iLastIndex = index;
  if (redraw) m_bDirty = true;
}

void CXBCtrlFilterGraph::SetFilterValue(tagFilterValue* value, bool redraw) {
  if (value) SetFilterValue(value->index, value, redraw);
}

void CXBCtrlFilterGraph::SetPtrValue(void* value, bool redraw) {
  SetFilterValue(static_cast<tagFilterValue*>(value), redraw);
}

bool CXBCtrlFilterGraph::GetFilterValue(tagFilterValue* out, int index) {
  if (!out || !m_pValues || index < 0 || index >= m_iCount) return false;
  *out = {index, m_pValues[index].level, m_pValues[index].time};
  return true;
}

void CXBCtrlFilterGraph::SetFilterAllValue(tagFilterValue* value, bool redraw) {
  if (!value || !m_pValues) return;
  for (int i = 0; i < m_iCount; ++i) {
    m_pValues[i].level = value->level;
    m_pValues[i].time = value->time;
  }
  CalcPoints();
  if (redraw) m_bDirty = true;
}

bool CXBCtrlFilterGraph::GetFilterAllValue(tagFilterValue* out) {
  if (!out || !m_pValues) return false;
  for (int i = 0; i < m_iCount; ++i) {
    out[i].level = m_pValues[i].level;
    out[i].time = m_pValues[i].time;
  }
  return true;
}

void CXBCtrlFilterGraph::CalcPoints() {
  if (!m_pValues || !m_pPoints) return;
  const uint32_t s = static_cast<uint32_t>(m_param.pointSize);
  const uint32_t M = static_cast<uint32_t>(m_param.maximum);
  const uint32_t w = static_cast<uint32_t>(m_param.width);
  const uint32_t h = static_cast<uint32_t>(m_param.height);
  for (int i = 0; i < m_iCount; ++i) {
    const uint32_t t = static_cast<uint32_t>(m_pValues[i].time);
    const uint32_t l = static_cast<uint32_t>(m_pValues[i].level);
    m_pPoints[i].x = static_cast<int32_t>(t * (w - s) / M + s / 2);
    m_pPoints[i].y = static_cast<int32_t>((h - s) + s / 2 - l * (h - s) / M);
  }
}

int CXBCtrlFilterGraph::ConvertCutoffValue(int halfCutoff) {
  const int i = std::clamp(halfCutoff, 0, 99);
  return m_param.width >= 100 ? sm_aiConvertCutoffRealWave[i] : sm_aiConvertCutoffRoutingJumpWave[i];
}

uint32_t CXBCtrlFilterGraph::CurveColor(uint32_t colour) const {
  return m_bEnabled ? colour : XBScaleAlpha(colour, m_fDisabledAlpha);
}

void CXBCtrlFilterGraph::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  if (m_param.backdrop)
    dc->CopyBmp(left, top, GetWidth(), GetHeight(), m_param.backdrop, m_param.pictureX - 2,
                m_param.pictureY - 2);
  else
    dc->ClearRect(left, top, GetWidth(), GetHeight());
  if (m_param.frame)
    dc->CopyBmpAlpha(left, top, GetWidth(), GetHeight(), m_param.frame,
                     m_bEnabled ? 1.0f : m_fDisabledAlpha, m_param.pictureX - 2, m_param.pictureY - 2);
  DrawRegion(dc);
  if (m_pValues) {
    m_iHalfCutoff[0] = m_pValues[0].time / 2;
    m_iHalfCutoff[1] = m_pValues[1].time / 2;
    const int cutoff = ConvertCutoffValue(m_iHalfCutoff[0]);
    ConvertCutoffValue(m_iHalfCutoff[1]);
    if (m_iType >= 0 && m_iType <= 3) DrawCurve(dc, cutoff, m_pValues[0].level - 99, m_iType);
  }
  DrawPoints(dc);
}

void CXBCtrlFilterGraph::DrawRegion(CHfcDrawContext* dc) {
  if (m_iActive < 0) return;
  const uint32_t brush = dc->GetBrushColor();
  dc->SetBrushColor(0x30A5ACB3u);
  dc->FillRect(m_param.x - 1, m_param.y, m_param.width + 3, m_param.height / 2);
  dc->SetBrushColor(brush);
}

void CXBCtrlFilterGraph::DrawCurve(CHfcDrawContext* dc, int cutoffIndex, int resonance, int type) {
  const int row = std::clamp(cutoffIndex, 0, 99);
  double a;
  double c;
  double k;
  if (resonance < 0) {
    a = FilterCoefTBLHighPassWave[row][0];
    c = 0.0;
    k = 0.0;
  } else {
    a = FilterCoefTBLHighPassWave[row][1];
    c = FilterCoefTBLHighPassWave[row][2];
    k = resonance <= 99 ? resonance * 3.9 / 99 : 3.8999999999999995;
  }
  m_iLastRow = row;
  m_dLastGain = k;
  m_fLastPole = static_cast<float>(a);
  m_fLastZero = static_cast<float>(c);

  const double P = std::pow(1.0 - a, 4.0);
  const double d1 = k * c * P + 4 * a + c;
  const double d2 = k * P + 4 * a * c + 6 * a * a;
  const double d3 = 6 * c * a * a + 4 * a * a * a;
  const double d4 = 4 * c * a * a * a + a * a * a * a;
  const double d5 = a * a * a * a * c;
  const int W = m_param.width;
  const uint32_t pen = dc->GetPenColor();
  const float penWidth = dc->GetPenWidth();

  CurvePen plot;
  for (int i = 0; i < 10 * W; i += 5) {
    const double f = 440.0 * std::pow(2.0, (i - 290) / 60.0);
    if (f > 15625.0) break;
    const double w = 2.0 * M_PI * f / 31250.0;
    const std::complex<double> z1 = std::polar(1.0, -w);
    const std::complex<double> z2 = z1 * z1;
    const std::complex<double> z3 = z2 * z1;
    const std::complex<double> z4 = z3 * z1;
    const std::complex<double> z5 = z4 * z1;
    std::complex<double> D = 1.0 - d1 * z1 + d2 * z2 - d3 * z3 + d4 * z4 - d5 * z5;
    std::complex<double> N;
    if (type == 1) {
      D *= 4.0;
      N = {std::cos(2 * w) + c * P * std::cos(w), std::sin(2 * w) - c * P * std::sin(w) + P};
    } else {
      N = P * (1.0 - c * z1);
    }
    const double level = 20.0 * std::log10(std::abs(N) / std::abs(D));
    float x;
    float y;
    if (W < 51) {
      x = static_cast<float>(25.0 * std::log10(f) - 25.0 + 5.0);
      y = static_cast<float>(16.0 - (level * 0.6f + 0.5));
    } else {
      x = static_cast<float>(30.0 * std::log10(f) - 30.0 + 2.0);
      y = static_cast<float>(20.4 - (level * 0.816f + 0.5));
    }
    PlotCurveSample(dc, plot, i == 0, level, x, y);
  }
  dc->SetPenColor(pen);
  dc->SetPenWidth(penWidth);
}

void CXBCtrlFilterGraph::PlotCurveSample(CHfcDrawContext* dc, CurvePen& pen, bool start, double level,
                                         float x, float y) {
  const int W = m_param.width;
  const int H = m_param.height;
  const float left = static_cast<float>(m_rcFrame.left);
  const float top = static_cast<float>(m_rcFrame.top);
  if (start) {
    pen.px = x + 4;
    pen.py = y;
  }
  if (!(level >= -90.0)) {
    pen.gap = true;
    return;
  }
  if (pen.first) {
    pen.first = false;
    if (y > 2 && y < H && x >= 30 && x < W + 50) {
      pen.px = x;
      pen.py = y;
    }
    return;
  }
  if (y > 2 && y < H + 1 && x > 2 && x < W - 1) {
    dc->SetPenColor(CurveColor(m_param.curveFillColor));
    dc->SetPenWidth(4.0f);
    dc->MoveTo(left + x, top + y);
    dc->LineTo(left + x, top + static_cast<float>(H + 1));
    dc->SetPenColor(CurveColor(m_param.curveLineColor));
    dc->SetPenWidth(0.5f);
    if (pen.gap)
      dc->MoveTo(left + x, top + y);
    else
      dc->MoveTo(left + pen.px, top + pen.py);
    dc->LineTo(left + x, top + y);
    pen.gap = false;
  }
  pen.px = x;
  pen.py = y;
}

void CXBCtrlFilterGraph::DrawPoints(CHfcDrawContext* dc) {
  if (!m_pPoints) return;
  const int s = m_param.pointSize;
  const uint32_t pen = dc->GetPenColor();
  const uint32_t brush = dc->GetBrushColor();
  auto drawOne = [&](int i) {
    const int x = m_param.x + m_pPoints[i].x - s / 2;
    const int y = m_param.y + m_pPoints[i].y - s / 2;
    dc->SetBrushColor(CurveColor(m_param.pointFillColor));
    dc->FillRect(x, y, s, s);
    dc->SetPenColor(CurveColor(m_param.pointFrameColor));
    dc->SetPenWidth(1.0f);
    dc->FrameRect(x, y, s, s);
    if (m_param.label)
      dc->CopyBmpAlpha(x + 2, y + 2, m_param.label->GetWidth(), m_param.label->GetHeight(), m_param.label,
                       m_bEnabled ? 1.0f : m_fDisabledAlpha, 0, 0);
  };
  for (int i = 0; i < m_iCount; ++i)
    if (i != m_iActive) drawOne(i);
  if (m_iActive >= 0 && m_iActive < m_iCount) drawOne(m_iActive);
  if (m_iKey >= 0 && m_iKey < m_iCount && IsFocused()) DrawFocusCalc(dc, m_iKey);
  dc->SetPenColor(pen);
  dc->SetBrushColor(brush);
}

void CXBCtrlFilterGraph::DrawFocusCalc(CHfcDrawContext* dc, int point) {
  if (!m_pPoints || point < 0 || point >= m_iCount || m_uFocusColor == 0) return;
  XBDrawCornerMarks(dc, m_param.x + m_pPoints[point].x, m_param.y + m_pPoints[point].y, 5, 2,
                    m_uFocusColor);
}

void CXBCtrlFilterGraph::DrawFocus(CHfcDrawContext* dc) {
  if (!dc || !m_bCreated || !m_bVisible) return;
  DrawFocusCalc(dc, m_iKey);
}

void CXBCtrlFilterGraph::Erase(CHfcDrawContext* dc) {
  if (dc && m_param.backdrop)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, m_param.width, m_param.height, m_param.backdrop,
                m_param.pictureX, m_param.pictureY);
}

int CXBCtrlFilterGraph::GetPointNumberFromPosition(tagHfcPoint* p) {
  if (!p || !m_pPoints) return -2;
  const int s = m_param.pointSize;
  int hit = -2;
  auto test = [&](int i) {
    const int x0 = m_pPoints[i].x - (s / 2 + 5);
    const int y0 = m_pPoints[i].y - (s / 2 + 5);
    if (p->x > x0 && p->x < x0 + s + 10 && p->y > y0 && p->y < y0 + s + 10) hit = i;
  };
  if (m_iLastIndex == 0)
    for (int i = m_iCount - 1; i >= 0; --i) test(i);
  else
    for (int i = 0; i < m_iCount; ++i) test(i);
  return hit;
}

void CXBCtrlFilterGraph::Report(int point, int level, int time) {
  if (!m_pListener) return;
  tagFilterValue v{point, level, time};
  m_pListener->OnHfcCtrlPtrValueChanged(this, &v);
}

bool CXBCtrlFilterGraph::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_bReadOnly || !m_pValues) return false;
  m_iPressTime = static_cast<int>(HfcGetSystemTimeMs());
  m_iKey = -2;
  tagHfcPoint p{x, y};
  const int hit = GetPointNumberFromPosition(&p);
  auto focus = [this] {
    if (m_bFocusOnClick)
      SetFocus(0);
    else
      ReleaseFocus();
  };
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) {
    focus();
    return true;
  }
  if ((mods & kHfcModCommand) && m_pListener) {
    int value = 0;
    if (m_pListener->OnHfcCtrlDefaultIntValueRequired(this, &value)) SetIntValue(value, true);
  }
  const int s = m_param.pointSize;
  const int M = m_param.maximum;
  const tagFilterValue v = hit >= 0 ? m_pValues[hit] : tagFilterValue{0, 0, 0};
  if (hit >= 0) {
    m_iActive = hit;
    m_bDirty = true;
    if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
    Report(hit, v.level, v.time);
    SetMouseCapture();
    SetMouseCursorForMouseDown();
    if (CHfcKey::sm_pInstance) CHfcKey::sm_pInstance->ReleaseFocus();
    focus();
  }
  m_ptLast = p;
  m_iLastTime = v.time;
  m_iLastLevel = s / 2 + M - v.level;
  m_bMoved = false;
  m_fAccX = (v.time + 0.5f) * m_fDragScale;
  m_fAccY = (s / 2 + M - v.level + 0.5f) * m_fDragScale;
  return hit >= 0;
}

bool CXBCtrlFilterGraph::OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) {
  if (!HoldsMouseCapture() || m_iActive < 0 || !m_pValues) {
    if (m_pListener) m_pListener->OnHfcCtrlMouseMove(this, x, y, mods);
    return true;
  }
  const int s = m_param.pointSize;
  const int M = m_param.maximum;
  const float dx = static_cast<float>(x - m_ptLast.x);
  const float dy = static_cast<float>(y - m_ptLast.y);
  float stepX;
  float stepY;
  float ratio;
  if (mods & 1) {
    stepX = dx * m_fDragScale * 0.5f;
    stepY = dy * m_fDragScale * 0.5f;
    ratio = 1.0f;
  } else {
    const float R = static_cast<float>(M + 1 - m_param.minimum);
    stepX = dx * m_fDragScale * R / static_cast<float>(m_param.width - s);
    stepY = dy * m_fDragScale * R / static_cast<float>(m_param.height - s);
    ratio = GetMouseDeltaRatio();
  }
  m_fAccX += stepX;
  m_fAccY += stepY * ratio;
  const int time = ClipIntValueRange(static_cast<int>(m_fAccX / m_fDragScale));
  const int level = ClipIntValueRange(s / 2 - static_cast<int>(m_fAccY / m_fDragScale) + M);
  if (m_pListener && (time != m_iLastTime || level != m_iLastLevel)) Report(m_iActive, level, time);
  m_iLastTime = time;
  m_iLastLevel = level;
  m_bMoved = true;
  m_ptLast = {x, y};
  return true;
}

bool CXBCtrlFilterGraph::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (HoldsMouseCapture()) {
    ReleaseMouseCapture();
    return true;
  }
  return false;
}

void CXBCtrlFilterGraph::OnHfcMouseLostCapture(CHfcMouse*) {
  CHfcMouse::SetCursorById(0);
  const int active = m_iActive;
  if (m_pListener && m_pValues && active >= 0 && active < 2) {
    // Until the first move the stored pair is the press's, not a value.
    if (m_bMoved)
      Report(active, m_iLastLevel, m_iLastTime);
    else
      Report(active, m_pValues[active].level, m_pValues[active].time);
    m_pListener->OnHfcCtrlEndEdit(this);
    m_iKey = active;
    m_iActive = -2;
    m_bDirty = true;
    m_pListener->OnHfcCtrlMouseLostCapture(this);
    return;
  }
  m_iKey = active;
  m_iActive = -2;
  m_bDirty = true;
}

bool CXBCtrlFilterGraph::OnKeyDown(int key, int, int) {
  if (HoldsMouseCapture()) return false;
  if (m_iKey < 0 || !m_pValues || m_iKey >= m_iCount) return false;
  int time = m_pValues[m_iKey].time;
  int level = m_pValues[m_iKey].level;
  if (!GraphPointKeyStep(key, 2 - m_iKeyAdjust, &time, &level)) return false;
  time = ClipIntValueRange(time);
  level = ClipIntValueRange(level);
  if (m_pListener && (time != m_iLastTime || level != m_iLastLevel)) Report(m_iKey, level, time);
  m_iLastTime = time;
  m_iLastLevel = level;
  return true;
}

bool CXBCtrlFilterGraph::OnKeyRepeat(int chr, int key, int mods) { return OnKeyDown(chr, key, mods); }
