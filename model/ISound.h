#pragma once
// One stored sound seen as a named run of bytes of the image.
#include <string>

namespace Oskend {

class ISound {
 public:
  virtual ~ISound() = default;
  virtual std::string GetName() const = 0;
  virtual unsigned RawSize() const = 0;
  // Both copy min(count, size - offset) bytes and return that number; an
  // offset at or past the end copies nothing.
  virtual unsigned RawGet(void* buffer, unsigned offset, unsigned count) const = 0;
  virtual unsigned RawPut(const void* buffer, unsigned offset, unsigned count) = 0;
};

}  // namespace Oskend
