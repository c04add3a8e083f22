#include "model/CBankListImpl.h"

#include <cstring>

void CBankListImpl::AddBanks(unsigned nBanks, unsigned soundsPerBank, const char* names, void* data,
                             unsigned bytes) {
  if (nBanks == 0) return;
  const unsigned each = bytes / nBanks;
  auto* p = static_cast<unsigned char*>(data);
  const char* name = names;
  banks_.reserve(banks_.size() + nBanks);
  for (unsigned i = 0; i < nBanks; ++i) {
    const bool hasName = name != nullptr && *name != '\0';
    CBankImpl& bank = banks_.emplace_back();
    bank.Init(hasName ? name : "", soundsPerBank,
              p != nullptr ? p + static_cast<std::size_t>(i) * each : nullptr, each);
    if (hasName)
      name += std::strlen(name) + 1;
    else
      name = nullptr;  // the list has ended: never read past its closing NUL
  }
}

unsigned CBankListImpl::GetCount() const { return static_cast<unsigned>(banks_.size()); }

Oskend::IBank* CBankListImpl::GetAt(unsigned index) {
  return index < banks_.size() ? &banks_[index] : nullptr;
}
