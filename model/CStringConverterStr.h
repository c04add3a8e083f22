#pragma once
// Plain decimal numbers, for rows whose value is text.
#include "model/IStringConverter.h"

class CStringConverterStr : public IStringConverter {
 public:
  std::string Format(int value) const override;
  int Parse(const char* text) const override;
  std::pair<int32_t, int32_t> Range() const override { return {0, 0}; }
};
