#include "model/CBankImpl.h"

void CBankImpl::Init(const char* name, unsigned count, void* data, unsigned bytes) {
  name_ = name != nullptr ? name : "";
  AddSounds(count, data, bytes);
}

void CBankImpl::AddSounds(unsigned count, void* data, unsigned bytes) {
  if (count == 0) return;
  const unsigned each = bytes / count;
  auto* p = static_cast<unsigned char*>(data);
  sounds_.reserve(sounds_.size() + count);
  for (unsigned i = 0; i < count; ++i) {
    CSoundImpl& s = sounds_.emplace_back();
    s.Init(p != nullptr ? p + static_cast<std::size_t>(i) * each : nullptr, each);
  }
}

std::string CBankImpl::GetName() const { return name_; }

unsigned CBankImpl::GetCount() const { return static_cast<unsigned>(sounds_.size()); }

Oskend::ISound* CBankImpl::GetAt(unsigned index) {
  return index < sounds_.size() ? &sounds_[index] : nullptr;
}
