#pragma once
// The framework's top-level drawing surface: a stack of layers (index 0 at
// the bottom) composed into the window's picture and shown through the
// platform window, the rectangles waiting to be redrawn, mouse routing from
// the top layer down and drag routing from the bottom up, the window's
// keyboard focus and one repeating timer. It owns no layer.
//
// Two ways of showing the picture: directly (Update composes and presents
// at once) or, in view mode (the plug-in editor), by asking the platform
// window for an expose and composing when it comes.
#include <memory>
#include <vector>

#include "hfc/CHfcDragListener.h"
#include "hfc/CHfcKeyFocus.h"
#include "hfc/CHfcMouseListener.h"
#include "os/MainLoop.h"
#include "os/window/WindowSink.h"
#include "platform/HfcTypes.h"

namespace os {
class Window;
}
class CHfcAppBase;
class CHfcDrawContext;
class CHfcMenuBar;
class CHfcDragFlavor;
class CHfcOffscreenContext;
class CHfcWindowLayer;

class CHfcWindow : public CHfcMouseListener, public CHfcDragListener, public os::WindowSink {
 public:
  CHfcWindow();
  ~CHfcWindow() override;
  CHfcWindow(const CHfcWindow&) = delete;
  CHfcWindow& operator=(const CHfcWindow&) = delete;

  // Binds the platform window (null unbinds); the window's events then
  // come to this object.
  void SetPlatformWindow(os::Window* window);
  os::Window* GetPlatformWindow() const { return m_pPlatformWindow; }
  CHfcKeyFocus* GetKeyFocus() { return &m_keyFocus; }
  // View mode: Update only invalidates; drawing happens on the expose.
  void SetViewMode(bool view) { m_bViewMode = view; }
  bool IsViewMode() const { return m_bViewMode; }

  // A stand-alone top-level window of its own, content at (x, y + 22) on
  // the screen (there is no menu bar above the windows here). Only the
  // resizable attribute has a meaning on this platform: without it the
  // window keeps its size. After OnCreate agreed, the minimum and maximum
  // size hooks set the window's size limits and menuBar becomes the
  // current bar. False when the window exists already, cannot be made or
  // OnCreate refuses (the window is gone again then).
  virtual bool Create(char* title, int x, int y, int w, int h, unsigned int attributes,
                      CHfcMenuBar* menuBar, CHfcWindow* parent, CHfcAppBase* app);
  // Closes a window made by Create: OnDestroy, then OnPostDestroy (which
  // deletes the object by default). False for a window it did not make.
  virtual bool Destroy();
  static unsigned int MacAttrToWindowAttributes(unsigned int attributes);
  static constexpr unsigned int kAttrResizable = 0x10;

  // Platform window operations; false without one.
  bool Show();
  bool Hide();
  // Brings the window to the front and gives it the keyboard; false even
  // then.
  virtual bool Activate();
  virtual bool Collapse();
  virtual bool Expand();
  // The title as a C string of at most 255 characters; GetTitle writes up
  // to 256 bytes.
  bool SetTitle(char* title);
  bool GetTitle(char* title);
  // The modified mark, shown in the title.
  bool IsModified();
  bool SetModified(bool modified);
  // The first framework window with a platform window whose title is
  // exactly title, the most recently activated first; null when none.
  virtual CHfcWindow* FindChildWindow(char* title);
  virtual bool OnEnumChildWindow(CHfcWindow*) { return true; }
  virtual bool EnumChildWindows() { return false; }
  virtual bool GetWindowRect(tagHfcRect* rect);
  virtual bool GetClientRect(tagHfcRect* rect);
  int GetWidth();
  int GetHeight();
  virtual bool Resize(int width, int height, bool);
  virtual bool IsWindowActive() { return false; }
  virtual bool IsMouseOnWindow() { return false; }

  // Screen point to the window's view coordinates and back; false without
  // a platform window.
  virtual bool GlobalToLocal(tagHfcPoint* point);
  virtual bool LocalToGlobal(tagHfcPoint* point);

  // Layers.
  bool AddLayer(CHfcWindowLayer* layer, bool redraw);
  bool RemoveLayer(CHfcWindowLayer* layer, bool redraw);
  void RemoveAllLayers(bool redraw);
  // The result is false in every case.
  bool ReplaceLayer(CHfcWindowLayer* old, CHfcWindowLayer* replacement, bool redraw);
  // where 0: to the top; 1: to the bottom; anything else keeps the order.
  bool OrderLayer(CHfcWindowLayer* layer, int where, bool redraw);
  int GetLayerIndex(CHfcWindowLayer* layer) const;
  CHfcWindowLayer* GetLayerByIndex(int index) const;
  int GetLayerCount() const { return static_cast<int>(m_layers.size()); }

  // Redraws the client area, or the area (window coordinates), at once
  // (now) or at the next flush.
  bool DrawLayers(bool now);
  virtual bool DrawLayers(const tagHfcRect* rect, bool now);

  // Redrawing. Null means the client rectangle.
  virtual void Update(tagHfcRect* rect);
  virtual void AddUpdateRect(const tagHfcRect* rect);
  virtual void FlushUpdateRect();
  // 0: one union rectangle; 1: a list of rectangles. Others are ignored.
  void SetUpdateMethod(int method);
  int GetUpdateMethod() const { return m_iUpdateMethod; }
  const tagHfcRect& GetUnionUpdateRect() const { return m_rcUnion; }
  const std::vector<tagHfcRect>& GetUpdateRects() const { return m_updateRects; }
  // The composed picture of the window (null before the first drawing).
  CHfcOffscreenContext* GetPicture() const { return m_pPicture.get(); }

  // Hooks.
  virtual bool OnCreate() { return true; }
  virtual bool OnDestroy();
  virtual void OnUpdate(CHfcDrawContext* context, tagHfcRect* rect);
  virtual void OnUpdateWithoutFlushBuffer(CHfcDrawContext*, tagHfcRect*) {}
  // Shows the drawn area through the platform window.
  virtual void OnPostUpdate(CHfcDrawContext* context, tagHfcRect* rect);
  virtual void OnActivated() {}
  virtual void OnDeactivated() {}
  virtual bool OnClose() { return true; }
  // Deletes the object; runs last when a window made by Create goes.
  virtual void OnPostDestroy() { delete this; }
  virtual void OnSizeChanging(int* w, int* h) {}
  virtual void OnSizeChanged(int w, int h) {}
  virtual void OnMoving(int* x, int* y) {}
  virtual void OnMoved(int x, int y) {}
  // True lets the collapse (expand) happen.
  virtual bool OnCollapse() { return true; }
  virtual bool OnExpand() { return true; }
  // True sets a limit of (*w, *h), which start at 0.
  virtual bool OnGetMinSize(int* w, int* h) { return false; }
  virtual bool OnGetMaxSize(int* w, int* h) { return false; }
  virtual bool OnTimer() { return true; }

  // A repeating timer on the main loop, first firing at once; a second call
  // keeps the first timer.
  bool SetTimer(int ms);
  void KillTimer();

  // Keyboard focus of the window: nothing without a platform window.
  bool SetFocus(CHfcKeyFocusListener* listener);
  // Releases when who is null or holds the focus.
  bool ReleaseFocus(CHfcKeyFocusListener* who);
  // The listener holds the window's keyboard until EndKeyHold (a modal
  // page): a control that lets the focus go gives it back to the holder.
  bool HoldKeyFocus(CHfcKeyFocusListener* holder);
  // Ends the hold of that listener, if it holds.
  void EndKeyHold(CHfcKeyFocusListener* holder);
  bool IsFocused(const CHfcKeyFocusListener* listener) const;

  // Mouse, local forms: offered to the layers from the top down.
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  using CHfcMouseListener::OnHfcMouseWheelMoved;
  bool OnHfcMouseWheelMoved(CHfcMouse* m, int x, int y, int axis, int delta, int mods) override;
  // Global forms: recorded in the hub, converted, then the local form.
  using CHfcMouseListener::OnHfcMouseLButtonDoubleClickGlobal;
  using CHfcMouseListener::OnHfcMouseLButtonUpGlobal;
  using CHfcMouseListener::OnHfcMouseRButtonDoubleClickGlobal;
  using CHfcMouseListener::OnHfcMouseRButtonUpGlobal;
  using CHfcMouseListener::OnHfcMouseMButtonDownGlobal;
  using CHfcMouseListener::OnHfcMouseMButtonDoubleClickGlobal;
  using CHfcMouseListener::OnHfcMouseMButtonUpGlobal;
  using CHfcMouseListener::OnHfcMouseMoveGlobal;
  bool OnHfcMouseLButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMoveGlobal(CHfcMouse* m, int x, int y, int mods) override;
  // View mode only: the window point the hub holds, with its modifiers.
  bool OnHfcMouseLButtonDownGlobal(CHfcMouse* m) override;
  bool OnHfcMouseRButtonDownGlobal(CHfcMouse* m) override;
  bool OnHfcMouseWheelMovedGlobal(CHfcMouse* m, int x, int y, int axis, int delta,
                                  int mods) override;

  // Drags: offered to the layers from the bottom up, then the window's own
  // local hooks (false by default).
  bool OnHfcDragTrackingEnterWindowGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor, int x, int y,
                                          int mods, int* action) override;
  bool OnHfcDragTrackingInWindowGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor, int x, int y,
                                       int mods, int* action) override;
  bool OnHfcDragTrackingLeaveWindowGlobal(CHfcDrag* drag) override;
  bool OnHfcDragReceiveGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor, int x, int y, int mods,
                              int* action) override;

  // Platform window events (main thread): a window of its own takes them
  // as a framework window; the plug-in editor replaces the mouse part.
  void OnWindowMouse(const os::MouseEvent& e) override;
  bool OnWindowKey(const os::KeyEvent& e) override;
  void OnWindowFocus(bool gained) override;
  int OnWindowDrag(const os::DragEvent& e) override;
  void OnWindowExpose(const os::WindowRect& area) override;
  // A window made by Create goes when OnClose agrees.
  void OnWindowClose() override;
  // The user moves or resizes: OnSizeChanging before OnMoving, which may
  // adjust the bounds; afterwards OnSizeChanged and OnMoved.
  void OnWindowBoundsChanging(os::WindowRect* bounds, bool sized, bool moved) override;
  void OnWindowBoundsChanged(const os::WindowRect& bounds, bool sized, bool moved) override;
  bool OnWindowCollapse(bool collapsed) override;

  // The drag effect the handlers set while a drag is over the window.
  int GetDragEffect() const { return m_iDragEffect; }
  // Raw key characters as the framework's key codes (delete and arrows).
  static int TranslateKeyChar(int chr);

 protected:
  // Composes and shows the area at once (clipped to the client area).
  void DrawNow(const tagHfcRect& area);
  // Fills the hub's record of the current mouse event.
  void RecordMouse(CHfcMouse* m, int gx, int gy, int mods);
  // The capture holder, or this window.
  CHfcMouseListener* MouseTarget() const;

 private:
  using LayerEntry = bool (CHfcWindowLayer::*)(CHfcMouse*, int, int, int);
  using LocalEntry = bool (CHfcWindow::*)(CHfcMouse*, int, int, int);
  bool RouteToLayers(LayerEntry entry, CHfcMouse* m, int x, int y, int mods);
  // A press notes the layer stack it met; a double click or a release
  // reaches the layers only while that stack is unchanged.
  bool RoutePress(LayerEntry entry, CHfcMouse* m, int x, int y, int mods);
  bool RouteFollowUp(LayerEntry entry, CHfcMouse* m, int x, int y, int mods);
  bool RouteGlobal(LocalEntry local, CHfcMouse* m, int x, int y, int mods);
  // call(layer, layer x, layer y) for each visible layer under the point,
  // from the top, until one answers true.
  template <typename Call>
  bool FirstLayerFromTopAt(int x, int y, Call call);
  template <typename Call>
  bool FirstLayerFromBottom(Call call);
  // The layers from the bottom, then the window's own local hook with the
  // point in window coordinates.
  template <typename LayerCall, typename LocalCall>
  bool RouteDrag(int x, int y, LayerCall layerCall, LocalCall localCall);
  bool EnsurePicture();
  void ComposeAndPresent(tagHfcRect area, bool clear);

  os::Window* m_pPlatformWindow = nullptr;
  // The platform window made by Create.
  std::unique_ptr<os::Window> m_pOwnWindow;
  CHfcAppBase* m_pApplication = nullptr;
  CHfcMenuBar* m_pMenuBar = nullptr;
  std::vector<CHfcWindowLayer*> m_layers;
  tagHfcRect m_rcUnion{0, 0, 0, 0};
  std::vector<tagHfcRect> m_updateRects;
  int m_iUpdateMethod = 0;
  CHfcKeyFocus m_keyFocus;
  bool m_bClickSeen = false;
  // Counts the changes of the layer stack; the count a press met.
  unsigned m_uStackChanges = 0;
  unsigned m_uStackAtPress = 0;
  os::MainLoop::TimerId m_timer = 0;
  int m_iDragEffect = 0;
  bool m_bViewMode = false;
  std::unique_ptr<CHfcOffscreenContext> m_pPicture;
};
