#include "editor/controls/ZubZoneSlopeBar.h"

#include <algorithm>
#include <cmath>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcMouse.h"
#include "platform/HfcTime.h"

ZubZoneSlopeBar::~ZubZoneSlopeBar() {
  if (m_bCreated) ZubZoneSlopeBar::Destroy();
}

bool ZubZoneSlopeBar::Create(const tagKvxCtrlZoneSlopeBarParam* param, int id, int idHigh) {
  if (!param) return false;
  tagKvxCtrlZoneSlopeBarParam p = *param;
  if (p.width == 0) {
    if (!p.background) return false;
    p.width = p.background->GetWidth();
  }
  if (p.height == 0) {
    if (!p.background) return false;
    p.height = p.background->GetHeight();
  }
  if (p.barWidth == 0) {
    if (!p.zone) return false;
    p.barWidth = p.zone->GetWidth();
  }
  if (p.barHeight == 0) {
    if (!p.zone) return false;
    p.barHeight = p.zone->GetHeight();
  }
  // Values on the bar divide by its width and by the number of values.
  if (p.width < 0 || p.height < 0 || p.barWidth < 1 || p.maximum < p.minimum) return false;
  m_param = p;
  CHfcControl::Create(p.x, p.y, p.width, p.height, id);
  m_iGroupId = idHigh;
  SetMinIntValue(p.minimum, true);
  SetMaxIntValue(p.maximum, true);
  m_iZoneMin = m_iSlopeMin = p.minimum;
  m_iZoneMax = m_iSlopeMax = p.maximum;
  m_fDragScale = p.dragScale;
  m_needles.assign(static_cast<size_t>(p.maximum + 1 - p.minimum), 0);
  m_iHandle = 0;
  m_bCreated = true;
  m_bEnabled = true;
  m_bDirty = true;
  return true;
}

void ZubZoneSlopeBar::Destroy() {
  m_needles.clear();
  m_iHandle = 0;
  CHfcControl::Destroy();
}

int ZubZoneSlopeBar::Clamp(int v) const { return std::clamp(v, m_param.minimum, m_param.maximum); }

void ZubZoneSlopeBar::SetParamZoneMin(int value) { m_iZoneMin = Clamp(value); }
void ZubZoneSlopeBar::SetParamZoneMax(int value) { m_iZoneMax = Clamp(value); }
void ZubZoneSlopeBar::SetParamSlopeMin(int value) { m_iSlopeMin = Clamp(value); }
void ZubZoneSlopeBar::SetParamSlopeMax(int value) { m_iSlopeMax = Clamp(value); }

void ZubZoneSlopeBar::SetParamNeedleOn(int value) {
  if (value >= m_param.minimum && value <= m_param.maximum && !m_needles.empty())
    m_needles[static_cast<size_t>(value - m_param.minimum)] = 1;
}

void ZubZoneSlopeBar::SetParamNeedleOff(int value) {
  if (value >= m_param.minimum && value <= m_param.maximum && !m_needles.empty())
    m_needles[static_cast<size_t>(value - m_param.minimum)] = -1;
}

void ZubZoneSlopeBar::SetParamClearAllNeedles() { std::fill(m_needles.begin(), m_needles.end(), 0); }

int ZubZoneSlopeBar::GetNeedle(int value) const {
  if (m_needles.empty() || value < m_param.minimum || value > m_param.maximum) return 0;
  return m_needles[static_cast<size_t>(value - m_param.minimum)];
}

void ZubZoneSlopeBar::SetParameter(int id, int value, bool redraw) {
  switch (id) {
    case kIdZoneMin: SetParamZoneMin(value); break;
    case kIdZoneMax: SetParamZoneMax(value); break;
    case kIdSlopeMin: SetParamSlopeMin(value); break;
    case kIdSlopeMax: SetParamSlopeMax(value); break;
    case kIdNeedleOn: SetParamNeedleOn(value); break;
    case kIdNeedleOff: SetParamNeedleOff(value); break;
    case kIdClearNeedles: SetParamClearAllNeedles(); break;
    default: return;
  }
  if (redraw) m_bDirty = true;
}

void ZubZoneSlopeBar::SetPtrValue(void* pair, bool redraw) {
  if (!pair) return;
  const auto* v = static_cast<const tagZoneSlopeBarValue*>(pair);
  SetParameter(v->id, v->value, redraw);
}

float ZubZoneSlopeBar::Unit() const {
  return static_cast<float>(m_param.barWidth) / static_cast<float>(m_param.maximum + 1 - m_param.minimum);
}

int ZubZoneSlopeBar::GetValueOnTheBar(int x) const {
  if (m_param.barWidth < 1) return m_param.minimum;
  const int v = m_param.minimum + (m_param.maximum + 1 - m_param.minimum) * (x - m_param.barX) / m_param.barWidth;
  return Clamp(v);
}

bool ZubZoneSlopeBar::IsBarArea(int x, int y) const {
  return x >= m_param.barX && x < m_param.barX + m_param.barWidth && y >= m_param.barY - 2 &&
         y < m_param.barY + m_param.barHeight + 4;
}

void ZubZoneSlopeBar::TellValueChanged(int id, int value) {
  if (!m_pListener) return;
  tagZoneSlopeBarValue v{id, value};
  m_pListener->OnHfcCtrlPtrValueChanged(this, &v);
}

void ZubZoneSlopeBar::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  dc->ClearRect(left, top, GetWidth(), GetHeight());
  if (m_param.background)
    dc->CopyBmp(left + m_param.backgroundX, top + m_param.backgroundY, GetWidth(), GetHeight(),
                m_param.background, m_param.backgroundX, m_param.backgroundY);
  if (!m_bEnabled) return;
  const float unit = Unit();
  const int barLeft = left + m_param.barX;
  const int barTop = top + m_param.barY;
  const int m = static_cast<int>(m_param.minimum * unit);
  auto span = [&](int lo, int hi, bool withSlope) {
    const int a = static_cast<int>(unit * lo);
    const int b = static_cast<int>(unit * hi);
    const int w = (b - a) + static_cast<int>(unit) + 1;
    if (m_param.zone) dc->CopyBmp(barLeft + a - m, barTop, w, m_param.barHeight, m_param.zone, a - m, 0);
    if (withSlope && m_param.slope)
      dc->CopyBmpAlpha(barLeft + a - m, barTop, w, m_param.barHeight, m_param.slope, 0.7f, a - m, 0);
  };
  if (m_iZoneMin <= m_iZoneMax) span(m_iZoneMin, m_iZoneMax, true);
  if (m_iSlopeMin <= m_iSlopeMax) span(m_iSlopeMin, m_iSlopeMax, false);
  const uint32_t brush = dc->GetBrushColor();
  for (size_t i = 0; i < m_needles.size(); ++i) {
    if (m_needles[i] <= 0) continue;
    // The needle's value, not its place in the array, is what the zone holds.
    const int value = m_param.minimum + static_cast<int>(i);
    const uint32_t colour =
        value >= m_iZoneMin && value <= m_iZoneMax ? m_param.insideColor : m_param.outsideColor;
    const float x = barLeft + static_cast<float>(i) * unit;
    dc->SetBrushColor((colour & 0x00FFFFFFu) | (((colour >> 24) >> 1) << 24));
    dc->FillRect(x - unit, static_cast<float>(barTop), 3 * unit, static_cast<float>(m_param.barHeight));
    dc->SetBrushColor(colour);
    dc->FillRect(x, static_cast<float>(barTop), unit, static_cast<float>(m_param.barHeight));
  }
  dc->SetBrushColor(brush);
  if (IsFocused()) DrawFocus(dc);
}

void ZubZoneSlopeBar::OnMouseLButtonDownOnTheBarMin(int x) {
  ReleaseFocus();
  SetMouseCapture();
  m_iLastX = x;
  m_fAcc = (m_iZoneMin + 0.5f) * m_fDragScale;
}

void ZubZoneSlopeBar::OnMouseLButtonDownOnTheBarMax(int x) {
  ReleaseFocus();
  SetMouseCapture();
  m_iLastX = x;
  m_fAcc = (m_iZoneMax + 0.5f) * m_fDragScale;
}

bool ZubZoneSlopeBar::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (!m_bEnabled) return false;
  m_iPressTime = static_cast<int>(HfcGetSystemTimeMs());
  if (!IsBarArea(x, y)) return false;
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  SetMouseCapture();
  ReleaseFocus();
  const float unit = Unit();
  const int px = x - m_param.barX;
  auto near = [&](int value) {
    const int pos = static_cast<int>(unit * (value - m_param.minimum));
    return std::abs(px - pos) < 4;
  };
  const int value = GetValueOnTheBar(x);
  int handle;
  if (near(m_iZoneMax))
    handle = 2;
  else if (near(m_iZoneMin))
    handle = 1;
  else if (near(m_iSlopeMax))
    handle = 4;
  else if (near(m_iSlopeMin))
    handle = 3;
  else
    handle = value >= (m_iZoneMin + m_iZoneMax) / 2 ? 2 : 1;
  m_iHandle = handle;
  TellValueChanged(handle - 1, value);
  m_iLastX = x;
  m_iLastValue = value;
  m_fAcc = (value + 0.5f) * m_fDragScale;
  return true;
}

bool ZubZoneSlopeBar::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  if (IsBarArea(x, y))
    return m_pListener ? m_pListener->OnHfcCtrlMouseLButtonDoubleClick(this, x, y, mods) : false;
  return OnHfcMouseLButtonDown(m, x, y, mods);
}

void ZubZoneSlopeBar::OnMouseMoveOnTheBarMinMax(int x, int mods) {
  const int dx = x - m_iLastX;
  float step;
  if (mods & 1) {
    step = static_cast<float>(dx);
  } else {
    step = static_cast<float>(dx) * m_fDragScale * static_cast<float>(m_param.maximum + 1 - m_param.minimum) /
           static_cast<float>(m_param.barWidth) * GetMouseDeltaRatio();
  }
  m_fAcc += step;
  // Reported as dragged, past the ends too: the parameter the page writes
  // keeps its own range.
  const int value = static_cast<int>(m_fAcc / m_fDragScale);
  if (m_pListener && value != m_iLastValue) TellValueChanged(m_iHandle - 1, value);
  m_iLastX = x;
  m_iLastValue = value;
}

bool ZubZoneSlopeBar::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && IsBarArea(x, y)) m_pListener->OnHfcCtrlMouseMove(this, x, y, mods);
  if (!m_bEnabled || m_iHandle == 0) return false;
  if (x != m_iLastX) OnMouseMoveOnTheBarMinMax(x, mods);
  return true;
}

bool ZubZoneSlopeBar::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (m_bEnabled && HoldsMouseCapture()) {
    ReleaseMouseCapture();
    return OnMouseLButtonUpOnTheBar();
  }
  return false;
}

void ZubZoneSlopeBar::OnHfcMouseLostCapture(CHfcMouse*) { m_iHandle = 0; }
