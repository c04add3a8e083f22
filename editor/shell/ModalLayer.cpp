#include "editor/shell/ModalLayer.h"

#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindow.h"

void ModalLayer::DrawVeil(CHfcOffscreenContext* dc) {
  if (!dc) return;
  dc->ClearRect(0, 0, GetWidth(), GetHeight());
  dc->SetBrushColor(kVeilColor);
  dc->FillRect(0, 0, GetWidth(), GetHeight());
}

void ModalLayer::OnDrawBackground(CHfcOffscreenContext* dc) { DrawVeil(dc); }

bool ModalLayer::IsOnGroup(int x, int y) const {
  for (CHfcControl* c : GetControls()) {
    const tagHfcRect& r = c->GetFrame();
    if (r.left <= x && x < r.right && r.top <= y && y < r.bottom) return true;
  }
  CHfcWindow* window = GetParentWindow();
  const int index = GetIndex();
  if (!window || index < 0) return false;
  const int wx = GetRect().left + x;
  const int wy = GetRect().top + y;
  for (int i = index + 1; i < window->GetLayerCount(); ++i) {
    CHfcWindowLayer* above = window->GetLayerByIndex(i);
    if (!above || !above->IsVisible()) continue;
    const tagHfcRect& r = above->GetRect();
    if (r.left <= wx && wx < r.right && r.top <= wy && wy < r.bottom) return true;
  }
  return false;
}

bool ModalLayer::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int) {
  // A press on the group that nothing on it took (a label, a disabled
  // control, the page's background) is no press beside it.
  if (IsOnGroup(x, y)) return true;
  const std::vector<CHfcControl*> controls = GetControls();
  for (CHfcControl* c : controls) c->Hide(true);
  m_bDone = true;
  return true;
}
