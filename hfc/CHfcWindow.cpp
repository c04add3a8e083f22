#include "hfc/CHfcWindow.h"

#include <algorithm>
#include <cstring>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrag.h"
#include "hfc/CHfcDragFlavor.h"
#include "hfc/CHfcKey.h"
#include "hfc/CHfcMouse.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "hfc/HfcEventStatus.h"
#include "os/window/TopLevelWindow.h"
#include "os/window/Window.h"
#include "platform/CHfcMenuBar.h"

namespace {

bool Holds(const tagHfcRect& r, int x, int y) {
  return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

bool Contains(const tagHfcRect& outer, const tagHfcRect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

tagHfcRect Clip(tagHfcRect r, const tagHfcRect& bounds) {
  r.left = std::max(r.left, bounds.left);
  r.top = std::max(r.top, bounds.top);
  r.right = std::min(r.right, bounds.right);
  r.bottom = std::min(r.bottom, bounds.bottom);
  return r;
}

bool IsEmpty(const tagHfcRect& r) { return r.right - r.left < 1 || r.bottom - r.top < 1; }

// Clears the area of the picture to transparent black, so that composing
// starts from nothing and translucent layers do not pile up.
void ClearArea(CHfcBmp* bmp, const tagHfcRect& r) {
  uint32_t* pixels = bmp->LockPixels();
  if (!pixels) return;
  const int width = bmp->GetWidth();
  for (int y = r.top; y < r.bottom; ++y)
    std::memset(pixels + static_cast<size_t>(y) * width + r.left, 0,
                static_cast<size_t>(r.right - r.left) * 4);
  bmp->UnlockPixels();
}

os::CursorId CursorForEffect(int effect) {
  switch (effect) {
    case 2: return os::CursorId::kCopyArrow;
    case 3: return os::CursorId::kAliasArrow;
    default: return os::CursorId::kArrow;
  }
}

// Framework windows bound to a platform window, the most recently
// activated first.
std::vector<CHfcWindow*>& OpenWindows() {
  static std::vector<CHfcWindow*> windows;
  return windows;
}

void Forget(CHfcWindow* w) {
  auto& all = OpenWindows();
  all.erase(std::remove(all.begin(), all.end(), w), all.end());
}

void ToFront(CHfcWindow* w) {
  Forget(w);
  OpenWindows().insert(OpenWindows().begin(), w);
}

// Carbon's standard title bar height: the content starts this far below
// the window's top.
constexpr int kTitleBarHeight = 22;
constexpr size_t kMaxTitle = 255;

}  // namespace

CHfcWindow::CHfcWindow() = default;

CHfcWindow::~CHfcWindow() {
  KillTimer();
  // Layers outlive the window; they must not keep pointing at it.
  RemoveAllLayers(false);
  if (m_pPlatformWindow && m_pPlatformWindow->Sink() == this) m_pPlatformWindow->SetSink(nullptr);
  Forget(this);
}

void CHfcWindow::SetPlatformWindow(os::Window* window) {
  if (m_pPlatformWindow && m_pPlatformWindow->Sink() == this) m_pPlatformWindow->SetSink(nullptr);
  m_pPlatformWindow = window;
  if (window) {
    window->SetSink(this);
    ToFront(this);
  } else {
    m_pPicture.reset();
    Forget(this);
  }
}

unsigned int CHfcWindow::MacAttrToWindowAttributes(unsigned int attributes) {
  return (attributes & 0x1F27003Fu) | 0x02000000u;
}

bool CHfcWindow::Create(char* title, int x, int y, int w, int h, unsigned int attributes,
                        CHfcMenuBar* menuBar, CHfcWindow*, CHfcAppBase* app) {
  if (m_pPlatformWindow) return false;
  const unsigned int attrs = MacAttrToWindowAttributes(attributes);
  std::unique_ptr<os::Window> window = os::CreateTopLevelWindow(x, y + kTitleBarHeight, w, h, "");
  m_pApplication = app;
  if (!window) return false;
  m_pOwnWindow = std::move(window);
  SetPlatformWindow(m_pOwnWindow.get());
  SetTitle(title);
  if (!OnCreate()) {
    // Nothing may keep pointing at the window that is gone.
    SetPlatformWindow(nullptr);
    m_pOwnWindow.reset();
    return false;
  }
  os::WindowSizeLimits limits;
  int minW = 0, minH = 0, maxW = 0, maxH = 0;
  if (OnGetMinSize(&minW, &minH)) {
    limits.minWidth = minW;
    limits.minHeight = minH;
  }
  if (OnGetMaxSize(&maxW, &maxH)) {
    limits.maxWidth = maxW;
    limits.maxHeight = maxH;
  }
  if (!(attrs & kAttrResizable)) limits = {w, h, w, h};
  m_pOwnWindow->SetSizeLimits(limits);
  if (menuBar) {
    m_pMenuBar = menuBar;
    menuBar->SetMenuBar();
  }
  return true;
}

bool CHfcWindow::Destroy() {
  if (!m_pOwnWindow) return false;
  OnDestroy();
  SetPlatformWindow(nullptr);
  m_pOwnWindow.reset();
  OnPostDestroy();
  return true;
}

bool CHfcWindow::Activate() {
  if (m_pPlatformWindow) {
    ToFront(this);
    m_pPlatformWindow->RequestFocus();
  }
  return false;
}

bool CHfcWindow::Collapse() { return m_pPlatformWindow && m_pPlatformWindow->SetCollapsed(true); }

bool CHfcWindow::Expand() { return m_pPlatformWindow && m_pPlatformWindow->SetCollapsed(false); }

bool CHfcWindow::SetTitle(char* title) {
  if (!m_pPlatformWindow) return false;
  const std::string text = title ? title : "";
  m_pPlatformWindow->SetTitle(text.substr(0, kMaxTitle));
  return true;
}

bool CHfcWindow::GetTitle(char* title) {
  if (!m_pPlatformWindow || !title) return false;
  const std::string& text = m_pPlatformWindow->Title();
  const size_t n = std::min(text.size(), kMaxTitle);
  std::memcpy(title, text.data(), n);
  title[n] = 0;
  return true;
}

bool CHfcWindow::IsModified() { return m_pPlatformWindow && m_pPlatformWindow->IsModified(); }

bool CHfcWindow::SetModified(bool modified) {
  if (!m_pPlatformWindow) return false;
  m_pPlatformWindow->SetModified(modified);
  return true;
}

CHfcWindow* CHfcWindow::FindChildWindow(char* title) {
  if (!title) return nullptr;
  for (CHfcWindow* w : OpenWindows()) {
    if (w->m_pPlatformWindow && w->m_pPlatformWindow->Title() == title) return w;
  }
  return nullptr;
}

bool CHfcWindow::Show() {
  if (!m_pPlatformWindow) return false;
  m_pPlatformWindow->Show();
  return true;
}

bool CHfcWindow::Hide() {
  if (!m_pPlatformWindow) return false;
  m_pPlatformWindow->Hide();
  return true;
}

bool CHfcWindow::GetWindowRect(tagHfcRect* rect) {
  if (!m_pPlatformWindow) return false;
  if (rect) {
    const os::WindowPoint o = m_pPlatformWindow->ScreenOrigin();
    *rect = {o.x, o.y, o.x + m_pPlatformWindow->Width(), o.y + m_pPlatformWindow->Height()};
  }
  return true;
}

bool CHfcWindow::GetClientRect(tagHfcRect* rect) {
  if (!m_pPlatformWindow) return false;
  if (rect) *rect = {0, 0, m_pPlatformWindow->Width(), m_pPlatformWindow->Height()};
  return true;
}

int CHfcWindow::GetWidth() {
  tagHfcRect r{0, 0, 0, 0};
  GetClientRect(&r);
  return r.right - r.left;
}

int CHfcWindow::GetHeight() {
  tagHfcRect r{0, 0, 0, 0};
  GetClientRect(&r);
  return r.bottom - r.top;
}

bool CHfcWindow::Resize(int width, int height, bool) {
  return m_pPlatformWindow && m_pPlatformWindow->Resize(width, height);
}

bool CHfcWindow::GlobalToLocal(tagHfcPoint* point) {
  if (!m_pPlatformWindow || !point) return false;
  const os::WindowPoint origin = m_pPlatformWindow->ScreenOrigin();
  point->x -= origin.x;
  point->y -= origin.y;
  return true;
}

bool CHfcWindow::LocalToGlobal(tagHfcPoint* point) {
  if (!m_pPlatformWindow || !point) return false;
  const os::WindowPoint origin = m_pPlatformWindow->ScreenOrigin();
  point->x += origin.x;
  point->y += origin.y;
  return true;
}

// ---- Layers ----

bool CHfcWindow::AddLayer(CHfcWindowLayer* layer, bool redraw) {
  if (!layer || GetLayerIndex(layer) >= 0) return false;
  m_layers.push_back(layer);
  ++m_uStackChanges;
  layer->SetParentWindow(this);
  if (redraw) Update(nullptr);
  return true;
}

bool CHfcWindow::RemoveLayer(CHfcWindowLayer* layer, bool redraw) {
  const int index = GetLayerIndex(layer);
  if (index < 0) return false;
  layer->OnRemoveFromParent(this);
  layer->DetachFromStack();
  // The layer's own call may have changed the stack.
  auto it = std::find(m_layers.begin(), m_layers.end(), layer);
  if (it != m_layers.end()) m_layers.erase(it);
  ++m_uStackChanges;
  if (redraw) Update(nullptr);
  return true;
}

void CHfcWindow::RemoveAllLayers(bool redraw) {
  while (!m_layers.empty()) {
    CHfcWindowLayer* top = m_layers.back();
    if (!RemoveLayer(top, false)) m_layers.pop_back();
  }
  if (redraw) Update(nullptr);
}

bool CHfcWindow::ReplaceLayer(CHfcWindowLayer* old, CHfcWindowLayer* replacement, bool redraw) {
  const int index = GetLayerIndex(old);
  if (!replacement || index < 0) return false;
  old->OnRemoveFromParent(this);
  old->DetachFromStack();
  m_layers[static_cast<size_t>(index)] = replacement;
  ++m_uStackChanges;
  replacement->SetParentWindow(this);
  if (redraw) Update(nullptr);
  return false;
}

bool CHfcWindow::OrderLayer(CHfcWindowLayer* layer, int where, bool redraw) {
  const int index = GetLayerIndex(layer);
  if (index < 0) return false;
  if (where == 0) {
    m_layers.erase(m_layers.begin() + index);
    m_layers.push_back(layer);
  } else if (where == 1) {
    m_layers.erase(m_layers.begin() + index);
    m_layers.insert(m_layers.begin(), layer);
  }
  if (where == 0 || where == 1) ++m_uStackChanges;
  if (redraw) Update(nullptr);
  return true;
}

int CHfcWindow::GetLayerIndex(CHfcWindowLayer* layer) const {
  auto it = std::find(m_layers.begin(), m_layers.end(), layer);
  return (!layer || it == m_layers.end()) ? -1 : static_cast<int>(it - m_layers.begin());
}

CHfcWindowLayer* CHfcWindow::GetLayerByIndex(int index) const {
  if (index < 0 || index >= GetLayerCount()) return nullptr;
  return m_layers[static_cast<size_t>(index)];
}

// ---- Redrawing ----

bool CHfcWindow::DrawLayers(bool now) { return DrawLayers(nullptr, now); }

bool CHfcWindow::DrawLayers(const tagHfcRect* rect, bool now) {
  tagHfcRect r{0, 0, 0, 0};
  if (rect)
    r = *rect;
  else
    GetClientRect(&r);
  if (now)
    Update(&r);
  else
    AddUpdateRect(&r);
  return true;
}

void CHfcWindow::Update(tagHfcRect* rect) {
  if (!m_pPlatformWindow) return;
  tagHfcRect r{0, 0, 0, 0};
  if (rect)
    r = *rect;
  else
    GetClientRect(&r);
  if (m_bViewMode) {
    if (!IsEmpty(r)) m_pPlatformWindow->Invalidate({r.left, r.top, r.right, r.bottom});
    return;
  }
  DrawNow(r);
}

void CHfcWindow::DrawNow(const tagHfcRect& area) {
  if (!EnsurePicture()) return;
  tagHfcRect client{0, 0, 0, 0};
  GetClientRect(&client);
  tagHfcRect r = Clip(Clip(area, client),
                      {0, 0, m_pPicture->GetBmp()->GetWidth(), m_pPicture->GetBmp()->GetHeight()});
  if (IsEmpty(r)) return;
  ClearArea(m_pPicture->GetBmp(), r);
  OnUpdate(m_pPicture.get(), &r);
  OnPostUpdate(m_pPicture.get(), &r);
}

void CHfcWindow::AddUpdateRect(const tagHfcRect* rect) {
  tagHfcRect r{0, 0, 0, 0};
  if (rect)
    r = *rect;
  else
    GetClientRect(&r);
  if (m_iUpdateMethod == 0) {
    if (m_rcUnion.right - m_rcUnion.left <= 0) {
      m_rcUnion = r;
    } else {
      m_rcUnion = {std::min(m_rcUnion.left, r.left), std::min(m_rcUnion.top, r.top),
                   std::max(m_rcUnion.right, r.right), std::max(m_rcUnion.bottom, r.bottom)};
    }
    return;
  }
  for (tagHfcRect& entry : m_updateRects) {
    if (Contains(entry, r)) return;
    if (Contains(r, entry)) {
      entry = r;
      return;
    }
  }
  m_updateRects.push_back(r);
}

void CHfcWindow::FlushUpdateRect() {
  if (m_iUpdateMethod == 0) {
    tagHfcRect r = m_rcUnion;
    m_rcUnion = {0, 0, 0, 0};
    if (IsEmpty(r)) return;
    Update(&r);
    return;
  }
  std::vector<tagHfcRect> rects;
  rects.swap(m_updateRects);
  if (m_bViewMode) {
    for (tagHfcRect& r : rects) Update(&r);
    return;
  }
  if (!m_pPlatformWindow || !EnsurePicture()) return;
  tagHfcRect client{0, 0, 0, 0};
  GetClientRect(&client);
  std::vector<tagHfcRect> drawn;
  for (const tagHfcRect& entry : rects) {
    tagHfcRect r = Clip(entry, client);
    if (IsEmpty(r)) continue;
    ClearArea(m_pPicture->GetBmp(), r);
    OnUpdate(m_pPicture.get(), &r);
    drawn.push_back(r);
  }
  // One flush for the whole list.
  for (const tagHfcRect& r : drawn) {
    m_pPlatformWindow->Present(m_pPicture->GetBmp()->LockPixels(), m_pPicture->GetBmp()->GetWidth(),
                               m_pPicture->GetBmp()->GetHeight(), {r.left, r.top, r.right, r.bottom});
    m_pPicture->GetBmp()->UnlockPixels();
  }
}

void CHfcWindow::SetUpdateMethod(int method) {
  if (method == 0 || method == 1) m_iUpdateMethod = method;
}

bool CHfcWindow::EnsurePicture() {
  if (!m_pPlatformWindow) return false;
  const int width = m_pPlatformWindow->Width();
  const int height = m_pPlatformWindow->Height();
  if (!m_pPicture) {
    auto picture = std::make_unique<CHfcOffscreenContext>(width, height);
    if (!picture->GetBmp()) return false;
    m_pPicture = std::move(picture);
    return true;
  }
  CHfcBmp* bmp = m_pPicture->GetBmp();
  if (bmp->GetWidth() != width || bmp->GetHeight() != height) return m_pPicture->Resize(width, height);
  return true;
}

void CHfcWindow::OnUpdate(CHfcDrawContext* context, tagHfcRect* rect) {
  if (!context || !rect) return;
  const int w = rect->right - rect->left;
  const int h = rect->bottom - rect->top;
  for (CHfcWindowLayer* layer : m_layers) {
    if (!layer->IsVisible() || !layer->GetOffscreen()) continue;
    const tagHfcRect& l = layer->GetRect();
    layer->GetOffscreen()->CopyToContext(context, rect->left, rect->top, w, h, rect->left - l.left,
                                         rect->top - l.top);
  }
}

void CHfcWindow::OnPostUpdate(CHfcDrawContext* context, tagHfcRect* rect) {
  if (!context || !rect) return;
  context->Flush();
  CHfcBmp* port = context->GetPort();
  if (!m_pPlatformWindow || !port) return;
  m_pPlatformWindow->Present(port->LockPixels(), port->GetWidth(), port->GetHeight(),
                             {rect->left, rect->top, rect->right, rect->bottom});
  port->UnlockPixels();
}

bool CHfcWindow::OnDestroy() {
  RemoveAllLayers(false);
  return true;
}

// ---- Timer ----

bool CHfcWindow::SetTimer(int ms) {
  if (m_timer != 0) return true;
  os::MainLoop* loop = os::MainLoop::Current();
  if (!loop) return false;
  m_timer = loop->AddTimer(0, static_cast<uint64_t>(std::max(ms, 1)), [this] { OnTimer(); });
  return m_timer != 0;
}

void CHfcWindow::KillTimer() {
  if (m_timer == 0) return;
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->RemoveTimer(m_timer);
  m_timer = 0;
}

// ---- Keyboard focus ----

bool CHfcWindow::SetFocus(CHfcKeyFocusListener* listener) {
  if (!m_pPlatformWindow) return false;
  return m_keyFocus.SetFocus(listener, m_pPlatformWindow);
}

bool CHfcWindow::ReleaseFocus(CHfcKeyFocusListener* who) {
  if (who && m_keyFocus.GetFocusedListener() != who) return false;
  m_keyFocus.ReleaseFocus();
  return true;
}

bool CHfcWindow::HoldKeyFocus(CHfcKeyFocusListener* holder) {
  if (!m_pPlatformWindow || !holder) return false;
  m_keyFocus.SetHolder(holder, m_pPlatformWindow);
  return SetFocus(holder);
}

void CHfcWindow::EndKeyHold(CHfcKeyFocusListener* holder) {
  if (holder && m_keyFocus.GetHolder() == holder) m_keyFocus.SetHolder(nullptr, nullptr);
}

bool CHfcWindow::IsFocused(const CHfcKeyFocusListener* listener) const {
  return m_keyFocus.IsFocused(listener);
}

// ---- Mouse ----

template <typename Call>
bool CHfcWindow::FirstLayerFromTopAt(int x, int y, Call call) {
  if (m_layers.empty()) return false;
  // A layer's handler may change the stack; walk a copy and skip layers
  // that have left it.
  const std::vector<CHfcWindowLayer*> layers = m_layers;
  for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
    CHfcWindowLayer* layer = *it;
    if (GetLayerIndex(layer) < 0 || !layer->IsVisible()) continue;
    const tagHfcRect& r = layer->GetRect();
    if (Holds(r, x, y) && call(layer, x - r.left, y - r.top)) return true;
  }
  return false;
}

bool CHfcWindow::RouteToLayers(LayerEntry entry, CHfcMouse* m, int x, int y, int mods) {
  return FirstLayerFromTopAt(
      x, y, [&](CHfcWindowLayer* layer, int lx, int ly) { return (layer->*entry)(m, lx, ly, mods); });
}

bool CHfcWindow::RoutePress(LayerEntry entry, CHfcMouse* m, int x, int y, int mods) {
  m_uStackAtPress = m_uStackChanges;
  return RouteToLayers(entry, m, x, y, mods);
}

bool CHfcWindow::RouteFollowUp(LayerEntry entry, CHfcMouse* m, int x, int y, int mods) {
  // The press may have opened or closed a layer (a dialog, a browser): the
  // rest of that click was not aimed at what now lies under the pointer.
  if (m_uStackAtPress != m_uStackChanges) return false;
  return RouteToLayers(entry, m, x, y, mods);
}

bool CHfcWindow::OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  return RoutePress(&CHfcWindowLayer::PreMouseLButtonDown, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  return RouteFollowUp(&CHfcWindowLayer::PreMouseLButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) {
  return RouteFollowUp(&CHfcWindowLayer::PreMouseLButtonUp, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) {
  return RoutePress(&CHfcWindowLayer::PreMouseRButtonDown, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseRButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  return RouteFollowUp(&CHfcWindowLayer::PreMouseRButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseRButtonUp(CHfcMouse* m, int x, int y, int mods) {
  return RouteFollowUp(&CHfcWindowLayer::PreMouseRButtonUp, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseMButtonDown(CHfcMouse* m, int x, int y, int mods) {
  return RoutePress(&CHfcWindowLayer::PreMouseMButtonDown, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseMButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  return RouteFollowUp(&CHfcWindowLayer::PreMouseMButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseMButtonUp(CHfcMouse* m, int x, int y, int mods) {
  return RouteFollowUp(&CHfcWindowLayer::PreMouseMButtonUp, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) {
  return RouteToLayers(&CHfcWindowLayer::PreMouseMove, m, x, y, mods);
}

bool CHfcWindow::OnHfcMouseWheelMoved(CHfcMouse* m, int x, int y, int axis, int delta, int mods) {
  return FirstLayerFromTopAt(x, y, [&](CHfcWindowLayer* layer, int lx, int ly) {
    return layer->PreMouseWheelMoved(m, lx, ly, axis, delta, mods);
  });
}

void CHfcWindow::RecordMouse(CHfcMouse* m, int gx, int gy, int mods) {
  if (!m) return;
  tagHfcPoint local{gx, gy};
  GlobalToLocal(&local);
  m->m_pOwnerWindow = this;
  m->m_ptGlobal = {gx, gy};
  m->m_ptWindow = local;
  m->m_iModifiers = mods;
}

CHfcMouseListener* CHfcWindow::MouseTarget() const {
  CHfcMouse* hub = CHfcMouse::sm_pInstance;
  if (hub && hub->GetCapture()) return hub->GetCapture();
  return const_cast<CHfcWindow*>(this);
}

bool CHfcWindow::RouteGlobal(LocalEntry local, CHfcMouse* m, int x, int y, int mods) {
  RecordMouse(m, x, y, mods);
  tagHfcPoint p{x, y};
  GlobalToLocal(&p);
  return (this->*local)(m, p.x, p.y, mods);
}

bool CHfcWindow::OnHfcMouseLButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindow::OnHfcMouseLButtonDown, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseLButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindow::OnHfcMouseLButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseLButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindow::OnHfcMouseLButtonUp, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseRButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindow::OnHfcMouseRButtonDown, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseRButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindow::OnHfcMouseRButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseRButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindow::OnHfcMouseRButtonUp, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseMButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindow::OnHfcMouseMButtonDown, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseMButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindow::OnHfcMouseMButtonDoubleClick, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseMButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindow::OnHfcMouseMButtonUp, m, x, y, mods);
}
bool CHfcWindow::OnHfcMouseMoveGlobal(CHfcMouse* m, int x, int y, int mods) {
  return RouteGlobal(&CHfcWindow::OnHfcMouseMove, m, x, y, mods);
}

bool CHfcWindow::OnHfcMouseLButtonDownGlobal(CHfcMouse* m) {
  if (!m_bViewMode || !m) return false;
  return OnHfcMouseLButtonDown(m, m->m_ptWindow.x, m->m_ptWindow.y, m->m_iModifiers);
}

bool CHfcWindow::OnHfcMouseRButtonDownGlobal(CHfcMouse* m) {
  if (!m_bViewMode || !m) return false;
  return OnHfcMouseRButtonDown(m, m->m_ptWindow.x, m->m_ptWindow.y, m->m_iModifiers);
}

bool CHfcWindow::OnHfcMouseWheelMovedGlobal(CHfcMouse* m, int x, int y, int axis, int delta,
                                            int mods) {
  tagHfcPoint p{x, y};
  GlobalToLocal(&p);
  return OnHfcMouseWheelMoved(m, p.x, p.y, axis, delta, mods);
}

// ---- Drags ----

template <typename Call>
bool CHfcWindow::FirstLayerFromBottom(Call call) {
  const std::vector<CHfcWindowLayer*> layers = m_layers;
  for (CHfcWindowLayer* layer : layers) {
    if (GetLayerIndex(layer) < 0 || !layer->IsVisible()) continue;
    if (call(layer)) return true;
  }
  return false;
}

template <typename LayerCall, typename LocalCall>
bool CHfcWindow::RouteDrag(int x, int y, LayerCall layerCall, LocalCall localCall) {
  if (FirstLayerFromBottom(layerCall)) return true;
  tagHfcPoint p{x, y};
  GlobalToLocal(&p);
  return localCall(p.x, p.y);
}

bool CHfcWindow::OnHfcDragTrackingEnterWindowGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor, int x,
                                                    int y, int mods, int* action) {
  return RouteDrag(
      x, y,
      [&](CHfcWindowLayer* l) {
        return l->OnHfcDragTrackingEnterWindowGlobal(drag, flavor, x, y, mods, action);
      },
      [&](int lx, int ly) {
        return OnHfcDragTrackingEnterWindow(drag, flavor, lx, ly, mods, action);
      });
}

bool CHfcWindow::OnHfcDragTrackingInWindowGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor, int x,
                                                 int y, int mods, int* action) {
  return RouteDrag(
      x, y,
      [&](CHfcWindowLayer* l) {
        return l->OnHfcDragTrackingInWindowGlobal(drag, flavor, x, y, mods, action);
      },
      [&](int lx, int ly) { return OnHfcDragTrackingInWindow(drag, flavor, lx, ly, mods, action); });
}

bool CHfcWindow::OnHfcDragTrackingLeaveWindowGlobal(CHfcDrag* drag) {
  return RouteDrag(
      0, 0, [&](CHfcWindowLayer* l) { return l->OnHfcDragTrackingLeaveWindowGlobal(drag); },
      [&](int, int) { return OnHfcDragTrackingLeaveWindow(drag); });
}

bool CHfcWindow::OnHfcDragReceiveGlobal(CHfcDrag* drag, CHfcDragFlavor* flavor, int x, int y,
                                        int mods, int* action) {
  return RouteDrag(
      x, y,
      [&](CHfcWindowLayer* l) {
        return l->OnHfcDragReceiveGlobal(drag, flavor, x, y, mods, action);
      },
      [&](int lx, int ly) { return OnHfcDragReceive(drag, flavor, lx, ly, mods, action); });
}

// ---- Platform events of a window of its own ----

void CHfcWindow::OnWindowMouse(const os::MouseEvent& e) {
  CHfcMouse* hub = CHfcMouse::sm_pInstance;
  CHfcMouseListener* target = MouseTarget();
  using Kind = os::MouseEvent::Kind;
  switch (e.kind) {
    case Kind::kDown: {
      // A press into an inactive window only activates it.
      if (!m_pPlatformWindow || !m_pPlatformWindow->HasFocus()) {
        if (hub) hub->ReleaseCapture();
        // Its release still belongs to the layers it found.
        m_uStackAtPress = m_uStackChanges;
        return;
      }
      if (hub) hub->m_iModifiers = e.mods;
      if (e.button == os::MouseButton::kNone) return;
      CHfcMouse::SendPressGlobal(target, hub, e, e.clickCount >= 2 && m_bClickSeen);
      m_bClickSeen = true;
      return;
    }
    case Kind::kUp: CHfcMouse::SendReleaseGlobal(target, hub, e); return;
    case Kind::kMove:
    case Kind::kDrag: target->OnHfcMouseMoveGlobal(hub, e.globalX, e.globalY, e.mods); return;
    case Kind::kWheel:
      target->OnHfcMouseWheelMovedGlobal(hub, e.globalX, e.globalY, e.wheelAxis, e.wheelDelta,
                                         e.mods);
      return;
  }
}

int CHfcWindow::TranslateKeyChar(int chr) {
  const auto c = static_cast<int8_t>(chr);
  switch (c) {
    case 127: return 46;
    case 28: return 37;
    case 29: return 39;
    case 30: return 38;
    case 31: return 40;
    default: return c;
  }
}

bool CHfcWindow::OnWindowKey(const os::KeyEvent& e) {
  if (m_keyFocus.OnPlatformKey(e) == kHfcEventHandled) return true;
  if (e.kind == os::KeyEvent::Kind::kUp || !CHfcKey::sm_pInstance) return false;
  return CHfcKey::sm_pInstance->OnKeyChar(TranslateKeyChar(e.chr), 0);
}

void CHfcWindow::OnWindowFocus(bool gained) {
  m_keyFocus.OnPlatformFocus(gained);
  if (gained) {
    ToFront(this);
    OnActivated();
  } else {
    OnDeactivated();
    m_bClickSeen = false;
  }
}

int CHfcWindow::OnWindowDrag(const os::DragEvent& e) {
  CHfcDrag* hub = CHfcDrag::sm_pInstance;
  if (!hub) return 0;
  m_iDragEffect = 0;
  CHfcDragFlavor flavor;
  flavor.Create(32, 32);
  flavor.SetReceived(true);
  if (e.items) {
    // The index counts the entries added, across all items.
    int index = 0;
    for (const os::DragItem& item : *e.items) {
      const bool added =
          item.type == CHfcDragFlavor::kFileType
              ? flavor.AddFilePath(item.path, index)
              : flavor.AddData(item.type, item.data.data(), static_cast<int>(item.data.size()), index);
      if (added) ++index;
    }
  }
  using Kind = os::DragEvent::Kind;
  switch (e.kind) {
    case Kind::kEnter:
      OnHfcDragTrackingEnterWindowGlobal(hub, &flavor, e.globalX, e.globalY, e.mods, &m_iDragEffect);
      break;
    case Kind::kOver:
      OnHfcDragTrackingInWindowGlobal(hub, &flavor, e.globalX, e.globalY, e.mods, &m_iDragEffect);
      break;
    case Kind::kLeave: OnHfcDragTrackingLeaveWindowGlobal(hub); break;
    case Kind::kDrop:
      OnHfcDragReceiveGlobal(hub, &flavor, e.globalX, e.globalY, e.mods, &m_iDragEffect);
      break;
  }
  if (m_pPlatformWindow) m_pPlatformWindow->SetCursor(CursorForEffect(m_iDragEffect));
  return m_iDragEffect;
}

void CHfcWindow::OnWindowExpose(const os::WindowRect& area) {
  DrawNow({area.left, area.top, area.right, area.bottom});
}

void CHfcWindow::OnWindowClose() {
  // Only a window of its own goes; the editor's window belongs to the host.
  if (OnClose() && m_pOwnWindow) Destroy();
}

void CHfcWindow::OnWindowBoundsChanging(os::WindowRect* bounds, bool sized, bool moved) {
  int x = bounds->left;
  int y = bounds->top;
  int w = bounds->right - bounds->left;
  int h = bounds->bottom - bounds->top;
  if (sized) OnSizeChanging(&w, &h);
  if (moved) OnMoving(&x, &y);
  *bounds = {x, y, x + w, y + h};
}

void CHfcWindow::OnWindowBoundsChanged(const os::WindowRect& bounds, bool sized, bool moved) {
  if (sized) OnSizeChanged(bounds.right - bounds.left, bounds.bottom - bounds.top);
  if (moved) OnMoved(bounds.left, bounds.top);
}

bool CHfcWindow::OnWindowCollapse(bool collapsed) { return collapsed ? OnCollapse() : OnExpand(); }
