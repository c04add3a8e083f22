#pragma once
// Base of a standalone application of the framework: owns the run loop,
// answers the system's quit request, and turns menu commands and keyboard
// events into virtual operations that a derived application overrides.
#include <cstdint>

#include "spare/HfcAppEvent.h"

class CHfcWindow;

class CHfcAppBase {
 public:
  CHfcAppBase();
  virtual ~CHfcAppBase();
  CHfcAppBase(const CHfcAppBase&) = delete;
  CHfcAppBase& operator=(const CHfcAppBase&) = delete;

  virtual bool InitInstance();
  virtual void ExitInstance();
  // Installs the quit and event handlers, initialises, runs the main loop
  // until it is quit, then exits the instance. 0, or -1 when the
  // initialisation refused (the caller leaves the process then).
  virtual int Run();

  virtual void OnCommandPreferences() {}
  virtual void OnCommandFileNew() {}
  virtual void OnCommandFileOpen() {}
  virtual void OnCommandFileClose() {}
  virtual void OnCommandFileSave() {}
  virtual void OnCommandFileSaveAs() {}
  virtual void OnCommandFileQuit();
  virtual void OnCommandEditUndo() {}
  virtual void OnCommandEditCut() {}
  virtual void OnCommandEditCopy() {}
  virtual void OnCommandEditPaste() {}
  virtual void OnCommandEditClear() {}
  virtual void OnCommandEditSelectAll() {}
  virtual int OnMacQuit();
  virtual int OnMacCommand(uint32_t command);
  virtual int OnMacEventCommand(const tagHfcAppEvent& event, uint32_t kind);
  virtual int OnMacEventKeyboard(const tagHfcAppEvent& event, uint32_t kind);
  virtual int OnMacEventCommandProcess(const tagHfcAppEvent& event);
  virtual int OnMacEventCommandUpdateStatus(const tagHfcAppEvent&) { return kHfcEventNotHandledErr; }
  virtual int OnMacEventKeyboardRawKeyDown(const tagHfcAppEvent&) { return kHfcEventNotHandledErr; }
  virtual int OnMacEventKeyboardRawKeyRepeat(const tagHfcAppEvent&) { return kHfcEventNotHandledErr; }
  virtual int OnMacEventKeyboardRawKeyUp(const tagHfcAppEvent&) { return kHfcEventNotHandledErr; }
  virtual int OnMacEventKeyboardRawKeyModifiersChanged(const tagHfcAppEvent&) { return kHfcEventNotHandledErr; }
  virtual int OnMacEventKeyboardHotKeyPressed(const tagHfcAppEvent&) { return kHfcEventNotHandledErr; }
  virtual int OnMacEventKeyboardHotKeyReleased(const tagHfcAppEvent&) { return kHfcEventNotHandledErr; }

  // The system's side: the quit request and the application event target.
  // Both reach the instance whose Run installed its handlers; without one
  // they are not handled.
  static int OnMacQuitApplication(long refcon);
  static int OnMacEvent(const tagHfcAppEvent& event, void* self);
  static void OnMacTimerEventProc(void*) {}
  static int DeliverQuitRequest();
  static int DeliverEvent(const tagHfcAppEvent& event);

  void SetMainWindow(CHfcWindow* window) { m_pMainWindow = window; }
  CHfcWindow* GetMainWindow() const { return m_pMainWindow; }
  bool HasEventHandler() const { return m_bEventHandlerInstalled; }

  static CHfcAppBase* sm_pInstance;
  static const tagHfcAppEventType sm_amMacEventList[8];

 private:
  CHfcWindow* m_pMainWindow = nullptr;
  bool m_bEventHandlerInstalled = false;
};
