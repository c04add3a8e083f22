#include "hfc/CHfcCtrlCharEditText.h"

#include <algorithm>
#include <cstring>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/HfcModifiers.h"
#include "platform/HfcMemory.h"
#include "platform/HfcTime.h"

namespace {
constexpr int kCursorArrow = 0;
constexpr int kCursorIBeam = 4;
constexpr int kNoLongPress = 0x7FFFFFFF;
}  // namespace

CHfcCtrlCharEditText::CHfcCtrlCharEditText() : m_pEngine(new CHfcEditTextEngine(this, 1024)) {}

CHfcCtrlCharEditText::~CHfcCtrlCharEditText() {
  if (m_bCreated) Destroy();
  FreeText();
  delete m_pEngine;
}

void CHfcCtrlCharEditText::FreeText() {
  HfcMemFree(m_pText);
  m_pText = nullptr;
}

bool CHfcCtrlCharEditText::Finish(int x, int y, int width, int height, int id, int userValue,
                                  int minimum, int maximum) {
  FreeText();
  m_pText = static_cast<char*>(
      HfcMemAllocClear(static_cast<size_t>(m_iColumns + 1) * static_cast<size_t>(m_iRows)));
  if (!m_pText || !CHfcControl::Create(x, y, width, height, id)) {
    FreeText();
    m_bCreated = false;
    return false;
  }
  m_bEditing = false;
  m_bButtonDown = false;
  m_iAccum = 0;
  m_iLastReported = 0;
  m_dAccum = 0.0;
  SetGroupId(userValue);
  SetMinIntValue(minimum, true);
  SetMaxIntValue(maximum, true);
  m_bDirty = true;
  m_bEnabled = true;
  return true;
}

template <typename Param>
bool CHfcCtrlCharEditText::TakeCells(const Param* p) {
  if (!p || !p->font || p->rows < 1 || p->columns < 1) {
    m_bCreated = false;
    return false;
  }
  m_pFontBmp = p->font;
  m_pBackBmp = p->background;
  m_pOverlayBmp = p->overlay;
  m_iBackX = p->backgroundX;
  m_iBackY = p->backgroundY;
  m_iCharWidth = p->charWidth ? p->charWidth : p->font->GetWidth();
  m_iCharHeight = p->charHeight ? p->charHeight : p->font->GetHeight() / 128;
  m_iRows = p->rows;
  m_iColumns = p->columns;
  m_iReserved = p->reserved;
  m_uFillColor = p->fillColor;
  return true;
}

bool CHfcCtrlCharEditText::Create(tagHfcCtrlCharEditTextParam* p, int id, int userValue) {
  if (!TakeCells(p)) return false;
  m_iStep = p->step;
  m_uStoredColor = p->storedColor;
  m_bExtended = false;
  SetFocusMergin(0);
  const int w = p->width ? p->width : m_iCharWidth * m_iColumns;
  const int h = p->height ? p->height : m_iCharHeight * m_iRows;
  if (!Finish(p->x, p->y, w, h, id, userValue, p->minimum, p->maximum)) return false;
  m_pEngine->SetDrawParameters(m_pFontBmp, 0xFF3F3F7Fu, 0xFFFFFFFFu, m_iCharWidth, m_iCharHeight,
                               m_iColumns);
  return true;
}

bool CHfcCtrlCharEditText::CreateEx(tagHfcCtrlCharEditTextParamEx* p, int id, int userValue) {
  if (!TakeCells(p)) return false;
  m_iStep = 1;
  m_uCursorColor = p->cursorColor;
  m_dSensitivity = p->sensitivity;
  m_dFineSensitivity = p->fineSensitivity;
  m_iReserved2 = p->reserved2;
  SetFocusMergin(3);
  const int w = p->width ? p->width : m_iCharWidth * m_iColumns + 1;
  const int h = p->height ? p->height : m_iCharHeight * m_iRows;
  if (!Finish(p->x, p->y, w, h, id, userValue, p->minimum, p->maximum)) return false;
  SetFocusMergin(3);
  m_pEngine->SetDrawParameters(m_pFontBmp, p->selectionColor, p->cursorColor, m_iCharWidth,
                               m_iCharHeight, 0);
  m_bFocusOnClick = true;
  m_bExtended = true;
  return true;
}

bool CHfcCtrlCharEditText::CreateEx2(tagHfcCtrlCharEditTextParamEx2* p, int id, int userValue) {
  if (!p || !p->font || p->rows < 1 || p->columns < 1) {
    m_bCreated = false;
    return false;
  }
  // A proportional text needs its metrics; without them it stays fixed.
  const bool proportional = p->proportional != 0 && p->fontInfo != nullptr;
  if (p->fontInfo) p->fontInfo->bmp = p->font;
  tagHfcCtrlCharEditTextParamEx ex = *p;
  int w = p->width;
  if (proportional) {
    ex.charWidth = p->fontInfo->advance['W'];
    if (w == 0) w = p->columns * ex.charWidth - 1;
  }
  ex.width = w;
  if (!CreateEx(&ex, id, userValue)) return false;
  m_bProportional = proportional;
  m_pPropFont = p->fontInfo;
  m_uPropTextColor = p->textColor;
  m_pEngine->SetDrawParameters(m_pFontBmp, p->selectionColor, p->cursorColor, m_iCharWidth,
                               m_iCharHeight, m_iColumns);
  m_pEngine->SetProportional(proportional);
  if (proportional) {
    m_pEngine->SetProportionalFont(p->fontInfo);
    m_pEngine->SetTextColor(p->textColor);
  }
  return true;
}

void CHfcCtrlCharEditText::Destroy() {
  LeaveEdit();
  if (CHfcKey::sm_pInstance && CHfcKey::sm_pInstance->GetFocus() == static_cast<CHfcKeyListener*>(this))
    CHfcKey::sm_pInstance->ReleaseFocus();
  FreeText();
  CHfcControl::Destroy();
}

void CHfcCtrlCharEditText::Report(int value) {
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, value);
}

// --- Mouse -----------------------------------------------------------------

bool CHfcCtrlCharEditText::OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  if (m_bExtended) return OnMouseLButtonDownEx(m, x, y, mods);
  m_bButtonDown = true;
  m_iPressTime = 0;
  if (m_bFocusOnClick)
    SetFocus(0);
  else
    ReleaseFocus();
  if (m_bEditing) return true;
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  int v = 0;
  if ((mods & kHfcModCommand) && m_pListener && m_pListener->OnHfcCtrlDefaultIntValueRequired(this, &v))
    SetIntValue(v, true);
  m_ptPress = {x, y};
  m_iAccum = m_iLastReported = GetIntValue();
  if (m_pListener) m_pListener->OnHfcCtrlBeginEdit(this);
  SetMouseCapture();
  return true;
}

bool CHfcCtrlCharEditText::OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) {
  if (m_bExtended) return OnMouseMoveEx(m, x, y, mods);
  m_iPressTime = kNoLongPress;
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!m_bEditing && HoldsMouseCapture()) {
    const bool fine = (mods & kHfcModShift) != 0;
    const int step = fine ? 1 : std::max(m_iStep, 1);
    if (!fine && m_iAccum % step != 0) {
      m_iAccum -= m_iAccum % step;
      if (y > m_ptPress.y) m_iAccum += step;
    }
    m_iAccum += (m_ptPress.y - y) * step;
    const int v = ClipIntValueRange(m_iAccum);
    if (v != m_iLastReported) {
      m_iLastReported = v;
      Report(v);
    }
    m_ptPress = {x, y};
  }
  return true;
}

bool CHfcCtrlCharEditText::OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) {
  if (m_bExtended) return OnMouseLButtonUpEx(m, x, y, mods);
  m_bButtonDown = false;
  if (m_bEditing)
    CHfcMouse::SetCursorById(kCursorIBeam);
  else if (m_pListener)
    m_pListener->OnHfcCtrlMouseLButtonUp(this, x, y, mods);
  if (HoldsMouseCapture()) ReleaseMouseCapture();
  return true;
}

bool CHfcCtrlCharEditText::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  if (m_bExtended) return OnMouseLButtonDoubleClickEx(m, x, y, mods);
  if (!m_bEditing && m_pListener) m_pListener->OnHfcCtrlMouseLButtonDoubleClick(this, x, y, mods);
  return true;
}

void CHfcCtrlCharEditText::OnHfcMouseLostCapture(CHfcMouse* m) {
  if (m_bExtended) {
    OnMouseLostCaptureEx(m);
    return;
  }
  m_bButtonDown = false;
  if (m_pListener) {
    m_pListener->OnHfcCtrlEndEdit(this);
    m_pListener->OnHfcCtrlMouseLostCapture(this);
  }
  if (m_bEditing) m_pEngine->MouseLostCapture(m);
}

bool CHfcCtrlCharEditText::OnHfcMouseRButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_bEditing) return false;
  return m_pListener && m_pListener->OnHfcCtrlMouseRButtonDown(this, x, y, mods);
}

bool CHfcCtrlCharEditText::OnMouseLButtonDownEx(CHfcMouse* m, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  m_uLastRatioTime = HfcGetSystemTimeMs();
  if (m_bEditing) {
    m_pEngine->MouseLButtonDown(m, x, y, mods);
    SetMouseCapture();
    return true;
  }
  m_iLastReported = GetIntValue();
  m_dAccum = m_iLastReported;
  m_ptPress = {x, y};
  SetMouseCapture();
  if (m_bFocusOnClick)
    SetFocus(0);
  else
    ReleaseFocus();
  return true;
}

bool CHfcCtrlCharEditText::OnMouseMoveEx(CHfcMouse* m, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture()) return false;
  if (m_bEditing) {
    m_pEngine->MouseMove(m, x, y, mods);
  } else if (y != m_ptPress.y) {
    const double per = (mods & kHfcModShift) ? m_dFineSensitivity
                                          : m_dSensitivity * static_cast<double>(GetMouseDeltaRatio());
    m_dAccum += static_cast<double>(m_ptPress.y - y) * per;
    const int64_t t = static_cast<int64_t>(m_dAccum);
    const int v = static_cast<int>(
        std::clamp<int64_t>(t, static_cast<int64_t>(GetMinIntValue()), static_cast<int64_t>(GetMaxIntValue())));
    if (v != m_iLastReported) Report(v);
    m_iLastReported = v;
  }
  m_ptPress = {x, y};
  return true;
}

bool CHfcCtrlCharEditText::OnMouseLButtonUpEx(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonUp(this, x, y, mods)) return true;
  if (HoldsMouseCapture()) ReleaseMouseCapture();
  return true;
}

bool CHfcCtrlCharEditText::OnMouseLButtonDoubleClickEx(CHfcMouse* m, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDoubleClick(this, x, y, mods)) return true;
  if (m_bDoubleClickIgnored) return true;
  if (m_bDoubleClickEdits) {
    EnterEdit(m_pText);
    SetSelectionAll();
    return true;
  }
  return OnMouseLButtonDownEx(m, x, y, mods);
}

void CHfcCtrlCharEditText::OnMouseLostCaptureEx(CHfcMouse*) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseLostCapture(this);
}

// --- Keys ------------------------------------------------------------------

bool CHfcCtrlCharEditText::StepKey(int key) {
  int v = GetIntValue();
  if (key == CHfcEditTextEngine::kKeyLeft || key == CHfcEditTextEngine::kKeyDown)
    v -= m_iStep;
  else if (key == CHfcEditTextEngine::kKeyRight || key == CHfcEditTextEngine::kKeyUp)
    v += m_iStep;
  v = ClipIntValueRange(v);
  if (v != GetIntValue()) Report(v);
  return true;
}

bool CHfcCtrlCharEditText::OnKeyDown(int chr, int, int mods) {
  if (HoldsMouseCapture()) return true;
  if (m_bEditing) {
    if (chr >= 32 && chr != CHfcEditTextEngine::kKeyDelete) return true;
    m_pEngine->KeyDown(chr, mods);
    return true;
  }
  return StepKey(chr);
}

bool CHfcCtrlCharEditText::OnKeyRepeat(int chr, int key, int mods) { return OnKeyDown(chr, key, mods); }

bool CHfcCtrlCharEditText::OnKeyChar(int chr) {
  if (!m_bEditing) return false;
  m_pEngine->Input(chr);
  return true;
}

void CHfcCtrlCharEditText::OnKeyLostFocus() {
  if (m_bEditing) {
    LeaveEdit();
    if (!m_bLostFocusCancels && m_pListener)
      m_pListener->OnHfcCtrlPtrValueChanged(this, const_cast<char*>(m_pEngine->GetText()));
  }
  CHfcMouse::SetCursorById(kCursorArrow);
}

void CHfcCtrlCharEditText::OnHfcEditTextEngineNeedRedrawn(CHfcEditTextEngine*) { m_bDirty = true; }

void CHfcCtrlCharEditText::OnHfcEditTextEngineReturn(CHfcEditTextEngine*) {
  if (m_pListener) m_pListener->OnHfcCtrlPtrValueChanged(this, const_cast<char*>(m_pEngine->GetText()));
  LeaveEdit();
}

void CHfcCtrlCharEditText::OnHfcEditTextEngineEsc(CHfcEditTextEngine*) { LeaveEdit(); }

// --- Editing ---------------------------------------------------------------

bool CHfcCtrlCharEditText::EnterEdit(const char* text) {
  if (m_iFocusIndex != 1) SetFocus(1);
  if (m_bEditing) return false;
  m_bEditing = true;
  m_pEngine->SetText(text ? text : (m_pText ? m_pText : ""));
  m_pEngine->SetCursorPosition(m_pEngine->GetLength());
  m_bDirty = true;
  return true;
}

void CHfcCtrlCharEditText::LeaveEdit() {
  if (!m_bEditing) return;
  m_bEditing = false;
  SetFocus(-1);
  m_bDirty = true;
}

void CHfcCtrlCharEditText::SetSelection(int start, int end) { m_pEngine->SetSelection(start, end); }

void CHfcCtrlCharEditText::SetSelectionAll() {
  if (m_bEditing) m_pEngine->SetSelection(0, m_pEngine->GetLength());
}

void CHfcCtrlCharEditText::SetCursorPos(int position, int) { m_pEngine->SetCursorPosition(position); }

void CHfcCtrlCharEditText::DeleteSelection() { m_pEngine->DeleteSelection(); }

void CHfcCtrlCharEditText::SetPtrValue(void* text, bool redraw) {
  if (!m_pText) return;
  const char* s = text ? static_cast<const char*>(text) : "";
  std::strncpy(m_pText, s, static_cast<size_t>(m_iColumns));
  m_pText[m_iColumns] = 0;
  if (m_bEditing) m_pEngine->SetText(m_pText);
  if (redraw) m_bDirty = true;
}

void CHfcCtrlCharEditText::OnIdle(int elapsed) {
  if (m_bEditing) m_pEngine->Idle(elapsed);
  CHfcControl::OnIdle(elapsed);
}

void CHfcCtrlCharEditText::Hide(bool redraw) {
  CHfcControl::Hide(redraw);
  if (m_bCreated && redraw) Update(false, true);
}

void CHfcCtrlCharEditText::Disable(bool redraw) {
  CHfcControl::Disable(redraw);
  if (m_bCreated && redraw) Update(false, true);
}

// --- Drawing ---------------------------------------------------------------

void CHfcCtrlCharEditText::DrawBackground(CHfcDrawContext* dc) {
  const int m = m_iFocusMargin;
  const int x = m_rcFrame.left - m;
  const int y = m_rcFrame.top - m;
  const int w = GetWidth() + 2 * m;
  const int h = GetHeight() + 2 * m;
  dc->ClearRect(x, y, w, h);
  if (m_pBackBmp) {
    dc->CopyBmp(x, y, w, h, m_pBackBmp, m_iBackX, m_iBackY);
  } else if (m_uFillColor != 0) {
    dc->SetBrushColor(m_uFillColor);
    dc->FillRect(x, y, w, h);
  }
  if (m_pOverlayBmp) {
    if (m_bEnabled)
      dc->CopyBmp(x, y, w, h, m_pOverlayBmp, 0, 0);
    else
      dc->CopyBmpAlpha(x, y, w, h, m_pOverlayBmp, m_fDisabledAlpha, 0, 0);
  }
}

void CHfcCtrlCharEditText::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  DrawBackground(dc);
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  if (m_bEditing) {
    m_pEngine->Draw(dc, left, top, GetWidth(), m_iCharHeight);
  } else if (m_pText && m_bProportional && m_pPropFont) {
    const int tw = HfcGetBmpTextWidth(m_pPropFont, m_pText);
    int x = left;
    if (m_pEngine->GetAlignment() == 1)
      x = left + (GetWidth() - tw) / 2;
    else if (m_pEngine->GetAlignment() == 2)
      x = m_rcFrame.right - tw;
    uint32_t colour = m_uPropTextColor;
    if (!m_bEnabled) {
      const auto alpha = static_cast<uint32_t>(static_cast<float>(colour >> 24) * m_fDisabledAlpha);
      colour = (colour & 0x00FFFFFFu) | (std::min<uint32_t>(alpha, 255u) << 24);
    }
    x = std::max(x, left);
    dc->DrawBmpTextInBox(x, top, m_pText, m_rcFrame.right - x, m_pPropFont, colour);
  } else if (m_pText && m_pFontBmp) {
    const int cellHeight = std::min(GetHeight(), m_iCharHeight);
    for (int r = 0; r < m_iRows; ++r) {
      for (int c = 0; c < m_iColumns; ++c) {
        const int code = HfcBmpFontCode(m_pText[r * m_iColumns + c]);
        const int cx = left + c * m_iCharWidth;
        const int cy = top + r * cellHeight;
        if (m_bEnabled)
          dc->CopyBmp(cx, cy, m_iCharWidth, cellHeight, m_pFontBmp, 0, code * m_iCharHeight);
        else
          dc->CopyBmpAlpha(cx, cy, m_iCharWidth, cellHeight, m_pFontBmp, m_fDisabledAlpha, 0,
                           code * m_iCharHeight);
      }
    }
  }
  if (IsFocused()) DrawFocus(dc);
}

void CHfcCtrlCharEditText::Erase(CHfcDrawContext* dc) {
  if (!dc) return;
  dc->ClearRect(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight());
  DrawBackground(dc);
}
