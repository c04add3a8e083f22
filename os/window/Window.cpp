#include "os/window/Window.h"

#include <algorithm>

#include "os/MainLoop.h"
#include "os/window/SystemFonts.h"

namespace os {

namespace {
std::vector<Window*>& Registry() {
  static std::vector<Window*> windows;
  return windows;
}
Window* g_lastPressed = nullptr;
// The modal runs going on, the innermost last.
std::vector<const Window::ModalInput*>& Runs() {
  static std::vector<const Window::ModalInput*> runs;
  return runs;
}
// A modal listener or source, by its id.
template <typename Fn>
struct Entry {
  int id;
  Fn fn;
};
std::vector<Entry<Window::ModalListener>>& Listeners() {
  static std::vector<Entry<Window::ModalListener>> listeners;
  return listeners;
}
std::vector<Entry<Window::ModalSource>>& Sources() {
  static std::vector<Entry<Window::ModalSource>> sources;
  return sources;
}
int g_nextEntryId = 1;

template <typename Fn>
int AddEntry(std::vector<Entry<Fn>>& list, Fn fn) {
  const int id = g_nextEntryId++;
  list.push_back({id, std::move(fn)});
  return id;
}
template <typename Fn>
void RemoveEntry(std::vector<Entry<Fn>>& list, int id) {
  list.erase(std::remove_if(list.begin(), list.end(), [id](const Entry<Fn>& e) { return e.id == id; }), list.end());
}

// Calls each entry of the list present now once, unless it has gone by its
// turn: an entry may add or remove entries.
template <typename Fn, typename Call>
void EachStillPresent(std::vector<Entry<Fn>>& list, const Call& call) {
  std::vector<int> ids;
  for (const Entry<Fn>& e : list) ids.push_back(e.id);
  for (int id : ids) {
    auto it = std::find_if(list.begin(), list.end(), [id](const Entry<Fn>& e) { return e.id == id; });
    if (it == list.end()) continue;
    const Fn fn = it->fn;  // (the entry may go while it runs)
    call(fn);
  }
}
}  // namespace

Window::Window() { Registry().push_back(this); }

Window::ModalInput::ModalInput(Kind kind) : kind_(kind) {
  Runs().push_back(this);
  ModalRunsChanged();
}

Window::ModalInput::~ModalInput() {
  auto& runs = Runs();
  runs.erase(std::remove(runs.begin(), runs.end(), this), runs.end());
  // A window of the run that outlives it is an ordinary one now.
  for (Window* w : Registry())
    if (w->run_ == this) w->run_ = nullptr;
  ModalRunsChanged();
}

void Window::ModalInput::Adopt(Window* window) {
  if (!window) return;
  window->run_ = this;
  window->ApplyInputShield(!window->TakesInput());
}

Window::ModalState Window::CurrentModalState() {
  ModalState state;
  for (const ModalInput* run : Runs()) {
    ++state.runs;
    if (run->kind() == ModalInput::Kind::kQuestion) ++state.questions;
  }
  return state;
}

int Window::AddModalListener(ModalListener listener) { return AddEntry(Listeners(), std::move(listener)); }
void Window::RemoveModalListener(int id) { RemoveEntry(Listeners(), id); }
int Window::AddModalSource(ModalSource source) { return AddEntry(Sources(), std::move(source)); }
void Window::RemoveModalSource(int id) { RemoveEntry(Sources(), id); }

void Window::AskModalSources() {
  EachStillPresent(Sources(), [](const ModalSource& fn) { fn(); });
}

void Window::ModalRunsChanged() {
  for (Window* w : Registry()) w->ApplyInputShield(!w->TakesInput());
  const ModalState state = CurrentModalState();
  // (A waiting question that goes on adds or removes listeners.)
  EachStillPresent(Listeners(), [&state](const ModalListener& fn) { fn(state); });
}

bool Window::TakesInput() const { return Runs().empty() || run_ == Runs().back(); }

Window::~Window() {
  if (MainLoop* loop = MainLoop::Current()) loop->RemovePosted(this);
  auto& all = Registry();
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
  if (g_lastPressed == this) g_lastPressed = nullptr;
}

Window* Window::LastPressed() { return g_lastPressed; }

void Window::SetCursorEverywhere(CursorId id) {
  for (Window* w : Registry()) w->SetCursor(id);
}

void Window::Invalidate(const WindowRect& area) {
  WindowRect r = area;
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, Width());
  r.bottom = std::min(r.bottom, Height());
  if (r.Empty()) return;
  if (exposePosted_) {
    pendingExpose_.left = std::min(pendingExpose_.left, r.left);
    pendingExpose_.top = std::min(pendingExpose_.top, r.top);
    pendingExpose_.right = std::max(pendingExpose_.right, r.right);
    pendingExpose_.bottom = std::max(pendingExpose_.bottom, r.bottom);
    return;
  }
  MainLoop* loop = MainLoop::Current();
  if (!loop) return;
  pendingExpose_ = r;
  exposePosted_ = true;
  loop->Post(
      [this] {
        exposePosted_ = false;
        if (WindowSink* sink = sink_) sink->OnWindowEvent([&] { sink->OnWindowExpose(pendingExpose_); });
      },
      this);
}

void Window::PostToSink(std::function<void(WindowSink*)> call) {
  MainLoop* loop = MainLoop::Current();
  if (!loop) return;
  loop->Post(
      [this, call = std::move(call)] {
        if (WindowSink* sink = sink_) sink->OnWindowEvent([&] { call(sink); });
      },
      this);
}

void Window::Deliver(const MouseEvent& e) {
  if (!TakesInput()) return;
  if (e.kind == MouseEvent::Kind::kDown) g_lastPressed = this;
  // Checked again when it is handled: a run may have begun in between.
  PostToSink([this, e](WindowSink* sink) {
    if (TakesInput()) sink->OnWindowMouse(e);
  });
}

void Window::DeliverKey(const KeyEvent& e) {
  if (!TakesInput()) return;
  PostToSink([this, e](WindowSink* sink) {
    if (TakesInput()) sink->OnWindowKey(e);
  });
}

void Window::DeliverFocus(bool gained) {
  PostToSink([gained](WindowSink* sink) { sink->OnWindowFocus(gained); });
}

void Window::DeliverExpose(const WindowRect& area) { Invalidate(area); }

void Window::DeliverClose() {
  PostToSink([](WindowSink* sink) { sink->OnWindowClose(); });
}

int Window::DeliverDrag(const DragEvent& e) {
  if (!sink_ || !TakesInput()) return 0;
  WindowSink* sink = sink_;
  int effect = 0;
  sink->OnWindowEvent([&] { effect = sink->OnWindowDrag(e); });
  return (effect >= 1 && effect <= 3) ? effect : 0;
}

void Window::SetTitle(const std::string& title) {
  title_ = title;
  ApplyTitle();
}

void Window::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  ApplyTitle();
}

std::string Window::ShownTitle() const {
  std::string shown = modified_ ? "\u2022 " : "";
  for (char c : title_) {
    const uint32_t u = MacRomanToUnicode(static_cast<uint8_t>(c));
    if (u < 0x80) {
      shown += static_cast<char>(u);
    } else if (u < 0x800) {
      shown += static_cast<char>(0xC0 | (u >> 6));
      shown += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      shown += static_cast<char>(0xE0 | (u >> 12));
      shown += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      shown += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return shown;
}

void Window::SetSizeLimits(const WindowSizeLimits& limits) {
  limits_ = limits;
  ApplySizeLimits();
}

void Window::ClampToLimits(int* width, int* height) const {
  if (limits_.maxWidth > 0) *width = std::min(*width, limits_.maxWidth);
  if (limits_.maxHeight > 0) *height = std::min(*height, limits_.maxHeight);
  *width = std::max(*width, std::max(limits_.minWidth, 1));
  *height = std::max(*height, std::max(limits_.minHeight, 1));
}

void Window::DeliverBounds(const WindowRect& bounds, bool sized, bool moved) {
  PostToSink([this, bounds, sized, moved](WindowSink* sink) {
    WindowRect b = bounds;
    sink->OnWindowBoundsChanging(&b, sized, moved);
    if (b.right - b.left != Width() || b.bottom - b.top != Height()) Resize(b.right - b.left, b.bottom - b.top);
    const WindowPoint origin = ScreenOrigin();
    if (b.left != origin.x || b.top != origin.y) MoveTo(b.left, b.top);
    sink->OnWindowBoundsChanged(b, sized, moved);
  });
}

void Window::DeliverCollapse(bool collapsed) {
  PostToSink([this, collapsed](WindowSink* sink) {
    if (!sink->OnWindowCollapse(collapsed)) SetCollapsed(!collapsed);
  });
}

bool Window::ClipArea(int pictureWidth, int pictureHeight, WindowRect* area) const {
  area->left = std::max(area->left, 0);
  area->top = std::max(area->top, 0);
  area->right = std::min({area->right, Width(), pictureWidth});
  area->bottom = std::min({area->bottom, Height(), pictureHeight});
  return !area->Empty();
}

}  // namespace os
