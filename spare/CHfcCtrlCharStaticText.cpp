#include "spare/CHfcCtrlCharStaticText.h"

#include <algorithm>
#include <cstring>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "platform/HfcDebug.h"
#include "spare/HfcGlyphCell.h"

bool CHfcCtrlCharStaticText::Create(const tagHfcCtrlCharStaticTextParam* p, int id, int flags) {
  const char* failure = nullptr;
  if (!p)
    failure = "pParam is invalid.";
  else if (!p->glyphs)
    failure = "m_pBmpChar is invalid.";
  else if (p->columns < 1)
    failure = "m_iColumns is smaller than 0.";
  else if (p->lines < 1)
    failure = "m_iLines is smaller than 0.";
  if (failure) {
    HfcDebugPrintf("%s", failure);
    text_.clear();
    return false;
  }
  tagHfcCtrlCharStaticTextParam param = *p;
  if (param.glyphWidth == 0) param.glyphWidth = p->glyphs->GetWidth();
  if (param.glyphHeight == 0) param.glyphHeight = p->glyphs->GetHeight() / 128;
  if (param.width == 0) param.width = param.glyphWidth * param.columns;
  if (param.height == 0) param.height = param.glyphHeight * param.lines;
  if (!CHfcControl::Create(param.x, param.y, param.width, param.height, id)) return false;
  (void)flags;
  text_.assign(static_cast<size_t>(param.lines) * static_cast<size_t>(param.columns), '\0');
  m_param = param;
  Enable(false);
  return true;
}

void CHfcCtrlCharStaticText::Destroy() {
  text_.clear();
  m_param = tagHfcCtrlCharStaticTextParam{};
  m_bCreated = false;
  CHfcControl::Destroy();
}

void CHfcCtrlCharStaticText::SetPtrValue(void* text, bool redraw) {
  if (text_.empty()) return;
  const char* s = static_cast<const char*>(text);
  const size_t columns = static_cast<size_t>(m_param.columns);
  const size_t n = s ? strnlen(s, columns) : 0;
  std::fill(text_.begin(), text_.begin() + static_cast<long>(columns), '\0');
  if (n) std::memcpy(text_.data(), s, n);
  if (redraw) m_bDirty = true;
}

void CHfcCtrlCharStaticText::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_param.glyphs) return;
  const int l = m_rcFrame.left, t = m_rcFrame.top;
  dc->ClearRect(l, t, GetWidth(), GetHeight());
  if (m_param.background)
    dc->CopyBmp(l, t, GetWidth(), GetHeight(), m_param.background, m_param.backgroundX, m_param.backgroundY);
  const int gw = m_param.glyphWidth, gh = m_param.glyphHeight;
  for (int line = 0; line < m_param.lines; ++line) {
    for (int c = 0; c < m_param.columns; ++c) {
      const char code = text_[static_cast<size_t>(line * m_param.columns + c)];
      dc->CopyBmp(l + c * gw, t + line * gh, gw, gh, m_param.glyphs, 0, HfcGlyphCell(code) * gh);
    }
  }
}
