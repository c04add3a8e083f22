#include "host/EditorWindow.h"

#include <cstdlib>

#include "os/window/X11Window.h"
#include "platform/NRXException.h"

namespace {
EditorWindow::WindowMaker& Maker() {
  static EditorWindow::WindowMaker maker;
  return maker;
}
}  // namespace

void EditorWindow::SetWindowMaker(WindowMaker maker) { Maker() = std::move(maker); }

EditorWindow::~EditorWindow() {
  CloseView();
  if (window_) window_->SetSink(nullptr);
}

bool EditorWindow::createEditWindow(const std::string& title) {
  if (Maker())
    window_ = Maker()(400, 300, title);
  else
    window_ = os::X11Window::CreateTopLevel(nullptr, 0, 0, 400, 300, title);
  if (!window_) return false;
  window_->SetTitle(title);
  window_->SetSink(this);
  return true;
}

void EditorWindow::setEditUnit(AudioComponent* unit) {
  unit_ = unit;
  if (editing_) editSynth();
}

void EditorWindow::CloseView() {
  if (viewOpen_ && unit_) unit_->CloseView();
  viewOpen_ = false;
}

void EditorWindow::editSynth() {
  if (!window_) throw NRXNullException("carbonWindow", nullptr);
  if (!unit_) throw NRXNullException("editUnit", nullptr);
  CloseView();
  int width = 0, height = 0;
  const int32_t status = unit_->OpenView(window_->NativeId(), &width, &height);
  if (status != 0) throw NRXMacOSException(status, "AudioUnitCarbonViewCreate");
  viewOpen_ = true;
  if (width > 0 && height > 0) window_->Resize(width, height);
  window_->Show();
  editing_ = true;
}

void EditorWindow::setEditWindowLock(bool locked) {
  locked_ = locked;
  editSynth();
}

void EditorWindow::Idle() {
  if (viewOpen_ && unit_) unit_->IdleView();
}

void EditorWindow::OnWindowClose() {
  if (!window_) return;
  if (onClose_)
    onClose_();
  else
    std::exit(0);
}

void EditorWindow::OnWindowBoundsChanging(os::WindowRect* bounds, bool, bool moved) {
  // A locked window stays where it is.
  if (locked_ && moved && window_) {
    const os::WindowPoint o = window_->ScreenOrigin();
    const int w = bounds->right - bounds->left, h = bounds->bottom - bounds->top;
    bounds->left = o.x;
    bounds->top = o.y;
    bounds->right = o.x + w;
    bounds->bottom = o.y + h;
  }
}
