#include "editor/controls/CXBCtrlFxRoutingGraph.h"

#include "editor/controls/ResourceManager.h"
#include "fxcatalog/FxTypeLists.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

namespace {

int CatalogueFxSize(int fxType) { return Oskend::GetFXSize(static_cast<Oskend::eFxType>(fxType)); }

CXBCtrlFxRoutingGraph::FxSizeFunction gFxSize = CatalogueFxSize;

constexpr uint32_t kLit = 0xFFF3F3F3u;
constexpr uint32_t kGrey = 0xFFAAAAAAu;

bool IsSlot(int s) { return s >= 0 && s < CXBCtrlFxRoutingGraph::kSlots; }

}  // namespace

const tagXBCtrlFxRoutingGraphParam CXBCtrlFxRoutingGraph::sm_mInitParam = {0, 0, 250, 100, nullptr, nullptr, 0, 0};

void CXBCtrlFxRoutingGraph::SetFxSizeFunction(FxSizeFunction function) {
  gFxSize = function ? function : CatalogueFxSize;
}

CXBCtrlFxRoutingGraph::CXBCtrlFxRoutingGraph() : m_param(sm_mInitParam) {}

CXBCtrlFxRoutingGraph::~CXBCtrlFxRoutingGraph() {
  if (m_bCreated) CXBCtrlFxRoutingGraph::Destroy();
  delete[] m_pStore;
}

bool CXBCtrlFxRoutingGraph::Create(tagXBCtrlFxRoutingGraphParam* param, int id, int idHigh) {
  if (!param || param->width < 1 || param->height < 1) return false;
  m_param = *param;
  CHfcControl::Create(m_param.x, m_param.y, m_param.width, m_param.height, id);
  m_iGroupId = idHigh;
  delete[] m_pStore;
  m_pStore = new tagFxRoutingValue[kRecords]{};
  for (int k = 0; k < kRecords; ++k) {
    tagFxRoutingValue& r = m_pStore[k];
    r.index = k;
    r.chainTarget = k + 2;
    r.sourceTarget = 0;
    for (int& t : r.slotTarget) t = -1;
    r.mode = -1;
  }
  AdjustFieldRect();
  m_bCreated = true;
  m_bEnabled = true;
  m_bDirty = true;
  return true;
}

void CXBCtrlFxRoutingGraph::AdjustFieldRect() { m_rcField = {0, 0, GetWidth(), GetHeight()}; }

void CXBCtrlFxRoutingGraph::Destroy() {
  delete[] m_pStore;
  m_pStore = nullptr;
  m_param = sm_mInitParam;
  CHfcControl::Destroy();
}

void CXBCtrlFxRoutingGraph::SetFxRoutingValue(int index, tagFxRoutingValue* value, bool redraw) {
  if (!value || !m_pStore || index < 0 || index >= kRecords) return;
  tagFxRoutingValue& r = m_pStore[index];
  const int32_t keepIndex = r.index;
  const int32_t keepMode = r.mode;
  r = *value;
  r.index = keepIndex;
  r.mode = keepMode;
  m_pStore[0].mode = value->mode;
  if (redraw) m_bDirty = true;
}

void CXBCtrlFxRoutingGraph::SetFxRoutingValue(tagFxRoutingValue* value, bool redraw) {
  if (value) SetFxRoutingValue(value->index, value, redraw);
}

void CXBCtrlFxRoutingGraph::SetPtrValue(void* value, bool redraw) {
  SetFxRoutingValue(static_cast<tagFxRoutingValue*>(value), redraw);
}

bool CXBCtrlFxRoutingGraph::GetFxRoutingValue(tagFxRoutingValue* out, int index) {
  if (!out || !m_pStore || index < 0 || index >= kRecords) return false;
  *out = m_pStore[index];
  out->index = index;
  out->mode = m_pStore[0].mode;
  return true;
}

int CXBCtrlFxRoutingGraph::FxSize(int slot) const {
  if (!m_pStore || !IsSlot(slot)) return 1;
  return gFxSize(m_pStore[slot].fxType);
}

void CXBCtrlFxRoutingGraph::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  const int w = GetWidth();
  const int h = GetHeight();
  if (m_param.background) {
    dc->CopyBmp(left, top, w - 340, h, m_param.background, m_param.pictureX, m_param.pictureY);
    dc->CopyBmp(left + w - 140, top, 140, h, m_param.background, m_param.pictureX + w - 140, m_param.pictureY);
  }
  DrawGraph(dc);
  if (!m_bEnabled) {
    const uint32_t brush = dc->GetBrushColor();
    dc->SetBrushColor(m_uVeil);
    dc->FillRect(left, top, w, h);
    dc->SetBrushColor(brush);
  }
}

void CXBCtrlFxRoutingGraph::Erase(CHfcDrawContext* dc) {
  if (dc && m_param.background)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, m_param.width, m_param.height, m_param.background,
                m_param.pictureX, m_param.pictureY);
}

// What the graph's steps draw with: the field's place, the arrow and bus
// pictures, and how to put an arrow or a junction.
struct CXBCtrlFxRoutingGraph::Canvas {
  CHfcDrawContext* dc;
  int left;   // the field's left, top and width in the context
  int top;
  int width;
  CHfcBmp* bus;
  CHfcBmp* arrowB;  // the lit arrows
  CHfcBmp* arrowE;  // the grey ones

  // Row `row` of the four rows of an arrow picture at (x, y).
  void Arrow(CHfcBmp* a, int x, int y, int row) const {
    if (a) dc->CopyBmp(x, y, a->GetWidth(), a->GetHeight() / 4, a, 0, row * (a->GetHeight() / 4));
  }
  void Junction(CHfcBmp* a, int x, int y) const { Arrow(a, x, y, 3); }
  int ArrowWidth() const { return arrowB ? arrowB->GetWidth() : 0; }
  int ArrowRow() const { return arrowB ? arrowB->GetHeight() / 4 : 0; }
};

void CXBCtrlFxRoutingGraph::DrawGraph(CHfcDrawContext* dc) {
  m_iChainSteps = 0;
  if (!m_pStore) return;
  ResourceManager* images = ResourceManager::GetInstance();
  const Canvas canvas{dc,
                      m_rcFrame.left + m_rcField.left,
                      m_rcFrame.top + m_rcField.top,
                      m_rcField.right,
                      images ? images->LoadImage("FxBusSelect") : nullptr,
                      images ? images->LoadImage("FxArrowB") : nullptr,
                      images ? images->LoadImage("FxArrowE") : nullptr};
  const uint32_t pen = dc->GetPenColor();
  const float penWidth = dc->GetPenWidth();
  dc->SetPenWidth(1.0f);
  if (m_param.source)
    dc->CopyBmp(canvas.left, 115, m_param.source->GetWidth(), m_param.source->GetHeight(), m_param.source, 0, 0);
  bool chained[kSlots] = {};
  bool crossing[kSlots][kSlots] = {};  // [row][column]
  DrawSourceLines(canvas, chained);
  DrawChains(canvas, chained, crossing);
  DrawCrossings(canvas, crossing);
  dc->SetPenColor(pen);
  dc->SetPenWidth(penWidth);
}

void CXBCtrlFxRoutingGraph::SourceSlots(int src, bool fed[kSlots], bool occupied[kSlots]) const {
  const tagFxRoutingValue& first = m_pStore[0];
  const tagFxRoutingValue& r = m_pStore[src];
  int list[kSlots];
  int n = 0;
  if (first.mode != -1 && first.allSlots != 0) {
    // Every slot with a target; the mode word is left as it is.
    for (int s = 0; s < kSlots; ++s)
      if (r.slotTarget[s] != -1) list[n++] = s;
  } else if (first.mode != -1) {
    list[n++] = r.sourceTarget - 1;
  } else if (r.sourceTarget == 0) {
    for (int s = 0; s < kSlots; ++s)
      if (r.slotTarget[s] != -1) list[n++] = r.slotTarget[s] - 1;
  } else {
    list[n++] = r.sourceTarget - 2;
  }
  for (int i = 0; i < n; ++i) {
    const int s = list[i];
    if (!IsSlot(s)) continue;  // no such slot: nothing to draw or read
    if (s > 0 && FxSize(s - 1) == 2)
      occupied[s] = true;
    else
      fed[s] = true;
  }
}

void CXBCtrlFxRoutingGraph::DrawSourceLines(const Canvas& c, bool chained[kSlots]) const {
  CHfcDrawContext* dc = c.dc;
  bool rowDrawn[kSlots] = {};
  const int sources = m_pStore[0].mode == -1 ? kRecords : 1;
  for (int src = 0; src < sources; ++src) {
    bool fed[kSlots] = {};
    bool occupied[kSlots] = {};
    SourceSlots(src, fed, occupied);
    const int x = c.left + 7 + 19 * src;
    for (int s = 0; s < kSlots; ++s) {
      if (!fed[s] && !occupied[s]) continue;
      const int y = c.top + 7 + 18 * s;
      bool lowerFed = false;
      for (int k = 0; k < s; ++k) lowerFed = lowerFed || fed[k];
      uint32_t colour = kLit;
      CHfcBmp* arrow = c.arrowB;
      if (occupied[s] && !lowerFed) {
        colour = kGrey;
        arrow = c.arrowE;
      }
      dc->SetPenColor(colour);
      dc->MoveTo(x, 114);
      dc->LineTo(x, y);
      if (!rowDrawn[s]) {
        if (occupied[s]) dc->SetPenColor(kGrey);
        dc->LineTo(c.left + c.width - 341, y);
        if (arrow) c.Arrow(arrow, c.left + c.width - 340 - arrow->GetWidth(), y + 1 - arrow->GetHeight() / 4, 0);
        if (fed[s]) rowDrawn[s] = true;
      }
      if (arrow) c.Junction(arrow, x + 1 - arrow->GetWidth() / 2, y + 1 - arrow->GetHeight() / 8);
      if (fed[s]) chained[s] = true;
    }
  }
}

void CXBCtrlFxRoutingGraph::DrawChains(const Canvas& c, const bool chained[kSlots],
                                       bool crossing[kSlots][kSlots]) {
  CHfcDrawContext* dc = c.dc;
  dc->SetPenColor(kLit);
  const int right = c.left + c.width - 140;
  for (int start = 0; start < kSlots; ++start) {
    if (!chained[start]) continue;
    bool visited[kSlots] = {};
    int s = start;
    // A chain that comes back to a slot it passed would loop for ever.
    while (IsSlot(s) && !visited[s]) {
      visited[s] = true;
      const tagFxRoutingValue& slot = m_pStore[s];
      const int row = c.top + 13 + 18 * s;
      const int t = slot.chainTarget - 1;
      dc->MoveTo(right, row);
      const bool leaves = slot.chainFlag == 0 || (IsSlot(t) && t > 0 && FxSize(t - 1) == 2);
      if (!leaves && !IsSlot(t)) break;  // no such slot to enter
      if (leaves) {
        DrawOutput(c, slot, row);
        break;
      }
      const int cx = right + 10 * (5 - s);
      const int ty = c.top + 4 + 18 * t;
      dc->LineTo(cx, row);
      dc->LineTo(cx, ty);
      dc->LineTo(right, ty);
      c.Arrow(c.arrowB, right, ty + 1 - c.ArrowRow(), 1);
      crossing[t][s] = true;
      ++m_iChainSteps;
      s = t;
    }
  }
}

// A chain leaving the effects: its line out, an arrow and the output bus.
void CXBCtrlFxRoutingGraph::DrawOutput(const Canvas& c, const tagFxRoutingValue& slot, int row) const {
  c.dc->LineTo(c.left + c.width - 18, row);
  c.Arrow(c.arrowB, c.left + c.width - 17 - c.ArrowWidth(), row + 1 - c.ArrowRow(), 0);
  if (c.bus) {
    const int hb = c.bus->GetHeight();
    c.dc->CopyBmp(c.left + c.width - 17, row - 1 - hb / 16, c.bus->GetWidth(), hb / 8, c.bus, 0,
                  slot.outputBus * (hb / 8));
  }
}

// Where two chains enter one slot, a junction on the later one.
void CXBCtrlFxRoutingGraph::DrawCrossings(const Canvas& c, const bool crossing[kSlots][kSlots]) const {
  for (int t = 1; t < kSlots; ++t) {
    for (int s = 0; s < kSlots; ++s) {
      if (!crossing[t][s]) continue;
      bool earlier = false;
      for (int k = 0; k < s; ++k) earlier = earlier || crossing[t][k];
      if (earlier)
        c.Junction(c.arrowB, c.left + c.width - c.ArrowWidth() / 2 - 90 - 10 * s, c.top + 4 + 18 * t - c.ArrowRow() / 2);
    }
  }
}
