#include "editor/controls/XEStaticText.h"

#include <algorithm>
#include <cmath>

#include "hfc/CHfcDrawContext.h"

uint32_t XEScaleAlpha(uint32_t color, float factor) {
  const uint32_t alpha = static_cast<uint32_t>(static_cast<float>(color >> 24) * factor);
  return (std::min(alpha, 255u) << 24) | (color & 0x00FFFFFFu);
}

namespace {

double Luminance(uint32_t colour) {
  auto channel = [](uint32_t v) {
    const double s = static_cast<double>(v & 0xFF) / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour >> 16) + 0.7152 * channel(colour >> 8) + 0.0722 * channel(colour);
}

}  // namespace

double XEContrastRatio(uint32_t a, uint32_t b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool XEStaticText::Create(SXEStaticText* p, int id, int flags) {
  if (!p) return false;
  m_pBack = p->back;
  m_iBackX = p->backX;
  m_iBackY = p->backY;
  m_pFont = p->font;
  m_text = p->text ? p->text : "";
  m_uTextColor = p->color;
  m_iHAlign = p->hAlign;
  m_iXOffset = p->xOffset;
  m_iVAlign = p->vAlign;
  m_iYOffset = p->yOffset;
  int height = p->height;
  if (height == 0 && m_pFont) height = m_pFont->cellHeight;
  m_iGroupId = flags;
  return CHfcControl::Create(p->x, p->y, p->width, height, id);
}

void XEStaticText::SetPtrValue(void* text, bool) {
  if (!text) return;
  m_text = static_cast<const char*>(text);
  SetDirty(true);
}

void XEStaticText::Draw(CHfcDrawContext* dc) {
  if (!dc || !IsVisible()) return;
  const int w = GetWidth();
  const int h = GetHeight();
  // A centred label once asked for background down to well below its box,
  // over whatever lies there; the label owns only its own rectangle.
  int backHeight = h;
  if (m_iVAlign == 1) {
    const int textHeight = m_pFont ? m_pFont->textHeight : 0;
    backHeight = std::clamp((h - textHeight) / 2 + h + m_iYOffset, 0, h);
  }
  if (m_pBack)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, backHeight, m_pBack, m_iBackX, m_iBackY);
  else
    dc->ClearRect(m_rcFrame.left, m_rcFrame.top, w, backHeight);
  DrawText(dc);
}

void XEStaticText::DrawText(CHfcDrawContext* dc) {
  if (!m_pFont) return;
  const int textWidth = HfcGetBmpTextWidth(m_pFont, m_text.c_str());
  const int h = GetHeight();
  int box = GetWidth();
  int x = 0;
  switch (m_iHAlign) {
    case 0:
      x = m_iXOffset;
      box -= m_iXOffset;
      break;
    case 1:
      x = (box - textWidth) / 2 + m_iXOffset;
      break;
    case 2:
      box -= m_iXOffset;
      x = box - textWidth;
      break;
    default:
      break;
  }
  int y = 0;
  switch (m_iVAlign) {
    case 0:
      y = m_iYOffset;
      break;
    case 1:
      y = (h - m_pFont->textHeight) / 2 + m_iYOffset;
      break;
    case 2:
      y = h - m_pFont->textHeight - m_iYOffset;
      break;
    default:
      break;
  }
  x = std::max(x, 0);
  y = std::max(y, 0);
  // The room from where the text starts to the box's right edge (its
  // margin off for right alignment).
  const int room = (m_iHAlign == 1 ? GetWidth() : box) - x + (m_iHAlign == 0 ? m_iXOffset : 0);
  const uint32_t colour = IsEnabled() ? m_uTextColor : XEScaleAlpha(m_uTextColor, GetDisabledAlpha());
  dc->DrawBmpTextInBox(m_rcFrame.left + x, m_rcFrame.top + y, m_text.c_str(), room, m_pFont, colour);
}

bool XEStaticText::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  return m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods);
}
