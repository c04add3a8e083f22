#include "model/CStringConverterEnum.h"

#include "model/mathutl.h"

CStringConverterEnum::CStringConverterEnum(unsigned char, int, int, const char* format) {
  mathutl::breakenumstring(format, nullptr, &m_longs, &m_shorts);
}

std::string CStringConverterEnum::Format(int value) const {
  // A value outside the list (say, an unknown code read from data) shows
  // as empty text rather than reading past the names.
  if (value < 0 || static_cast<size_t>(value) >= m_longs.size())
    return mathutl::makemultisz("", "");
  return mathutl::makemultisz(m_longs[value].c_str(), m_shorts[value].c_str());
}

int CStringConverterEnum::Parse(const char* text) const {
  int best = 0;
  int bestRank = 0;
  for (size_t i = 0; i < m_longs.size(); ++i) {
    int rank = mathutl::strcmprank(m_longs[i].c_str(), text);
    if (rank > bestRank) {
      bestRank = rank;
      best = static_cast<int>(i);
    }
  }
  return best;
}

std::pair<int32_t, int32_t> CStringConverterEnum::Range() const {
  return {0, static_cast<int32_t>(m_longs.size()) - 1};
}
