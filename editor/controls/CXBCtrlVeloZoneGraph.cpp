#include "editor/controls/CXBCtrlVeloZoneGraph.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

const tagXBCtrlVeloZoneGraphParam CXBCtrlVeloZoneGraph::sm_mInitParam = {
    0, 0, 250, 100, 100, nullptr, 0, 0, 0, 0, 127, 0xFF000000u, 10.0f};

const uint32_t CXBCtrlVeloZoneGraph::kGradient[8] = {0xFF102080u, 0xFF0060C0u, 0xFF3080D0u, 0xFF70B0E0u,
                                                     0xFF3080D0u, 0xFF0060C0u, 0xFF102080u, 0xFF000000u};

CXBCtrlVeloZoneGraph::CXBCtrlVeloZoneGraph() : m_param(sm_mInitParam) {}

CXBCtrlVeloZoneGraph::~CXBCtrlVeloZoneGraph() {
  if (m_bCreated) CXBCtrlVeloZoneGraph::Destroy();
}

bool CXBCtrlVeloZoneGraph::Create(tagXBCtrlVeloZoneGraphParam* param, int id, int id2) {
  if (!param || param->width < 1 || param->height < 1) return false;
  // The scale divides by the number of velocities.
  if (param->maximum < param->minimum) return false;
  m_param = *param;
  CHfcControl::Create(m_param.x, m_param.y, m_param.width, m_param.height, id);
  m_iGroupId = id2;
  SetMinIntValue(m_param.minimum, true);
  SetMaxIntValue(m_param.maximum, true);
  m_iScaleMax = m_param.maximum;
  m_iScaleMin = m_param.minimum;
  m_iRange = m_param.maximum + 1 - m_param.minimum;
  m_iLaneCount = kLanes;
  AdjustFieldRect();
  m_lanes.assign(kLanes, tagVeloZoneValue{});
  m_enable.assign(kLanes, 1);
  m_values.assign(kLanes, 0);
  for (int i = 0; i < kLanes; ++i) {
    tagVeloZoneValue& l = m_lanes[i];
    l.index = i;
    l.on = 0;
    l.bottom = 1;
    m_values[i] = 1;
    l.fadeWidth = 0;
    l.fadeCurve = 0;
    l.reserved7 = m_iRange;
    l.columnWidth = m_iPitch - 2;
    l.gap = 2;
    l.joined = 0;
    l.enabled = 1;
  }
  m_lanes[kLanes - 1].fadeCurve = 2;
  m_lanes[kLanes - 1].fadeWidth = 0;
  m_lanes[0].scaleTop = 127;
  m_lanes[0].scaleBottom = 0;
  m_bDirty = true;
  m_bEnabled = true;
  m_bCreated = true;
  m_iFlag = 1;
  return true;
}

void CXBCtrlVeloZoneGraph::Destroy() {
  m_lanes.clear();
  m_enable.clear();
  m_values.clear();
  m_bCreated = false;
  m_param = sm_mInitParam;
  CHfcControl::Destroy();
}

void CXBCtrlVeloZoneGraph::AdjustFieldRect() {
  m_iMarginLeft = 6;
  m_iMarginTop = 6;
  m_iFieldWidth = m_rcFrame.right - 6 - m_rcFrame.left;
  m_iFieldHeight = m_rcFrame.bottom - 6 - m_rcFrame.top;
  m_iPitch = m_iLaneCount < 1 ? 2 : (m_iFieldWidth - 4) / m_iLaneCount;
}

int CXBCtrlVeloZoneGraph::SetterLimit() const {
  return std::min<int>(m_param.entryCount, static_cast<int>(m_lanes.size()));
}

void CXBCtrlVeloZoneGraph::SetVeloZoneValue(int index, tagVeloZoneValue* v, bool redraw) {
  if (!v || index < 0 || index >= SetterLimit()) return;
  tagVeloZoneValue& l = m_lanes[index];
  l.on = v->on;
  l.bottom = v->bottom;
  l.fadeWidth = v->fadeWidth;
  l.fadeCurve = v->fadeCurve;
  l.scaleTop = v->scaleTop;
  l.scaleBottom = v->scaleBottom;
  l.mode = v->mode;
  m_values[index] = v->bottom;
  if (redraw) m_bDirty = true;
}

void CXBCtrlVeloZoneGraph::SetVeloZoneValue(tagVeloZoneValue* v, bool redraw) {
  if (v) SetVeloZoneValue(v->index, v, redraw);
}

void CXBCtrlVeloZoneGraph::SetPtrValue(void* value, bool redraw) {
  SetVeloZoneValue(static_cast<tagVeloZoneValue*>(value), redraw);
}

bool CXBCtrlVeloZoneGraph::GetVeloZoneValue(tagVeloZoneValue* out, int index) {
  if (!out || index < 0 || index >= SetterLimit()) return false;
  const tagVeloZoneValue& l = m_lanes[index];
  out->index = index;
  out->on = l.on;
  out->bottom = l.bottom;
  out->fadeWidth = l.fadeWidth;
  out->fadeCurve = l.fadeCurve;
  out->scaleTop = m_lanes[0].scaleTop;
  out->scaleBottom = m_lanes[0].scaleBottom;
  out->mode = m_lanes[0].mode;
  return true;
}

void CXBCtrlVeloZoneGraph::SetVeloZoneAllValue(tagVeloZoneValue* v, bool redraw) {
  if (!v) return;
  for (int i = 0; i < static_cast<int>(m_lanes.size()); ++i) {
    tagVeloZoneValue copy = *v;
    copy.index = i;
    tagVeloZoneValue& l = m_lanes[i];
    l.on = copy.on;
    l.bottom = copy.bottom;
    l.fadeWidth = copy.fadeWidth;
    l.fadeCurve = copy.fadeCurve;
    l.scaleTop = copy.scaleTop;
    l.scaleBottom = copy.scaleBottom;
    l.mode = copy.mode;
    m_values[i] = copy.bottom;
  }
  if (redraw) m_bDirty = true;
}

bool CXBCtrlVeloZoneGraph::GetVeloZoneAllValue(tagVeloZoneValue* out) {
  if (!out || m_lanes.empty()) return false;
  for (int i = 0; i < static_cast<int>(m_lanes.size()); ++i) {
    const int32_t index = out[i].index;
    GetVeloZoneValue(&out[i], i);
    out[i].index = index;
  }
  return true;
}

void CXBCtrlVeloZoneGraph::Enabled() {
  if (m_bGraphEnabled) return;
  m_bGraphEnabled = true;
  for (size_t i = 0; i < m_lanes.size(); ++i) m_lanes[i].enabled = m_enable[i];
}

void CXBCtrlVeloZoneGraph::Disabled() {
  if (!m_bGraphEnabled) return;
  m_bGraphEnabled = false;
  for (tagVeloZoneValue& l : m_lanes) l.enabled = 0;
}

void CXBCtrlVeloZoneGraph::EnableGraph(bool enable) {
  if (enable)
    Enabled();
  else
    Disabled();
}

void CXBCtrlVeloZoneGraph::EnableSegment(int lane, bool on) {
  if (lane < 0 || lane >= static_cast<int>(m_lanes.size())) return;
  m_enable[lane] = on ? 1 : 0;
  if (m_bGraphEnabled) m_lanes[lane].enabled = m_enable[lane];
}

int CXBCtrlVeloZoneGraph::VerticalScaler(int velocity) const {
  const int v = std::clamp(velocity, m_iScaleMin, m_iScaleMax);
  const int n = (2 * (v + 1 - m_param.minimum) * (m_iFieldHeight - 6) + 1) / (2 * m_iRange);
  return n < 1 ? m_iFieldHeight - 1 : m_iFieldHeight - n;
}

void CXBCtrlVeloZoneGraph::CalculateClientRect() {
  if (m_lanes.empty()) return;
  const bool one = m_lanes[0].mode == 2;
  const int b = VerticalScaler(m_lanes[0].scaleBottom) + 1;
  int boundary = VerticalScaler(m_lanes[0].scaleTop);
  for (int i = 0; i < static_cast<int>(m_lanes.size()); ++i) {
    tagVeloZoneValue& l = m_lanes[i];
    l.x = m_iPitch * i + 6;
    const int value = one ? 1 : m_values[i];
    const int y = std::min(VerticalScaler(value) + 1, b);
    if (y < boundary || (l.joined && l.enabled == 0)) {
      l.top = l.bottomY = m_iFieldHeight;
    } else {
      l.top = boundary;
      l.bottomY = y;
      boundary = y;
    }
  }
}

void CXBCtrlVeloZoneGraph::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || m_lanes.empty()) return;
  const bool greyed = m_iId == 0x12601 && m_lanes[0].mode != 1;
  if (m_param.background)
    dc->CopyBmpAlpha(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), m_param.background,
                     greyed ? 0.5f : 1.0f, m_param.sourceX, m_param.sourceY);
  if (greyed) return;
  CalculateClientRect();
  DrawLane(dc);
}

void CXBCtrlVeloZoneGraph::DrawLane(CHfcDrawContext* dc) {
  const uint32_t brush = dc->GetBrushColor();
  if (m_bGraphEnabled) {
    dc->SetBrushColor(0xFFA00000u);
    for (const tagVeloZoneValue& l : m_lanes) {
      const int y = m_rcFrame.top + l.bottomY - 1;
      dc->FillRect(m_rcFrame.left + 6, y, m_iFieldWidth - 1 - 6, 1);
    }
  }
  for (int i = 0; i < static_cast<int>(m_lanes.size()); ++i) DrawLines(dc, i);
  dc->SetBrushColor(brush);
}

void CXBCtrlVeloZoneGraph::DrawLines(CHfcDrawContext* dc, int lane) {
  if (lane < 0 || lane >= static_cast<int>(m_lanes.size())) return;
  const bool one = m_lanes[0].mode == 2;
  if (one && lane != 0) return;
  const tagVeloZoneValue& l = m_lanes[lane];
  const int fadeWidth = one ? 0 : l.fadeWidth;
  const int T = l.top;
  const int B = l.bottomY;
  const int W2 = 2 * fadeWidth * (m_iFieldHeight - 6);
  const int R2 = 2 * m_iRange;
  const int F = (W2 | 1) / R2;
  int e[8];
  int s[8];
  for (int k = 0; k < 4; ++k) {
    int t;
    if (l.fadeCurve == 0) {
      t = ((3 - k) * W2 + 1) / (3 * R2);
    } else if (l.fadeCurve == 1) {
      t = ((3 - k) * (3 - k) * W2 | 1) / (16 * R2);
    } else {
      e[k] = e[7 - k] = B - 1;
      s[k] = s[7 - k] = B - F;
      continue;
    }
    e[k] = e[7 - k] = B - 1 - t;
    s[k] = s[7 - k] = B - F + t;
  }
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  auto vline = [&](int x, int y0, int y1, uint32_t colour) {
    if (y1 <= y0) return;
    dc->SetBrushColor(colour);
    dc->FillRect(left + x, top + y0, 1, y1 - y0);
  };
  if (l.on)
    for (int k = 0; k < 8; ++k) vline(l.x + k, T, std::max(e[k], T), kGradient[k]);
  if (one) return;
  int j = lane + 1;
  int passed = 0;
  while (j < static_cast<int>(m_lanes.size()) && m_lanes[j].on && m_lanes[j].joined) {
    ++passed;
    ++j;
  }
  if (j >= static_cast<int>(m_lanes.size()) || !m_lanes[j].on) return;
  const int shift = (m_lanes[j].gap + m_lanes[j].columnWidth) * (passed + 1);
  for (int k = 0; k < 8; ++k) {
    if (s[k] - 6 >= m_iFieldHeight) continue;
    int from = std::max(s[k], T);
    if (from == 6) from = 7;
    vline(l.x + shift + k, from - 1, B - 1, kGradient[k]);
  }
}

void CXBCtrlVeloZoneGraph::Erase(CHfcDrawContext* dc) {
  if (dc && m_param.background)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), m_param.background, m_param.sourceX,
                m_param.sourceY);
}
