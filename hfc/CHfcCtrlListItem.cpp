#include "hfc/CHfcCtrlListItem.h"

#include <algorithm>
#include <cstring>

CHfcCtrlListItem::CHfcCtrlListItem() { mCaption[0] = 0; }

CHfcCtrlListItem::~CHfcCtrlListItem() = default;

void CHfcCtrlListItem::SetCaption(const char* text) {
  if (!text) text = "";
  const size_t length = strnlen(text, kMaxCaption);
  if (std::strncmp(mCaption, text, kMaxCaption) == 0 && mCaption[length] == 0) return;
  std::memcpy(mCaption, text, length);
  mCaption[length] = 0;
  mDirty = true;
}

char* CHfcCtrlListItem::GetCaption(char* buffer, int size) const {
  if (!buffer || size < 1) return nullptr;
  const size_t count = std::min(strnlen(mCaption, kMaxCaption), static_cast<size_t>(size - 1));
  std::memcpy(buffer, mCaption, count);
  buffer[count] = 0;
  return buffer;
}

namespace {
template <typename T>
void Set(T& field, T value, bool& dirty) {
  if (field == value) return;
  field = value;
  dirty = true;
}
}  // namespace

void CHfcCtrlListItem::SetEnabled(bool v) { Set(mEnabled, v, mDirty); }
void CHfcCtrlListItem::SetVisible(bool v) { Set(mVisible, v, mDirty); }
void CHfcCtrlListItem::SetSelected(bool v) { Set(mSelected, v, mDirty); }
void CHfcCtrlListItem::SetHold(bool v) { Set(mHold, v, mDirty); }
void CHfcCtrlListItem::SetIcon(CHfcBmp* icon) { Set(mIcon, icon, mDirty); }
void CHfcCtrlListItem::SetDropTarget(bool v) { Set(mDropTarget, v, mDirty); }

void CHfcCtrlListItem::Assign(const CHfcCtrlListItem* other) {
  if (!other || other == this) return;
  std::memcpy(mCaption, other->mCaption, sizeof mCaption);
  mEnabled = other->mEnabled;
  mVisible = other->mVisible;
  mSelected = other->mSelected;
  mUserData1 = other->mUserData1;
  mUserData2 = other->mUserData2;
  mUserData3 = other->mUserData3;
  mIcon = other->mIcon;
  mIndex = other->mIndex;
  mHold = other->mHold;
  mDropTarget = other->mDropTarget;
  mDirty = true;
}
