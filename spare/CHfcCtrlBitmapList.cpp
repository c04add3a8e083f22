#include "spare/CHfcCtrlBitmapList.h"

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

bool CHfcCtrlBitmapList::Create(const tagHfcCtrlBitmapListParam* p, int id, int flags) {
  if (!p || p->itemCount < 1) return false;
  tagHfcCtrlBitmapListParam param = *p;
  if ((param.width == 0 || param.height == 0) && !p->items) return false;
  if (param.width == 0) param.width = p->items->GetWidth();
  if (param.height == 0) param.height = p->items->GetHeight() / p->itemCount;
  if (!CHfcControl::Create(param.x, param.y, param.width, param.height, id)) return false;
  (void)flags;
  m_param = param;
  m_iMin = 0;
  m_iMax = param.itemCount - 1;
  m_iValue = 0;
  Enable(false);
  return true;
}

void CHfcCtrlBitmapList::Destroy() {
  m_param = tagHfcCtrlBitmapListParam{};
  CHfcControl::Destroy();
}

void CHfcCtrlBitmapList::SetIntValue(int v, bool redraw) {
  v = ClipIntValueRange(v);
  if (v == m_iValue) return;
  m_iValue = v;
  if (redraw) m_bDirty = true;
}

void CHfcCtrlBitmapList::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int l = m_rcFrame.left, t = m_rcFrame.top, w = GetWidth(), h = GetHeight();
  if (m_param.background) dc->CopyBmp(l, t, w, h, m_param.background, m_param.backgroundX, m_param.backgroundY);
  if (m_param.items) dc->CopyBmp(l, t, w, h, m_param.items, 0, m_iValue * h);
}
