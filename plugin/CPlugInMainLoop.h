#pragma once
// The main thread of the plug-in inside a host.
//
// The model, its dispatchers, the editor window and every timer belong to
// one main loop (os::MainLoop). A program that already runs one (the
// system's standalone host, the tests) lends it, and the plug-in uses it as
// it is. A Linux VST 2 host runs no loop the plug-in could use: it calls the
// editor's idle only while the editor is open (some hosts never do), and its
// GUI thread must not be held by the synthesizer connection, whose port scan
// and transfers wait on replies for seconds. So inside such a host the
// plug-in runs a thread of its own that makes the loop and runs it until the
// instance goes: event 1 (the connection) runs there once the host has the
// instance, whether or not the editor is ever opened; the editor's window,
// its idle timer and the X11 connection are served there; and the host's
// threads hand it only the calls that must run on it (start-up, the
// editor's open and close, the chunks, shutdown), each of which the loop
// takes up between two of its events, inside its modal runs too.
#include <functional>
#include <memory>

#include "os/MainLoop.h"
#include "os/Thread.h"
#include "os/window/Window.h"

class CPlugInMainLoop {
 public:
  // Told on the loop's own thread of every change of the plug-in's modal
  // runs, while it runs a loop of its own (a lent loop shares them with the
  // program already).
  using ModalNotice = std::function<void(const os::Window::ModalState&)>;

  // The host's threads that make and destroy the plug-in object.
  explicit CPlugInMainLoop(ModalNotice notice = {});
  ~CPlugInMainLoop();  // ends and joins the loop's thread when it made one
  CPlugInMainLoop(const CPlugInMainLoop&) = delete;
  CPlugInMainLoop& operator=(const CPlugInMainLoop&) = delete;

  // Any thread.
  os::MainLoop* Loop() const { return loop_; }
  // Any thread: true when the plug-in runs the loop on a thread of its own.
  bool OwnsThread() const { return thread_ != nullptr; }
  // Any thread.
  bool IsMainThread() const { return loop_ && loop_->IsMainThread(); }
  // Any thread: runs fn on the main thread and returns when it has run (at
  // once on the main thread). A loop lent by the program must be running
  // meanwhile. What fn throws is thrown here, on the calling thread; the
  // loop goes on.
  void Call(const std::function<void()>& fn);
  // As Call, once ready() holds on the main thread (asked again every
  // 10 ms).
  void CallWhen(const std::function<bool()>& ready, const std::function<void()>& fn);

 private:
  os::MainLoop* loop_ = nullptr;
  std::unique_ptr<os::Thread> thread_;
};
