#include "hfc/CHfcVstEditor.h"

#include <algorithm>

#include "hfc/CHfcControl.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "os/Clock.h"
#include "os/window/HeadlessWindow.h"
#include "os/window/X11Window.h"

namespace {
// The idle timer: first after 1/6 s, then every 1/60 s, counted in
// microseconds from the start so that sixty ticks take one second exactly.
uint64_t IdleDeadlineUs(uint64_t startUs, uint64_t tick) {
  return startUs + (10 + tick) * 1000000ull / 60;
}
}  // namespace

CHfcVstEditor::DispatchScope::DispatchScope(CHfcVstEditor* editor) : m_pEditor(editor) {
  if (m_pEditor->m_iDispatchDepth++ == 0) {
    os::MainLoop* loop = os::MainLoop::Current();
    m_pEditor->m_iModalDepthAtEntry = loop ? loop->ModalDepth() : 0;
  }
}

CHfcVstEditor::DispatchScope::~DispatchScope() {
  if (--m_pEditor->m_iDispatchDepth > 0 || !m_pEditor->HasPendingHostCall()) return;
  // The platform window that called in may still be on the stack below:
  // what waited runs from the loop, once everything has returned.
  CHfcVstEditor* editor = m_pEditor;
  if (os::MainLoop* loop = os::MainLoop::Current())
    loop->Post([editor] { editor->RunPendingHostCalls(); }, editor);
}

CHfcVstEditor::CHfcVstEditor(IHfcVstEditorHost* effect) : m_pEffect(effect) {}

CHfcVstEditor::~CHfcVstEditor() {
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->RemovePosted(this);
  m_bOpenPending = false;
  m_bClosePending = false;
  if (m_pSystemWindow) close();
  StopIdleTimer();
}

void CHfcVstEditor::DeferClose() {
  m_bOpenPending = false;
  m_pPendingWindow = nullptr;
  if (!m_pSystemWindow || m_bClosePending) return;
  m_bClosePending = true;
  StopIdleTimer();
  if (os::Window* platform = GetPlatformWindow()) platform->Hide();
  // Menus, alerts and dialogs the editor's code has open end as cancelled,
  // so that code returns; a progress window waits for its work to finish.
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->EndModalsFrom(m_iModalDepthAtEntry);
}

void CHfcVstEditor::DeferOpen(void* window) {
  // A new window replaces an open one.
  DeferClose();
  m_bOpenPending = true;
  m_pPendingWindow = window;
}

void CHfcVstEditor::RunPendingHostCalls() {
  if (IsDispatching()) return;
  const bool closeIt = m_bClosePending;
  const bool openIt = m_bOpenPending;
  void* window = m_pPendingWindow;
  m_bClosePending = m_bOpenPending = false;
  m_pPendingWindow = nullptr;
  // Through the product's own open and close, as the host's calls go.
  if (closeIt) close();
  if (openIt) open(window);
}

bool CHfcVstEditor::getRect(tagHfcERect** rect) {
  m_rcHost.top = static_cast<int16_t>(m_rcEditor.top);
  m_rcHost.left = static_cast<int16_t>(m_rcEditor.left);
  m_rcHost.bottom = static_cast<int16_t>(m_rcEditor.bottom);
  m_rcHost.right = static_cast<int16_t>(m_rcEditor.right);
  if (rect) *rect = &m_rcHost;
  return true;
}

bool CHfcVstEditor::open(void* window) {
  if (IsDispatching()) {
    DeferOpen(window);
    return true;
  }
  RunPendingHostCalls();
  CHfcMouse::Initialize(false);
  CHfcKey::Initialize();
  tagHfcERect* host = nullptr;
  getRect(&host);
  const int width = host->right - host->left;
  const int height = host->bottom - host->top;
  if (window) {
    m_window = os::X11Window::CreateChild(nullptr, reinterpret_cast<uintptr_t>(window), host->left,
                                          host->top, width, height);
  } else {
    m_window = os::HeadlessWindow::Create(width, height);
  }
  // A window without a display has no system window of its own: the
  // editor's platform window stands for it.
  m_pSystemWindow = window ? window : m_window.get();
  if (!m_pSystemWindow) m_pSystemWindow = this;
  SetPlatformWindow(m_window.get());
  SetViewMode(!m_bNoView);
  if (m_window) m_window->Show();

  if (OnCreate()) {
    m_bOpen = true;
    if (CHfcMouse::sm_pInstance) CHfcMouse::sm_pInstance->MacAddEventListener(this);
  }
  if (m_bUseIdleTimer && m_window && m_idleTimer == 0) StartIdleTimer();
  return true;
}

void CHfcVstEditor::close() {
  if (IsDispatching()) {
    DeferClose();
    return;
  }
  RunPendingHostCalls();
  if (!m_pSystemWindow) return;
  m_bOpen = false;
  if (CHfcMouse::sm_pInstance) CHfcMouse::sm_pInstance->MacRemoveEventListener(this);
  StopIdleTimer();
  ReleaseFocus(nullptr);
  OnDestroy();
  m_bTracking = false;
  CHfcKey::Uninitialize();
  CHfcMouse::Uninitialize();
  SetPlatformWindow(nullptr);
  m_window.reset();
  m_pSystemWindow = nullptr;
}

void CHfcVstEditor::idle() {
  // With the timer running, the timer does the idle work.
  if (m_idleTimer != 0 || m_bClosePending) return;
  // Drawing straight into the window, a press in progress holds it.
  if (!IsViewMode() && m_bInMouse) return;
  DispatchScope scope(this);
  OnIdle();
}

void CHfcVstEditor::StartIdleTimer() {
  m_idleStartUs = os::NowUs();
  m_idleTicks = 0;
  ScheduleIdleTick();
}

void CHfcVstEditor::ScheduleIdleTick() {
  os::MainLoop* loop = os::MainLoop::Current();
  if (!loop) return;
  const uint64_t deadline = IdleDeadlineUs(m_idleStartUs, m_idleTicks);
  const uint64_t now = os::NowUs();
  const uint64_t delayMs = deadline > now ? (deadline - now + 999) / 1000 : 0;
  m_idleTimer = loop->AddTimer(delayMs, 0, [this] { OnIdleTimer(); });
}

void CHfcVstEditor::OnIdleTimer() {
  m_idleTimer = 0;
  ++m_idleTicks;
  // The next tick is booked first, so that an OnIdle that closes the
  // editor also stops the timer.
  ScheduleIdleTick();
  os::Window* platform = GetPlatformWindow();
  if (IsViewMode() && (!platform || !platform->IsVisible())) return;
  DispatchScope scope(this);
  OnIdle();
}

void CHfcVstEditor::StopIdleTimer() {
  if (m_idleTimer == 0) return;
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->RemoveTimer(m_idleTimer);
  m_idleTimer = 0;
}

void CHfcVstEditor::draw(tagHfcERect*) {
  if (!GetPlatformWindow()) return;
  DispatchScope scope(this);
  tagHfcRect r = m_rcEditor;
  Update(&r);
}

void CHfcVstEditor::update() {
  if (GetPlatformWindow()) Update(nullptr);
}

bool CHfcVstEditor::mouse(int x, int y) {
  DispatchScope scope(this);
  m_bOnTop = true;
  m_bInMouse = true;
  // The press itself has come through the window; what is left is the
  // release of a capture that no release reached.
  if (CHfcMouse::sm_pInstance && !m_bTracking) CHfcMouse::sm_pInstance->ReleaseCapture();
  m_bInMouse = false;
  m_iLastMouseX = x;
  m_iLastMouseY = y;
  return true;
}

void CHfcVstEditor::sleep() {
  m_bOnTop = false;
  if (CHfcMouse::sm_pInstance) CHfcMouse::sm_pInstance->ReleaseCapture();
  if (CHfcKey::sm_pInstance) CHfcKey::sm_pInstance->ReleaseFocus();
}

int CHfcVstEditor::setKnobMode(int mode) {
  CHfcControl::sm_iGlobalKnobMode = mode;
  return 0;
}

void CHfcVstEditor::Update(tagHfcRect* rect) {
  if (!GetPlatformWindow()) return;
  if (IsViewMode()) {
    CHfcWindow::Update(rect);
    return;
  }
  tagHfcRect r = rect ? *rect : m_rcEditor;
  r.left = std::max(r.left, m_rcEditor.left);
  r.top = std::max(r.top, m_rcEditor.top);
  r.right = std::min(r.right, m_rcEditor.right);
  r.bottom = std::min(r.bottom, m_rcEditor.bottom);
  if (rect) *rect = r;
  DrawNow(r);
}

bool CHfcVstEditor::GetClientRect(tagHfcRect* rect) {
  if (rect) *rect = m_rcEditor;
  return true;
}

bool CHfcVstEditor::Resize(int width, int height, bool) {
  os::Window* platform = GetPlatformWindow();
  if (!platform) return false;
  const int oldWidth = m_rcEditor.right - m_rcEditor.left;
  const int oldHeight = m_rcEditor.bottom - m_rcEditor.top;
  m_rcEditor.right = m_rcEditor.left + width;
  m_rcEditor.bottom = m_rcEditor.top + height;
  if (platform->Resize(platform->Width() + width - oldWidth, platform->Height() + height - oldHeight))
    CHfcWindow::Update(nullptr);
  return false;
}

bool CHfcVstEditor::IsWindowActive() {
  os::Window* platform = GetPlatformWindow();
  return platform && platform->HasFocus();
}

bool CHfcVstEditor::IsMouseOnWindow() {
  CHfcMouse* hub = CHfcMouse::sm_pInstance;
  if (!hub || hub->m_pOwnerWindow != static_cast<CHfcMouseListener*>(this)) return false;
  tagHfcRect client{0, 0, 0, 0};
  GetClientRect(&client);
  const tagHfcPoint& p = hub->m_ptWindow;
  return client.left <= p.x && p.x < client.right && client.top <= p.y && p.y < client.bottom;
}

void CHfcVstEditor::RecordView(CHfcMouse* hub, const os::MouseEvent& e) {
  if (!hub) return;
  hub->m_pOwnerWindow = this;
  hub->m_ptGlobal = {e.globalX, e.globalY};
  hub->m_ptWindow = {e.x, e.y};
  hub->m_iModifiers = e.mods;
}

bool CHfcVstEditor::OnHfcMouseMacMouseMove(CHfcMouse* hub, const os::MouseEvent* e) {
  // Only the event this editor's own window is dispatching.
  if (!e || e != m_pDispatching) return false;
  RecordView(hub, *e);
  OnHfcMouseMoveGlobal(hub, e->globalX, e->globalY, e->mods);
  return false;
}

bool CHfcVstEditor::OnHfcMouseMacMouseWheelMove(CHfcMouse* hub, const os::MouseEvent* e) {
  if (!e || e != m_pDispatching) return false;
  RecordView(hub, *e);
  OnHfcMouseWheelMovedGlobal(hub, e->globalX, e->globalY, e->wheelAxis, e->wheelDelta, e->mods);
  return false;
}

void CHfcVstEditor::OnWindowEvent(const std::function<void()>& deliver) {
  DispatchScope scope(this);
  deliver();
}

void CHfcVstEditor::OnWindowMouse(const os::MouseEvent& e) {
  CHfcMouse* hub = CHfcMouse::sm_pInstance;
  using Kind = os::MouseEvent::Kind;
  const int gx = e.globalX;
  const int gy = e.globalY;
  switch (e.kind) {
    case Kind::kDown:
      RecordView(hub, e);
      if (e.button == os::MouseButton::kNone) return;
      if (e.clickCount < 2 && e.button == os::MouseButton::kLeft) {
        // A control-click is the right button of a one-button mouse.
        if (e.mods & 8)
          OnHfcMouseRButtonDownGlobal(hub);
        else
          OnHfcMouseLButtonDownGlobal(hub);
      } else {
        CHfcMouse::SendPressGlobal(this, hub, e, e.clickCount >= 2);
      }
      m_bTracking = true;
      return;
    case Kind::kDrag:
      if (m_bTracking) {
        RecordView(hub, e);
        MouseTarget()->OnHfcMouseMoveGlobal(hub, gx, gy, e.mods);
        return;
      }
      break;
    case Kind::kUp:
      // Tracking ends every press with a left-button release.
      if (m_bTracking) {
        m_bTracking = false;
        RecordView(hub, e);
        MouseTarget()->OnHfcMouseLButtonUpGlobal(hub, gx, gy, e.mods);
      }
      return;
    case Kind::kMove:
    case Kind::kWheel: break;
  }
  // Moves and the wheel reach the editor through the mouse hub's listeners.
  // A drag whose press this window did not see counts as a move.
  if (!hub) return;
  os::MouseEvent event = e;
  if (event.kind == Kind::kDrag) event.kind = Kind::kMove;
  m_pDispatching = &event;
  hub->OnPlatformMouseEvent(event);
  m_pDispatching = nullptr;
}

bool CHfcVstEditor::BeginEdit(int index) { return m_pEffect && m_pEffect->beginEdit(index); }

bool CHfcVstEditor::EndEdit(int index) { return m_pEffect && m_pEffect->endEdit(index); }

bool CHfcVstEditor::SendMidiMessage(unsigned char status, unsigned char data1, unsigned char data2) {
  if (!m_pEffect) return false;
  tagHfcVstMidiEvent event;
  event.midiData[0] = status;
  event.midiData[1] = data1;
  event.midiData[2] = data2;
  return m_pEffect->sendVstEventsToHost(&event, 1);
}
