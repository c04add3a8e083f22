#include "editor/controls/XEDropdownListSwitch.h"

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "platform/CHfcPopupMenu.h"

bool XEDropdownListSwitch::Create(SXEDropdownListSwitchParam* p, int id, int flags) {
  if (!p) return false;
  m_uSelectedTextColour = kSelectedTextColour;
  m_iSelected = -1;
  m_iItemKind = p->itemKind;
  return CHfcCtrlTextSwitch::Create(p, id, flags);
}

void XEDropdownListSwitch::AddItem(const char* text, bool redraw) {
  m_items.emplace_back(text ? text : "");
  if (redraw) m_bDirty = true;
}

void XEDropdownListSwitch::DeleteAllItems() {
  m_items.clear();
  m_bDirty = true;
}

void XEDropdownListSwitch::SetSelectedItemIndex(int index, bool redraw) {
  m_iSelected = index >= 0 && index < GetItemCount() ? index : -1;
  if (redraw) m_bDirty = true;
}

bool XEDropdownListSwitch::OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  if (x < GetWidth() - m_iArrowWidth) return CHfcCtrlSwitch::OnHfcMouseLButtonDown(m, x, y, mods);
  CHfcPopupMenu menu;
  menu.Create(0, true);
  for (int i = 0; i < GetItemCount(); ++i)
    menu.InsertItem(i, i + 1, m_items[static_cast<size_t>(i)].c_str(), 0);
  if (m_iSelected >= 0 && m_iSelected < GetItemCount()) menu.CheckItem(m_iSelected, true);
  // At the top-left corner of the arrow area, in window coordinates.
  int px = m_rcFrame.right - m_iArrowWidth;
  int py = m_rcFrame.top;
  CHfcWindow* window = nullptr;
  if (CHfcWindowLayer* layer = GetParentLayer()) {
    px += layer->GetRect().left;
    py += layer->GetRect().top;
    window = layer->GetParentWindow();
  }
  const int result = menu.TrackPopupById(px, py, window, 0);
  if (result > 0 && result <= GetItemCount()) {
    m_iSelected = result - 1;
    m_bDirty = true;
    if (m_pListener) m_pListener->OnHfcCtrlEvent(this, 0, result - 1, nullptr);
  }
  menu.Destroy();
  return true;
}

void XEDropdownListSwitch::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_pSkin) return;
  const int x = m_rcFrame.left;
  const int y = m_rcFrame.top;
  const int w = GetWidth();
  const int h = GetHeight();
  if (m_pBgBmp)
    dc->CopyBmp(x, y, w, h, m_pBgBmp, m_iBgX, m_iBgY);
  else
    dc->ClearRect(x, y, w, h);
  const int frame = m_bOneFramePerState ? m_iValue : m_iValue * 2 + (IsPressed() ? 1 : 0);
  if (m_bEnabled) {
    dc->CopyBmp(x, y, w, h, m_pSkin, 0, frame * h);
  } else if (m_bDisabledFrame) {
    const int disabled = m_bOneFramePerState ? m_iStates : 2 * m_iStates;
    dc->CopyBmpAlpha(x, y, w, h, m_pSkin, 1.0f, 0, disabled * h);
  } else {
    dc->CopyBmpAlpha(x, y, w, h, m_pSkin, m_fDisabledAlpha, 0, frame * h);
  }
  DrawText(dc);
  if (IsFocused()) DrawFocus(dc);
}

void XEDropdownListSwitch::DrawText(CHfcDrawContext* dc) {
  if (!dc || !m_pFont || m_iSelected < 0 || m_iSelected >= GetItemCount()) return;
  const char* text = m_items[static_cast<size_t>(m_iSelected)].c_str();
  int w = GetWidth() - m_iArrowWidth - 2;
  const int tw = HfcGetBmpTextWidth(m_pFont, text);
  uint32_t colour = m_iValue != 0 ? m_uSelectedTextColour : m_uTextColor;
  if (!m_bEnabled) {
    const uint32_t alpha = static_cast<uint32_t>(static_cast<float>(colour >> 24) * m_fDisabledAlpha);
    colour = (colour & 0x00FFFFFFu) | (alpha << 24);
  }
  int tx = 0;
  switch (m_iHAlign) {
    case 0:
      tx = m_iHMargin;
      w -= m_iHMargin;
      break;
    case 1:
      tx = (w - tw) / 2 + m_iHMargin;
      break;
    case 2:
      w -= m_iHMargin;
      tx = w - tw;
      break;
    default:
      break;
  }
  if (tx < m_iHMargin) tx = m_iHMargin;
  const int ty = TextTop();
  // The text ends where the arrow's room begins.
  const int right = m_iHAlign == 0 ? m_iHMargin + w : m_iHAlign == 1 ? w - m_iHMargin : w;
  dc->DrawBmpTextInBox(m_rcFrame.left + tx, m_rcFrame.top + ty, text, right - tx, m_pFont, colour);
}
