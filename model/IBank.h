#pragma once
// A named bank of sounds.
#include <string>

#include "model/ISound.h"

namespace Oskend {

class IBank {
 public:
  virtual ~IBank() = default;
  virtual std::string GetName() const = 0;
  virtual unsigned GetCount() const = 0;
  virtual ISound* GetAt(unsigned index) = 0;  // null when index >= count
};

}  // namespace Oskend
