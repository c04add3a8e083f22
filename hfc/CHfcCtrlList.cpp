#include "hfc/CHfcCtrlList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcMouse.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "hfc/HfcModifiers.h"
#include "platform/HfcDebug.h"
#include "platform/HfcMemory.h"
#include "platform/HfcTime.h"

namespace {
constexpr int kKeyReturn = 13;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
// Below this many changed cells in view, cells are redrawn one by one.
constexpr int kIndividualLimit = 5;

tagHfcCtrlListParam MakeInitParam() {
  tagHfcCtrlListParam p{};
  p.verticalOrder = true;
  p.dragSource = true;
  return p;
}

}  // namespace

const tagHfcCtrlListParam CHfcCtrlList::sm_mInitParam = MakeInitParam();

CHfcCtrlList::CHfcCtrlList() : mParam(sm_mInitParam) {}

CHfcCtrlList::~CHfcCtrlList() {
  for (int i = 0; i < mItemCount; ++i) delete mItems[i];
  HfcMemFree(mItems);
  mItems = nullptr;
  mItemCount = 0;
}

bool CHfcCtrlList::Create(tagHfcCtrlListParam* param, int id, int group) {
  // Columns and rows divide the list into cells: none of either leaves no
  // cell to divide into.
  if (!param || !param->font || param->width <= 0 || param->height <= 0 || param->columns < 1 ||
      param->rows < 1)
    return false;
  mParam = *param;
  if (!CHfcControl::Create(mParam.x, mParam.y, mParam.width, mParam.height, id)) return false;
  SetMinIntValue(0, true);
  SetMaxIntValue(mParam.maxItems, true);
  mTopLine = 0;
  mCellWidth = static_cast<float>(mParam.width) / static_cast<float>(mParam.columns);
  mCellHeight = static_cast<float>(mParam.height) / static_cast<float>(mParam.rows);
  if (mParam.charWidth == 0) mParam.charWidth = mParam.font->GetWidth();
  if (mParam.charHeight == 0) mParam.charHeight = mParam.font->GetHeight() / 128;
  if (mParam.textY == 0)
    mParam.textY = static_cast<int>(mCellHeight * 0.5f) - mParam.charHeight / 2 - mParam.marginY;
  mCellShown.assign(static_cast<size_t>(mParam.columns) * static_cast<size_t>(mParam.rows), 1);
  SetGroupId(group);
  m_bCreated = true;
  Enable(true);
  m_bDirty = true;
  mIndividualUpdate = false;
  mUpdateNow = true;
  return true;
}

void CHfcCtrlList::Destroy() {
  for (int i = 0; i < mItemCount; ++i) delete mItems[i];
  HfcMemFree(mItems);
  mItems = nullptr;
  mItemCount = 0;
  mCellShown.clear();
  mParam = sm_mInitParam;
  CHfcControl::Destroy();
}

// ---- items ----------------------------------------------------------------

bool CHfcCtrlList::ResizeItems(int count) {
  if (count == 0) {
    HfcMemFree(mItems);
    mItems = nullptr;
    return true;
  }
  void* grown = HfcMemRealloc(mItems, sizeof(CHfcCtrlListItem*) * static_cast<size_t>(count));
  if (!grown) return false;
  mItems = static_cast<CHfcCtrlListItem**>(grown);
  return true;
}

void CHfcCtrlList::ClearItems() {
  while (mItemCount > 0) DeleteItem(0);
  m_bDirty = true;
}

CHfcCtrlListItem* CHfcCtrlList::AddItem() {
  if (mParam.maxItems > 0 && mItemCount >= mParam.maxItems) return nullptr;
  // A failed grow leaves the array, and so every item, as it was.
  if (!ResizeItems(mItemCount + 1)) return nullptr;
  auto* item = new CHfcCtrlListItem;
  item->SetIndex(mItemCount);
  mItems[mItemCount++] = item;
  return item;
}

CHfcCtrlListItem* CHfcCtrlList::InsertItem(int index) {
  if (index < 0) return nullptr;
  if (index >= mItemCount) return AddItem();
  if (mParam.maxItems > 0 && mItemCount >= mParam.maxItems) return nullptr;
  if (!ResizeItems(mItemCount + 1)) return nullptr;
  std::memmove(mItems + index + 1, mItems + index,
               sizeof(CHfcCtrlListItem*) * static_cast<size_t>(mItemCount - index));
  auto* item = new CHfcCtrlListItem;
  mItems[index] = item;
  ++mItemCount;
  item->SetIndex(index);
  for (int i = index + 1; i < mItemCount; ++i) {
    mItems[i]->SetIndex(i);
    mItems[i]->SetDirty(true);
  }
  return item;
}

bool CHfcCtrlList::MoveItem(int to, int from) {
  if (to < 0 || to >= mItemCount || from < 0 || from >= mItemCount) return false;
  if (to == from) return true;
  CHfcCtrlListItem* moved = mItems[from];
  if (from < to)
    std::memmove(mItems + from, mItems + from + 1,
                 sizeof(CHfcCtrlListItem*) * static_cast<size_t>(to - from));
  else
    std::memmove(mItems + to + 1, mItems + to,
                 sizeof(CHfcCtrlListItem*) * static_cast<size_t>(from - to));
  mItems[to] = moved;
  for (int i = std::min(to, from); i <= std::max(to, from); ++i) {
    mItems[i]->SetIndex(i);
    mItems[i]->SetDirty(true);
  }
  return true;
}

bool CHfcCtrlList::DeleteItem(int index) {
  if (index < 0 || index >= mItemCount) return false;
  delete mItems[index];
  std::memmove(mItems + index, mItems + index + 1,
               sizeof(CHfcCtrlListItem*) * static_cast<size_t>(mItemCount - index - 1));
  --mItemCount;
  for (int i = index; i < mItemCount; ++i) {
    mItems[i]->SetIndex(i);
    mItems[i]->SetDirty(true);
  }
  // A shrink that fails keeps the larger block, which is still valid.
  ResizeItems(mItemCount);
  return true;
}

CHfcCtrlListItem* CHfcCtrlList::GetItem(int index) const {
  return index >= 0 && index < mItemCount ? mItems[index] : nullptr;
}

int CHfcCtrlList::GetSelectedItemIndex() const {
  for (int i = 0; i < mItemCount; ++i)
    if (mItems[i]->GetSelected()) return i;
  return -1;
}

bool CHfcCtrlList::GetItemSelected(int index) const {
  const CHfcCtrlListItem* item = GetItem(index);
  return item && item->GetSelected();
}

int CHfcCtrlList::GetNumSelectedItems() const {
  int n = 0;
  for (int i = 0; i < mItemCount; ++i) n += mItems[i]->GetSelected() ? 1 : 0;
  return n;
}

bool CHfcCtrlList::GetItemEnabled(int index) const {
  const CHfcCtrlListItem* item = GetItem(index);
  return item && item->GetEnabled();
}

bool CHfcCtrlList::GetItemDropTarget(int index) const {
  const CHfcCtrlListItem* item = GetItem(index);
  return item && item->GetDropTarget();
}

int CHfcCtrlList::GetDropTargetItemIndex() const {
  for (int i = 0; i < mItemCount; ++i)
    if (mItems[i]->GetDropTarget()) return i;
  return -1;
}

void CHfcCtrlList::SetItemSelected(int index, bool v) {
  CHfcCtrlListItem* item = GetItem(index);
  if (!item) return;
  item->SetSelected(v);
  m_bDirty = true;
}

void CHfcCtrlList::SetItemEnabled(int index, bool v) {
  CHfcCtrlListItem* item = GetItem(index);
  if (!item) return;
  item->SetEnabled(v);
  m_bDirty = true;
}

void CHfcCtrlList::ClearItemSelected() {
  // The listener clears the marks; it may change the list while it does.
  for (int i = 0; i < mItemCount; ++i)
    if (mItems[i]->GetSelected()) SendEvent(kEventSelect, 0, mItems[i]);
  m_bDirty = true;
}

void CHfcCtrlList::SetItemDropTarget(int index, bool v) {
  CHfcCtrlListItem* item = GetItem(index);
  if (!item) return;
  ClearItemDropTarget();
  item->SetDropTarget(v);
  m_bDirty = true;
}

void CHfcCtrlList::ClearItemDropTarget() {
  for (int i = 0; i < mItemCount; ++i) mItems[i]->SetDropTarget(false);
  m_bDirty = true;
}

void CHfcCtrlList::SetHoldEnabled(bool on) {
  if (mHoldMode == on) return;
  mHoldMode = on;
  for (int i = 0; i < mItemCount; ++i)
    if (mItems[i]->GetHold()) mItems[i]->SetDirty(true);
}

void CHfcCtrlList::SetShowIcon(bool on) {
  if (mParam.showIcons == on) return;
  mParam.showIcons = on;
  for (int i = 0; i < mItemCount; ++i)
    if (mItems[i]->GetIcon()) mItems[i]->SetDirty(true);
}

// ---- lines ----------------------------------------------------------------

int CHfcCtrlList::ItemsPerLine() const {
  return mParam.verticalOrder ? mParam.rows : mParam.columns;
}

int CHfcCtrlList::GetNumLines() const {
  const int perLine = ItemsPerLine();
  if (perLine < 1) return 0;
  // A partly filled last line is a line: it must be reachable by scrolling.
  return (mItemCount + perLine - 1) / perLine;
}

int CHfcCtrlList::GetNumViewLines() const {
  return mParam.verticalOrder ? mParam.columns : mParam.rows;
}

int CHfcCtrlList::GetNumViewItems() const { return mParam.columns * mParam.rows; }

int CHfcCtrlList::GetItemLine(int index) const {
  const int perLine = ItemsPerLine();
  return perLine < 1 ? 0 : index / perLine;
}

int CHfcCtrlList::SetCurrentLine(int line) {
  line = std::max(std::min(line, GetNumLines() - 1), 0);
  if (line != mTopLine) {
    for (int i = 0; i < mItemCount; ++i) mItems[i]->SetDirty(true);
    mTopLine = line;
    m_bDirty = true;
  }
  return line;
}

void CHfcCtrlList::AutoScroll(int index, int mode) {
  const int line = GetItemLine(index);
  const int visible = GetNumViewLines();
  if (mode == 1 && visible > 0) {
    SetCurrentLine(line - line % visible);
  } else if (mode == 0) {
    if (line >= mTopLine + visible)
      SetCurrentLine(line + 1 - visible);
    else if (line < mTopLine)
      SetCurrentLine(line);
  }
  m_bDirty = true;
}

bool CHfcCtrlList::CheckNeedScroll(int index) const {
  const int line = GetItemLine(index);
  return line < mTopLine || line >= mTopLine + GetNumViewLines();
}

// ---- geometry -------------------------------------------------------------

int CHfcCtrlList::PointToViewIndex(int x, int y, int* dx, int* dy) const {
  const int column = static_cast<int>(static_cast<float>(x) / mCellWidth);
  const int row = static_cast<int>(static_cast<float>(y) / mCellHeight);
  if (dx) *dx = static_cast<int>(mCellWidth * static_cast<float>(column)) - x;
  if (dy) *dy = static_cast<int>(mCellHeight * static_cast<float>(row)) - y;
  return mParam.verticalOrder ? column * mParam.rows + row : row * mParam.columns + column;
}

void CHfcCtrlList::ViewIndexToCellIndicator(int* column, int* row, int v) const {
  if (mParam.verticalOrder) {
    *column = v / mParam.rows;
    *row = v % mParam.rows;
  } else {
    *column = v % mParam.columns;
    *row = v / mParam.columns;
  }
}

void CHfcCtrlList::CellIndicatorToPoint(tagHfcPoint* pt, int column, int row) const {
  pt->x = static_cast<int>(static_cast<float>(column) * mCellWidth) + m_rcFrame.left;
  pt->y = static_cast<int>(static_cast<float>(row) * mCellHeight) + m_rcFrame.top;
}

void CHfcCtrlList::ViewIndexToPoint(tagHfcPoint* pt, int v) const {
  int column = 0;
  int row = 0;
  ViewIndexToCellIndicator(&column, &row, v);
  CellIndicatorToPoint(pt, column, row);
}

int CHfcCtrlList::ViewIndexToIndex(int v) const {
  const int index = mTopLine * ItemsPerLine() + v;
  return index >= 0 && index < mItemCount ? index : -1;
}

int CHfcCtrlList::IndexToViewIndex(int index) const {
  const int v = index - mTopLine * ItemsPerLine();
  return v >= 0 && v < GetNumViewItems() ? v : -1;
}

int CHfcCtrlList::PointToIndex(int x, int y) {
  if (x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return -1;
  return ViewIndexToIndex(PointToViewIndex(x, y, nullptr, nullptr));
}

void CHfcCtrlList::CellRect(int v, tagHfcRect* r) const {
  int column = 0;
  int row = 0;
  ViewIndexToCellIndicator(&column, &row, v);
  r->left = static_cast<int>(static_cast<float>(column) * mCellWidth) + m_rcFrame.left;
  r->top = static_cast<int>(static_cast<float>(row) * mCellHeight) + m_rcFrame.top;
  r->right = static_cast<int>(static_cast<float>(column + 1) * mCellWidth) + m_rcFrame.left;
  r->bottom = static_cast<int>(static_cast<float>(row + 1) * mCellHeight) + m_rcFrame.top;
}

// ---- drawing --------------------------------------------------------------

void CHfcCtrlList::Update(bool force, bool now) {
  if (!m_pParentLayer) return;
  if (!m_bVisible) {
    if (!m_bErasePending) return;
    m_bErasePending = false;
    Erase(m_pParentLayer->GetDrawContext());
    m_pParentLayer->CopyToWindow(&m_rcFrame, now);
    return;
  }
  if (!force && !m_bDirty) return;
  // Only changed items are drawn; a forced update means all of them.
  if (force)
    for (int i = 0; i < mItemCount; ++i) mItems[i]->SetDirty(true);
  m_bDirty = false;
  mUpdateNow = now;
  Draw(m_pParentLayer->GetDrawContext());
}

bool CHfcCtrlList::CheckIndividualUpdate() const {
  int dirty = 0;
  for (int v = 0; v < GetNumViewItems(); ++v) {
    const int i = ViewIndexToIndex(v);
    if (i >= 0 && mItems[i]->IsDirty()) ++dirty;
  }
  return dirty < kIndividualLimit;
}

void CHfcCtrlList::FillCellBackground(CHfcDrawContext* dc, int left, int top, int width,
                                      int height) {
  if (mParam.bgBmp)
    dc->CopyBmp(left, top, width, height, mParam.bgBmp, mParam.bgX + left - m_rcFrame.left,
                mParam.bgY + top - m_rcFrame.top);
  else
    dc->ClearRect(left, top, width, height);
}

void CHfcCtrlList::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_bCreated) return;
  mIndividualUpdate = CheckIndividualUpdate();
  if (mIndividualUpdate) {
    DrawList(dc, false);
    return;
  }
  FillCellBackground(dc, m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight());
  DrawList(dc, true);
  if (m_pParentLayer) m_pParentLayer->CopyToWindow(&m_rcFrame, mUpdateNow);
}

void CHfcCtrlList::Show(bool markDirty) {
  // Hiding erased the cells: showing again must draw every item.
  if (!m_bVisible)
    for (int i = 0; i < mItemCount; ++i) mItems[i]->SetDirty(true);
  CHfcControl::Show(markDirty);
}

void CHfcCtrlList::Erase(CHfcDrawContext* dc) {
  if (dc && mParam.bgBmp)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), mParam.bgBmp, mParam.bgX,
                mParam.bgY);
}

void CHfcCtrlList::DrawList(CHfcDrawContext* dc, bool force) {
  for (int v = 0; v < GetNumViewItems(); ++v) {
    const int i = ViewIndexToIndex(v);
    if (i >= 0) {
      DrawCell(dc, i, force);
      mCellShown[static_cast<size_t>(v)] = 1;
    } else if (mCellShown[static_cast<size_t>(v)]) {
      mCellShown[static_cast<size_t>(v)] = 0;
      EraseCell(dc, v, force);
    }
  }
}

void CHfcCtrlList::DrawCell(CHfcDrawContext* dc, int index, bool force) {
  CHfcCtrlListItem* item = GetItem(index);
  const int v = IndexToViewIndex(index);
  if (!dc || !item || v < 0 || (!force && !item->IsDirty()) || !item->GetVisible()) return;
  item->SetDirty(false);
  tagHfcRect r;
  CellRect(v, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  CHfcOffscreenContext cell(w, h);
  // The cell is blended onto the list's picture, so on its own it first
  // gets its piece of the background there (a cleared cell over an old
  // look would let the old look show through).
  if (mIndividualUpdate) FillCellBackground(dc, r.left, r.top, w, h);
  DrawCell(&cell, item, index, w, h);
  cell.CopyToContext(dc, r.left, r.top, w, h, 0, 0);
  if (mIndividualUpdate && m_pParentLayer) m_pParentLayer->CopyToWindow(&r, mUpdateNow);
}

void CHfcCtrlList::EraseCell(CHfcDrawContext* dc, int v, bool) {
  if (!dc || !mIndividualUpdate) return;
  tagHfcRect r;
  CellRect(v, &r);
  r.left += mParam.marginX;
  r.top += mParam.marginY;
  r.right -= mParam.marginX;
  r.bottom -= mParam.marginY;
  if (r.right <= r.left || r.bottom <= r.top) return;
  FillCellBackground(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (m_pParentLayer) m_pParentLayer->CopyToWindow(&r, mUpdateNow);
}

void CHfcCtrlList::DrawCell(CHfcOffscreenContext* dc, CHfcCtrlListItem* item, int, int width,
                            int height) {
  const int mx = mParam.marginX;
  const int my = mParam.marginY;
  const int innerW = width - 2 * mx;
  const int innerH = height - 2 * my;
  CHfcBmp* font = mParam.font;
  if (item->GetSelected()) {
    dc->SetBrushColor(mParam.selectedColor);
    dc->FillRect(mx, my, innerW, innerH);
    if (mParam.selectedFont) font = mParam.selectedFont;
  } else if (mHoldMode && item->GetHold()) {
    dc->SetBrushColor(mParam.holdColor);
    dc->FillRect(mx, my, innerW, innerH);
  }
  if (item->GetDropTarget()) {
    dc->SetPenColor(mParam.dropTargetColor);
    dc->FrameRect(mx, my, innerW, innerH);
  }
  if (!item->GetEnabled() && mParam.disabledFont) font = mParam.disabledFont;
  int areaLeft = mx;
  int areaWidth = innerW;
  CHfcBmp* icon = item->GetIcon();
  if (mParam.showIcons && icon) {
    const int iconW = icon->GetWidth();
    const int iconH = std::min(icon->GetHeight(), innerH);
    const int iconY = std::max(innerH / 2 + my - icon->GetHeight() / 2, my);
    dc->CopyBmp(mParam.textX + mx, iconY, iconW, iconH, icon, 0, 0);
    areaLeft += mParam.textX + iconW;
    areaWidth -= mParam.textX + iconW;
  }
  if (mParam.charWidth <= 0 || areaWidth <= 0) return;
  const int fit = areaWidth / mParam.charWidth;
  const int chars = std::min(static_cast<int>(std::strlen(item->Caption())), fit);
  if (chars <= 0) return;
  const int x = mParam.textX != 0 ? mParam.textX : areaWidth / 2 - chars * mParam.charWidth / 2;
  dc->DrawBmpText(x + areaLeft, my + mParam.textY, item->Caption(),
                  static_cast<unsigned long>(chars), font, mParam.charWidth, mParam.charHeight);
}

void CHfcCtrlList::DrawDragImage(CHfcDrawContext* dc, int index) {
  CHfcCtrlListItem* source = GetItem(index);
  if (!dc || !source) return;
  CHfcCtrlListItem look;
  look.Assign(source);
  look.SetDropTarget(false);
  look.SetSelected(false);
  look.SetEnabled(true);
  look.SetHold(true);
  const int w = static_cast<int>(mCellWidth);
  const int h = static_cast<int>(mCellHeight);
  if (w <= 0 || h <= 0) return;
  CHfcOffscreenContext image(w, h);
  DrawCell(&image, &look, index, w, h);
  image.CopyToContext(dc, 0, 0, w, h, 0, 0);
}

void CHfcCtrlList::Debug() {
  if (!m_pParentLayer) return;
  const uint32_t start = HfcGetSystemTimeMs();
  for (int i = 0; i < 120; ++i) {
    for (int k = 0; k < mItemCount; ++k) mItems[k]->SetDirty(true);
    Draw(m_pParentLayer->GetDrawContext());
  }
  HfcDebugPrintf("CHfcCtrlList::Debug() - %u ms", HfcGetSystemTimeMs() - start);
}

// ---- selection and events ---------------------------------------------------

bool CHfcCtrlList::SendEvent(int code, int arg, void* data) {
  return m_pListener && m_pListener->OnHfcCtrlEvent(this, code, arg, data);
}

void CHfcCtrlList::SelectCell(int index, int mode) {
  CHfcCtrlListItem* item = GetItem(index);
  if (!item || !item->GetEnabled() || !m_pListener) return;
  switch (mode) {
    case 0:
      ClearItemSelected();
      if (GetItem(index)) SendEvent(kEventSelect, 1, GetItem(index));
      break;
    case 1:
      if (!item->GetSelected()) SendEvent(kEventSelect, 1, item);
      break;
    case 2:
      SendEvent(kEventSelect, item->GetSelected() ? 0 : 1, item);
      break;
    default:
      break;
  }
}

void CHfcCtrlList::SelectFinish() { SendEvent(kEventSelectFinish, 0, nullptr); }

// ---- mouse ----------------------------------------------------------------

bool CHfcCtrlList::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  const int i = PointToIndex(x, y);
  if (mods & kHfcModControl) {
    tagHfcPoint p{x + m_rcFrame.left, y + m_rcFrame.top};
    SendEvent(kEventContext, i, &p);
  }
  mGesture = 0;
  mAnchor = -1;
  mPressed = 0;
  CHfcCtrlListItem* item = GetItem(i);
  if (!item || !item->GetEnabled()) return true;
  if (mParam.multipleSelection && (mods & kHfcModCommand)) {
    mGesture = 2;
  } else if (mParam.multipleSelection && (mods & kHfcModShift)) {
    int first = GetSelectedItemIndex();
    if (first < 0) first = 0;
    const int from = std::min(first, i);
    const int to = std::max(first, i);
    for (int k = from; k <= to; ++k) {
      CHfcCtrlListItem* it = GetItem(k);
      if (!it || (mHoldMode && !it->GetHold())) continue;
      SelectCell(k, 1);
    }
    m_bDirty = true;
    SelectFinish();
    mGesture = 3;
  } else {
    if (!item->GetSelected()) {
      SelectCell(i, 0);
      SelectFinish();
    }
    mGesture = 1;
  }
  mAnchor = i;
  mPressed = 1;
  mPressX = x;
  mPressY = y;
  return true;
}

bool CHfcCtrlList::OnHfcMouseLButtonUp(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonUp(this, x, y, mods)) return true;
  ReleaseMouseCapture();
  const int i = PointToIndex(x, y);
  if (mGesture == 2) {
    CHfcCtrlListItem* item = GetItem(i);
    if (item && !(mHoldMode && !item->GetHold())) {
      SelectCell(i, 2);
      SelectFinish();
    }
  } else if (mGesture == 1 && i != -1) {
    SelectCell(i, 0);
    SelectFinish();
  }
  mGesture = 0;
  mAnchor = -1;
  mPressed = 0;
  return true;
}

bool CHfcCtrlList::OnHfcMouseLButtonDoubleClick(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  const int i = PointToIndex(x, y);
  if (i < 0) return false;
  SelectCell(i, 0);
  CHfcCtrlListItem* item = GetItem(i);
  if (item && item->GetEnabled()) SendEvent(kEventActivate, i, item);
  return true;
}

bool CHfcCtrlList::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!mPressed || std::abs(x - mPressX) + std::abs(y - mPressY) < 4) return false;
  mPressed = 0;
  mGesture = 0;
  if (!mParam.dragSource) return false;
  tagHfcPoint global{x, y};
  LocalToGlobal(&global);
  int32_t record[5] = {mAnchor, global.x, global.y, 0, 0};
  const int v = IndexToViewIndex(mAnchor);
  if (v >= 0) {
    tagHfcPoint cell;
    ViewIndexToPoint(&cell, v);
    record[3] = cell.x - m_rcFrame.left - x;
    record[4] = cell.y - m_rcFrame.top - y;
  }
  SendEvent(kEventDragStart, mAnchor, record);
  return true;
}

bool CHfcCtrlList::OnHfcMouseRButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseRButtonDown(this, x, y, mods)) return true;
  const int i = PointToIndex(x, y);
  CHfcCtrlListItem* item = GetItem(i);
  if (!item || item->GetSelected()) return false;
  SelectCell(i, 0);
  SelectFinish();
  return true;
}

bool CHfcCtrlList::OnHfcMouseRButtonUp(CHfcMouse*, int x, int y, int mods) {
  // The release is offered as a release, not as a second press.
  if (m_pListener && m_pListener->OnHfcCtrlMouseRButtonUp(this, x, y, mods)) return true;
  tagHfcPoint p{x + m_rcFrame.left, y + m_rcFrame.top};
  SendEvent(kEventContext, PointToIndex(x, y), &p);
  return true;
}

void CHfcCtrlList::OnHfcMouseLostCapture(CHfcMouse*) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseLostCapture(this);
}

bool CHfcCtrlList::OnHfcDragTrackingEnterWindow(CHfcDrag*, CHfcDragFlavor* flavor, int x, int y,
                                                int mods, int* action) {
  return m_pListener &&
         m_pListener->OnHfcCtrlDragTrackingEnterControl(this, flavor, x, y, mods, action);
}

bool CHfcCtrlList::OnHfcDragTrackingInWindow(CHfcDrag*, CHfcDragFlavor* flavor, int x, int y,
                                             int mods, int* action) {
  return m_pListener &&
         m_pListener->OnHfcCtrlDragTrackingInControl(this, flavor, x, y, mods, action);
}

bool CHfcCtrlList::OnHfcDragTrackingLeaveWindow(CHfcDrag*) {
  if (!m_pListener) return false;
  m_pListener->OnHfcCtrlDragTrackingLeaveControl(this);
  return true;
}

bool CHfcCtrlList::OnHfcDragReceive(CHfcDrag*, CHfcDragFlavor* flavor, int x, int y, int mods,
                                    int* action) {
  return m_pListener && m_pListener->OnHfcCtrlDragReceive(this, flavor, x, y, mods, action);
}

// ---- keys -----------------------------------------------------------------

bool CHfcCtrlList::MoveTo(int n) {
  SelectCell(n, 0);
  const int line = GetItemLine(n);
  if (line < mTopLine || line > mTopLine + GetNumViewLines() - 1) SendEvent(kEventScrollTo, n, nullptr);
  m_bDirty = true;
  SelectFinish();
  return true;
}

bool CHfcCtrlList::OnHfcKeyChar(CHfcKey*, int code, int arg) {
  const int s = GetSelectedItemIndex();
  int32_t keyRecord[2] = {code, arg};
  const bool arrow = code == kKeyLeft || code == kKeyUp || code == kKeyRight || code == kKeyDown;
  if (s >= 0 && code == kKeyReturn) {
    SelectCell(s, 0);
    CHfcCtrlListItem* item = GetItem(s);
    if (item && item->GetEnabled()) SendEvent(kEventActivate, s, item);
    return true;
  }
  if (mHoldMode) {
    if (code == kKeyDown || code == kKeyUp) {
      if (s >= 0) {
        const int dir = code == kKeyDown ? 1 : -1;
        for (int k = s + dir; k >= 0 && k < mItemCount; k += dir)
          if (mItems[k]->GetHold()) return MoveTo(k);
        return true;
      }
      for (int k = 0; k < mItemCount; ++k)
        if (mItems[k]->GetHold()) return MoveTo(k);
      return true;
    }
    SendEvent(kEventKey, s, keyRecord);
    return false;
  }
  if (!arrow) {
    SendEvent(kEventKey, s, keyRecord);
    return false;
  }
  if (s < 0) return MoveTo(0);
  const int rows = mParam.rows;
  const int columns = mParam.columns;
  int n = s;
  switch (code) {
    case kKeyLeft:
      n = mParam.verticalOrder ? (s - rows >= 0 ? s - rows : s) : std::max(s - 1, 0);
      break;
    case kKeyUp:
      n = !mParam.verticalOrder ? (s - columns >= 0 ? s - columns : s) : std::max(s - 1, 0);
      break;
    case kKeyRight:
      n = mParam.verticalOrder ? (s + rows < mItemCount ? s + rows : s)
                               : (s < mItemCount - 1 ? s + 1 : s);
      break;
    default:  // down
      n = !mParam.verticalOrder ? (s + columns < mItemCount ? s + columns : s)
                                : (s < mItemCount - 1 ? s + 1 : s);
      break;
  }
  return MoveTo(n);
}
