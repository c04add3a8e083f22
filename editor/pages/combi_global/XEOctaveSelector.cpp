#include "editor/pages/combi_global/XEOctaveSelector.h"

#include <algorithm>

#include "editor/pages/combi_global/PageBuild.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControlListener.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcMouse.h"

bool XEOctaveSelector::Create(int x, int y, CHfcBmp* background, int srcX, int srcY, int id) {
  m_pKeyboard = combipage::Skin("Image_Keyboard");
  if (!m_pKeyboard) return false;
  m_pBackground = background;
  m_iSrcX = srcX;
  m_iSrcY = srcY;
  SetMinIntValue(0, false);
  SetMaxIntValue(kLastOctave, false);
  SetIntValue(0, false);
  CHfcControl::Create(x, y, m_pKeyboard->GetWidth() + 4, m_pKeyboard->GetHeight() + 4, id);
  Enable(false);
  return true;
}

int XEOctaveSelector::OctaveAt(int x) {
  return std::clamp(x / kOctaveWidth, GetMinIntValue(), GetMaxIntValue());
}

bool XEOctaveSelector::HoldsCapture() const {
  return CHfcMouse::sm_pInstance &&
         CHfcMouse::sm_pInstance->GetCapture() ==
             static_cast<const CHfcMouseListener*>(static_cast<const CHfcControl*>(this));
}

void XEOctaveSelector::MarkDirty() { SetDirty(true); }

bool XEOctaveSelector::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  SetMouseCapture();
  SetIntValue(OctaveAt(x), true);
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, GetIntValue());
  MarkDirty();
  return true;
}

bool XEOctaveSelector::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsCapture()) return false;
  const int octave = OctaveAt(x);
  if (octave != GetIntValue()) {
    SetIntValue(octave, true);
    if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, octave);
    MarkDirty();
  }
  return true;
}

bool XEOctaveSelector::OnHfcMouseLButtonUp(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonUp(this, x, y, mods)) return true;
  if (HoldsCapture()) ReleaseMouseCapture();
  return true;
}

void XEOctaveSelector::Draw(CHfcDrawContext* dc) {
  if (!dc || !IsVisible()) return;
  const int x = m_rcFrame.left;
  const int y = m_rcFrame.top;
  dc->ClearRect(x, y, GetWidth(), GetHeight());
  if (m_pBackground) dc->CopyBmp(x, y, GetWidth(), GetHeight(), m_pBackground, m_iSrcX, m_iSrcY);
  if (m_pKeyboard)
    dc->CopyBmp(x + 2, y + 2, m_pKeyboard->GetWidth(), m_pKeyboard->GetHeight(), m_pKeyboard, 0, 0);
  const int o = GetIntValue();
  const int w = o == kLastOctave ? 37 : 51;
  dc->SetPenColor(kMarkColor);
  dc->FrameRect(x + kOctaveWidth * o, y, w, 26);
  dc->FrameRect(x + kOctaveWidth * o + 1, y + 1, w, 26);
}
