#include "os/Scrap.h"

#include <map>
#include <mutex>

#include "os/Lock.h"

namespace os {
namespace {

struct Store {
  os::Lock lock;
  std::map<uint32_t, std::vector<uint8_t>> flavors;
};

Store& TheStore() {
  static Store store;
  return store;
}

}  // namespace

void Scrap::Clear() {
  Store& s = TheStore();
  std::lock_guard<os::Lock> hold(s.lock);
  s.flavors.clear();
}

bool Scrap::Put(uint32_t flavor, const void* data, size_t size) {
  if (data == nullptr && size > 0) return false;
  const auto* bytes = static_cast<const uint8_t*>(data);
  std::vector<uint8_t> copy(bytes, bytes + size);
  Store& s = TheStore();
  std::lock_guard<os::Lock> hold(s.lock);
  s.flavors[flavor] = std::move(copy);
  return true;
}

bool Scrap::Has(uint32_t flavor) {
  Store& s = TheStore();
  std::lock_guard<os::Lock> hold(s.lock);
  return s.flavors.count(flavor) != 0;
}

size_t Scrap::Size(uint32_t flavor) {
  Store& s = TheStore();
  std::lock_guard<os::Lock> hold(s.lock);
  auto it = s.flavors.find(flavor);
  return it == s.flavors.end() ? 0 : it->second.size();
}

bool Scrap::Get(uint32_t flavor, std::vector<uint8_t>* out) {
  Store& s = TheStore();
  std::lock_guard<os::Lock> hold(s.lock);
  auto it = s.flavors.find(flavor);
  if (it == s.flavors.end()) return false;
  if (out != nullptr) *out = it->second;
  return true;
}

}  // namespace os
