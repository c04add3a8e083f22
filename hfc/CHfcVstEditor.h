#pragma once
// The plug-in editor: the framework window that a host opens inside a
// window of its own. open() makes the editor's platform window (a child of
// the host's X11 window, or a window without a display when the host gives
// none), starts the mouse and key hubs, lets the product subclass build its
// layers in OnCreate and starts the idle timer (first after 1/6 s, then
// sixty times a second on the main loop). close() undoes it in reverse.
// Input arrives through the platform window as through a custom view: a
// press starts tracking that ends with a left-button release to the
// capture holder (or the window).
//
// The host may open or close the editor while the editor's own code is on
// the stack: a press that runs a popup menu, an alert or a file dialog, or
// an idle tick that runs a transfer with its progress window, all run a
// modal loop that also serves the host's calls. Such an open or close
// waits until that code has returned (the modal runs it started are asked
// to end at once), so no layer is deleted under a caller still using it.
#include <cstdint>
#include <memory>

#include "hfc/CHfcKeyListener.h"
#include "hfc/CHfcWindow.h"
#include "hfc/IHfcVstEditorHost.h"
#include "os/MainLoop.h"

namespace os {
class Window;
}

class CHfcVstEditor : public CHfcWindow, public CHfcKeyListener {
 public:
  explicit CHfcVstEditor(IHfcVstEditorHost* effect);
  ~CHfcVstEditor() override;

  // The host's editor interface.
  IHfcVstEditorHost* getEffect() const { return m_pEffect; }
  virtual bool getRect(tagHfcERect** rect);
  // window: the host's X11 window id as a pointer-sized value, or null for
  // a window without a display. Always true.
  virtual bool open(void* window);
  virtual void close();
  bool isOpen() const { return m_pSystemWindow != nullptr; }
  virtual void idle();
  virtual void draw(tagHfcERect*);
  // Hosts here report presses through the window; a call only ends what a
  // press left behind (the capture).
  virtual bool mouse(int x, int y);
  virtual bool key(int) { return false; }
  virtual void top() { m_bOnTop = true; }
  virtual void sleep();
  virtual int setKnobMode(int mode);
  virtual void update();

  // The window side.
  void Update(tagHfcRect* rect) override;
  bool GetClientRect(tagHfcRect* rect) override;
  bool Resize(int width, int height, bool) override;
  bool IsWindowActive() override;
  bool IsMouseOnWindow() override;
  virtual void OnIdle() {}
  virtual int GetMouse() { return m_iMouse; }
  virtual void ValueChanged(int, float) {}
  bool OnHfcMouseMacMouseMove(CHfcMouse* hub, const os::MouseEvent* e) override;
  bool OnHfcMouseMacMouseWheelMove(CHfcMouse* hub, const os::MouseEvent* e) override;
  void OnWindowMouse(const os::MouseEvent& e) override;
  // Every event of the platform window runs the editor's code inside a
  // dispatch scope.
  void OnWindowEvent(const std::function<void()>& deliver) override;

  // True while the editor's own code runs (an input event, an idle tick,
  // a redraw), also inside a modal run that code started.
  bool IsDispatching() const { return m_iDispatchDepth > 0; }
  // An open or close of the host waits for that code to return.
  bool HasPendingHostCall() const { return m_bClosePending || m_bOpenPending; }

  // Towards the host.
  bool BeginEdit(int index);
  bool EndEdit(int index);
  bool SendMidiMessage(unsigned char status, unsigned char data1, unsigned char data2);

  bool IsOpenedWithCreate() const { return m_bOpen; }
  bool IsOnTop() const { return m_bOnTop; }
  bool HasIdleTimer() const { return m_idleTimer != 0; }
  void* GetSystemWindow() const { return m_pSystemWindow; }

 protected:
  // The editor's area; the product subclass sets it before the host asks.
  tagHfcRect m_rcEditor{0, 0, 0, 0};
  bool m_bUseIdleTimer = true;
  // Draw at once instead of through exposes of the platform window.
  bool m_bNoView = false;

 private:
  // Marks the editor's code as running for one call from outside.
  class DispatchScope {
   public:
    explicit DispatchScope(CHfcVstEditor* editor);
    ~DispatchScope();
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

   private:
    CHfcVstEditor* m_pEditor;
  };

  void DeferClose();
  void DeferOpen(void* window);
  // Carries out an open or close that waited, in the order asked.
  void RunPendingHostCalls();
  void StartIdleTimer();
  void ScheduleIdleTick();
  void OnIdleTimer();
  void StopIdleTimer();
  void RecordView(CHfcMouse* hub, const os::MouseEvent& e);

  IHfcVstEditorHost* m_pEffect;
  void* m_pSystemWindow = nullptr;
  std::unique_ptr<os::Window> m_window;
  tagHfcERect m_rcHost;
  int m_iMouse = 0;
  bool m_bOpen = false;
  bool m_bOnTop = false;
  bool m_bInMouse = false;
  int m_iLastMouseX = -1;
  int m_iLastMouseY = -1;
  bool m_bTracking = false;
  const os::MouseEvent* m_pDispatching = nullptr;
  os::MainLoop::TimerId m_idleTimer = 0;
  uint64_t m_idleStartUs = 0;
  uint64_t m_idleTicks = 0;
  int m_iDispatchDepth = 0;
  // The number of modal runs when the outermost call came in: those above
  // it were started by the editor's code.
  int m_iModalDepthAtEntry = 0;
  bool m_bClosePending = false;
  bool m_bOpenPending = false;
  void* m_pPendingWindow = nullptr;
};
