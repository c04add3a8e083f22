#pragma once
// Process-wide store of converters keyed by everything that shapes them.
// Thread-safe; built on first use and kept until the program ends.
#include <string>

#include "model/paramdesc/SParamDesc.h"

class IStringConverter;

class CStringConverterPool {
 public:
  // The inputs that make a converter, and the key text they give.
  struct SCDESC {
    unsigned char pmid;
    PTYPE ptype;
    int min;
    int max;
    const char* format;
    std::string tostring() const;
  };

  static CStringConverterPool& Instance();

  // Null for kinds that have no converter.
  IStringConverter* Get(unsigned char pmid, PTYPE ptype, int min, int max, const char* format);

  CStringConverterPool(const CStringConverterPool&) = delete;
  CStringConverterPool& operator=(const CStringConverterPool&) = delete;

 private:
  CStringConverterPool();
  ~CStringConverterPool();
  struct Impl;
  Impl* m_impl;
};
