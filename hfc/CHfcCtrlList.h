#pragma once
// A grid of text cells in a fixed-cell bitmap font over a list of items,
// scrolled by whole lines. The list never changes its own selection: it
// asks its listener through OnHfcCtrlEvent and the listener sets the
// items' marks. Few changed items are redrawn cell by cell; more repaint
// the whole list.
#include <cstdint>
#include <vector>

#include "hfc/CHfcControl.h"
#include "hfc/CHfcCtrlListItem.h"

class CHfcOffscreenContext;

struct tagHfcCtrlListParam {
  int32_t x, y;
  int32_t width, height;
  int32_t bgX, bgY;
  CHfcBmp* bgBmp;
  CHfcBmp* font;
  CHfcBmp* selectedFont;
  CHfcBmp* disabledFont;
  int32_t charWidth, charHeight;
  int32_t maxItems;
  int32_t columns, rows;
  int32_t marginX, marginY;
  int32_t textX;
  int32_t textY;
  bool verticalOrder;
  bool multipleSelection;
  bool dragSource;
  bool showIcons;
  uint32_t selectedColor;
  uint32_t holdColor;
  uint32_t dropTargetColor;
};

class CHfcCtrlList : public CHfcControl {
 public:
  // Event codes sent to the listener's OnHfcCtrlEvent.
  enum {
    kEventSelect = 0,
    kEventSelectFinish = 1,
    kEventActivate = 2,
    kEventScrollTo = 4,
    kEventDragStart = 5,
    kEventContext = 6,
    kEventKey = 7,
  };
  static const tagHfcCtrlListParam sm_mInitParam;

  CHfcCtrlList();
  ~CHfcCtrlList() override;

  bool Create(tagHfcCtrlListParam* param, int id, int group);
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void Erase(CHfcDrawContext* dc) override;
  void Update(bool force, bool now) override;
  void Show(bool markDirty) override;

  // Items.
  void ClearItems();
  CHfcCtrlListItem* AddItem();
  CHfcCtrlListItem* InsertItem(int index);
  bool MoveItem(int to, int from);
  bool DeleteItem(int index);
  CHfcCtrlListItem* GetItem(int index) const;
  int GetNumItems() const { return mItemCount; }
  int GetSelectedItemIndex() const;
  bool GetItemSelected(int index) const;
  int GetNumSelectedItems() const;
  bool GetItemEnabled(int index) const;
  bool GetItemDropTarget(int index) const;
  int GetDropTargetItemIndex() const;
  void SetItemSelected(int index, bool v);
  void SetItemEnabled(int index, bool v);
  void ClearItemSelected();
  void SetItemDropTarget(int index, bool v);
  void ClearItemDropTarget();
  void SetHoldEnabled(bool on);
  bool GetHoldEnabled() const { return mHoldMode; }
  void SetShowIcon(bool on);
  bool GetShowIcon() const { return mParam.showIcons; }

  // Lines.
  int GetNumLines() const;
  int GetNumViewLines() const;
  int GetNumViewItems() const;
  int GetTopLine() const { return mTopLine; }
  int SetCurrentLine(int line);
  void AutoScroll(int index, int mode);
  bool CheckNeedScroll(int index) const;

  // Selection gestures and events.
  void SelectCell(int index, int mode);
  void SelectFinish();
  bool SendEvent(int code, int arg, void* data);
  int PointToIndex(int x, int y);
  void DrawDragImage(CHfcDrawContext* dc, int index);
  // Draws the whole list 120 times and traces the milliseconds it took.
  void Debug();

  // Geometry.
  virtual int GetItemLine(int index) const;
  virtual void CellIndicatorToPoint(tagHfcPoint* pt, int column, int row) const;
  virtual void ViewIndexToCellIndicator(int* column, int* row, int v) const;
  virtual void ViewIndexToPoint(tagHfcPoint* pt, int v) const;
  // (x, y) relative to the list's top left.
  virtual int PointToViewIndex(int x, int y, int* dx, int* dy) const;
  virtual int ViewIndexToIndex(int v) const;
  virtual int IndexToViewIndex(int index) const;
  float GetCellWidth() const { return mCellWidth; }
  float GetCellHeight() const { return mCellHeight; }
  const tagHfcCtrlListParam& GetParam() const { return mParam; }

  // Mouse, keys, drags.
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  using CHfcControl::OnHfcKeyChar;
  bool OnHfcKeyChar(CHfcKey* key, int code, int arg) override;
  bool OnHfcDragTrackingEnterWindow(CHfcDrag*, CHfcDragFlavor* flavor, int x, int y, int mods,
                                    int* action) override;
  bool OnHfcDragTrackingInWindow(CHfcDrag*, CHfcDragFlavor* flavor, int x, int y, int mods,
                                 int* action) override;
  bool OnHfcDragTrackingLeaveWindow(CHfcDrag*) override;
  bool OnHfcDragReceive(CHfcDrag*, CHfcDragFlavor* flavor, int x, int y, int mods,
                        int* action) override;

 protected:
  virtual void DrawList(CHfcDrawContext* dc, bool force);
  virtual void DrawCell(CHfcDrawContext* dc, int index, bool force);
  virtual void EraseCell(CHfcDrawContext* dc, int v, bool force);
  // The look of one item in a cell-sized offscreen.
  virtual void DrawCell(CHfcOffscreenContext* dc, CHfcCtrlListItem* item, int index, int width,
                        int height);
  // Resizes the item array to count entries; false leaves it as it was.
  virtual bool ResizeItems(int count);

  int ItemsPerLine() const;
  bool CheckIndividualUpdate() const;
  void CellRect(int v, tagHfcRect* r) const;
  void FillCellBackground(CHfcDrawContext* dc, int left, int top, int width, int height);
  bool MoveTo(int index);

  CHfcCtrlListItem** mItems = nullptr;
  std::vector<uint8_t> mCellShown;
  int32_t mItemCount = 0;
  int32_t mTopLine = 0;
  float mCellWidth = 0.0f;
  float mCellHeight = 0.0f;
  bool mHoldMode = false;
  bool mIndividualUpdate = false;
  bool mUpdateNow = true;
  int32_t mGesture = 0;
  int32_t mAnchor = -1;
  int32_t mPressed = 0;
  int32_t mPressX = 0;
  int32_t mPressY = 0;
  tagHfcCtrlListParam mParam;
};
