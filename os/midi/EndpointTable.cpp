#include "os/midi/EndpointTable.h"

#include <algorithm>

namespace os::midi {

std::vector<EndpointId> EndpointTable::Update(std::vector<Entry> now) {
  std::vector<bool> taken(entries_.size(), false);
  for (Entry& e : now) {
    e.id = 0;
    for (size_t i = 0; i < entries_.size() && e.id == 0; ++i) {
      if (taken[i] || entries_[i].source != e.source || entries_[i].key != e.key) continue;
      taken[i] = true;
      e.id = entries_[i].id;
    }
    if (e.id == 0) e.id = next_++;
  }
  std::vector<EndpointId> gone;
  for (const Entry& e : entries_) {
    const bool kept = std::any_of(now.begin(), now.end(), [&](const Entry& n) { return n.id == e.id; });
    if (!kept) gone.push_back(e.id);
  }
  entries_ = std::move(now);
  return gone;
}

size_t EndpointTable::Count(bool source) const {
  return static_cast<size_t>(
      std::count_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.source == source; }));
}

EndpointId EndpointTable::At(bool source, size_t index) const {
  for (const Entry& e : entries_) {
    if (e.source != source) continue;
    if (index-- == 0) return e.id;
  }
  return 0;
}

const EndpointTable::Entry* EndpointTable::Find(EndpointId id) const {
  if (id == 0) return nullptr;
  for (const Entry& e : entries_)
    if (e.id == id) return &e;
  return nullptr;
}

const EndpointTable::Entry* EndpointTable::FindKey(const std::string& key, bool source) const {
  for (const Entry& e : entries_)
    if (e.source == source && e.key == key) return &e;
  return nullptr;
}

}  // namespace os::midi
