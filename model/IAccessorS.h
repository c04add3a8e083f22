#pragma once
// Reads and writes one fixed-size text field of a raw data block.
#include <string>

#include "model/IAccessor.h"

class IAccessorS : public IAccessor {
 public:
  virtual std::string Get(const void* block, unsigned offset) const = 0;
  virtual std::string Put(void* block, unsigned offset, const char* text) const = 0;
};
