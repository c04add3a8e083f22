#pragma once
// A list of names; the values are the positions 0..n-1 (the raw values the
// field stores are the accessor's business).
#include <string>
#include <vector>

#include "model/IStringConverter.h"

class CStringConverterEnum : public IStringConverter {
 public:
  CStringConverterEnum(unsigned char pmid, int min, int max, const char* format);
  std::string Format(int value) const override;
  int Parse(const char* text) const override;
  std::pair<int32_t, int32_t> Range() const override;

 private:
  std::vector<std::string> m_longs;
  std::vector<std::string> m_shorts;
};
