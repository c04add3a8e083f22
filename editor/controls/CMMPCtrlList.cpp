#include "editor/controls/CMMPCtrlList.h"

#include <algorithm>
#include <cstring>

#include "editor/controls/XEStaticText.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"

namespace {

// The text of a selected row: the list's text colour, or black where black
// stands out more from the selection (white on the blue and the green
// selections stays under 4.5:1, black reaches it on all three).
uint32_t SelectedTextColour(uint32_t text, uint32_t selection) {
  constexpr uint32_t kBlack = 0x000000u;
  return XEContrastRatio(kBlack, selection) > XEContrastRatio(text, selection) ? (text & 0xFF000000u) | kBlack : text;
}

}  // namespace

bool CMMPCtrlList::CreateEx(tagMMPCtrlListParamEx* p, int id, int flags) {
  if (!p || !p->font || !p->fontInfo || p->width < 1 || p->height < 1) return false;
  if (!CHfcCtrlList::Create(p, id, flags)) return false;
  m_bProportional = p->proportional != 0;
  m_pFontInfo = p->fontInfo;
  m_uTextColor = p->textColor;
  m_pFontInfo->bmp = p->font;
  return true;
}

CHfcCtrlListItem* CMMPCtrlList::GetSelectedItem() const { return GetItem(GetSelectedItemIndex()); }

tagHfcRect CMMPCtrlList::FocusArea() const {
  const int m = GetFocusMergin();
  return {m_rcFrame.left - m, m_rcFrame.top - m, m_rcFrame.right + m, m_rcFrame.bottom + m};
}

void CMMPCtrlList::Update(bool force, bool now) {
  CHfcWindowLayer* layer = GetParentLayer();
  if (!layer) return;
  if (!IsVisible()) {
    if (!IsErasePending()) return;
    m_bErasePending = false;
    Erase(layer->GetDrawContext());
    tagHfcRect r = GetFocusMergin() != 0 ? FocusArea() : m_rcFrame;
    layer->CopyToWindow(&r, now);
    return;
  }
  if (!force && !IsDirty()) return;
  SetDirty(false);
  m_bCopyNow = now;
  Draw(layer->GetDrawContext());
}

void CMMPCtrlList::Draw(CHfcDrawContext* dc) {
  if (!dc || !IsCreated() || !IsVisible()) return;
  const int m = GetFocusMergin();
  tagHfcRect r = FocusArea();
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  dc->ClearRect(r.left, r.top, w, h);
  const tagHfcCtrlListParam& p = GetParam();
  if (p.bgBmp) dc->CopyBmp(r.left, r.top, w, h, p.bgBmp, p.bgX - m, p.bgY - m);
  mIndividualUpdate = false;
  DrawList(dc, true);
  if (CHfcWindowLayer* layer = GetParentLayer()) layer->CopyToWindow(&r, m_bCopyNow);
  if (IsFocused()) DrawFocus(dc);
}

void CMMPCtrlList::Erase(CHfcDrawContext* dc) {
  if (!dc) return;
  dc->ClearRect(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight());
  const tagHfcCtrlListParam& p = GetParam();
  if (p.bgBmp) dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), p.bgBmp, p.bgX, p.bgY);
}

void CMMPCtrlList::DrawCell(CHfcDrawContext* dc, int index, bool force) {
  CHfcCtrlListItem* item = GetItem(index);
  const int v = IndexToViewIndex(index);
  if (!dc || !item || v < 0 || (!force && !item->IsDirty()) || !item->GetVisible()) return;
  item->SetDirty(false);
  int column = 0;
  int row = 0;
  ViewIndexToCellIndicator(&column, &row, v);
  tagHfcPoint at;
  CellIndicatorToPoint(&at, column, row);
  const int right = m_rcFrame.left + static_cast<int>(static_cast<float>(column + 1) * GetCellWidth());
  const int bottom = m_rcFrame.top + static_cast<int>(static_cast<float>(row + 1) * GetCellHeight());
  const int w = right - at.x;
  const int h = bottom - at.y;
  if (w <= 0 || h <= 0) return;
  CHfcOffscreenContext cell(w, h);
  DrawCell(&cell, item, index, w, h);
  cell.CopyToContext(dc, at.x, at.y, w, h, 0, 0);
}

// The list was cleared to its background before the cells were drawn.
void CMMPCtrlList::EraseCell(CHfcDrawContext*, int, bool) {}

void CMMPCtrlList::DrawCell(CHfcOffscreenContext* dc, CHfcCtrlListItem* item, int, int width, int height) {
  const tagHfcCtrlListParam& p = GetParam();
  const int mx = p.marginX;
  const int my = p.marginY;
  const int innerW = width - 2 * mx;
  const int innerH = height - 2 * my;
  CHfcBmp* font = p.font;
  if (item->GetSelected()) {
    dc->SetBrushColor(p.selectedColor);
    dc->FillRect(mx, my, innerW, innerH);
    if (p.selectedFont) font = p.selectedFont;
  } else if (item->GetHold()) {
    dc->SetBrushColor(p.holdColor);
    dc->FillRect(mx, my, innerW, innerH);
  }
  if (item->GetDropTarget()) {
    dc->SetPenColor(p.dropTargetColor);
    dc->FrameRect(mx, my, innerW, innerH);
  }
  if (!item->GetEnabled() && p.disabledFont) font = p.disabledFont;
  if (p.charWidth <= 0 || innerW <= 0) return;
  char caption[CHfcCtrlListItem::kMaxCaption + 1];
  item->GetCaption(caption, sizeof caption);
  const int y = my + p.textY;
  if (!m_bProportional || !m_pFontInfo) {
    const int chars = std::min(static_cast<int>(std::strlen(caption)), innerW / p.charWidth);
    if (chars <= 0) return;
    caption[chars] = 0;
    const int x = mx + (p.textX != 0 ? p.textX : innerW / 2 - chars * p.charWidth / 2);
    dc->DrawBmpText(x, y, caption, static_cast<unsigned long>(chars), font, p.charWidth, p.charHeight);
    return;
  }
  const int x = mx + (p.textX != 0 ? p.textX : std::max(0, (innerW - HfcGetBmpTextWidth(m_pFontInfo, caption)) / 2));
  const uint32_t text = item->GetSelected() ? SelectedTextColour(m_uTextColor, p.selectedColor) : m_uTextColor;
  const uint32_t colour = item->GetEnabled() ? text : XEScaleAlpha(text, 0.5f);
  dc->DrawBmpTextInBox(x, y, caption, mx + innerW - x, m_pFontInfo, colour);
}

bool CMMPCtrlList::OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  const bool result = CHfcCtrlList::OnHfcMouseLButtonDown(m, x, y, mods);
  if (m_bFocusOnClick) SetFocus(0);
  return result;
}

bool CMMPCtrlList::OnHfcMouseRButtonDown(CHfcMouse*, int, int, int) { return true; }

bool CMMPCtrlList::OnHfcMouseLButtonUp(CHfcMouse*, int x, int y, int mods) {
  ReleaseMouseCapture();
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonUp(this, x, y, mods)) {
    mGesture = 0;
    mAnchor = -1;
    return true;
  }
  const int index = PointToIndex(x, y);
  CHfcCtrlListItem* item = GetItem(index);
  if (mGesture == 2 && item && !(GetHoldEnabled() && !item->GetHold())) {
    SelectCell(index, 2);
    SelectFinish();
  }
  mGesture = 0;
  mAnchor = -1;
  mPressed = 0;
  return true;
}

int CMMPCtrlList::NextHeld(int from, int dir) const {
  for (int k = from; k >= 0 && k < GetNumItems(); k += dir)
    if (GetItem(k)->GetHold()) return k;
  return -1;
}

bool CMMPCtrlList::OnKeyDown(int chr, int, int) {
  const int selected = GetSelectedItemIndex();
  const bool arrow = chr == kCharLeft || chr == kCharRight || chr == kCharUp || chr == kCharDown;
  const bool vertical = chr == kCharUp || chr == kCharDown;
  auto unhandled = [&] {
    int32_t record[2] = {chr, 0};
    SendEvent(kEventKey, selected, record);
    return false;
  };
  const int count = GetNumItems();
  int next = selected;
  if (selected < 0) {
    if (GetHoldEnabled()) {
      if (!vertical) return unhandled();
      next = NextHeld(0, 1);
      if (next < 0) return true;
    } else {
      if (!arrow || count == 0) return unhandled();
      next = 0;
    }
  } else if (chr == kCharReturn) {
    SelectCell(selected, 0);
    CHfcCtrlListItem* item = GetItem(selected);
    if (item && item->GetEnabled()) SendEvent(kEventActivate, selected, item);
    return true;
  } else if (GetHoldEnabled()) {
    if (!vertical) return unhandled();
    next = NextHeld(selected + (chr == kCharDown ? 1 : -1), chr == kCharDown ? 1 : -1);
    if (next < 0) return true;
  } else {
    const tagHfcCtrlListParam& p = GetParam();
    switch (chr) {
      case kCharLeft:
        next = Horizontal() ? (selected - p.rows >= 0 ? selected - p.rows : selected)
                            : std::max(selected - 1, 0);
        break;
      case kCharRight:
        next = Horizontal() ? (selected + p.rows < count ? selected + p.rows : selected)
                            : std::min(selected + 1, count - 1);
        break;
      case kCharUp:
      case kCharDown: {
        const int dir = chr == kCharDown ? 1 : -1;
        const int step = (Horizontal() ? 1 : p.columns) * dir;
        // Past disabled items, until one is enabled or the index stops.
        int k = selected;
        while (true) {
          const int moved = k + step;
          if (moved < 0 || moved >= count) break;
          k = moved;
          if (GetItem(k)->GetEnabled()) break;
        }
        next = k;
        break;
      }
      default:
        return unhandled();
    }
  }
  SelectCell(next, 0);
  if (CheckNeedScroll(next)) SendEvent(kEventScrollTo, next, nullptr);
  SelectFinish();
  return true;
}
