#include "editor/shell/XEControlContainer.h"

#include <algorithm>

#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"

void XEControlContainer::AddControl(CHfcControl* control) {
  if (std::find(m_controls.begin(), m_controls.end(), control) == m_controls.end())
    m_controls.push_back(control);
}

void XEControlContainer::Show(bool redraw) {
  m_bVisible = true;
  for (CHfcControl* c : m_controls) c->Show(redraw);
}

void XEControlContainer::Hide(bool redraw) {
  m_bVisible = false;
  for (CHfcControl* c : m_controls) c->Hide(redraw);
}

void XEControlContainer::OnRefresh() {
  if (!m_pOwner || !m_bVisible) return;
  CHfcOffscreenContext* dc = m_pOwner->GetOffscreen();
  if (!dc) return;
  if (m_pBackground) {
    dc->CopyBmp(m_iX, m_iY, m_iWidth, m_iHeight, m_pBackground, 0, 0);
  } else if (m_uFillColor != 0) {
    dc->SetBrushColor(m_uFillColor);
    dc->FillRect(m_iX, m_iY, m_iWidth, m_iHeight);
  }
  if (m_bFramed && m_bActive) {
    dc->SetPenColor(kFrameColor);
    dc->FrameRect(m_iX, m_iY, m_iWidth, m_iHeight);
  }
}
