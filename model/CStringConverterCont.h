#pragma once
// Continuous values shown through range rules: each line of the format maps
// a raw range onto a shown range and prints it with a printf format whose
// arguments are expressions in v (see mathexp).
#include <string>
#include <vector>

#include "model/IStringConverter.h"

class CStringConverterCont : public IStringConverter {
 public:
  struct entry {
    int32_t rawLow;
    int32_t rawHigh;
    float shownLow;
    float shownHigh;
    std::string format;
    std::vector<std::string> expressions;
  };

  CStringConverterCont(unsigned char pmid, int min, int max, const char* format);
  std::string Format(int value) const override;
  int Parse(const char* text) const override;
  std::pair<int32_t, int32_t> Range() const override { return {m_min, m_max}; }

  const std::vector<entry>& Entries() const { return m_entries; }

 private:
  std::vector<entry> m_entries;
  int32_t m_min;
  int32_t m_max;
};
