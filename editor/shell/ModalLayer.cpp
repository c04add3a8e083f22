#include "editor/shell/ModalLayer.h"

#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"

void ModalLayer::DrawVeil(CHfcOffscreenContext* dc) {
  if (!dc) return;
  dc->ClearRect(0, 0, GetWidth(), GetHeight());
  dc->SetBrushColor(kVeilColor);
  dc->FillRect(0, 0, GetWidth(), GetHeight());
}

void ModalLayer::OnDrawBackground(CHfcOffscreenContext* dc) { DrawVeil(dc); }

bool ModalLayer::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int) {
  const std::vector<CHfcControl*> controls = GetControls();
  for (CHfcControl* c : controls) {
    const tagHfcRect& r = c->GetFrame();
    if (r.left <= x && x < r.right && r.top <= y && y < r.bottom) return false;
  }
  for (CHfcControl* c : controls) c->Hide(true);
  m_bDone = true;
  return true;
}
