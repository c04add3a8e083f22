#include "editor/controls/XEStaticBmp.h"

#include "hfc/CHfcDrawContext.h"

bool XEStaticBmp::Create(SXEStaticBmp* p, int id, int flags) {
  if (!p) return false;
  m_pBmp = p->bmp;
  m_iWidth = p->width;
  m_iHeight = p->height;
  m_iSrcX = p->srcX;
  m_iSrcY = p->srcY;
  if (!CHfcControl::Create(p->x, p->y, p->width, p->height, id)) return false;
  m_iGroupId = flags;
  m_bEnabled = true;
  SetDirty(true);
  return true;
}

void XEStaticBmp::Draw(CHfcDrawContext* dc) {
  if (!dc || !IsVisible()) return;
  if (m_pBmp) dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), m_pBmp, m_iSrcX, m_iSrcY);
  if (!IsEnabled()) {
    dc->SetBrushColor(kDimColor);
    dc->FillRect(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight());
  }
}

void XEStaticBmp::Erase(CHfcDrawContext* dc) {
  if (dc && m_pBmp) dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, m_iWidth, m_iHeight, m_pBmp, m_iSrcX, m_iSrcY);
}
