#pragma once
// Converter over a computed list: Derived supplies count() and getat(i)
// (a display pair); values are the positions in the list.
#include <string>

#include "model/IStringConverter.h"
#include "model/mathutl.h"

template <class Derived>
class CStringConverterEnumImplBaseT : public IStringConverter {
 public:
  std::string Format(int value) const override {
    if (value < 0 || value >= self().count()) return mathutl::makemultisz("", "");
    return self().getat(value);
  }

  int Parse(const char* text) const override {
    int best = 0;
    int bestRank = 0;
    for (int i = 0; i < self().count(); ++i) {
      std::string pair = self().getat(i);
      int rank = mathutl::strcmprank(pair.c_str(), text);
      if (rank > bestRank) {
        bestRank = rank;
        best = i;
      }
    }
    return best;
  }

  std::pair<int32_t, int32_t> Range() const override { return {0, self().count() - 1}; }

 private:
  const Derived& self() const { return static_cast<const Derived&>(*this); }
};
