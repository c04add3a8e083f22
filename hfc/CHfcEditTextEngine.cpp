#include "hfc/CHfcEditTextEngine.h"

#include <algorithm>
#include <cstring>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "platform/HfcMemory.h"

CHfcEditTextEngine::CHfcEditTextEngine(CHfcEditTextEngineListener* listener, unsigned int size)
    : m_pListener(listener) {
  const uint32_t capacity = std::max<uint32_t>(size, kMinCapacity);
  m_pBuffer = static_cast<char*>(HfcMemAllocClear(capacity));
  if (m_pBuffer) m_uCapacity = capacity;
}

CHfcEditTextEngine::~CHfcEditTextEngine() {
  HfcMemFree(m_pBuffer);
  HfcMemFree(m_pFilter);
}

int CHfcEditTextEngine::GetLength() const {
  return m_pBuffer ? static_cast<int>(std::strlen(m_pBuffer)) : 0;
}

void CHfcEditTextEngine::NotifyModified() {
  if (m_pListener) m_pListener->OnHfcEditTextEngineBufferIsModified(this);
}
void CHfcEditTextEngine::NotifyRedraw() {
  if (m_pListener) m_pListener->OnHfcEditTextEngineNeedRedrawn(this);
}
void CHfcEditTextEngine::NotifySelection() {
  if (m_pListener) m_pListener->OnHfcEditTextEngineSelectionIsChanged(this, m_iSelStart, m_iSelEnd);
}
void CHfcEditTextEngine::NotifyCursor() {
  if (m_pListener) m_pListener->OnHfcEditTextEngineCursorPositionIsChanged(this, m_iCursor);
}

void CHfcEditTextEngine::SetInputFilter(const char* allowed) {
  HfcMemFree(m_pFilter);
  m_pFilter = nullptr;
  if (!allowed || !*allowed) return;
  const size_t n = std::strlen(allowed) + 1;
  m_pFilter = static_cast<char*>(HfcMemAlloc(n));
  if (m_pFilter) std::memcpy(m_pFilter, allowed, n);
}

bool CHfcEditTextEngine::InputFilter(int c) const {
  if (!m_pFilter) return true;
  // The terminator is no member of the filter.
  return c != 0 && std::strchr(m_pFilter, static_cast<char>(c)) != nullptr;
}

void CHfcEditTextEngine::Input(int c) {
  if (c < 32 || !InputFilter(c)) return;
  if (HasSelection()) DeleteSelection();
  InsertChar(c);
  NotifyModified();
  NotifyRedraw();
}

void CHfcEditTextEngine::InsertChar(int c) {
  if (!m_pBuffer) return;
  const int len = GetLength();
  if (static_cast<uint32_t>(len) + 1 >= m_uCapacity && !ExtendBuffer()) return;
  const int at = std::clamp(m_iCursor, 0, len);
  std::memmove(m_pBuffer + at + 1, m_pBuffer + at, static_cast<size_t>(len - at) + 1);
  m_pBuffer[at] = static_cast<char>(c);
  m_iCursor = at + 1;
}

bool CHfcEditTextEngine::ExtendBuffer() {
  if (!m_pBuffer || m_uCapacity > UINT32_MAX / 2) return false;
  const uint32_t doubled = m_uCapacity * 2;
  char* grown = static_cast<char*>(HfcMemRealloc(m_pBuffer, doubled));
  if (!grown) return false;
  std::memset(grown + m_uCapacity, 0, doubled - m_uCapacity);
  m_pBuffer = grown;
  m_uCapacity = doubled;
  return true;
}

void CHfcEditTextEngine::DeleteSelection() {
  if (!HasSelection() || !m_pBuffer) return;
  const int len = GetLength();
  const int start = std::clamp(m_iSelStart, 0, len);
  const int end = std::clamp(m_iSelEnd, start, len);
  std::memmove(m_pBuffer + start, m_pBuffer + end, static_cast<size_t>(len - end) + 1);
  m_iCursor = m_iSelEnd = m_iSelStart = start;
  NotifyRedraw();
  NotifyModified();
  NotifyRedraw();
  NotifySelection();
  NotifyRedraw();
}

void CHfcEditTextEngine::ForwardDelete() {
  if (HasSelection()) {
    DeleteSelection();
  } else if (m_pBuffer) {
    const int len = GetLength();
    if (m_iCursor >= 0 && m_iCursor < len)
      std::memmove(m_pBuffer + m_iCursor, m_pBuffer + m_iCursor + 1,
                   static_cast<size_t>(len - m_iCursor));
    NotifyModified();
    NotifyRedraw();
  }
  NotifyRedraw();
}

void CHfcEditTextEngine::MoveLeft(bool shift) {
  if (!HasSelection()) {
    if (m_iCursor <= 0) return;
    if (!shift) {
      m_iCursor = m_iSelStart = m_iSelEnd = m_iCursor - 1;
      return;
    }
    m_iSelEnd = m_iCursor;
    m_iSelStart = m_iCursor - 1;
    m_iCursor = m_iSelStart;
  } else if (shift) {
    if (m_iCursor != m_iSelStart) {
      m_iSelEnd = std::max(m_iSelEnd - 1, m_iSelStart);
      m_iCursor = m_iSelEnd;
    } else {
      m_iSelStart = std::max(m_iSelStart - 1, 0);
      m_iCursor = m_iSelStart;
    }
  } else {
    m_iCursor = m_iSelEnd = m_iSelStart;
  }
  NotifySelection();
}

void CHfcEditTextEngine::MoveRight(bool shift) {
  const int len = GetLength();
  if (!HasSelection()) {
    if (m_iCursor >= len) return;
    if (!shift) {
      m_iCursor = m_iSelStart = m_iSelEnd = m_iCursor + 1;
      return;
    }
    m_iSelStart = m_iCursor;
    m_iSelEnd = m_iCursor + 1;
    m_iCursor = m_iSelEnd;
  } else if (shift) {
    if (m_iCursor == m_iSelEnd) {
      m_iSelEnd = std::min(m_iSelEnd + 1, len);
      m_iCursor = m_iSelEnd;
    } else {
      m_iSelStart = std::min(m_iSelStart + 1, m_iSelEnd);
      m_iCursor = m_iSelStart;
    }
  } else {
    m_iCursor = m_iSelStart = m_iSelEnd;
  }
  NotifySelection();
}

void CHfcEditTextEngine::KeyDown(int key, int modifiers) {
  const bool shift = (modifiers & kModShift) != 0;
  switch (key) {
    case kKeyBackspace:
      if (HasSelection()) {
        DeleteSelection();
      } else if (m_iCursor <= 0) {
        NotifyRedraw();
      } else {
        --m_iCursor;
        ForwardDelete();
      }
      NotifyRedraw();
      return;
    case kKeyDelete:
      ForwardDelete();
      return;
    case kKeyReturn:
      OnReturn(0);
      return;
    case kKeyEscape:
      OnEsc(0);
      return;
    case kKeyLeft:
      MoveLeft(shift);
      NotifyRedraw();
      return;
    case kKeyRight:
      MoveRight(shift);
      NotifyRedraw();
      return;
    case kKeyUp: {
      const bool had = HasSelection();
      if (shift) {
        m_iSelStart = m_iCursor = 0;
        NotifySelection();
      } else {
        m_iCursor = m_iSelStart = m_iSelEnd = 0;
        if (had) NotifySelection();
      }
      NotifyRedraw();
      return;
    }
    case kKeyDown: {
      const bool had = HasSelection();
      const int len = GetLength();
      if (shift) {
        m_iSelEnd = m_iCursor = len;
        NotifySelection();
      } else {
        m_iCursor = m_iSelStart = m_iSelEnd = len;
        if (had) NotifySelection();
      }
      NotifyRedraw();
      return;
    }
    default:
      return;
  }
}

void CHfcEditTextEngine::OnReturn(int) {
  if (m_pListener) m_pListener->OnHfcEditTextEngineReturn(this);
}

void CHfcEditTextEngine::OnEsc(int) {
  if (m_pListener) m_pListener->OnHfcEditTextEngineEsc(this);
}

void CHfcEditTextEngine::SetCursorPosition(int position) {
  if (position < 0 || position > GetLength()) return;
  m_iCursor = position;
  NotifyCursor();
  NotifyRedraw();
}

void CHfcEditTextEngine::SetSelection(int start, int end) {
  if (start == m_iSelStart && end == m_iSelEnd) return;
  const int len = GetLength();
  if (start < 0 || start >= len || start >= end || end > len) return;
  m_iSelStart = start;
  m_iSelEnd = end;
  NotifySelection();
  NotifyRedraw();
}

void CHfcEditTextEngine::SetText(const char* text) {
  if (!m_pBuffer) return;
  if (!text) text = "";
  const size_t n = std::strlen(text);
  while (m_uCapacity < n + 1)
    if (!ExtendBuffer()) return;
  const bool had = HasSelection();
  std::memcpy(m_pBuffer, text, n + 1);
  m_iCursor = m_iSelStart = m_iSelEnd = static_cast<int>(n);
  NotifyModified();
  NotifyRedraw();
  if (had) {
    NotifySelection();
    NotifyRedraw();
  }
}

void CHfcEditTextEngine::Idle(int) {
  const bool wasShown = IsCursorShown();
  m_iBlink = ((m_iBlink - kBlinkStep) % kBlinkPeriod + kBlinkPeriod) % kBlinkPeriod;
  if (IsCursorShown() != wasShown) NotifyRedraw();
}

void CHfcEditTextEngine::SetDrawParameters(CHfcBmp* font, unsigned int selectionColour,
                                           unsigned int cursorColour, int charWidth,
                                           int charHeight, int visibleChars) {
  m_iVisibleChars = visibleChars;
  m_uSelColor = selectionColour;
  m_uCursorColor = cursorColour;
  m_pFont = nullptr;
  if (!font) return;
  const int w = charWidth >= 1 ? charWidth : font->GetWidth();
  const int h = charHeight >= 1 ? charHeight : font->GetHeight() / 128;
  // A font without a cell to draw is refused: every measure divides by it.
  if (w < 1 || h < 1) return;
  m_pFont = font;
  m_iCharWidth = w;
  m_iCharHeight = h;
}

int CHfcEditTextEngine::CharAdvance(char c) const {
  if (m_bProportional) return m_pPropFont ? m_pPropFont->advance[HfcBmpFontCode(c)] : 0;
  return m_iCharWidth;
}

int CHfcEditTextEngine::TextWidthBefore(int index) const {
  if (!m_bProportional) return index * m_iCharWidth;
  int width = 0;
  for (int i = 0; i < index && m_pBuffer[i] != 0; ++i) width += CharAdvance(m_pBuffer[i]);
  return width;
}

void CHfcEditTextEngine::Draw(CHfcDrawContext* context, int x, int y, int width, int) {
  if (!context || !m_pFont || !m_pBuffer) return;
  const int len = GetLength();
  const int tw = m_pPropFont ? std::min(HfcGetBmpTextWidth(m_pPropFont, m_pBuffer), width) : 0;
  if (m_bProportional) {
    if (m_iAlignment == 2)
      x += width - tw;
    else if (m_iAlignment == 1)
      x += (width - tw) / 2;
  }
  if (HasSelection()) {
    int s = TextWidthBefore(m_iSelStart);
    const int e = TextWidthBefore(m_iSelEnd);
    if (m_bSelectionInset) s -= 2;
    const int w = std::min(e, width) - s;
    if (w > 0) {
      context->SetBrushColor(m_uSelColor);
      context->FillRect(x + s, y, w, m_iCharHeight - (m_bSelectionInset ? 1 : 0));
    }
  }
  if (len > 0) {
    if (m_bProportional) {
      const int limit = std::min(std::min(m_iCharWidth, width) * len, width);
      context->DrawBmpTextProportional(x, y, m_pBuffer, limit, m_pPropFont, m_uPropTextColor, false);
    } else {
      int remaining = width;
      for (int i = 0; i < len && remaining > 0; ++i) {
        const int visible = std::min(remaining, m_iCharWidth);
        if (visible * 2 < m_iCharWidth) break;
        context->CopyBmp(x + i * m_iCharWidth, y, visible, m_iCharHeight, m_pFont, 0,
                         HfcBmpFontCode(m_pBuffer[i]) * m_iCharHeight);
        remaining -= m_iCharWidth;
      }
    }
  }
  if (!HasSelection() && IsCursorShown()) {
    const int p = TextWidthBefore(m_iCursor);
    if (p - 1 < width) {
      context->SetPenWidth(1.0f);
      context->SetPenColor(m_uCursorColor);
      context->MoveTo(x + p - 1, y);
      context->LineTo(x + p - 1, y + m_iCharHeight - 1);
    }
  }
}

int CHfcEditTextEngine::MousePositionToCursorPosition(int px) const {
  const int len = GetLength();
  if (!m_bProportional) {
    if (m_iCharWidth < 1) return 0;
    return std::clamp((px + m_iCharWidth / 2) / m_iCharWidth, 0, len);
  }
  const int tw = HfcGetBmpTextWidth(m_pPropFont, m_pBuffer);
  if (m_iAlignment == 2)
    px = tw + px - m_iVisibleChars * m_iCharWidth;
  else if (m_iAlignment == 1)
    px -= (m_iVisibleChars * m_iCharWidth - tw) / 2;
  int right = 0;
  for (int i = 0; i < len; ++i) {
    right += CharAdvance(m_pBuffer[i]);
    if (px <= right) return i;
  }
  return len;
}

bool CHfcEditTextEngine::MouseLButtonDown(CHfcMouse*, int x, int, int) {
  const bool had = HasSelection();
  SetCursorPosition(MousePositionToCursorPosition(x));
  m_iDragAnchor = m_iSelStart = m_iSelEnd = m_iCursor;
  if (had) {
    NotifySelection();
    NotifyRedraw();
  }
  return true;
}

bool CHfcEditTextEngine::MouseMove(CHfcMouse*, int x, int, int) {
  if (m_iDragAnchor < 0) return true;
  const int p = MousePositionToCursorPosition(x);
  SetCursorPosition(p);
  SetSelection(std::min(p, m_iDragAnchor), std::max(p, m_iDragAnchor));
  return true;
}

bool CHfcEditTextEngine::MouseLostCapture(CHfcMouse*) {
  m_iDragAnchor = -1;
  return true;
}
