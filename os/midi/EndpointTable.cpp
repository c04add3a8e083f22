#include "os/midi/EndpointTable.h"

#include <algorithm>

#include "os/midi/EndpointUniqueId.h"

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

Status EndpointTable::Describe(EndpointId id, Property property, const char* system,
                               std::string* value) const {
  const Entry* e = Find(id);
  if (!e) return kErrNoSuchEndpoint;
  switch (property) {
    case Property::kName:
      *value = e->name;
      return kOk;
    case Property::kDeviceName:
      *value = e->deviceName;
      return kOk;
    case Property::kManufacturer:
      if (!e->manufacturer) return kErrNoProperty;
      *value = *e->manufacturer;
      return kOk;
    case Property::kModel:
      if (!e->model) return kErrNoProperty;
      *value = *e->model;
      return kOk;
    case Property::kUniqueId:
      *value = EndpointUniqueId::Text(EndpointUniqueId::Of(system, e->deviceName, e->name, e->source));
      return kOk;
  }
  return kErrNoProperty;
}

}  // namespace os::midi
