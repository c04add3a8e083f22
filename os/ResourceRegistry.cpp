#include "os/ResourceRegistry.h"

#include <map>
#include <mutex>
#include <vector>

#include "os/Lock.h"

namespace os {

namespace {

// The master pointer must be the first member: a handle points at it.
struct Entry {
  void* master = nullptr;
  std::vector<unsigned char> bytes;
  int locks = 0;
};

os::Lock g_mutex;
std::map<std::pair<uint32_t, int16_t>, Entry>& Entries() {
  static std::map<std::pair<uint32_t, int16_t>, Entry> entries;
  return entries;
}

Entry* EntryOf(ResourceRegistry::Handle h) {
  for (auto& [key, e] : Entries())
    if (&e.master == h) return &e;
  return nullptr;
}

}  // namespace

bool ResourceRegistry::Register(uint32_t type, int16_t id, const void* data, size_t size) {
  std::lock_guard<os::Lock> g(g_mutex);
  auto [it, made] = Entries().try_emplace({type, id});
  if (!made) return false;
  const auto* p = static_cast<const unsigned char*>(data);
  it->second.bytes.assign(p, p + size);
  // Even an empty resource has a block, so its handle is not "purged".
  if (it->second.bytes.empty()) it->second.bytes.reserve(1);
  it->second.master = it->second.bytes.data();
  return true;
}

ResourceRegistry::Handle ResourceRegistry::Get(uint32_t type, int16_t id) {
  std::lock_guard<os::Lock> g(g_mutex);
  auto it = Entries().find({type, id});
  return it == Entries().end() ? nullptr : &it->second.master;
}

size_t ResourceRegistry::Size(Handle h) {
  std::lock_guard<os::Lock> g(g_mutex);
  Entry* e = EntryOf(h);
  return e ? e->bytes.size() : 0;
}

void* ResourceRegistry::Lock(Handle h) {
  std::lock_guard<os::Lock> g(g_mutex);
  Entry* e = EntryOf(h);
  if (!e) return nullptr;
  ++e->locks;
  return e->master;
}

void ResourceRegistry::Unlock(Handle h) {
  std::lock_guard<os::Lock> g(g_mutex);
  if (Entry* e = EntryOf(h); e && e->locks > 0) --e->locks;
}

int ResourceRegistry::LockCount(Handle h) {
  std::lock_guard<os::Lock> g(g_mutex);
  Entry* e = EntryOf(h);
  return e ? e->locks : 0;
}

}  // namespace os
