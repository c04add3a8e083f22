#pragma once
// A native window, or a child window inside a window that a host owns. The
// framework composes every pixel itself, so the window only shows rectangles
// of a 32-bit picture (0xAARRGGBB words, one row after the other) and reports
// input. Two backends: HeadlessWindow (tests) and X11Window. Main thread
// only; events reach the sink through os::MainLoop.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "os/window/WindowEvents.h"
#include "os/window/WindowSink.h"

namespace os {

// Cursor shapes by the framework's cursor ids.
enum class CursorId : int {
  kArrow = 0,
  kContextualMenu = 1,
  kAliasArrow = 2,
  kCopyArrow = 3,
  kNotAllowed = 4,
  kIBeam = 5,
  kCrossHair = 6,
  kPlus = 7,
  kWatch = 8,
  kClosedHand = 9,
  kOpenHand = 10,
  kPointingHand = 11,
  kCountingUp = 12,
  kCountingDown = 13,
  kCountingUpAndDown = 14,
  kPoof = 15,
  kResizeLeft = 16,
  kResizeRight = 17,
};
constexpr int kCursorCount = 18;

// The sizes the user may give a top-level window; 0 leaves that side free.
struct WindowSizeLimits {
  int minWidth = 0;
  int minHeight = 0;
  int maxWidth = 0;
  int maxHeight = 0;
};

class Window {
 public:
  Window();
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  void SetSink(WindowSink* sink) { sink_ = sink; }
  WindowSink* Sink() const { return sink_; }

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Screen coordinates of the window's top-left pixel.
  virtual WindowPoint ScreenOrigin() const = 0;
  // False for a size below 1 x 1.
  virtual bool Resize(int width, int height) = 0;
  // Position inside the parent (the screen for a top-level window).
  virtual bool MoveTo(int x, int y) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool IsVisible() const = 0;

  // Shows `area` of the picture (pictureWidth x pictureHeight pixels, the
  // window's coordinates) in the window; the area is clipped to both.
  // False when the picture is missing or the area is empty after clipping.
  virtual bool Present(const uint32_t* picture, int pictureWidth, int pictureHeight,
                       const WindowRect& area) = 0;
  // Asks for an expose of the area; rectangles asked for before the main
  // loop runs again are joined into one expose.
  void Invalidate(const WindowRect& area);

  virtual void SetCursor(CursorId id) = 0;
  virtual bool RequestFocus() = 0;
  virtual bool HasFocus() const = 0;
  // Native id (X11 window id; a counter for headless windows).
  virtual uint64_t NativeId() const = 0;

  // Outgoing drag of items from the window at (x, y); runs until the drop
  // and returns the DragAction bits the target accepted (0 when refused or
  // not supported).
  virtual uint32_t RunDrag(const std::vector<DragItem>& items, int x, int y) = 0;

  // Top-level windows. The title is the program's (Mac Roman bytes); the
  // desktop shows it in UTF-8 with a leading bullet while the window is
  // marked modified.
  void SetTitle(const std::string& title);
  const std::string& Title() const { return title_; }
  void SetModified(bool modified);
  bool IsModified() const { return modified_; }
  std::string ShownTitle() const;
  void SetSizeLimits(const WindowSizeLimits& limits);
  const WindowSizeLimits& SizeLimits() const { return limits_; }
  // Brings a size within the limits.
  void ClampToLimits(int* width, int* height) const;
  // Collapses the window to an icon, or expands it; false when the backend
  // cannot.
  virtual bool SetCollapsed(bool collapsed) = 0;
  virtual bool IsCollapsed() const = 0;

  // The window that saw the last button press, or null.
  static Window* LastPressed();

  // Modal runs (an alert, a menu, a file dialog, a progress window, the
  // settings window). While one runs, only the windows it adopted (its own
  // form's) take mouse or key input, and only while it is the innermost
  // run; every other window is held off, also one made while the run goes
  // on (an editor view a host opens under a question). A window held off
  // also keeps the pointer away from the windows embedded in it (the editor
  // of a plug-in in its host's window). A run that is a question (an alert)
  // is counted apart: one question at a time. Main thread only; runs nest,
  // and each ends exactly once, when its object goes, whatever the order.
  class ModalInput {
   public:
    enum class Kind { kForm, kQuestion };
    explicit ModalInput(Kind kind = Kind::kForm);
    ~ModalInput();
    ModalInput(const ModalInput&) = delete;
    ModalInput& operator=(const ModalInput&) = delete;
    // The window belongs to this run from now on (null: nothing).
    void Adopt(Window* window);
    Kind kind() const { return kind_; }

   private:
    Kind kind_;
  };
  struct ModalState {
    int runs = 0;       // every run going on, questions included
    int questions = 0;  // the runs that are questions
  };
  static ModalState CurrentModalState();
  // Told on the main thread after each run begins or ends, with the state
  // then. Returns an id for RemoveModalListener.
  using ModalListener = std::function<void(const ModalState&)>;
  static int AddModalListener(ModalListener listener);
  static void RemoveModalListener(int id);
  // Runs of code the program cannot watch (a plug-in on a loop of its own,
  // whose runs the program stands for with runs of its own) are told late.
  // A source brings them up to date when asked: a question asks every
  // source before it decides whether another question goes first, so that
  // it never shows over one of those it has not yet heard of. Returns an id
  // for RemoveModalSource.
  using ModalSource = std::function<void()>;
  static int AddModalSource(ModalSource source);
  static void RemoveModalSource(int id);
  static void AskModalSources();
  // False while a modal run goes on that did not adopt the window or that
  // has a run nested in it.
  bool TakesInput() const;
  // Sets the cursor on every live window.
  static void SetCursorEverywhere(CursorId id);

 protected:
  // Backends route their events through these; they post to the main loop.
  void Deliver(const MouseEvent& e);
  void DeliverKey(const KeyEvent& e);
  void DeliverFocus(bool gained);
  void DeliverExpose(const WindowRect& area);
  void DeliverClose();
  // The user gave the window new bounds (screen coordinates of its
  // content); the sink may adjust them, and the window then takes the
  // adjusted bounds.
  void DeliverBounds(const WindowRect& bounds, bool sized, bool moved);
  // The user collapsed or expanded the window; when the sink refuses, the
  // window goes back.
  void DeliverCollapse(bool collapsed);
  // Backends show the title and the size limits on the desktop.
  virtual void ApplyTitle() {}
  virtual void ApplySizeLimits() {}
  // Backends that hold windows of other programs' code (children) stop the
  // pointer from reaching them while the window is held off.
  virtual void ApplyInputShield(bool) {}
  // Drops and drags run their sink call synchronously on the main thread.
  int DeliverDrag(const DragEvent& e);
  // Clips area to the window and the picture; false when nothing is left.
  bool ClipArea(int pictureWidth, int pictureHeight, WindowRect* area) const;

 private:
  // Runs call on the main loop with the sink of that moment (nothing when
  // the window has none, or is gone by then).
  void PostToSink(std::function<void(WindowSink*)> call);

  // Sets every window's shield and tells the listeners after a run began
  // or ended.
  static void ModalRunsChanged();

  WindowSink* sink_ = nullptr;
  // The modal run that adopted the window, null for none.
  const ModalInput* run_ = nullptr;
  std::string title_;
  bool modified_ = false;
  WindowSizeLimits limits_;
  WindowRect pendingExpose_;
  bool exposePosted_ = false;
};

}  // namespace os
