#include "spare/CHfcAppBase.h"

#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/CHfcWindow.h"
#include "os/MainLoop.h"

CHfcAppBase* CHfcAppBase::sm_pInstance = nullptr;

const tagHfcAppEventType CHfcAppBase::sm_amMacEventList[8] = {
    {HfcFourCC("cmds"), 1}, {HfcFourCC("cmds"), 2}, {HfcFourCC("keyb"), 1}, {HfcFourCC("keyb"), 2},
    {HfcFourCC("keyb"), 3}, {HfcFourCC("keyb"), 4}, {HfcFourCC("keyb"), 5}, {HfcFourCC("keyb"), 6}};

namespace {
// The instance whose Run installed the quit and event handlers.
CHfcAppBase* g_running = nullptr;
}  // namespace

CHfcAppBase::CHfcAppBase() {
  if (!sm_pInstance) sm_pInstance = this;
}

CHfcAppBase::~CHfcAppBase() {
  if (g_running == this) g_running = nullptr;
  if (sm_pInstance == this) sm_pInstance = nullptr;
}

bool CHfcAppBase::InitInstance() {
  CHfcMouse::Initialize(true);
  CHfcKey::Initialize();
  return true;
}

void CHfcAppBase::ExitInstance() {
  CHfcKey::Uninitialize();
  CHfcMouse::Uninitialize();
}

int CHfcAppBase::Run() {
  os::MainLoop* loop = os::MainLoop::Current();
  if (!loop) return -1;
  g_running = this;
  m_bEventHandlerInstalled = true;
  if (!InitInstance()) {
    m_bEventHandlerInstalled = false;
    g_running = nullptr;
    return -1;
  }
  loop->Run();
  ExitInstance();
  m_bEventHandlerInstalled = false;
  if (g_running == this) g_running = nullptr;
  return 0;
}

// With a main window, closing it is the application's way out (its owner
// quits the loop when it goes); the pointer is forgotten because the window
// deletes itself.
void CHfcAppBase::OnCommandFileQuit() {
  if (m_pMainWindow) {
    CHfcWindow* window = m_pMainWindow;
    m_pMainWindow = nullptr;
    window->Destroy();
    return;
  }
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->Quit();
}

int CHfcAppBase::OnMacQuit() {
  OnCommandFileQuit();
  return 0;
}

int CHfcAppBase::OnMacCommand(uint32_t command) {
  struct Entry {
    uint32_t command;
    void (CHfcAppBase::*op)();
  };
  static const Entry kCommands[] = {
      {HfcFourCC("pref"), &CHfcAppBase::OnCommandPreferences},
      {HfcFourCC("new "), &CHfcAppBase::OnCommandFileNew},
      {HfcFourCC("open"), &CHfcAppBase::OnCommandFileOpen},
      {HfcFourCC("clos"), &CHfcAppBase::OnCommandFileClose},
      {HfcFourCC("save"), &CHfcAppBase::OnCommandFileSave},
      {HfcFourCC("svas"), &CHfcAppBase::OnCommandFileSaveAs},
      {HfcFourCC("quit"), &CHfcAppBase::OnCommandFileQuit},
      {HfcFourCC("undo"), &CHfcAppBase::OnCommandEditUndo},
      {HfcFourCC("cut "), &CHfcAppBase::OnCommandEditCut},
      {HfcFourCC("copy"), &CHfcAppBase::OnCommandEditCopy},
      {HfcFourCC("past"), &CHfcAppBase::OnCommandEditPaste},
      {HfcFourCC("clea"), &CHfcAppBase::OnCommandEditClear},
      {HfcFourCC("sall"), &CHfcAppBase::OnCommandEditSelectAll},
  };
  for (const Entry& e : kCommands) {
    if (e.command == command) {
      (this->*e.op)();
      return 0;
    }
  }
  return kHfcEventNotHandledErr;
}

int CHfcAppBase::OnMacEventCommand(const tagHfcAppEvent& event, uint32_t kind) {
  if (kind == 1) return OnMacEventCommandProcess(event);
  if (kind == 2) return OnMacEventCommandUpdateStatus(event);
  return kHfcEventNotHandledErr;
}

int CHfcAppBase::OnMacEventKeyboard(const tagHfcAppEvent& event, uint32_t kind) {
  switch (kind) {
    case 1: return OnMacEventKeyboardRawKeyDown(event);
    case 2: return OnMacEventKeyboardRawKeyRepeat(event);
    case 3: return OnMacEventKeyboardRawKeyUp(event);
    case 4: return OnMacEventKeyboardRawKeyModifiersChanged(event);
    case 5: return OnMacEventKeyboardHotKeyPressed(event);
    case 6: return OnMacEventKeyboardHotKeyReleased(event);
    default: return kHfcEventNotHandledErr;
  }
}

int CHfcAppBase::OnMacEventCommandProcess(const tagHfcAppEvent& event) { return OnMacCommand(event.command); }

int CHfcAppBase::OnMacQuitApplication(long refcon) {
  auto* app = reinterpret_cast<CHfcAppBase*>(refcon);
  return app ? app->OnMacQuit() : kHfcEventNotHandledErr;
}

int CHfcAppBase::OnMacEvent(const tagHfcAppEvent& event, void* self) {
  auto* app = static_cast<CHfcAppBase*>(self);
  if (!app) return kHfcEventNotHandledErr;
  if (event.eventClass == HfcFourCC("keyb")) return app->OnMacEventKeyboard(event, event.kind);
  if (event.eventClass == HfcFourCC("cmds")) return app->OnMacEventCommand(event, event.kind);
  return kHfcEventNotHandledErr;
}

int CHfcAppBase::DeliverQuitRequest() {
  return g_running ? OnMacQuitApplication(reinterpret_cast<long>(g_running)) : kHfcEventNotHandledErr;
}

int CHfcAppBase::DeliverEvent(const tagHfcAppEvent& event) {
  if (!g_running || !g_running->m_bEventHandlerInstalled) return kHfcEventNotHandledErr;
  for (const tagHfcAppEventType& t : sm_amMacEventList) {
    if (t.eventClass == event.eventClass && t.kind == event.kind) return OnMacEvent(event, g_running);
  }
  return kHfcEventNotHandledErr;
}
