#include "editor/shell/XELayerBase.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"

int64_t XELayerBase::ControlKey(const CHfcControl* control) {
  return MakeControlKey(control->GetId(), control->GetGroupId());
}

void XELayerBase::EnableControl(CHfcControl* control, bool on) {
  if (!control) return;
  if (on)
    control->Enable(true);
  else
    control->Disable(true);
}

void XELayerBase::ShowControl(CHfcControl* control, bool on) {
  if (!control) return;
  if (on)
    control->Show(true);
  else
    control->Hide(true);
}

bool XELayerBase::AddControl(CHfcControl* control, bool redraw) {
  if (!control) return false;
  CHfcCriticalSectionLock lock(m_registryLock);
  // A pointer listed twice would be removed and deleted twice, whatever
  // its id.
  const auto& controls = GetControls();
  if (std::find(controls.begin(), controls.end(), control) != controls.end()) return false;
  if (control->GetId() != -1) m_registry[ControlKey(control)] = control;
  return CHfcWindowLayer::AddControl(control, redraw);
}

bool XELayerBase::RemoveControl(CHfcControl* control, bool redraw) {
  if (!control) return false;
  CHfcCriticalSectionLock lock(m_registryLock);
  auto it = m_registry.find(ControlKey(control));
  // Only the registered pointer leaves the registry: a control that lost
  // its key to a later one must not take the later one's entry with it.
  if (it != m_registry.end() && it->second == control) m_registry.erase(it);
  return CHfcWindowLayer::RemoveControl(control, redraw);
}

void XELayerBase::RemoveAllControls(bool destroy) {
  while (!GetControls().empty()) {
    CHfcControl* control = GetControls().front();
    RemoveControl(control, false);
    if (destroy) {
      control->Destroy();
      delete control;
    }
  }
}

CHfcControl* XELayerBase::GetControlById(int id, int group) {
  if (id == -1) return nullptr;
  auto it = m_registry.find(MakeControlKey(id, group));
  return it == m_registry.end() ? nullptr : it->second;
}

void XELayerBase::GetControlVec(std::vector<CHfcControl*>& out) const { out = GetControls(); }

void XELayerBase::Idle(unsigned long elapsed) {
  OnIdle(elapsed);
  if (m_bRedraw.exchange(false)) OnRefresh();
}

void XELayerBase::OnRefresh() {
  if (!IsVisible() || !GetOffscreen()) return;
  OnDrawBackground(GetOffscreen());
  OnPostDrawBackground(GetOffscreen());
  UpdateAllControls();
  CopyToWindow(false);
}

void XELayerBase::DrawStandardBackground(CHfcOffscreenContext* dc) {
  if (!dc) return;
  const int w = GetWidth();
  const int h = GetHeight();
  dc->ClearRect(0, 0, w, h);
  if (m_pBackground) {
    dc->CopyBmp(0, 0, w, h, m_pBackground, 0, 0);
  } else {
    dc->SetBrushColor(kFillColor);
    dc->FillRect(0, 0, w, h);
  }
}

void XELayerBase::OnDrawBackground(CHfcOffscreenContext* dc) { DrawStandardBackground(dc); }

void XELayerBase::UpdateAllControls() {
  const std::vector<CHfcControl*> controls = GetControls();
  for (CHfcControl* c : controls) c->Update(true, false);
}

bool XELayerBase::OnHfcMouseLButtonDown(CHfcMouse*, int, int, int) {
  ReleaseFocus(nullptr);
  return true;
}

bool XELayerBase::OnHfcMouseLButtonDoubleClick(CHfcMouse*, int, int, int) {
  ReleaseFocus(nullptr);
  return true;
}
