#include "editor/controls/XEDropdownList.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "editor/controls/XEListShortForms.h"
#include "editor/controls/XEStaticText.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "hfc/HfcTextFit.h"
#include "platform/CHfcPopupMenu.h"

namespace {

// What the face can show of an item's text: anything unprintable a blank.
std::string Printable(std::string text) {
  for (char& c : text)
    if (!std::isprint(static_cast<unsigned char>(c))) c = ' ';
  return text;
}

}  // namespace

XEDropdownList::XEDropdownList() {
  m_iValue = kNone;
  m_iMin = -1;
  m_iMax = -1;
}

XEDropdownList::~XEDropdownList() = default;

bool XEDropdownList::Create(SXEDropdownListParam* p, int id, int idHigh) {
  if (!p) return false;
  const bool created = CHfcCtrlTextSwitch::Create(p, id, idHigh);
  // The switch gave itself the range of its one state; the items decide.
  m_iMin = m_items.empty() ? -1 : 0;
  m_iMax = static_cast<int>(m_items.size()) - 1;
  m_iRightReserve = p->rightReserve;
  m_pEnableList = nullptr;
  m_iEnableCount = 0;
  m_bFocusOnClick = true;
  m_bSpaceKey = false;
  return created;
}

void XEDropdownList::AddItem(const char* text, const char* subText, bool redraw) {
  const std::string t = text ? text : "";
  m_items.push_back({t, subText ? subText : t});
  m_iMin = 0;
  m_iMax = static_cast<int>(m_items.size()) - 1;
  if (redraw) m_bDirty = true;
}

void XEDropdownList::DeleteAllItems() {
  m_items.clear();
  // The range goes with the items, as before any was added.
  m_iMin = -1;
  m_iMax = -1;
  m_iValue = -1;
  m_bDirty = true;
}

bool XEDropdownList::GetItemText(std::string& out, int index) const {
  if (index < 0 || index >= GetItemCount()) {
    out.clear();
    return false;
  }
  out = m_items[static_cast<size_t>(index)].text;
  return true;
}

int XEDropdownList::ItemOf(int value) const {
  if (value == kNone || m_items.empty()) return -1;
  const int64_t index = int64_t{value} - m_iMin;
  return index >= 0 && index < GetItemCount() ? static_cast<int>(index) : -1;
}

void XEDropdownList::SetIntValue(int value, bool redraw) {
  m_iValue = ItemOf(value) >= 0 ? value : kNone;
  if (redraw) m_bDirty = true;
}

void XEDropdownList::SetSelectedItemIndex(int index, bool redraw) {
  m_iValue = index >= 0 && index < GetItemCount() ? index : kNone;
  if (redraw) m_bDirty = true;
}

void XEDropdownList::SetEnableParameterList(bool* list, int count) {
  m_pEnableList = list;
  m_iEnableCount = list ? count : 0;
}

void XEDropdownList::SetEnableIndex(int index, bool enabled) {
  if (m_pEnableList && index >= 0 && index < m_iEnableCount) m_pEnableList[index] = enabled;
}

bool XEDropdownList::OnHfcMouseLButtonDown(CHfcMouse*, int, int, int) {
  tagHfcPoint place{m_rcFrame.left, m_rcFrame.bottom};
  CHfcWindow* window = nullptr;
  if (CHfcWindowLayer* layer = GetParentLayer()) {
    place.x += layer->GetRect().left;
    place.y += layer->GetRect().top;
    window = layer->GetParentWindow();
  }
  SetFocus(0);
  CHfcPopupMenu menu;
  if (!menu.Create(1, false)) return true;
  // Exactly the items: the largest value is one less than GetMaxIntValue.
  for (int i = 0; i < GetItemCount(); ++i) {
    menu.InsertItem(i, i + 1, m_items[static_cast<size_t>(i)].text.c_str(), 0);
    if (m_pEnableList && i < m_iEnableCount) menu.EnableItem(i, m_pEnableList[i]);
  }
  const int selected = ItemOf(m_iValue);
  if (selected >= 0) menu.CheckItem(selected, true);
  // The menu's item numbers count from 1: the current choice under the
  // pointer.
  const int chosen = menu.TrackPopupById(place.x, place.y, window, selected + 1);
  if (chosen > 0 && chosen <= GetItemCount()) {
    m_iValue = chosen + m_iMin - 1;
    m_bDirty = true;
    if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, m_iValue);
  }
  menu.Destroy();
  return true;
}

void XEDropdownList::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int x = m_rcFrame.left;
  const int y = m_rcFrame.top;
  const int w = GetWidth();
  const int h = GetHeight();
  if (m_pBgBmp)
    dc->CopyBmp(x, y, w, h, m_pBgBmp, m_iBgX, m_iBgY);
  else
    dc->ClearRect(x, y, w, h);
  if (m_pSkin) {
    // One state whatever the value: the pressed frame only when the skin
    // has pressed frames, the disabled one after all normal frames.
    const int normalFrames = m_bOneFramePerState ? 1 : 2;
    int frame = !m_bOneFramePerState && IsPressed() ? 1 : 0;
    float alpha = 1.0f;
    if (!m_bEnabled) {
      if (m_bDisabledFrame)
        frame = normalFrames;
      else
        alpha = m_fDisabledAlpha;
    }
    const int skinWidth = m_pSkin->GetWidth();
    if (w != skinWidth && m_iRightReserve > 0 && m_iRightReserve < w && m_iRightReserve < skinWidth) {
      // A list laid out narrower or wider than its picture keeps the
      // picture's right end, where the arrow is, at its own right end: a
      // narrower one loses the middle of its face, a wider one repeats the
      // face's last column before the arrow across the difference.
      const int left = w - m_iRightReserve;
      const int face = skinWidth - m_iRightReserve;
      dc->CopyBmpAlpha(x, y, std::min(left, face), h, m_pSkin, alpha, 0, frame * h);
      for (int column = face; column < left; ++column)
        dc->CopyBmpAlpha(x + column, y, 1, h, m_pSkin, alpha, face - 1, frame * h);
      dc->CopyBmpAlpha(x + left, y, m_iRightReserve, h, m_pSkin, alpha, face, frame * h);
    } else {
      dc->CopyBmpAlpha(x, y, w, h, m_pSkin, alpha, 0, frame * h);
    }
  }
  DrawText(dc);
  if (IsFocused()) DrawFocus(dc);
}

std::string XEDropdownList::GetFaceText() const {
  const int item = ItemOf(m_iValue);
  return item < 0 ? std::string() : m_items[static_cast<size_t>(item)].subText;
}

void XEDropdownList::DrawText(CHfcDrawContext* dc) {
  const int item = ItemOf(m_iValue);
  if (!dc || !m_pFont || item < 0) return;
  const std::string text = Printable(GetFaceText());
  const int tw = HfcGetBmpTextWidth(m_pFont, text.c_str());
  int w = GetWidth() - m_iRightReserve;
  int tx = 0;
  switch (m_iHAlign) {
    case 0:
      tx = m_iHMargin;
      w -= m_iHMargin;
      break;
    case 1: {
      const int room = w - 2 * m_iHMargin - tw;
      tx = m_iHMargin + (room > 0 ? room / 2 : 0);
      break;
    }
    case 2:
      w -= m_iHMargin;
      tx = w - tw;
      break;
    default:
      break;
  }
  if (tx < 0) tx = m_iHMargin;
  const int ty = TextTop();
  const uint32_t colour = m_bEnabled ? m_uTextColor : XEScaleAlpha(m_uTextColor, m_fDisabledAlpha);
  // The text ends before the reserve on the right (the arrow's room), a
  // blank column clear of the arrow's divider; cut to it, it still tells
  // the item from the others.
  int right = m_iHAlign == 0 ? m_iHMargin + w : m_iHAlign == 1 ? w - m_iHMargin : w;
  if (m_iRightReserve > 0) right = std::min(right, GetWidth() - m_iRightReserve - 1);
  std::vector<std::string> texts;
  texts.reserve(m_items.size());
  for (const stItem& i : m_items) texts.push_back(XEListShortForms::Fit(m_pFont, Printable(i.subText), right - tx));
  const std::string shown = HfcFitBmpTextApart(m_pFont, texts, static_cast<size_t>(item), right - tx);
  dc->DrawBmpTextInBox(m_rcFrame.left + tx, m_rcFrame.top + ty, shown.c_str(), right - tx, m_pFont, colour);
}
