#include "spare/CHfcCtrlCharLcd.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "platform/HfcDebug.h"
#include "spare/HfcGlyphCell.h"
#include "hfc/HfcModifiers.h"

CHfcCtrlCharLcd::CHfcCtrlCharLcd() = default;

bool CHfcCtrlCharLcd::Create(const tagHfcCtrlCharLcdParam* p, int id, int flags) {
  if (!p || !p->glyphs || p->characters < 1 || p->lines < 1) return false;
  tagHfcCtrlCharLcdParam param = *p;
  if (param.height == 0) param.height = p->glyphs->GetHeight() / 128;
  if (!CHfcControl::Create(param.x, param.y, param.width, param.height, id)) return false;
  (void)flags;
  m_param = param;
  m_iMin = param.minimum;
  m_iMax = param.maximum;
  m_fMin = param.minimumF;
  m_fMax = param.maximumF;
  m_bDirty = true;
  glyphW_ = p->glyphs->GetWidth();
  glyphH_ = p->glyphs->GetHeight() / 128;
  text_.assign(static_cast<size_t>(param.characters + 1) * static_cast<size_t>(param.lines), '\0');
  edit_.clear();
  Enable(false);
  return true;
}

void CHfcCtrlCharLcd::Destroy() {
  text_.clear();
  edit_.clear();
  CHfcControl::Destroy();
}

void CHfcCtrlCharLcd::StoreText(const char* text, bool redraw) {
  if (text_.empty()) return;
  const size_t count = static_cast<size_t>(m_param.characters);
  const size_t n = text ? strnlen(text, count) : 0;
  std::fill(text_.begin(), text_.begin() + static_cast<long>(count), '\0');
  if (n) std::memcpy(text_.data(), text, n);
  if (redraw) m_bDirty = true;
}

void CHfcCtrlCharLcd::SetPtrValue(void* text, bool redraw) { StoreText(static_cast<const char*>(text), redraw); }

void CHfcCtrlCharLcd::SetIntValue(int v, bool redraw) {
  m_iValue = v;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d", v);
  StoreText(buf, redraw);
}

void CHfcCtrlCharLcd::SetFloatValue(float v, bool redraw) {
  m_fValue = v;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%f", v);
  StoreText(buf, redraw);
}

void CHfcCtrlCharLcd::RestartBlink() {
  blink_ = kBlinkHalfPeriod;
  blinkOn_ = true;
}

// A start past the display, or a range longer than the edit buffer holds,
// would put edit positions outside the buffers: the range is kept inside
// both.
bool CHfcCtrlCharLcd::EnterEdit(int start, int end, bool selectAll) {
  const int count = m_param.characters;
  rangeStart_ = std::min(std::max(start, 0), count - 1);
  rangeEnd_ = end >= 0 && end < count ? end : count - 1;
  rangeEnd_ = std::clamp(rangeEnd_, rangeStart_, rangeStart_ + kEditBufferSize - 2);
  if (edit_.empty()) {
    edit_.assign(kEditBufferSize, '\0');
    const size_t avail = text_.size() - static_cast<size_t>(rangeStart_);
    const size_t n = strnlen(text_.data() + rangeStart_, std::min<size_t>(avail, kEditBufferSize - 1));
    std::memcpy(edit_.data(), text_.data() + rangeStart_, n);
  }
  selStart_ = rangeStart_;
  selEnd_ = selectAll ? rangeEnd_ : rangeStart_;
  cursor_ = rangeEnd_;
  return false;
}

void CHfcCtrlCharLcd::ExitEdit() {
  edit_.clear();
  m_bDirty = true;
}

void CHfcCtrlCharLcd::ConfirmEdit() {
  HfcDebugPrintf("CHfcCtrlCharLcd::ConfirmEdit()");
  if (m_pListener && !edit_.empty()) m_pListener->OnHfcCtrlPtrValueChanged(this, edit_.data());
  if (CHfcKey::sm_pInstance) CHfcKey::sm_pInstance->ReleaseFocus();
}

void CHfcCtrlCharLcd::SetEditBuf(const char* text) {
  if (edit_.empty()) return;
  const size_t n = text ? strnlen(text, kEditBufferSize - 1) : 0;
  std::fill(edit_.begin(), edit_.end(), '\0');
  if (n) std::memcpy(edit_.data(), text, n);
}

void CHfcCtrlCharLcd::SetEditSelect(int a, int b) {
  selStart_ = std::min(rangeStart_ + std::max(a, 0), rangeEnd_);
  selEnd_ = b < 0 ? rangeEnd_ : std::min(rangeStart_ + b, rangeEnd_);
  if (selEnd_ < selStart_) selEnd_ = selStart_;
  selectionActive_ = true;
  RestartBlink();
  m_bDirty = true;
}

bool CHfcCtrlCharLcd::GetEditSelect(int* a, int* b) const {
  if (edit_.empty() || selStart_ == selEnd_) return false;
  if (a) *a = selStart_ - rangeStart_;
  if (b) *b = selEnd_ - rangeStart_;
  return true;
}

void CHfcCtrlCharLcd::SetEditCursor(int pos) {
  cursor_ = std::clamp(pos, rangeStart_, rangeEnd_ + 1);
  RestartBlink();
  m_bDirty = true;
}

void CHfcCtrlCharLcd::EditSetCursorStart() {
  if (edit_.empty()) return;
  selectionActive_ = false;
  cursor_ = rangeStart_;
  RestartBlink();
  m_bDirty = true;
}

void CHfcCtrlCharLcd::EditSetCursorEnd() {
  if (edit_.empty()) return;
  selectionActive_ = false;
  cursor_ = std::min(rangeStart_ + static_cast<int>(std::strlen(edit_.data())), rangeEnd_ + 1);
  RestartBlink();
  m_bDirty = true;
}

void CHfcCtrlCharLcd::EditIncrementCursor() {
  int reference = cursor_;
  if (selectionActive_) {
    selStart_ = selEnd_;
    selectionActive_ = false;
    reference = selEnd_;
  }
  const int target = std::min(reference + 1, rangeEnd_ + 1);
  if (target != cursor_) {
    cursor_ = std::clamp(target, rangeStart_, rangeEnd_ + 1);
    RestartBlink();
    m_bDirty = true;
  }
}

void CHfcCtrlCharLcd::EditDecrementCursor() {
  int target = cursor_ - 1;
  if (selectionActive_) {
    selEnd_ = selStart_;
    selectionActive_ = false;
    target = selStart_;
  }
  target = std::max(target, rangeStart_);
  if (target != cursor_) {
    cursor_ = std::min(target, rangeEnd_ + 1);
    RestartBlink();
    m_bDirty = true;
  }
}

void CHfcCtrlCharLcd::RemoveAt(int index, int count) {
  if (index < 0 || count <= 0 || index >= kEditBufferSize) return;
  count = std::min(count, kEditBufferSize - index);
  std::memmove(edit_.data() + index, edit_.data() + index + count,
               static_cast<size_t>(kEditBufferSize - index - count));
  std::fill(edit_.end() - count, edit_.end(), '\0');
}

void CHfcCtrlCharLcd::RemoveSelection() {
  RemoveAt(selStart_ - rangeStart_, selEnd_ - selStart_ + 1);
  cursor_ = selStart_;
  selEnd_ = selStart_;
  selectionActive_ = false;
}

void CHfcCtrlCharLcd::EditDelete() {
  if (edit_.empty()) return;
  if (selectionActive_) {
    RemoveSelection();
  } else {
    const int at = cursor_ - rangeStart_;
    if (at >= 0 && at < kEditBufferSize && edit_[static_cast<size_t>(at)] != '\0') RemoveAt(at, 1);
  }
  m_bDirty = true;
}

void CHfcCtrlCharLcd::EditBackSpace() {
  if (edit_.empty()) return;
  if (!selectionActive_) {
    if (cursor_ <= rangeStart_) return;
    --cursor_;
  }
  EditDelete();
}

bool CHfcCtrlCharLcd::OnHfcKeyChar(CHfcKeyFocus*, int chr) {
  if (edit_.empty()) return true;
  if (selectionActive_) {
    RemoveSelection();
  } else {
    const int at = cursor_ - rangeStart_;
    if (at >= 0 && at < kEditBufferSize - 1 && cursor_ <= rangeEnd_) {
      edit_[static_cast<size_t>(at)] = static_cast<char>(chr & 0x7F);
      EditIncrementCursor();
    }
  }
  m_bDirty = true;
  return true;
}

void CHfcCtrlCharLcd::OnHfcKeyLostFocus(CHfcKeyFocus* focus) {
  CHfcControl::OnHfcKeyLostFocus(focus);
  edit_.clear();
  m_bDirty = true;
}

int CHfcCtrlCharLcd::CellAt(int x) const { return glyphW_ > 0 ? (x + glyphW_ / 2) / glyphW_ : 0; }

int CHfcCtrlCharLcd::ClampToRange(int cell) const { return std::clamp(cell, rangeStart_, rangeEnd_); }

bool CHfcCtrlCharLcd::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  if (CHfcKey::sm_pInstance) CHfcKey::sm_pInstance->ReleaseFocus();
  SetMouseCapture();
  doubleClick_ = false;
  pressY_ = y;
  accumulator_ = lastReported_ = m_iValue;
  if (!edit_.empty()) {
    if (cursor_ < rangeStart_ || cursor_ > rangeEnd_) {
      edit_.clear();
    } else {
      selectionActive_ = false;
      anchor_ = cursor_ = ClampToRange(CellAt(x));
    }
    m_bDirty = true;
  } else if (m_pListener) {
    m_pListener->OnHfcCtrlBeginEdit(this);
    m_pListener->OnHfcCtrlIntValueChanged(this, static_cast<int>(0x80000000u));
  }
  return true;
}

bool CHfcCtrlCharLcd::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  SetMouseCapture();
  doubleClick_ = true;
  if (!edit_.empty()) {
    selStart_ = rangeStart_;
    selEnd_ = rangeEnd_;
    selectionActive_ = true;
    RestartBlink();
    m_bDirty = true;
    return true;
  }
  if (!m_pListener) return OnHfcMouseLButtonDown(m, x, y, mods);
  if (!m_pListener->OnHfcCtrlMouseLButtonDoubleClick(this, x, y, mods)) EnterEdit(0, -1, true);
  return OnHfcMouseLButtonDown(m, x, y, mods);
}

bool CHfcCtrlCharLcd::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture()) return true;
  if (!edit_.empty()) {
    selectionActive_ = true;
    const int p = ClampToRange(CellAt(x));
    selStart_ = std::min(p, anchor_);
    selEnd_ = std::max(p, anchor_);
    m_bDirty = true;
    return true;
  }
  const int step = (mods & kHfcModShift) ? m_param.shiftStep : m_param.step;
  const long long next = static_cast<long long>(accumulator_) + static_cast<long long>(pressY_ - y) * step;
  accumulator_ = static_cast<int>(std::clamp<long long>(next, m_param.minimum, m_param.maximum));
  if (accumulator_ != lastReported_) {
    lastReported_ = accumulator_;
    if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, accumulator_);
  }
  pressY_ = y;
  return true;
}

bool CHfcCtrlCharLcd::OnHfcMouseLButtonUp(CHfcMouse*, int x, int, int) {
  if (!edit_.empty()) {
    const int cell = CellAt(x);
    if (!doubleClick_ && !selectionActive_) {
      cursor_ = ClampToRange(cell);
      RestartBlink();
    }
    m_bDirty = true;
  }
  if (HoldsMouseCapture()) ReleaseMouseCapture();
  return true;
}

void CHfcCtrlCharLcd::OnHfcMouseLostCapture(CHfcMouse*) {
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
}

void CHfcCtrlCharLcd::OnIdle(int elapsed) {
  blink_ -= elapsed;
  if (!edit_.empty() && blink_ < 0) {
    blinkOn_ = !blinkOn_;
    m_bDirty = true;
    while (blink_ < 0) blink_ += kBlinkHalfPeriod;
  }
  Update(false, true);
}

void CHfcCtrlCharLcd::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_param.glyphs) return;
  const int x0 = m_rcFrame.left, y0 = m_rcFrame.top;
  dc->ClearRect(x0, y0, GetWidth(), GetHeight());
  if (m_param.background)
    dc->CopyBmp(x0, y0, GetWidth(), GetHeight(), m_param.background, m_param.backgroundX, m_param.backgroundY);
  const int count = m_param.characters;
  int cell = 0;
  auto put = [&](char c) {
    dc->CopyBmp(x0 + cell * glyphW_, y0, glyphW_, glyphH_, m_param.glyphs, 0, HfcGlyphCell(c) * glyphH_);
    ++cell;
  };
  if (edit_.empty()) {
    for (int i = 0; i < count && text_[static_cast<size_t>(i)]; ++i) put(text_[static_cast<size_t>(i)]);
  } else {
    bool ended = false;
    for (int i = 0; i < rangeStart_ && !ended; ++i) {
      if (!text_[static_cast<size_t>(i)]) ended = true;
      else put(text_[static_cast<size_t>(i)]);
    }
    int used = 0;
    for (int pos = rangeStart_; pos <= rangeEnd_ && !ended; ++pos, ++used) {
      const char c = edit_[static_cast<size_t>(used)];
      if (!c) ended = true;
      else put(c);
    }
    if (!ended) {
      for (int i = rangeEnd_ + 1; i < count && text_[static_cast<size_t>(i)]; ++i) put(text_[static_cast<size_t>(i)]);
    }
    if (!selectionActive_ && blinkOn_ && cursor_ <= rangeEnd_)
      dc->CopyBmp(x0 + cursor_ * glyphW_, y0, glyphW_, glyphH_, m_param.glyphs, 0, 1 * glyphH_);
  }
}
