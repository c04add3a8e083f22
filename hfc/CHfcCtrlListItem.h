#pragma once
// One cell's worth of a list control: a caption with its selection, hold,
// drop-target and enable marks. Every setter marks the item dirty only when
// the value changes, so the list can redraw just the cells that changed.
#include <cstdint>

class CHfcBmp;

class CHfcCtrlListItem {
 public:
  static constexpr int kMaxCaption = 256;

  CHfcCtrlListItem();
  ~CHfcCtrlListItem();
  CHfcCtrlListItem(const CHfcCtrlListItem&) = delete;
  CHfcCtrlListItem& operator=(const CHfcCtrlListItem&) = delete;

  // Keeps the first kMaxCaption characters.
  void SetCaption(const char* text);
  // Copies at most min(size - 1, kMaxCaption) characters and always ends
  // the copy with a zero inside the buffer; null for no buffer or size.
  char* GetCaption(char* buffer, int size) const;
  const char* Caption() const { return mCaption; }

  void SetEnabled(bool v);
  void SetVisible(bool v);
  void SetSelected(bool v);
  void SetHold(bool v);
  void SetIcon(CHfcBmp* icon);
  void SetDropTarget(bool v);
  void Assign(const CHfcCtrlListItem* other);

  bool GetEnabled() const { return mEnabled; }
  bool GetVisible() const { return mVisible; }
  bool GetSelected() const { return mSelected; }
  bool GetHold() const { return mHold; }
  bool GetDropTarget() const { return mDropTarget; }
  CHfcBmp* GetIcon() const { return mIcon; }
  bool IsDirty() const { return mDirty; }
  void SetDirty(bool dirty) { mDirty = dirty; }
  int GetIndex() const { return mIndex; }
  void SetIndex(int index) { mIndex = index; }

  uint32_t mUserData1 = 0;
  uint32_t mUserData2 = 0;
  uint32_t mUserData3 = 0;

 private:
  bool mEnabled = true;
  bool mVisible = true;
  char mCaption[kMaxCaption + 1];
  bool mSelected = false;
  CHfcBmp* mIcon = nullptr;
  bool mDirty = true;
  int32_t mIndex = 0;
  bool mHold = false;
  bool mDropTarget = false;
};
