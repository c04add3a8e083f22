#include "hfc/CHfcCtrlTextSwitch.h"

#include <cstring>
#include <new>

#include "hfc/CHfcDrawContext.h"

namespace {
char* CopyText(const char* text) {
  const size_t n = std::strlen(text) + 1;
  char* copy = new (std::nothrow) char[n];
  if (copy) std::memcpy(copy, text, n);
  return copy;
}
}  // namespace

CHfcCtrlTextSwitch::~CHfcCtrlTextSwitch() { delete[] m_pText; }

bool CHfcCtrlTextSwitch::Create(tagHfcCtrlTextSwitchParam* p, int id, int userValue) {
  if (!p) return false;
  m_pFont = p->font;
  if (p->text) SetPtrValue(const_cast<char*>(p->text), false);
  m_uTextColor = p->textColor;
  m_iHAlign = p->hAlign;
  m_iHMargin = p->hMargin;
  m_iVAlign = p->vAlign;
  m_iVMargin = p->vMargin;
  return CreateEx(p, id, userValue);
}

void CHfcCtrlTextSwitch::SetPtrValue(void* text, bool redraw) {
  if (!text) return;
  char* copy = CopyText(static_cast<const char*>(text));
  if (!copy) return;
  delete[] m_pText;
  m_pText = copy;
  if (redraw) m_bDirty = true;
}

void CHfcCtrlTextSwitch::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_pSkin) return;
  DrawFrame(dc, true);
  DrawText(dc);
  if (IsFocused()) DrawFocus(dc);
}

int CHfcCtrlTextSwitch::TextTop() const {
  if (!m_pFont) return 0;
  const int h = GetHeight();
  int ty = 0;
  switch (m_iVAlign) {
    case 2:
      ty = h - m_pFont->textHeight - m_iVMargin;
      break;
    case 1:
      ty = (h - m_pFont->textHeight) / 2 + m_iVMargin;
      break;
    case 0:
      ty = m_iVMargin;
      break;
    default:
      break;
  }
  return ty < 0 ? 0 : ty;
}

void CHfcCtrlTextSwitch::DrawText(CHfcDrawContext* dc) {
  if (!dc || !m_pFont || !m_pText) return;
  const int tw = HfcGetBmpTextWidth(m_pFont, m_pText);
  int w = GetWidth();
  int tx = 0;
  switch (m_iHAlign) {
    case 2:
      w -= m_iHMargin;
      tx = w - tw;
      break;
    case 1:
      tx = (w - tw) / 2 + m_iHMargin;
      break;
    case 0:
      tx = m_iHMargin;
      w -= m_iHMargin;
      break;
    default:
      break;
  }
  if (tx < 0) tx = 0;
  const int ty = TextTop();
  uint32_t colour = m_uTextColor;
  if (!m_bEnabled) {
    const uint32_t alpha = static_cast<uint32_t>(static_cast<float>(colour >> 24) * m_fDisabledAlpha);
    colour = (colour & 0x00FFFFFFu) | (alpha << 24);
  }
  const int right = m_iHAlign == 2 ? w : GetWidth();
  dc->DrawBmpTextInBox(m_rcFrame.left + tx, m_rcFrame.top + ty, m_pText, right - tx, m_pFont, colour);
}
