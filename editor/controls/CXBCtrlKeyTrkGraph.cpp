#include "editor/controls/CXBCtrlKeyTrkGraph.h"

#include <algorithm>

#include "editor/controls/XBGraphPaint.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

const tagXBCtrlKeyTrkGraphParam CXBCtrlKeyTrkGraph::sm_mInitParam = {
    0, 0, 250, 100, 100, nullptr, nullptr, 0, 0, 0, 0, 127, 60, 0xFF000000u, 10.0f};

CXBCtrlKeyTrkGraph::CXBCtrlKeyTrkGraph() : m_param(sm_mInitParam) {}

CXBCtrlKeyTrkGraph::~CXBCtrlKeyTrkGraph() {
  if (m_bCreated) CXBCtrlKeyTrkGraph::Destroy();
  FreeArrays();
}

void CXBCtrlKeyTrkGraph::FreeArrays() {
  delete[] m_pEntries;
  delete[] m_pA;
  delete[] m_pB;
  m_pEntries = nullptr;
  m_pA = m_pB = nullptr;
}

bool CXBCtrlKeyTrkGraph::Create(tagXBCtrlKeyTrkGraphParam* param, int id, int id2) {
  if (!param || param->width < 1 || param->height < 1) return false;
  m_param = *param;
  CHfcControl::Create(m_param.x, m_param.y, m_param.width, m_param.height, id);
  m_iGroupId = id2;
  SetMinIntValue(m_param.minimum, true);
  SetMaxIntValue(m_param.maximum, true);
  FreeArrays();
  m_pEntries = new tagKeyTrkValue[kEntries]{};
  for (int i = 0; i < kEntries; ++i) m_pEntries[i].index = i;
  m_pA = new tagHfcPoint[kSegments]{};
  m_pB = new tagHfcPoint[kSegments]{};
  m_iFlag = 1;
  m_bDirty = true;
  m_bEnabled = true;
  m_bCreated = true;
  return true;
}

void CXBCtrlKeyTrkGraph::Destroy() {
  FreeArrays();
  m_bCreated = false;
  m_param = sm_mInitParam;
  CHfcControl::Destroy();
}

void CXBCtrlKeyTrkGraph::SetKeyTrkValue(int index, tagKeyTrkValue* v, bool redraw) {
  if (!v || !m_pEntries || index < 0 || index >= std::min(m_param.entryCount, kEntries)) return;
  m_pEntries[index].key = v->key;
  m_pEntries[index].intensity = v->intensity;
  m_pEntries[index].graphValue = v->graphValue;
  CalcPoints();
  if (redraw) m_bDirty = true;
}

void CXBCtrlKeyTrkGraph::SetKeyTrkValue(tagKeyTrkValue* v, bool redraw) {
  if (v) SetKeyTrkValue(v->index, v, redraw);
}

void CXBCtrlKeyTrkGraph::SetPtrValue(void* value, bool redraw) {
  SetKeyTrkValue(static_cast<tagKeyTrkValue*>(value), redraw);
}

bool CXBCtrlKeyTrkGraph::GetKeyTrkValue(tagKeyTrkValue* out, int index) {
  if (!out || !m_pEntries || index < 0 || index >= std::min(m_param.entryCount, kEntries)) return false;
  *out = {index, m_pEntries[index].key, m_pEntries[index].intensity, m_pEntries[0].graphValue};
  return true;
}

void CXBCtrlKeyTrkGraph::SetKeyTrkAllValue(tagKeyTrkValue* v, bool redraw) {
  if (!v || !m_pEntries) return;
  for (int i = 0; i < kEntries; ++i) {
    m_pEntries[i].key = v->key;
    m_pEntries[i].intensity = v->intensity;
    m_pEntries[i].graphValue = v->graphValue;
  }
  CalcPoints();
  if (redraw) m_bDirty = true;
}

bool CXBCtrlKeyTrkGraph::GetKeyTrkAllValue(tagKeyTrkValue* out) {
  if (!out || !m_pEntries) return false;
  for (int i = 0; i < kEntries; ++i) {
    out[i].key = m_pEntries[i].key;
    out[i].intensity = m_pEntries[i].intensity;
    out[i].graphValue = m_pEntries[0].graphValue;
  }
  return true;
}

int CXBCtrlKeyTrkGraph::Divisor(int intensity) const {
  if (m_param.kind != 2) return 60;
  switch (intensity) {
    case -99: return 2;
    case -98: return 4;
    case -97: return 6;
    case -96: return 9;
    default: return 13;
  }
}

void CXBCtrlKeyTrkGraph::CalcPoints() {
  if (!m_pEntries || !m_pA || !m_pB) return;
  for (int i = 0; i < kSegments; ++i) m_pA[i] = m_pB[i] = {0, 0};
  const int Kl = m_pEntries[0].key;
  const int Kc = m_pEntries[1].key;
  const int Kh = m_pEntries[2].key;
  const int I0 = m_pEntries[0].intensity;
  const int I1 = m_pEntries[1].intensity;
  const int I2 = m_pEntries[2].intensity;
  const int I3 = m_pEntries[3].intensity;
  auto vertical = [](int v) { return v == -100 || v == 100; };
  auto clip = [](int v) { return std::clamp(v, -99, 99); };

  m_pA[2] = m_pB[2] = {Kc, 0};

  // Low side.
  if (vertical(I1)) {
    m_pA[1] = {Kc, 0};
    m_pB[1] = {Kc, I1};
  } else {
    const int d = Divisor(I1);
    const int m = (Kc - Kl) * I1 / d;
    m_pA[1] = {Kl, m};
    m_pB[1] = {Kc, 0};
    if (I1 != 0 && m >= 100)
      m_pA[1] = {Kc - (d * 99) / I1, I1 * ((d * 99) / I1) / d};
    else if (I1 != 0 && m < -99)
      m_pA[1] = {Kc - (d * -99) / I1, I1 * ((d * -99) / I1) / d};
    const int d0 = Divisor(I0);
    if (vertical(I0)) {
      m_pA[0] = {Kl, clip(m)};
      m_pB[0] = {Kl, I0};
    } else {
      m_pA[0] = {0, m + Kl * I0 / d0};
      if (I0 != 0 && m_pA[0].y >= 100)
        m_pA[0] = {Kl - ((99 - m) * d0) / I0, 99};
      else if (I0 != 0 && m_pA[0].y < -99)
        m_pA[0] = {Kl - ((-99 - m) * d0) / I0, -99};
      m_pB[0] = {Kl, m};
      if (I0 != 0 && m >= 100)
        m_pB[0] = {Kl - (d0 * (99 - m)) / I0, 99};
      else if (I0 != 0 && m < -99)
        m_pB[0] = {Kl - (d0 * (-99 - m)) / I0, -99};
    }
  }

  // High side.
  if (vertical(I2)) {
    m_pA[3] = {Kc, 0};
    m_pB[3] = {Kc, I2};
  } else {
    const int d = Divisor(I2);
    const int n = (Kh - Kc) * I2 / d;
    m_pA[3] = {Kc, 0};
    m_pB[3] = {Kh, n};
    if (I2 != 0 && n >= 100)
      m_pB[3] = {Kc + (d * 99) / I2, 99};
    else if (I2 != 0 && n < -99)
      m_pB[3] = {Kc + (d * -99) / I2, -99};
    const int d3 = Divisor(I3);
    if (vertical(I3)) {
      m_pA[4] = {Kh, clip(n)};
      m_pB[4] = {Kh, I3};
    } else {
      m_pA[4] = {Kh, n};
      if (I3 != 0 && n >= 100)
        m_pA[4] = {((99 - n) * d3) / I3 + Kh, 99};
      else if (I3 != 0 && n < -99)
        m_pA[4] = {((-99 - n) * d3) / I3 + Kh, -99};
      const int end = (127 - Kh) * I3 / d3 + n;
      m_pB[4] = {127, end};
      if (I3 != 0 && end >= 100)
        m_pB[4] = {(d3 * (99 - n)) / I3 + Kh, 99};
      else if (I3 != 0 && end < -99)
        m_pB[4] = {(d3 * (-99 - n)) / I3 + Kh, -99};
    }
  }
}

void CXBCtrlKeyTrkGraph::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int x = m_rcFrame.left;
  const int y = m_rcFrame.top;
  const int W = GetWidth();
  const int H = GetHeight();
  const bool shown = !(m_iId == 0x12503 || m_iId == 0x12505) || (m_pEntries && m_pEntries[0].graphValue == 1);
  if (m_param.background) dc->CopyBmp(x, y, W, H, m_param.background, m_param.sourceX, m_param.sourceY);
  const int stripY = y + (m_param.background ? m_param.background->GetHeight() : H);
  const int stripH = m_param.keyStrip ? m_param.keyStrip->GetHeight() : 0;
  if (shown && m_bEnabled) {
    DrawLines(dc);
    if (m_param.keyStrip) dc->CopyBmp(x, stripY, W, stripH, m_param.keyStrip, m_param.sourceX, m_param.sourceY);
  } else {
    if (m_param.keyStrip) dc->CopyBmp(x, stripY, W, stripH, m_param.keyStrip, m_param.sourceX, m_param.sourceY);
    const uint32_t brush = dc->GetBrushColor();
    dc->SetBrushColor(m_uVeil);
    dc->FillRect(x, y, W, H + 11);
    dc->SetBrushColor(brush);
  }
}

void CXBCtrlKeyTrkGraph::DrawLines(CHfcDrawContext* dc) {
  if (!m_pEntries) return;
  const int x = m_rcFrame.left;
  const int y = m_rcFrame.top;
  const int W = GetWidth();
  const int H = GetHeight();
  const int k = W / 127;
  auto sx = [&](int key) { return x + 1 + key * k; };
  auto sy = [&](int level) { return y + 1 + (99 - level) * H / 199; };
  const uint32_t pen = dc->GetPenColor();
  const float width = dc->GetPenWidth();
  dc->SetPenWidth(1.0f);
  dc->SetPenColor(0xFFA0A0A0u);
  for (int e = 0; e < 3; ++e) {
    dc->MoveTo(sx(m_pEntries[e].key), y + 1);
    dc->LineTo(sx(m_pEntries[e].key), y + H - 1);
  }
  dc->SetPenColor(m_bEnabled ? m_param.curveColor : XBScaleAlpha(m_param.curveColor, m_fDisabledAlpha));
  for (int i = 0; i < kSegments; ++i) {
    if (i == 0 && (m_pB[1].y == -100 || m_pB[1].y == 100)) continue;
    if (i == 4 && (m_pB[3].y == -100 || m_pB[3].y == 100)) continue;
    dc->MoveTo(sx(m_pA[i].x), sy(m_pA[i].y));
    dc->LineTo(sx(m_pB[i].x), sy(m_pB[i].y));
  }
  dc->SetPenColor(pen);
  dc->SetPenWidth(width);
}

void CXBCtrlKeyTrkGraph::Erase(CHfcDrawContext* dc) {
  if (dc && m_param.background)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), m_param.background, m_param.sourceX,
                m_param.sourceY);
}
