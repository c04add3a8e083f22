#pragma once
// Reads and writes one numeric field of a raw data block at a byte offset.
#include "model/IAccessor.h"

class IAccessorI : public IAccessor {
 public:
  // The stored field after the read rule; 0 without a block.
  virtual int GetRaw(const void* block, unsigned offset) const = 0;
  // Writes only the field's bits and returns the value as it now reads back.
  virtual int PutRaw(void* block, unsigned offset, int value) const = 0;
  virtual int Get(const void* block, unsigned offset) const = 0;
  virtual int Put(void* block, unsigned offset, int value) const = 0;
};
