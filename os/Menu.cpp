#include "os/Menu.h"

#include <deque>
#include <mutex>

#include "os/DefinitionRegistry.h"
#include "os/Lock.h"

namespace os {

namespace {

struct Choice {
  enum Kind { kNone, kAbort, kPath, kCommand } kind = kNone;
  std::vector<int> path;
  int command = 0;
};

os::Lock g_mutex;
Menu::Tracker g_tracker;
std::function<void()> g_cancel;
std::deque<Choice> g_script;
std::vector<HeadlessMenuTracker::Shown> g_transcript;
DefinitionRegistry<Menu>& Definitions() {
  static DefinitionRegistry<Menu> registry;
  return registry;
}

std::vector<Menu*>& LiveMenus() {
  static std::vector<Menu*> live;
  return live;
}

std::vector<HeadlessMenuTracker::ShownItem> Snapshot(const Menu& menu, int depth) {
  std::vector<HeadlessMenuTracker::ShownItem> out;
  for (const auto& it : menu.items()) {
    HeadlessMenuTracker::ShownItem s;
    s.text = it.text;
    s.command = it.command;
    s.separator = it.separator;
    s.disabled = !it.enabled;
    s.checked = it.mark != 0;
    if (it.submenu && depth < 16) s.submenu = Snapshot(*it.submenu, depth + 1);
    out.push_back(std::move(s));
  }
  return out;
}

uint32_t Selection(const Menu& menu, size_t index) {
  const Menu::Item& it = menu.items()[index];
  if (it.separator || !it.enabled || it.submenu) return 0;
  return (static_cast<uint32_t>(menu.id() & 0xFFFF) << 16) | static_cast<uint32_t>(index + 1);
}

uint32_t ChooseByPath(Menu& menu, const std::vector<int>& path) {
  Menu* m = &menu;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] < 0 || static_cast<size_t>(path[i]) >= m->items().size()) return 0;
    if (i + 1 == path.size()) return Selection(*m, static_cast<size_t>(path[i]));
    m = m->items()[static_cast<size_t>(path[i])].submenu;
    if (!m) return 0;
  }
  return 0;
}

uint32_t ChooseByCommand(Menu& menu, int command, int depth) {
  for (size_t i = 0; i < menu.items().size(); ++i) {
    const Menu::Item& it = menu.items()[i];
    if (it.submenu && depth < 16) {
      if (uint32_t s = ChooseByCommand(*it.submenu, command, depth + 1)) return s;
    } else if (!it.separator && it.command == command) {
      return Selection(menu, i);
    }
  }
  return 0;
}

Menu* FindIn(Menu& menu, int id, int depth) {
  if (menu.id() == id) return &menu;
  if (depth >= 16) return nullptr;
  for (auto& it : menu.items())
    if (it.submenu)
      if (Menu* m = FindIn(*it.submenu, id, depth + 1)) return m;
  return nullptr;
}

}  // namespace

Menu::Menu(int id) : id_(id) {
  std::lock_guard<os::Lock> g(g_mutex);
  LiveMenus().push_back(this);
}

Menu::~Menu() {
  std::lock_guard<os::Lock> g(g_mutex);
  auto& live = LiveMenus();
  for (auto it = live.begin(); it != live.end();) {
    if (*it == this) {
      it = live.erase(it);
      continue;
    }
    for (auto& item : (*it)->items_)
      if (item.submenu == this) item.submenu = nullptr;
    ++it;
  }
}

void Menu::Insert(int afterNumber, Item item) {
  size_t at = afterNumber < 0 ? 0 : static_cast<size_t>(afterNumber);
  if (at > items_.size()) at = items_.size();
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
}

Menu* Menu::FindById(int id) { return FindIn(*this, id, 0); }

Menu::TrackResult Menu::Track(int x, int y, int item) {
  Tracker t;
  {
    std::lock_guard<os::Lock> g(g_mutex);
    t = g_tracker;
  }
  if (t) return t(*this, x, y, item);
  return HeadlessMenuTracker::Track(*this, x, y, item);
}

void Menu::CancelTracking() {
  // The headless tracker answers at once, so there is never one under way.
  std::function<void()> cancel;
  {
    std::lock_guard<os::Lock> g(g_mutex);
    cancel = g_cancel;
  }
  if (cancel) cancel();
}

void Menu::SetTracker(Tracker t, std::function<void()> cancel) {
  std::lock_guard<os::Lock> g(g_mutex);
  g_tracker = std::move(t);
  g_cancel = std::move(cancel);
}

void Menu::Define(int resourceId, Definition d) { Definitions().Define(resourceId, std::move(d)); }

void Menu::Define(const std::string& file, const std::string& name, Definition d) {
  Definitions().Define(file, name, std::move(d));
}

std::unique_ptr<Menu> Menu::Load(int resourceId) { return Definitions().Load(resourceId); }

std::unique_ptr<Menu> Menu::Load(const std::string& file, const std::string& name) {
  return Definitions().Load(file, name);
}

void HeadlessMenuTracker::ScriptNone() {
  std::lock_guard<os::Lock> g(g_mutex);
  g_script.push_back({Choice::kNone, {}, 0});
}

void HeadlessMenuTracker::ScriptAbort() {
  std::lock_guard<os::Lock> g(g_mutex);
  g_script.push_back({Choice::kAbort, {}, 0});
}

void HeadlessMenuTracker::ScriptIndex(std::vector<int> path) {
  std::lock_guard<os::Lock> g(g_mutex);
  g_script.push_back({Choice::kPath, std::move(path), 0});
}

void HeadlessMenuTracker::ScriptCommand(int command) {
  std::lock_guard<os::Lock> g(g_mutex);
  g_script.push_back({Choice::kCommand, {}, command});
}

std::vector<HeadlessMenuTracker::Shown> HeadlessMenuTracker::Transcript() {
  std::lock_guard<os::Lock> g(g_mutex);
  return g_transcript;
}

void HeadlessMenuTracker::Reset() {
  std::lock_guard<os::Lock> g(g_mutex);
  g_script.clear();
  g_transcript.clear();
}

Menu::TrackResult HeadlessMenuTracker::Track(Menu& menu, int x, int y, int item) {
  std::lock_guard<os::Lock> g(g_mutex);
  Choice c;
  if (!g_script.empty()) {
    c = std::move(g_script.front());
    g_script.pop_front();
  }
  Menu::TrackResult r;
  switch (c.kind) {
    case Choice::kNone: break;
    case Choice::kAbort: r.aborted = true; break;
    case Choice::kPath: r.selection = ChooseByPath(menu, c.path); break;
    case Choice::kCommand: r.selection = ChooseByCommand(menu, c.command, 0); break;
  }
  Shown s;
  s.x = x;
  s.y = y;
  s.item = item;
  s.fit = menu.fit();
  s.menuId = menu.id();
  s.items = Snapshot(menu, 0);
  s.result = r;
  g_transcript.push_back(std::move(s));
  return r;
}

}  // namespace os
