#include "editor/controls/CMMPCtrlScrollBar.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

CMMPCtrlScrollBar::~CMMPCtrlScrollBar() {
  if (IsCreated()) CMMPCtrlScrollBar::Destroy();
}

bool CMMPCtrlScrollBar::Create(const tagMMPCtrlScrollBarParam* p, int id, int flags) {
  if (!p) return false;
  m_iBackX = p->backX;
  m_iBackY = p->backY;
  m_pBack = p->back;
  m_pSwitches = p->switches;
  m_bVertical = p->vertical != 0;
  m_uThumbColor = p->thumbColor;
  m_uUnusedColor = p->unusedColor;
  m_uTrackColor = p->trackColor;
  m_iPageSize = std::max(p->pageSize, 1);
  m_iMarginLeft = p->marginLeft;
  m_iMarginTop = p->marginTop;
  m_iMarginRight = p->marginRight;
  m_iMarginBottom = p->marginBottom;
  m_iSwitchLength = 0;
  if (m_pSwitches)
    m_iSwitchLength = m_bVertical ? m_pSwitches->GetHeight() / 4 : m_pSwitches->GetWidth();
  m_iMin = p->min;
  m_iMax = p->max;
  m_iValue = p->min;
  if (!CHfcControl::Create(p->x, p->y, p->width, p->height, id)) return false;
  m_iGroupId = flags;
  m_bEnabled = true;
  SetDirty(true);
  RecalcStatus(true);
  return true;
}

void CMMPCtrlScrollBar::Destroy() {
  m_iPressMode = kNone;
  m_bEnabled = false;
  SetDirty(false);
  CHfcControl::Destroy();
}

void CMMPCtrlScrollBar::RecalcStatus(bool redraw) {
  const int count = m_iMax - m_iMin + 1;
  int track;
  int thickness;
  if (m_bVertical) {
    track = GetHeight() - m_iMarginTop - m_iMarginBottom - 2 * m_iSwitchLength;
    thickness = GetWidth() - m_iMarginLeft - m_iMarginRight;
  } else {
    track = GetWidth() - m_iMarginLeft - m_iMarginRight - 2 * m_iSwitchLength;
    thickness = GetHeight() - m_iMarginTop - m_iMarginBottom;
  }
  int thumb = track;
  const int span = m_iMax - m_iMin + m_iPageSize;
  if (count != 0 && span > 0) thumb = static_cast<int>(int64_t{m_iPageSize} * track / span);
  thumb = std::min(std::max(thumb, kMinThumb), track);
  const int travel = track - thumb;
  const bool changed = count != m_iValueCount || track != m_iTrackLength ||
                       thumb != m_iThumbLength || travel != m_iTravel;
  m_iValueCount = count;
  m_iTrackLength = track;
  m_iThumbLength = thumb;
  m_iThickness = thickness;
  m_iTravel = travel;
  if (changed && redraw) SetDirty(true);
}

bool CMMPCtrlScrollBar::IsScrollable() const { return m_iValueCount >= 2 && m_iTravel > 0; }

int CMMPCtrlScrollBar::ValueToPosition(int v) const {
  if (m_iValueCount < 2) return 0;
  v = std::clamp(v, m_iMin, m_iMax);
  return static_cast<int>(int64_t{v - m_iMin} * m_iTravel / (m_iValueCount - 1)) + AxisStart() +
         m_iSwitchLength;
}

int CMMPCtrlScrollBar::PositionToValue(int p) const {
  if (m_iTravel < 1) return 0;
  const int d = std::clamp(p - m_iSwitchLength - AxisStart(), 0, m_iTravel);
  return m_iMin + static_cast<int>(int64_t{m_iValueCount - 1} * d / m_iTravel);
}

int CMMPCtrlScrollBar::GetMouseDownArea(int p) const {
  const int length = m_bVertical ? GetHeight() : GetWidth();
  if (p >= 0 && p < m_iSwitchLength) return kDecrement;
  if (p >= length - m_iSwitchLength && p < length) return kIncrement;
  const int thumb = ValueToPosition(m_iValue);
  if (p < thumb) return kPageBefore;
  if (p < thumb + m_iThumbLength) return kThumb;
  return kPageAfter;
}

bool CMMPCtrlScrollBar::ChangeValue(int v) {
  v = std::clamp(v, m_iMin, m_iMax);
  if (v == m_iValue) return false;
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, v);
  return true;
}

void CMMPCtrlScrollBar::SetIntValue(int v, bool redraw) {
  v = std::clamp(v, m_iMin, m_iMax);
  if (v == m_iValue) return;
  m_iValue = v;
  if (redraw) SetDirty(true);
}

void CMMPCtrlScrollBar::SetMinIntValue(int v, bool redraw) {
  m_iMin = v;
  RecalcStatus(redraw);
}

void CMMPCtrlScrollBar::SetMaxIntValue(int v, bool redraw) {
  m_iMax = v;
  RecalcStatus(redraw);
}

void CMMPCtrlScrollBar::SetPageSize(int size, bool redraw) {
  size = std::max(size, 1);
  if (size == m_iPageSize) return;
  m_iPageSize = size;
  RecalcStatus(redraw);
}

bool CMMPCtrlScrollBar::Press(int x, int y) {
  SetMouseCapture();
  if (!IsEnabled() || !IsScrollable()) {
    m_iPressMode = kNone;
    return true;
  }
  const int p = Along(x, y);
  switch (GetMouseDownArea(p)) {
    case kThumb:
      m_iPressMode = kThumb;
      m_iRepeatTimer = 0;
      m_iLastPosition = p;
      m_iThumbPosition = ValueToPosition(m_iValue);
      break;
    case kIncrement:
      m_iPressMode = kIncrement;
      m_iRepeatTimer = kFirstRepeatMs;
      SetDirty(true);
      ChangeValue(m_iValue + 1);
      break;
    case kDecrement:
      m_iPressMode = kDecrement;
      m_iRepeatTimer = kFirstRepeatMs;
      SetDirty(true);
      ChangeValue(m_iValue - 1);
      break;
    case kPageBefore:
      m_iPressMode = kPageBefore;
      m_iRepeatTimer = kFirstRepeatMs;
      ChangeValue(m_iValue - m_iPageSize);
      m_iLastPosition = p;
      break;
    default:
      m_iPressMode = kPageAfter;
      m_iRepeatTimer = kFirstRepeatMs;
      ChangeValue(m_iValue + m_iPageSize);
      m_iLastPosition = p;
      break;
  }
  return true;
}

bool CMMPCtrlScrollBar::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  return Press(x, y);
}

bool CMMPCtrlScrollBar::OnHfcMouseLButtonDoubleClick(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDoubleClick(this, x, y, mods)) return true;
  return Press(x, y);
}

bool CMMPCtrlScrollBar::OnHfcMouseLButtonUp(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonUp(this, x, y, mods)) return true;
  // Releasing the capture ends the press through OnHfcMouseLostCapture.
  ReleaseMouseCapture();
  return true;
}

bool CMMPCtrlScrollBar::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  const int p = Along(x, y);
  switch (m_iPressMode) {
    case kThumb:
      m_iThumbPosition += p - m_iLastPosition;
      ChangeValue(PositionToValue(m_iThumbPosition));
      m_iLastPosition = p;
      return true;
    case kPageBefore:
    case kPageAfter:
      m_iLastPosition = p;
      return true;
    default:
      return false;
  }
}

void CMMPCtrlScrollBar::OnHfcMouseLostCapture(CHfcMouse*) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseLostCapture(this);
  m_iPressMode = kNone;
  SetDirty(true);
}

void CMMPCtrlScrollBar::OnIdle(int elapsed) {
  if (m_iPressMode != kNone && m_iRepeatTimer > 0) {
    m_iRepeatTimer -= elapsed;
    if (m_iRepeatTimer <= 0) {
      m_iRepeatTimer = m_iRepeatTimer > -kRepeatMs ? kRepeatMs + m_iRepeatTimer : kRepeatMs;
      switch (m_iPressMode) {
        case kIncrement:
          ChangeValue(m_iValue + 1);
          break;
        case kDecrement:
          ChangeValue(m_iValue - 1);
          break;
        case kPageBefore:
          if (GetMouseDownArea(m_iLastPosition) == kPageBefore) ChangeValue(m_iValue - m_iPageSize);
          break;
        case kPageAfter:
          if (GetMouseDownArea(m_iLastPosition) == kPageAfter) ChangeValue(m_iValue + m_iPageSize);
          break;
        default:
          break;
      }
    }
  }
  CHfcControl::OnIdle(elapsed);
}

void CMMPCtrlScrollBar::Draw(CHfcDrawContext* dc) {
  if (!dc || !IsVisible()) return;
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  const int w = GetWidth();
  const int h = GetHeight();
  dc->ClearRect(left, top, w, h);
  if (m_pBack) dc->CopyBmp(left, top, w, h, m_pBack, m_iBackX, m_iBackY);
  const bool scrollable = IsScrollable();
  uint32_t thumb = m_uThumbColor;
  if (!IsEnabled() || !scrollable) thumb = (((thumb >> 24) / 2) << 24) | (thumb & 0x00FFFFFFu);
  const int frameW = m_pSwitches ? m_pSwitches->GetWidth() : 0;
  const int frameH = m_pSwitches ? m_pSwitches->GetHeight() / 4 : 0;
  const int position = scrollable ? ValueToPosition(m_iValue) : m_iSwitchLength + AxisStart();
  if (m_bVertical) {
    if (m_uTrackColor >> 24) {
      dc->SetBrushColor(m_uTrackColor);
      dc->FillRect(left + m_iMarginLeft, top + frameH, w - m_iMarginLeft - m_iMarginRight,
                   h - 2 * frameH);
    }
    dc->SetBrushColor(thumb);
    dc->FillRect(left + m_iMarginLeft, top + position, m_iThickness, m_iThumbLength);
  } else {
    if (m_uTrackColor >> 24) {
      dc->SetBrushColor(m_uTrackColor);
      dc->FillRect(left + frameW, top + m_iMarginTop, w - 2 * frameW,
                   h - m_iMarginTop - m_iMarginBottom);
    }
    dc->SetBrushColor(thumb);
    dc->FillRect(left + position, top + m_iMarginTop, m_iThumbLength, m_iThickness);
  }
  if (m_pSwitches) {
    const float alpha = IsEnabled() && scrollable ? 1.0f : 0.5f;
    const int decFrame = m_iPressMode == kDecrement ? 1 : 0;
    const int incFrame = m_iPressMode == kIncrement ? 3 : 2;
    dc->CopyBmpAlpha(left, top, frameW, frameH, m_pSwitches, alpha, 0, decFrame * frameH);
    const int incX = m_bVertical ? left : m_rcFrame.right - frameW;
    const int incY = m_bVertical ? m_rcFrame.bottom - frameH : top;
    dc->CopyBmpAlpha(incX, incY, frameW, frameH, m_pSwitches, alpha, 0, incFrame * frameH);
  }
  if (IsFocused()) DrawFocus(dc);
}
