#include "editor/controls/XESoundSelector.h"

#include <algorithm>

#include "editor/controls/FontManager.h"
#include "editor/controls/XEStaticText.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "platform/HfcTime.h"

bool XESoundSelector::Create(SXESoundSelector* p, int id, int flags) {
  m_text.clear();
  if (!p) return false;
  m_iKind = p->kind;
  m_pFont = p->font;
  if (!m_pFont && FontManager::mInstance)
    m_pFont = FontManager::mInstance->GetBmpFontInfo(FontManager::FontName_Geneva9);
  m_uTextColor = p->color;
  m_pFrame = p->frame;
  m_pBack = p->back;
  m_iBackX = p->backX;
  m_iBackY = p->backY;
  m_iMargin = p->margin;
  m_bStripPrefix = p->stripPrefix != 0;
  m_iGroupId = flags;
  const int w = m_pFrame ? m_pFrame->GetWidth() : 0;
  const int h = m_pFrame ? m_pFrame->GetHeight() : 0;
  if (!CHfcControl::Create(p->x, p->y, w, h, id)) return false;
  Enable(true);
  return true;
}

void XESoundSelector::SetIntValue(int v, bool redraw) {
  m_iValue = v >= GetMinIntValue() && v <= GetMaxIntValue() ? v : -1;
  if (redraw) SetDirty(true);
}

void XESoundSelector::SetPtrValue(void* text, bool redraw) {
  m_text = text ? static_cast<const char*>(text) : "";
  if (redraw) SetDirty(true);
}

std::string XESoundSelector::GetShownText() const {
  if (!m_bStripPrefix) return m_text;
  const size_t colon = m_text.find(':');
  if (colon == std::string::npos) return m_text;
  // The stored text keeps its prefix: stripping it in place would eat one
  // more "xx: " part of a name at every redraw.
  return colon + 2 <= m_text.size() ? m_text.substr(colon + 2) : std::string();
}

void XESoundSelector::Draw(CHfcDrawContext* dc) {
  if (!dc || !IsVisible()) return;
  const int w = GetWidth();
  const int h = GetHeight();
  if (m_pBack)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, m_pBack, m_iBackX, m_iBackY);
  else
    dc->ClearRect(m_rcFrame.left, m_rcFrame.top, w, h);
  if (m_pFrame) DrawFrame(dc);
  DrawText(dc);
  if (IsFocused()) DrawFocus(dc);
}

void XESoundSelector::DrawFrame(CHfcDrawContext* dc) {
  const float alpha = IsEnabled() ? 1.0f : GetDisabledAlpha();
  const int pw = m_pFrame->GetWidth();
  const int ph = m_pFrame->GetHeight();
  const int w = GetWidth();
  if (w == pw) {
    dc->CopyBmpAlpha(m_rcFrame.left, m_rcFrame.top, pw, ph, m_pFrame, alpha, 0, 0);
    return;
  }
  if (w < pw) {
    // A box laid out narrower than its picture: the picture's beginning,
    // then its right end, so that the box keeps both its edges.
    const int end = std::min(pw - pw / 2, w / 2);
    dc->CopyBmpAlpha(m_rcFrame.left, m_rcFrame.top, w - end, ph, m_pFrame, alpha, 0, 0);
    dc->CopyBmpAlpha(m_rcFrame.left + w - end, m_rcFrame.top, end, ph, m_pFrame, alpha, pw - end, 0);
    return;
  }
  // A box laid out wider than its picture: the picture's two halves at the
  // box's ends, its middle column repeated between them.
  const int half = pw / 2;
  dc->CopyBmpAlpha(m_rcFrame.left, m_rcFrame.top, half, ph, m_pFrame, alpha, 0, 0);
  for (int x = half; x < w - (pw - half); ++x)
    dc->CopyBmpAlpha(m_rcFrame.left + x, m_rcFrame.top, 1, ph, m_pFrame, alpha, half, 0);
  dc->CopyBmpAlpha(m_rcFrame.left + w - (pw - half), m_rcFrame.top, pw - half, ph, m_pFrame, alpha, half, 0);
}

void XESoundSelector::DrawText(CHfcDrawContext* dc) {
  if (!m_pFont) return;
  const uint32_t colour = IsEnabled() ? m_uTextColor : XEScaleAlpha(m_uTextColor, GetDisabledAlpha());
  const std::string shown = GetShownText();
  dc->DrawBmpTextInBox(m_rcFrame.left + m_iMargin, m_rcFrame.top + (GetHeight() - m_pFont->textHeight) / 2,
                       shown.c_str(), GetWidth() - 2 * m_iMargin, m_pFont, colour);
}

bool XESoundSelector::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  SetPressTime(static_cast<int>(HfcGetSystemTimeMs()));
  if (m_bFocusOnClick)
    SetFocus(0);
  else
    ReleaseFocus();
  return true;
}

bool XESoundSelector::OnHfcMouseLButtonUp(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonUp(this, x, y, mods)) return true;
  ReleaseMouseCapture();
  return true;
}
