#include "os/DialogTemplate.h"

#include <deque>
#include <map>
#include <mutex>

#include "os/Lock.h"

namespace os {
namespace {

os::Lock g_mutex;
std::map<int, DialogTemplate>& Templates() {
  static std::map<int, DialogTemplate> t;
  return t;
}
std::deque<int>& Hits() {
  static std::deque<int> h;
  return h;
}

}  // namespace

void DialogTemplates::Define(int resourceId, DialogTemplate t) {
  std::lock_guard<os::Lock> g(g_mutex);
  Templates()[resourceId] = std::move(t);
}

std::optional<DialogTemplate> DialogTemplates::Load(int resourceId) {
  std::lock_guard<os::Lock> g(g_mutex);
  auto it = Templates().find(resourceId);
  if (it == Templates().end()) return std::nullopt;
  return it->second;
}

void ModalDialogHits::Script(int item) {
  std::lock_guard<os::Lock> g(g_mutex);
  Hits().push_back(item);
}

int ModalDialogHits::Next(int defaultItem) {
  std::lock_guard<os::Lock> g(g_mutex);
  if (Hits().empty()) return defaultItem;
  const int hit = Hits().front();
  Hits().pop_front();
  return hit;
}

void ModalDialogHits::Reset() {
  std::lock_guard<os::Lock> g(g_mutex);
  Hits().clear();
}

}  // namespace os
