#include "editor/controls/XEKnob.h"

#include <algorithm>
#include <cstring>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcOffscreenContext.h"
#include "platform/HfcMemory.h"

bool XEKnob::Create(const tagZublKnobParam* p, int id, int flags) {
  if (!p) return false;
  if (!Setup(p->x, p->y, p->width, p->height, p->minimum, p->maximum, p->centre, p->pixelsPerStep,
             p->ringX, p->ringY, p->ringRadius, p->startAngle, p->endAngle, p->gap, p->maskColor,
             p->secondColor, p->modColor, p->modMarkerColor, p->meter, p->meterX, p->meterY,
             p->glyphWidth, p->glyphHeight, p->font, p->textX, p->textY, p->textLength, nullptr,
             id, flags))
    return false;
  m_iPanelX = p->panelX;
  m_iPanelY = p->panelY;
  m_pPanel = p->panel;
  m_pFace = p->face;
  m_pMinimumMeter = nullptr;
  m_bMinimumMeter = false;
  m_bExtended = false;
  return true;
}

bool XEKnob::CreateEx(const tagZublKnobParamEx* p, int id, int flags) {
  if (!p) return false;
  if (!Setup(p->x, p->y, p->width, p->height, p->minimum, p->maximum, p->centre, m_iPixelsPerStep,
             p->ringX, p->ringY, p->ringRadius, p->startAngle, p->endAngle, p->gap, p->maskColor,
             p->secondColor, p->modColor, p->modMarkerColor, p->meter, p->meterX, p->meterY,
             p->glyphWidth, p->glyphHeight, p->font, p->textX, p->textY, p->textLength, nullptr,
             id, flags))
    return false;
  m_iPanelX = p->panelX;
  m_iPanelY = p->panelY;
  m_pPanel = p->panel;
  m_pFace = p->face;
  m_pMinimumMeter = p->minimumMeter;
  m_bMinimumMeter = p->minimumMeterFlag != 0;
  m_fCoarseStep = p->coarseStep;
  m_fFineStep = p->fineStep;
  m_iKeyStep = p->keyStep;
  m_uTextColor = p->textColor;
  SetEngineFont(p->proportional != 0 && p->fontInfo, p->fontInfo, 1);
  m_bExtended = true;
  return true;
}

void XEKnob::SetDispInfo(int textX, int textY, int textLength) {
  m_iTextX = textX;
  m_iTextY = textY;
  m_iTextLength = textLength < 0 ? 0 : textLength;
  HfcMemFree(m_pValueText);
  m_pValueText = static_cast<char*>(HfcMemAllocClear(static_cast<size_t>(m_iTextLength) + 1));
}

void XEKnob::SetFontInfo(bool proportional, tagHfcBmpFontInfo* info, CHfcBmp* bitmap) {
  if (proportional == m_bProportional && info == m_pFontInfo && bitmap && m_pFont) return;
  m_bProportional = proportional;
  m_pFontInfo = info;
  m_pFont = bitmap;
  m_iGlyphWidth = bitmap ? bitmap->GetWidth() : 0;
  m_iGlyphHeight = bitmap ? bitmap->GetHeight() / 128 : 0;
  m_pEngine->SetDrawParameters(bitmap, 0x2B0000FFu, 0xFF000000u, m_iGlyphWidth, m_iGlyphHeight, 0);
  SetEngineFont(proportional && info, info, 1);
}

void XEKnob::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  dc->ClearRect(left, top, GetWidth(), GetHeight());
  if (m_pPanel) dc->CopyBmp(left, top, GetWidth(), GetHeight(), m_pPanel, m_iPanelX, m_iPanelY);
  if (m_pFace) {
    if (m_bEnabled)
      dc->CopyBmp(left + m_iMeterX, top + m_iMeterY, GetWidth(), GetHeight(), m_pFace, 0, 0);
    else
      dc->CopyBmpAlpha(left + m_iMeterX, top + m_iMeterY, GetWidth(), GetHeight(), m_pFace,
                       m_fDisabledAlpha, 0, 0);
  }
  DrawValue(dc);
  if (m_pFont && m_iTextLength > 0) DrawString(dc);
  if (IsFocused()) DrawFocus(dc);
}

void XEKnob::DrawValue(CHfcDrawContext* dc) {
  const bool atMinimum = m_bMinimumMeter && GetIntValue() == GetMinIntValue();
  CHfcBmp* meter = atMinimum && m_pMinimumMeter ? m_pMinimumMeter : m_pMeter;
  if (!meter) return;
  CHfcOffscreenContext* ring = MeterPicture(m_iMeterWidth, m_iMeterHeight);
  if (!ring) return;
  ring->CopyBmp(0, 0, m_iMeterWidth, m_iMeterHeight, meter, 0, 0);
  if (GetMaxIntValue() != GetMinIntValue() && !atMinimum) {
    float a = 0.0f;
    float b = 0.0f;
    LitSector(GetIntValue(), true, &a, &b);
    CutSectors(ring, m_fRingX + 0.5f, m_fRingY + 0.5f, a, b, true);
  }
  if (m_bEnabled)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), ring->GetBmp(), 0, 0);
  else
    dc->CopyBmpAlpha(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), ring->GetBmp(),
                     m_fDisabledAlpha, 0, 0);
}

void XEKnob::DrawString(CHfcDrawContext* dc) {
  const int left = m_rcFrame.left;
  const int y = m_rcFrame.top + m_iTextY - 1;
  if (m_bEditing) {
    m_pEngine->SetTextColor(0xFF000000u);
    m_pEngine->Draw(dc, left + EngineOriginX(), y, GetWidth() - 10, m_iGlyphHeight);
    return;
  }
  if (!m_pValueText) return;
  if (m_bProportional && m_pFontInfo) {
    // The text stands on the cap, inside the ring.
    const int capLeft = left + kCapInset;
    const int capRight = left + GetWidth() - kCapInset;
    const int tw = HfcGetBmpTextWidth(m_pFontInfo, m_pValueText);
    const int x = std::max(capLeft, left + (GetWidth() - tw) / 2 + 1);
    const uint32_t colour = m_bEnabled ? m_uTextColor : 0xFF808080u;
    dc->DrawBmpTextInBox(x, y, m_pValueText, capRight - x, m_pFontInfo, colour);
  } else {
    const int chars = static_cast<int>(std::strlen(m_pValueText));
    const int x = left + (GetWidth() - chars * m_iGlyphWidth) / 2 + 1;
    dc->DrawBmpText(x, y, m_pValueText, static_cast<unsigned long>(chars), m_pFont, m_iGlyphWidth,
                    m_iGlyphHeight);
  }
}
