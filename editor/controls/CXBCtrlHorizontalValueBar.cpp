#include "editor/controls/CXBCtrlHorizontalValueBar.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcMouse.h"
#include "hfc/HfcModifiers.h"
#include "platform/HfcTime.h"

namespace {

// Ceiling of a / b for a >= 0, b > 0.
int64_t CeilDiv(int64_t a, int64_t b) { return (a + b - 1) / b; }
}  // namespace

CXBCtrlHorizontalValueBar::CXBCtrlHorizontalValueBar() : m_pEngine(new CHfcEditTextEngine(this, 1024)) {}

CXBCtrlHorizontalValueBar::~CXBCtrlHorizontalValueBar() {
  if (m_bCreated) Destroy();
  delete m_pEngine;
}

int CXBCtrlHorizontalValueBar::Create(const tagXBCtrlHorizontalValueBarParam* p, int id, int idHigh) {
  return Build(p, 1.0f, 0, nullptr, id, idHigh);
}

int CXBCtrlHorizontalValueBar::CreateEx(const tagXBCtrlHorizontalValueBarParamEx* p, int id, int idHigh) {
  return p ? Build(p, p->fineScale, p->reserved, nullptr, id, idHigh) : 0;
}

int CXBCtrlHorizontalValueBar::CreateEx2(const tagXBCtrlHorizontalValueBarParamEx2* p, int id, int idHigh) {
  return p ? Build(p, p->fineScale, p->reserved, p, id, idHigh) : 0;
}

int CXBCtrlHorizontalValueBar::Build(const tagXBCtrlHorizontalValueBarParam* p, float fineScale,
                                     int reserved, const tagXBCtrlHorizontalValueBarParamEx2* ex2,
                                     int id, int idHigh) {
  if (!p || !p->background || !p->bar) return 0;
  const int barWidth = p->barWidth ? p->barWidth : p->bar->GetWidth();
  const int barHeight = p->barHeight ? p->barHeight : p->bar->GetHeight();
  // Every click and drag divides by the bar width and the scales; a range
  // whose maximum lies below its minimum has no value to clamp to.
  if (barWidth < 1 || barHeight < 1 || p->pixelScale == 0.0f || p->displayScale == 0.0f ||
      p->maximum < p->minimum)
    return 0;
  CHfcBmp* sizeFrom = ex2 ? ex2->back : p->background;
  int width = p->width;
  int height = p->height;
  if (width == 0) width = sizeFrom ? sizeFrom->GetWidth() : 0;
  if (height == 0) height = sizeFrom ? sizeFrom->GetHeight() : 0;

  m_iBackgroundX = p->backgroundX;
  m_iBackgroundY = p->backgroundY;
  m_pBackground = p->background;
  m_iBarX = p->barX;
  m_iBarY = p->barY;
  m_iBarWidth = barWidth;
  m_iBarHeight = barHeight;
  m_pBar = p->bar;
  m_iDispX = p->dispX;
  m_iDispY = p->dispY;
  m_iChars = p->chars;
  m_iSignFlag = p->signFlag;
  m_pFont = p->font;
  m_iCellWidth = p->cellWidth ? p->cellWidth : (p->font ? p->font->GetWidth() : 0);
  m_iCellHeight = p->cellHeight ? p->cellHeight : (p->font ? p->font->GetHeight() / 128 : 0);
  m_iDispWidth = p->dispWidth ? p->dispWidth : m_iChars * m_iCellWidth;
  m_iDispHeight = p->dispHeight ? p->dispHeight : m_iCellHeight;
  SetMinIntValue(p->minimum, false);
  SetMaxIntValue(p->maximum, false);
  m_iOrigin = p->origin;
  m_fDisplayScale = p->displayScale;
  m_fPixelScale = p->pixelScale;
  m_fFineScale = fineScale;
  m_iReserved = reserved;
  m_iProportional = ex2 ? ex2->proportional : 0;
  m_pFontInfo = ex2 ? ex2->fontInfo : nullptr;
  if (m_pFontInfo) m_pFontInfo->bmp = p->font;
  m_uTextColor = ex2 ? ex2->textColor : 0;
  m_bShowDisplay = ex2 ? ex2->showDisplay != 0 : true;
  m_bRandomAtMinimum = ex2 ? ex2->randomAtMinimum != 0 : false;
  m_pBack = ex2 ? ex2->back : nullptr;

  m_iDragMode = 0;
  m_fAccum = 0.0f;
  m_bEditing = false;
  m_pEngine->SetDrawParameters(m_pFont, 0x2B0000FFu, 0xFF000000u, m_iCellWidth, m_iCellHeight, 0);
  const bool proportional = m_iProportional != 0 && m_pFontInfo;
  m_pEngine->SetProportional(proportional);
  if (proportional) {
    m_pEngine->SetProportionalFont(m_pFontInfo);
    m_pEngine->SetTextColor(m_uTextColor);
  }
  if (!CHfcControl::Create(p->x, p->y, width, height, id)) return 0;
  SetGroupId(idHigh);
  m_bDirty = true;
  m_bEnabled = true;
  return 1;
}

void CXBCtrlHorizontalValueBar::Destroy() {
  m_iDragMode = 0;
  m_bEditing = false;
  m_bEnabled = false;
  CHfcControl::Destroy();
  m_bDirty = false;
}

// --- Values ----------------------------------------------------------------

void CXBCtrlHorizontalValueBar::SetIntValue(int value, bool redraw) {
  value = ClipIntValueRange(value);
  if (value == m_iValue) return;
  m_iValue = value;
  if (redraw) m_bDirty = true;
}

void CXBCtrlHorizontalValueBar::SetPtrValue(void* text, bool redraw) {
  if (!text) return;
  m_text = static_cast<const char*>(text);
  if (redraw) m_bDirty = true;
}

void CXBCtrlHorizontalValueBar::Report(int value) {
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, value);
}

float CXBCtrlHorizontalValueBar::GetDeltaRatio() {
  const uint32_t now = HfcGetSystemTimeMs();
  float ratio = 1.0f;
  if (now > m_uLastDeltaTime && now - m_uLastDeltaTime >= 101)
    ratio = 50.0f / std::min(static_cast<float>(now - m_uLastDeltaTime), 1600.0f);
  m_uLastDeltaTime = now;
  return ratio;
}

// --- Areas -----------------------------------------------------------------

bool CXBCtrlHorizontalValueBar::IsBarArea(int x, int y) const {
  return x >= m_iBarX && x < m_iBarX + m_iBarWidth && y >= m_iBarY - 2 &&
         y < m_iBarY + m_iBarHeight + 4;
}

bool CXBCtrlHorizontalValueBar::IsDisplayArea(int x, int y) const {
  return x >= m_iDispX && x < m_iDispX + m_iChars * m_iCellWidth && y >= m_iDispY &&
         y < m_iDispY + m_iCellHeight;
}

void CXBCtrlHorizontalValueBar::TakeFocus(int id) {
  if (m_iFocusIndex == id) return;
  if (m_bFocusOnClick)
    SetFocus(id);
  else
    ReleaseFocus();
}

// --- Mouse -----------------------------------------------------------------

bool CXBCtrlHorizontalValueBar::OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  m_uButtonDownTime = HfcGetSystemTimeMs();
  m_uLastRatioTime = m_uButtonDownTime;
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  if (IsBarArea(x, y)) return OnMouseLButtonDownOnTheBar(m, x, y, mods);
  if (IsDisplayArea(x, y)) return OnMouseLButtonDownOnTheDisp(m, x, y, mods);
  return false;
}

bool CXBCtrlHorizontalValueBar::OnMouseLButtonDownOnTheBar(CHfcMouse*, int x, int y, int) {
  m_iDragMode = 1;
  LeaveEdit();
  TakeFocus(kFocusBar);
  SetMouseCapture();
  BeginEditGesture();
  const int64_t span = static_cast<int64_t>(GetMaxIntValue()) + 1 - GetMinIntValue();
  const int value = static_cast<int>(GetMinIntValue() + span * (x - m_iBarX) / m_iBarWidth);
  if (value != GetIntValue()) Report(value);
  m_iLastX = x;
  m_iLastY = y;
  m_iLastReported = value;
  m_fAccum = static_cast<float>(value) * m_fPixelScale + 0.5f * m_fPixelScale;
  return true;
}

bool CXBCtrlHorizontalValueBar::OnMouseLButtonDownOnTheDisp(CHfcMouse* m, int x, int y, int mods) {
  m_iDragMode = 2;
  TakeFocus(kFocusDisplay);
  SetMouseCapture();
  if (m_bEditing) {
    m_pEngine->MouseLButtonDown(m, x - m_iDispX, y - m_iDispY, mods);
    return true;
  }
  m_iLastX = x;
  m_iLastY = y;
  m_iLastReported = GetIntValue();
  m_fAccum = (static_cast<float>(GetIntValue()) * m_fDisplayScale + 0.5f) * m_fPixelScale;
  BeginEditGesture();
  return true;
}

bool CXBCtrlHorizontalValueBar::OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) {
  bool handled = false;
  if (m_pListener && (IsBarArea(x, y) || IsDisplayArea(x, y))) {
    m_pListener->OnHfcCtrlMouseMove(this, x, y, mods);
    handled = true;
  }
  if (!HoldsMouseCapture()) return handled;
  if (m_iDragMode == 1) return OnMouseMoveOnTheBar(m, x, y, mods);
  if (m_iDragMode == 2) return OnMouseMoveOnTheDisp(m, x, y, mods);
  return handled;
}

bool CXBCtrlHorizontalValueBar::OnMouseMoveOnTheBar(CHfcMouse*, int x, int y, int mods) {
  if (x == m_iLastX) return true;
  const int d = x - m_iLastX;
  if (mods & kHfcModShift) {
    m_fAccum += static_cast<float>(d);
  } else {
    const float span = static_cast<float>(GetMaxIntValue() + 1 - GetMinIntValue());
    m_fAccum += static_cast<float>(d) * m_fPixelScale * span / static_cast<float>(m_iBarWidth) *
                GetMouseDeltaRatio();
  }
  const int value = ClipIntValueRange(static_cast<int>(std::trunc(m_fAccum / m_fPixelScale)));
  if (value != m_iLastReported) Report(value);
  m_iLastX = x;
  m_iLastY = y;
  m_iLastReported = value;
  return true;
}

bool CXBCtrlHorizontalValueBar::OnMouseMoveOnTheDisp(CHfcMouse* m, int x, int y, int mods) {
  if (m_bEditing) {
    m_pEngine->MouseMove(m, x - m_iDispX, y - m_iDispY, mods);
    return true;
  }
  if (y == m_iLastY) return true;
  const int d = m_iLastY - y;
  if (mods & kHfcModShift)
    m_fAccum += static_cast<float>(d) * m_fFineScale;
  else
    m_fAccum += static_cast<float>(d) * m_fPixelScale * GetMouseDeltaRatio();
  const int value =
      ClipIntValueRange(static_cast<int>(std::trunc(m_fAccum / (m_fDisplayScale * m_fPixelScale))));
  if (value != m_iLastReported) Report(value);
  m_iLastX = x;
  m_iLastY = y;
  m_iLastReported = value;
  return true;
}

bool CXBCtrlHorizontalValueBar::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  m_uLastRatioTime = HfcGetSystemTimeMs();
  if (IsBarArea(x, y)) return OnMouseLButtonDoubleClickOnTheBar(m, x, y, mods);
  if (IsDisplayArea(x, y)) return OnMouseLButtonDoubleClickOnTheDisp(m, x, y, mods);
  return false;
}

bool CXBCtrlHorizontalValueBar::OnMouseLButtonDoubleClickOnTheBar(CHfcMouse* m, int x, int y, int mods) {
  return OnMouseLButtonDownOnTheBar(m, x, y, mods);
}

bool CXBCtrlHorizontalValueBar::OnMouseLButtonDoubleClickOnTheDisp(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseLButtonDoubleClick(this, x, y, mods);
  if (m_bEditable) {
    if (m_iFocusIndex != kFocusDisplay) SetFocus(kFocusDisplay);
    EnterEdit(m_text.c_str());
  }
  return true;
}

bool CXBCtrlHorizontalValueBar::OnHfcMouseLButtonUp(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonUp(this, x, y, mods)) return true;
  if (HoldsMouseCapture()) ReleaseMouseCapture();
  return true;
}

bool CXBCtrlHorizontalValueBar::OnHfcMouseRButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseRButtonDown(this, x, y, mods);
  return true;
}

void CXBCtrlHorizontalValueBar::OnHfcMouseLostCapture(CHfcMouse* m) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseLostCapture(this);
  if (m_bEditing) m_pEngine->MouseLostCapture(m);
  m_iDragMode = 0;
  EndEditGesture();
}

// --- Editing and keys --------------------------------------------------------

bool CXBCtrlHorizontalValueBar::EnterEdit(const char* text) {
  if (m_bEditing) return false;
  m_bEditing = true;
  if (text) m_pEngine->SetText(text);
  m_pEngine->SetCursorPosition(m_pEngine->GetLength());
  m_pEngine->SetSelection(0, m_pEngine->GetLength());
  m_pEngine->SetTextColor(0xFF000000u);
  m_bDirty = true;
  return true;
}

void CXBCtrlHorizontalValueBar::LeaveEdit() {
  if (!m_bEditing) return;
  m_bEditing = false;
  SetFocus(-1);
  m_bDirty = true;
}

void CXBCtrlHorizontalValueBar::OnHfcEditTextEngineNeedRedrawn(CHfcEditTextEngine*) { m_bDirty = true; }

void CXBCtrlHorizontalValueBar::OnHfcEditTextEngineReturn(CHfcEditTextEngine*) {
  ReportTypedText(const_cast<char*>(m_pEngine->GetText()));
  LeaveEdit();
}

void CXBCtrlHorizontalValueBar::OnHfcEditTextEngineEsc(CHfcEditTextEngine*) { LeaveEdit(); }

void CXBCtrlHorizontalValueBar::OnKeyLostFocus() { LeaveEdit(); }

bool CXBCtrlHorizontalValueBar::OnKeyDown(int chr, int, int mods) {
  if (HoldsMouseCapture()) return false;
  if (m_bEditing) {
    if (chr < 32 || chr == CHfcEditTextEngine::kKeyDelete) m_pEngine->KeyDown(chr, mods);
    return false;
  }
  int value = GetIntValue();
  switch (chr) {
    case CHfcEditTextEngine::kKeyLeft:
    case CHfcEditTextEngine::kKeyDown: --value; break;
    case CHfcEditTextEngine::kKeyRight:
    case CHfcEditTextEngine::kKeyUp: ++value; break;
    default: return false;
  }
  value = ClipIntValueRange(value);
  if (value != GetIntValue()) Report(value);
  return true;
}

bool CXBCtrlHorizontalValueBar::OnKeyRepeat(int chr, int key, int mods) { return OnKeyDown(chr, key, mods); }

bool CXBCtrlHorizontalValueBar::OnKeyChar(int chr) {
  if (!m_bEditing) return false;
  m_pEngine->Input(chr);
  return true;
}

void CXBCtrlHorizontalValueBar::OnIdle(int elapsed) {
  if (m_bEditing) m_pEngine->Idle(elapsed);
  CHfcControl::OnIdle(elapsed);
}

// --- Drawing ---------------------------------------------------------------

void CXBCtrlHorizontalValueBar::FilledColumns(int value, int* start, int* count) {
  const int64_t lo = GetMinIntValue();
  const int64_t hi = GetMaxIntValue();
  const int64_t o = m_iOrigin;
  const int64_t v = value;
  const int64_t w = m_iBarWidth;
  const int64_t p = hi == lo ? 0 : (o - lo) * w / (hi - lo);
  const bool atOrBelow = lo >= o || hi == lo;
  int64_t first = p;
  int64_t n = 0;
  if (v == o) {
    n = atOrBelow ? 0 : 1;
  } else if (v > o) {
    n = atOrBelow ? CeilDiv((w - p) * (v - o), hi - o) : CeilDiv((w - p - 1) * (v - o), hi - o) + 1;
  } else {
    const int64_t k = o - lo > 0 ? CeilDiv((o - v) * p, o - lo) : 0;
    first = p - k;
    n = k + 1;
  }
  // Whatever the origin, the fill stays on the bar.
  const int64_t from = std::clamp<int64_t>(first, 0, w);
  const int64_t to = std::clamp<int64_t>(first + n, 0, w);
  *start = static_cast<int>(from);
  *count = static_cast<int>(to - from);
}

void CXBCtrlHorizontalValueBar::DrawBar(CHfcDrawContext* dc) {
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  const int barLeft = left + m_iBarX;
  const int barTop = top + m_iBarY + 1;
  // The bar never draws below the control (a bar as tall as its back
  // would).
  const int barHeight = std::min(m_iBarHeight, m_rcFrame.bottom - barTop);
  const bool enabled = m_bEnabled;
  auto copy = [&](int x, int y, int w, int h, CHfcBmp* bmp, int sx, int sy) {
    if (w <= 0 || h <= 0 || !bmp) return;
    if (enabled)
      dc->CopyBmp(x, y, w, h, bmp, sx, sy);
    else
      dc->CopyBmpAlpha(x, y, w, h, bmp, m_fDisabledAlpha, sx, sy);
  };
  copy(left, top, GetWidth(), GetHeight(), m_pBack, 0, 0);
  if (m_bRandomAtMinimum && GetIntValue() == GetMinIntValue()) {
    CHfcBmp* random = ResourceManager::GetInstance()
                          ? ResourceManager::GetInstance()->LoadImage("HorizontalValueBar_RND")
                          : nullptr;
    copy(barLeft, barTop, m_iBarWidth, barHeight, random, 0, 0);
    return;
  }
  int start = 0;
  int count = 0;
  FilledColumns(GetIntValue(), &start, &count);
  copy(barLeft + start, barTop, count, barHeight, m_pBar, start, 0);
}

void CXBCtrlHorizontalValueBar::DrawDisp(CHfcDrawContext* dc) {
  const int x = m_rcFrame.left + m_iDispX;
  const int y = m_rcFrame.top + m_iDispY;
  if (m_bEditing) {
    m_pEngine->Draw(dc, x, y, m_rcFrame.right - x, m_iCellHeight);
    return;
  }
  const std::string shown = m_text.substr(0, kMaxShownChars);
  if (m_iProportional && m_pFontInfo) {
    uint32_t colour = m_uTextColor;
    if (!m_bEnabled) {
      const auto alpha = static_cast<uint32_t>(std::trunc(static_cast<float>(colour >> 24) * m_fDisabledAlpha));
      colour = (colour & 0x00FFFFFFu) | (std::min<uint32_t>(alpha, 255u) << 24);
    }
    // The display's characters, but never over the bar's right edge.
    const int room = std::min(m_iChars * m_iCellWidth, m_rcFrame.right - 1 - x);
    dc->DrawBmpTextInBox(x, y, shown.c_str(), room, m_pFontInfo, colour);
  } else {
    dc->DrawBmpText(x, y, shown.c_str(), static_cast<unsigned long>(m_iChars), m_pFont, m_iCellWidth,
                    m_iCellHeight);
  }
}

void CXBCtrlHorizontalValueBar::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  if (m_pBackground) {
    const int w = m_pBack ? m_pBack->GetWidth() : GetWidth();
    const int h = m_pBack ? m_pBack->GetHeight() : GetHeight();
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, m_pBackground, m_iBackgroundX, m_iBackgroundY);
  }
  DrawBar(dc);
  if (m_pFont && m_bShowDisplay) DrawDisp(dc);
  if (IsFocused()) DrawFocus(dc);
}

void CXBCtrlHorizontalValueBar::DrawFocus(CHfcDrawContext* dc) {
  if (!dc || !m_bCreated || !m_bVisible || m_uFocusColor == 0) return;
  int l, t, r, b;
  if (m_iFocusIndex == kFocusDisplay) {
    l = m_rcFrame.left + m_iDispX - m_iDispMarginLeft;
    t = m_rcFrame.top + m_iDispY - m_iDispMarginTop;
    r = l + m_iChars * m_iCellWidth + m_iDispMarginRight;
    b = t + m_iCellHeight + m_iDispMarginBottom;
  } else if (m_iFocusIndex == kFocusBar) {
    l = m_rcFrame.left + m_iBarX - m_iBarMarginLeft;
    t = m_rcFrame.top + m_iBarY - m_iBarMarginTop;
    r = l + m_iBarWidth + m_iBarMarginRight;
    b = t + m_iBarHeight + m_iBarMarginBottom;
  } else {
    return;
  }
  const int n = m_iCornerLength;
  const uint32_t pen = dc->GetPenColor();
  dc->SetPenWidth(1.0f);
  dc->SetPenColor(m_uFocusColor);
  const int strokes[8][4] = {{l, t, l + n, t}, {l, t, l, t + n}, {r, t, r - n, t}, {r, t, r, t + n},
                             {l, b, l + n, b}, {l, b, l, b - n}, {r, b, r - n, b}, {r, b, r, b - n}};
  for (const auto& s : strokes) {
    dc->MoveTo(s[0], s[1]);
    dc->LineTo(s[2], s[3]);
  }
  dc->SetPenColor(pen);
}
