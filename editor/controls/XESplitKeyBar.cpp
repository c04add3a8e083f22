#include "editor/controls/XESplitKeyBar.h"

#include <algorithm>

#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

namespace Oskend {

namespace {

// Right edge of each semitone of an octave that starts at A.
constexpr int kSemitoneEdge[12] = {8, 16, 23, 31, 39, 46, 54, 61, 69, 76, 84, 91};

// kind -> state, by the reversed flag.
constexpr int kStateOfKind[2][3] = {{XESplitKeyBar::kAll, XESplitKeyBar::kBelow, XESplitKeyBar::kAbove},
                                    {XESplitKeyBar::kNone, XESplitKeyBar::kAbove, XESplitKeyBar::kBelow}};

}  // namespace

bool XESplitKeyBar::Create(SXESplitKeyBarParam* p, int id) {
  if (!p) return false;
  return Create(p->x, p->y, p->back, p->backX, p->backY, id, p->reversed,
                static_cast<int>(p->tintColor));
}

bool XESplitKeyBar::Create(int x, int y, CHfcBmp* back, int srcX, int srcY, int id, int reversed,
                           int tintColor) {
  ResourceManager* images = ResourceManager::GetInstance();
  if (!images) return false;
  m_pKeyboard = images->LoadImage(kKeyboardSkin);
  if (!m_pKeyboard) return false;
  m_pArrow = images->LoadImage(kArrowSkin);
  m_pBack = back;
  m_iBackX = srcX;
  m_iBackY = srcY;
  m_iReversed = reversed;
  m_uTint = static_cast<uint32_t>(tintColor);
  m_iState = reversed ? kNone : kAll;
  m_iValue = 0;
  m_iMin = 0;
  m_iMax = 127;
  const int height = m_pArrow ? m_pArrow->GetHeight() : m_pKeyboard->GetHeight();
  if (!CHfcControl::Create(x, y, m_pKeyboard->GetWidth() - 1, height, id)) return false;
  m_iGroupId = 0;
  Enable(false);
  return true;
}

void XESplitKeyBar::SetIntValue(int value, bool redraw) {
  m_iValue = value;
  if (redraw) SetDirty(true);
}

void XESplitKeyBar::SetSplitBarValue(int index, tagSplitBarValue* v, bool redraw) {
  if (!v) return;
  if (index == 0) {
    m_iValue = v->value;
  } else if (v->kind >= 0 && v->kind <= 2) {
    m_iState = kStateOfKind[m_iReversed ? 1 : 0][v->kind];
  }
  if (redraw) SetDirty(true);
}

int XESplitKeyBar::GetSplitBarValue(tagSplitBarValue* out, int index) {
  if (!out) return 1;
  if (index == 0) {
    out->value = m_iValue;
    return 1;
  }
  if (m_iState == kNone || m_iState == kAll) {
    out->kind = 0;
  } else if (m_iState == kBelow || m_iState == kAbove) {
    const bool below = m_iState == kBelow;
    out->kind = (below != (m_iReversed != 0)) ? 1 : 2;
  }
  return 1;
}

int XESplitKeyBar::SplitX() const {
  const int i = m_iValue - (m_iState == kBelow ? kFirstKey + 1 : kFirstKey);
  // Floor division: the semitone before the first key (key 21 split below)
  // is the keyboard's left edge, not a read before the table.
  int octave = i / 12;
  int semitone = i % 12;
  if (semitone < 0) {
    semitone += 12;
    --octave;
  }
  return m_rcFrame.left + octave * kOctaveWidth + kSemitoneEdge[semitone] - 3;
}

bool XESplitKeyBar::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  SetMouseCapture();
  return true;
}

bool XESplitKeyBar::OnHfcMouseLButtonUp(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonUp(this, x, y, mods)) return true;
  ReleaseMouseCapture();
  return true;
}

void XESplitKeyBar::Draw(CHfcDrawContext* dc) {
  if (!dc || !IsVisible()) return;
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  const int right = m_rcFrame.right;
  if (m_pBack) dc->CopyBmp(left, top, GetWidth(), GetHeight(), m_pBack, m_iBackX, m_iBackY);
  if (!IsEnabled() || m_iValue < kFirstKey || !m_pKeyboard) return;

  const int a = m_pArrow ? m_pArrow->GetWidth() : 0;
  // The keys themselves, untinted, where the tint would reach with every
  // key lit: a bar that tints nothing still shows its keyboard.
  dc->CopyBmp(left + a / 2 + 2, top, right - 2 - left - a, m_pKeyboard->GetHeight(), m_pKeyboard, a / 2 + 2, 0);
  if (m_iState == kNone) return;
  const int split = SplitX();
  int from = 0;
  int width = 0;
  switch (m_iState) {
    case kBelow:
      from = left + a / 2 + 2;
      width = split - (left + 2);
      break;
    case kAbove:
      from = split + a / 2;
      width = right - (a + split);
      break;
    case kAll:
      from = left + a / 2 + 2;
      width = right - 2 - left - a;
      break;
    default:
      break;
  }
  CHfcBmp tinted;
  if (width > 0 && tinted.Create(m_pKeyboard->GetWidth(), m_pKeyboard->GetHeight())) {
    tinted.FilterColor(m_uTint, m_pKeyboard, 0, 0);
    dc->CopyBmp(from, top, width, m_pKeyboard->GetHeight(), &tinted, from - left, 0);
  }
  if (!m_pArrow) return;
  CHfcBmp arrow;
  if (!arrow.Create(m_pArrow->GetWidth(), m_pArrow->GetHeight())) return;
  arrow.FilterColor(m_uTint, m_pArrow, 0, 0);
  const int h = m_pArrow->GetHeight();
  // Split below key 21 puts the marker just left of the keyboard; it stays
  // on the bar.
  if (m_iState == kBelow || m_iState == kAbove)
    dc->CopyBmp(std::max(split, left), top, a, h, &arrow, 0, 0);
  if (m_iState == kBelow || m_iState == kAll) dc->CopyBmp(left + 2, top, a, h, &arrow, 0, 0);
  if (m_iState == kAbove || m_iState == kAll) dc->CopyBmp(right - a, top, a, h, &arrow, 0, 0);
}

}  // namespace Oskend
