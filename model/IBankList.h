#pragma once
// The banks of one kind of sound (programs or combinations).
#include "model/IBank.h"

namespace Oskend {

class IBankList {
 public:
  virtual ~IBankList() = default;
  virtual unsigned GetCount() const = 0;
  virtual IBank* GetAt(unsigned index) = 0;  // null when index >= count
};

}  // namespace Oskend
