#include "editor/controls/CMMPCtrlKnob.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcMouse.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/HfcFocusMarks.h"
#include "platform/HfcMemory.h"
#include "platform/HfcTime.h"

CMMPCtrlKnob::CMMPCtrlKnob() : m_pEngine(new CHfcEditTextEngine(this, 1024)) {}

CMMPCtrlKnob::~CMMPCtrlKnob() {
  if (m_bCreated) Destroy();
  HfcMemFree(m_pValueText);
  delete m_pEngine;
}

bool CMMPCtrlKnob::Setup(int x, int y, int width, int height, int minimum, int maximum, int centre,
                         int pixelsPerStep, float ringX, float ringY, float radius, float start,
                         float end, float gap, uint32_t mask, uint32_t second, uint32_t mod,
                         uint32_t marker, CHfcBmp* meter, int meterX, int meterY, int glyphWidth,
                         int glyphHeight, CHfcBmp* font, int textX, int textY, int textLength,
                         CHfcBmp* body, int id, int flags) {
  SetMinIntValue(minimum, true);
  SetMaxIntValue(maximum, true);
  m_iCentre = centre;
  m_iPixelsPerStep = pixelsPerStep;
  m_fRingX = ringX;
  m_fRingY = ringY;
  m_fRadius = radius;
  m_fStartAngle = start;
  m_fEndAngle = end;
  m_fGap = gap;
  m_uMaskColor = mask;
  m_uSecondColor = second;
  m_uModColor = mod;
  m_uModMarkerColor = marker;
  m_pMeter = meter;
  m_iMeterX = meterX;
  m_iMeterY = meterY;
  m_iMeterWidth = meter ? meter->GetWidth() : 0;
  m_iMeterHeight = meter ? meter->GetHeight() : 0;
  m_iGlyphWidth = glyphWidth;
  m_iGlyphHeight = glyphHeight;
  m_pFont = font;
  m_iTextX = textX;
  m_iTextY = textY;
  m_iTextLength = textLength;
  m_pBody = body;
  HfcMemFree(m_pValueText);
  m_pValueText = nullptr;
  if (font && textLength >= 1) {
    m_pValueText = static_cast<char*>(HfcMemAllocClear(static_cast<size_t>(textLength) + 1));
    if (m_iGlyphWidth == 0) m_iGlyphWidth = font->GetWidth();
    if (m_iGlyphHeight == 0) m_iGlyphHeight = font->GetHeight() / 128;
  }
  m_pEngine->SetDrawParameters(font, 0x2B0000FFu, 0xFF000000u, m_iGlyphWidth, m_iGlyphHeight, 0);
  if (!CHfcControl::Create(x, y, width, height, id)) return false;
  SetGroupId(flags);
  m_bEnabled = true;
  m_bDirty = true;
  m_bEditAllowed = true;
  m_bEditing = false;
  m_iDragMode = 0;
  return true;
}

void CMMPCtrlKnob::SetEngineFont(bool proportional, tagHfcBmpFontInfo* info, int alignment) {
  m_bProportional = proportional;
  m_pFontInfo = info;
  m_pEngine->SetProportional(proportional);
  if (proportional) {
    m_pEngine->SetProportionalFont(info);
    m_pEngine->SetAlignment(alignment);
  }
}

bool CMMPCtrlKnob::Create(const tagMMPCtrlKnobParam* p, int id, int flags) {
  if (!p || !p->body) return false;
  const int w = p->width ? p->width : p->body->GetWidth();
  const int h = p->height ? p->height : p->body->GetHeight();
  if (!Setup(p->x, p->y, w, h, p->minimum, p->maximum, p->centre, p->pixelsPerStep, p->ringX,
             p->ringY, p->ringRadius, p->startAngle, p->endAngle, p->gap, p->maskColor,
             p->secondColor, p->modColor, p->modMarkerColor, p->meter, p->meterX, p->meterY,
             p->glyphWidth, p->glyphHeight, p->font, p->textX, p->textY, p->textLength, p->body,
             id, flags))
    return false;
  m_bExtended = false;
  return true;
}

bool CMMPCtrlKnob::CreateEx(const tagMMPCtrlKnobParamEx* p, int id, int flags) {
  if (!Create(p, id, flags)) return false;
  m_fCoarseStep = p->coarseStep;
  m_fFineStep = p->fineStep;
  m_iKeyStep = p->keyStep;
  m_bExtended = true;
  return true;
}

bool CMMPCtrlKnob::CreateEx2(const tagMMPCtrlKnobParamEx2* p, int id, int flags) {
  if (!CreateEx(p, id, flags)) return false;
  m_uTextColor = p->textColor;
  SetEngineFont(p->proportional != 0 && p->fontInfo, p->fontInfo, 0);
  return true;
}

void CMMPCtrlKnob::Destroy() {
  HfcMemFree(m_pValueText);
  m_pValueText = nullptr;
  m_bEditing = false;
  CHfcControl::Destroy();
}

// --- Values ----------------------------------------------------------------

void CMMPCtrlKnob::SetIntValue(int value, bool redraw) {
  value = ClipIntValueRange(value);
  if (value == m_iValue) return;
  m_iValue = value;
  if (redraw) m_bDirty = true;
}

void CMMPCtrlKnob::SetModValue(int value, bool redraw) {
  value = ClipIntValueRange(value);
  if (value == m_iModValue) return;
  m_iModValue = value;
  if (redraw) m_bDirty = true;
}

void CMMPCtrlKnob::SetPtrValue(void* text, bool redraw) {
  if (!m_pValueText || !text) return;
  std::strncpy(m_pValueText, static_cast<const char*>(text), static_cast<size_t>(m_iTextLength));
  m_pValueText[m_iTextLength] = 0;
  if (m_bEditing) m_pEngine->SetText(m_pValueText);
  if (redraw) m_bDirty = true;
}

void CMMPCtrlKnob::SetBackBmp(CHfcBmp* body, bool dirty) {
  m_pBody = body;
  m_bDirty = dirty;
}

void CMMPCtrlKnob::ReportValue(int value) {
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, value);
}

// --- Areas -----------------------------------------------------------------

bool CMMPCtrlKnob::IsKnobArea(int x, int y) const {
  return x >= m_iMeterX && x < m_iMeterX + m_iMeterWidth && y >= m_iMeterY &&
         y < m_iMeterY + m_iMeterHeight;
}

bool CMMPCtrlKnob::IsDisplayArea(int x, int y) const {
  return x >= m_iTextX && x < m_iTextX + m_iTextLength * m_iGlyphWidth && y >= m_iTextY &&
         y < m_iTextY + m_iGlyphHeight;
}

// --- Mouse -----------------------------------------------------------------

bool CMMPCtrlKnob::OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  if (!IsKnobArea(x, y) && !IsDisplayArea(x, y)) return false;
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  return Press(m, x, y, mods);
}

bool CMMPCtrlKnob::Press(CHfcMouse* m, int x, int y, int mods) {
  if (!m_bExtended) {
    m_iDragMode = 1;
    m_iLastReported = GetIntValue();
    const int pps = std::max(m_iPixelsPerStep, 1);
    m_iDragAccum = GetIntValue() * pps + pps / 2;
  } else {
    m_iDragMode = IsKnobArea(x, y) ? 1 : 2;
    m_uLastMoveTime = HfcGetSystemTimeMs();
    if (m_bEditing) {
      if (IsDisplayArea(x, y)) {
        m_pEngine->MouseLButtonDown(m, x - EngineOriginX(), y - EngineOriginY(), mods);
        SetMouseCapture();
        return true;
      }
      EndEditing();
    }
    m_iLastReported = GetIntValue();
    m_fDragAccum = static_cast<float>(GetIntValue());
  }
  m_ptLast = {x, y};
  SetMouseCapture();
  if (m_bFocusOnClick)
    SetFocus(0);
  else
    ReleaseFocus();
  BeginEditGesture();
  return true;
}

bool CMMPCtrlKnob::OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) {
  if (m_pListener && (IsKnobArea(x, y) || IsDisplayArea(x, y)))
    m_pListener->OnHfcCtrlMouseMove(this, x, y, mods);
  if ((m_iDragMode != 1 && m_iDragMode != 2) || !HoldsMouseCapture()) return false;
  const bool fine = (mods & kModFine) != 0;
  int value = m_iLastReported;
  if (!m_bExtended) {
    // A knob made without pixels per step would divide by zero; it moves
    // by single values instead.
    const int pps = std::max(m_iPixelsPerStep, 1);
    m_iDragAccum += (m_ptLast.y - y) * (fine ? 1 : pps);
    value = ClipIntValueRange(m_iDragAccum / pps);
  } else if (m_bEditing) {
    m_pEngine->MouseMove(m, x - EngineOriginX(), y - EngineOriginY(), mods);
  } else if (y != m_ptLast.y) {
    float step = fine ? m_fFineStep : m_fCoarseStep;
    const uint32_t now = HfcGetSystemTimeMs();
    const uint32_t elapsed = now - m_uLastMoveTime;
    m_uLastMoveTime = now;
    if (elapsed >= 101) step *= 50.0f / static_cast<float>(std::min<uint32_t>(elapsed, 1600));
    m_fDragAccum += static_cast<float>(m_ptLast.y - y) * step;
    value = ClipIntValueRange(static_cast<int>(m_fDragAccum));
  }
  if (value != m_iLastReported) {
    m_iLastReported = value;
    ReportValue(value);
  }
  m_ptLast = {x, y};
  return true;
}

bool CMMPCtrlKnob::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (HoldsMouseCapture()) ReleaseMouseCapture();
  return true;
}

void CMMPCtrlKnob::OnHfcMouseLostCapture(CHfcMouse* m) {
  if (m_bEditing) m_pEngine->MouseLostCapture(m);
  m_iDragMode = 0;
  if (m_pListener) m_pListener->OnHfcCtrlMouseLostCapture(this);
  EndEditGesture();
}

bool CMMPCtrlKnob::OnHfcMouseRButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseRButtonDown(this, x, y, mods);
  return true;
}

bool CMMPCtrlKnob::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDoubleClick(this, x, y, mods)) return true;
  if (!m_bEditAllowed) return Press(m, x, y, mods);
  if (m_bExtended) {
    if (m_bEditOnlyOnDisplay && !IsDisplayArea(x, y)) return true;
    EnterEdit(m_pValueText);
    m_pEngine->SetSelection(0, m_pEngine->GetLength());
    return true;
  }
  EnterEdit(m_pValueText);
  return true;
}

// --- Editing ---------------------------------------------------------------

bool CMMPCtrlKnob::EnterEdit(const char* text) {
  if (m_iFocusIndex != 1) SetFocus(1);
  if (m_bEditing) return false;
  m_bEditing = true;
  if (text) m_pEngine->SetText(text);
  m_pEngine->SetCursorPosition(m_pEngine->GetLength());
  m_bDirty = true;
  return true;
}

void CMMPCtrlKnob::EndEditing() {
  if (!m_bEditing) return;
  m_bEditing = false;
  SetFocus(-1);
  m_bDirty = true;
}

void CMMPCtrlKnob::LeaveEdit() { EndEditing(); }

void CMMPCtrlKnob::OnHfcEditTextEngineEsc(CHfcEditTextEngine*) { EndEditing(); }

void CMMPCtrlKnob::OnKeyLostFocus() { EndEditing(); }

void CMMPCtrlKnob::OnHfcEditTextEngineNeedRedrawn(CHfcEditTextEngine*) { m_bDirty = true; }

void CMMPCtrlKnob::OnHfcEditTextEngineReturn(CHfcEditTextEngine*) {
  std::string text = m_pEngine->GetText();
  if (!text.empty() && text[0] == kGlyphMinus) text[0] = '-';
  if (!text.empty() && text[0] == kGlyphPlus) text[0] = '+';
  ReportTypedText(text.data());
  EndEditing();
}

// --- Keys ------------------------------------------------------------------

bool CMMPCtrlKnob::OnKeyDown(int chr, int, int mods) {
  if (HoldsMouseCapture()) return false;
  if (m_bEditing) {
    if (chr < 32 || chr == CHfcEditTextEngine::kKeyDelete) m_pEngine->KeyDown(chr, mods);
    return false;
  }
  const int step = m_bExtended ? m_iKeyStep : 1;
  int value = GetIntValue();
  switch (chr) {
    case CHfcEditTextEngine::kKeyDown:
    case CHfcEditTextEngine::kKeyLeft: value -= step; break;
    case CHfcEditTextEngine::kKeyRight:
    case CHfcEditTextEngine::kKeyUp: value += step; break;
    default: return false;
  }
  value = ClipIntValueRange(value);
  if (value != GetIntValue()) ReportValue(value);
  return true;
}

bool CMMPCtrlKnob::OnKeyRepeat(int chr, int key, int mods) { return OnKeyDown(chr, key, mods); }

bool CMMPCtrlKnob::OnKeyChar(int chr) {
  if (!m_bEditing) return false;
  m_pEngine->Input(chr);
  return true;
}

void CMMPCtrlKnob::OnIdle(int elapsed) {
  if (m_bEditing) m_pEngine->Idle(elapsed);
  CHfcControl::OnIdle(elapsed);
}

// --- Drawing ---------------------------------------------------------------

float CMMPCtrlKnob::AngleOf(int value) {
  const int range = GetMaxIntValue() - GetMinIntValue();
  if (range == 0) return m_fStartAngle;
  return m_fStartAngle + static_cast<float>(value - GetMinIntValue()) *
                             (m_fEndAngle - m_fStartAngle) / static_cast<float>(range);
}

void CMMPCtrlKnob::LitSector(int value, bool upperIsNext, float* a, float* b) {
  const int lower = std::min(value, m_iCentre);
  const int upper = upperIsNext ? (value < m_iCentre ? m_iCentre : value + 1) : std::max(value, m_iCentre);
  float hiA = AngleOf(lower);
  float loB = AngleOf(upper);
  // Angles run from the start towards the end; "first" is nearer the start.
  const float dir = Clockwise() ? 1.0f : -1.0f;
  if (2.0f * m_fGap > (hiA - loB) * dir) {
    const float mid = (hiA + loB) * 0.5f;
    hiA = mid + m_fGap * dir;
    loB = mid - m_fGap * dir;
  }
  // The lit part never reaches past the ends of the ring: a value one past
  // the maximum (or a gap wider than what is left) would otherwise turn the
  // cut of the unlit part into a sweep the wrong way round the circle.
  if (Clockwise()) {
    hiA = std::min(hiA, m_fStartAngle);
    loB = std::max(loB, m_fEndAngle);
  } else {
    hiA = std::max(hiA, m_fStartAngle);
    loB = std::min(loB, m_fEndAngle);
  }
  *a = hiA;
  *b = loB;
}

void CMMPCtrlKnob::CutSectors(CHfcDrawContext* dc, float cx, float cy, float a, float b, bool clear) {
  const bool cw = Clockwise();
  // A sector is cut only when it has a positive sweep in the ring's
  // direction.
  const bool first = cw ? a < m_fStartAngle : a > m_fStartAngle;
  const bool last = cw ? b > m_fEndAngle : b < m_fEndAngle;
  if (first) {
    if (clear)
      dc->ClearArc(cx, cy, m_fRadius, m_fStartAngle, a, cw);
    else
      dc->FillArc(cx, cy, m_fRadius, m_fStartAngle, a, cw);
  }
  if (last) {
    if (clear)
      dc->ClearArc(cx, cy, m_fRadius, b, m_fEndAngle, cw);
    else
      dc->FillArc(cx, cy, m_fRadius, b, m_fEndAngle, cw);
  }
}

CHfcOffscreenContext* CMMPCtrlKnob::MeterPicture(int width, int height) {
  if (width < 1 || height < 1) return nullptr;
  if (!m_pMeterPicture || m_pMeterPicture->GetBmp()->GetWidth() != width ||
      m_pMeterPicture->GetBmp()->GetHeight() != height)
    m_pMeterPicture = std::make_unique<CHfcOffscreenContext>(width, height);
  m_pMeterPicture->ClearRect(0, 0, width, height);
  return m_pMeterPicture.get();
}

void CMMPCtrlKnob::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  dc->ClearRect(left, top, GetWidth(), GetHeight());
  if (!m_pMeter) {
    dc->SetBrushColor(m_uMaskColor);
    dc->FillRect(left, top, GetWidth(), GetHeight());
  } else {
    dc->CopyBmp(left + m_iMeterX, top + m_iMeterY, m_iMeterWidth, m_iMeterHeight, m_pMeter, 0, 0);
  }
  DrawPlainValue(dc);
  DrawModValue(dc);
  if (!m_bEnabled) {
    dc->SetBrushColor(m_uDisabledColor);
    dc->FillRect(left, top, GetWidth(), GetHeight());
  }
  if (m_pBody) dc->CopyBmp(left, top, GetWidth(), GetHeight(), m_pBody, 0, 0);
  DrawPlainText(dc);
  if (IsFocused()) DrawFocus(dc);
}

void CMMPCtrlKnob::DrawPlainValue(CHfcDrawContext* dc) {
  if (GetMaxIntValue() == GetMinIntValue()) return;
  float a = 0.0f;
  float b = 0.0f;
  LitSector(GetIntValue(), false, &a, &b);
  dc->SetBrushColor(m_uMaskColor);
  CutSectors(dc, m_rcFrame.left + m_fRingX + 0.5f, m_rcFrame.top + m_fRingY + 0.5f, a, b, false);
}

void CMMPCtrlKnob::DrawModValue(CHfcDrawContext* dc) {
  const int v = GetIntValue();
  const int m = m_iModValue;
  if (m == v || GetMaxIntValue() <= GetMinIntValue()) return;
  const float cx = m_rcFrame.left + m_fRingX;
  const float cy = m_rcFrame.top + m_fRingY;
  const bool cw = Clockwise();
  float a;
  float b;
  if (m >= v) {
    a = v > m_iCentre ? AngleOf(v) - m_fGap : AngleOf(v) + m_fGap;
    b = AngleOf(m + 1) - m_fGap;
  } else {
    a = AngleOf(m) + m_fGap;
    b = v <= m_iCentre ? AngleOf(v) + m_fGap : AngleOf(v + 1) - m_fGap;
  }
  const float dir = cw ? 1.0f : -1.0f;
  if (2.0f * m_fGap > (a - b) * dir) {
    const float mid = (a + b) * 0.5f;
    a = mid + m_fGap * dir;
    b = mid - m_fGap * dir;
  }
  dc->SetBrushColor(m_uModColor);
  dc->FillArc(cx, cy, m_fRadius, a, b, cw);
  dc->SetBrushColor(m_uModMarkerColor);
  dc->FillArc(cx, cy, m_fRadius, AngleOf(m) + m_fGap, AngleOf(m + 1) - m_fGap, cw);
}

void CMMPCtrlKnob::DrawPlainText(CHfcDrawContext* dc) {
  if (!m_pFont || m_iTextLength <= 0) return;
  const int x = m_rcFrame.left + m_iTextX;
  const int y = m_rcFrame.top + m_iTextY;
  if (m_bEditing) {
    m_pEngine->Draw(dc, x, y, m_iTextLength * m_iGlyphWidth + 1, m_iGlyphHeight);
  } else if (m_pValueText) {
    if (m_bProportional && m_pFontInfo)
      dc->DrawBmpTextInBox(x, y, m_pValueText, m_iTextLength * m_iGlyphWidth, m_pFontInfo, m_uTextColor);
    else
      dc->DrawBmpText(x, y, m_pValueText, static_cast<unsigned long>(m_iTextLength), m_pFont,
                      m_iGlyphWidth, m_iGlyphHeight);
  }
  if (!m_bEnabled) {
    dc->SetBrushColor(m_uDisabledColor);
    dc->FillRect(x, y, m_iTextLength * m_iGlyphWidth, m_iGlyphHeight);
  }
}

void CMMPCtrlKnob::DrawFocus(CHfcDrawContext* dc) {
  if (!dc || !m_bCreated || !m_bVisible || m_uFocusColor == 0) return;
  tagHfcRect frame = m_rcFrame;
  if (m_iFocusIndex == 1) {
    frame = {m_rcFrame.left + m_iTextX - 2, m_rcFrame.top + m_iTextY - 2,
             m_rcFrame.left + m_iTextX + m_iTextLength * m_iGlyphWidth,
             m_rcFrame.top + m_iTextY + m_iGlyphHeight};
  }
  const uint32_t pen = dc->GetPenColor();
  dc->SetPenWidth(1.0f);
  dc->SetPenColor(m_uFocusColor);
  for (const tagHfcFocusStroke& s : HfcFocusCornerStrokes(frame)) {
    dc->MoveTo(s.from.x, s.from.y);
    dc->LineTo(s.to.x, s.to.y);
  }
  dc->SetPenColor(pen);
}
