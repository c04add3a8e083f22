#pragma once
// Process-wide store of accessors: one object per distinct field shape,
// shared by every row, table and section. Thread-safe; built on first use
// and kept until the program ends.
#include <cstdint>

#include "model/paramdesc/SParamDesc.h"

class IAccessor;

class CAccessorPool {
 public:
  static CAccessorPool& Instance();

  // Null when no accessor applies to the kinds.
  IAccessor* Get(unsigned char pmid, PTYPE ptype, ATYPE atype, unsigned low,
                 unsigned high, const char* format);

  CAccessorPool(const CAccessorPool&) = delete;
  CAccessorPool& operator=(const CAccessorPool&) = delete;

 private:
  CAccessorPool();
  ~CAccessorPool();
  struct Impl;
  Impl* m_impl;
};
