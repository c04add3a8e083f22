#include "model/CStringConverterEnumMSDSROMMono.h"

#include <cstdint>

namespace {
constexpr unsigned kMultisampleRow = 28;
constexpr unsigned kRelativeRow = 20;
constexpr unsigned kSampleRow = 64;
}  // namespace

void CStringConverterEnumMSDSROMMono::Init(bool) { Init(MSDSROMMonoImage()); }

void CStringConverterEnumMSDSROMMono::Init(const SMSDSROMImage& image) { m_image = image; }

const unsigned char* CStringConverterEnumMSDSROMMono::Row(int i) const {
  if (i < 0 || i >= count()) return nullptr;
  return m_image.multisamples + static_cast<unsigned>(i) * kMultisampleRow;
}

std::string CStringConverterEnumMSDSROMMono::getprefix(int i) {
  return mathutl::formatstring("%04u:", static_cast<unsigned>(i));
}

std::string CStringConverterEnumMSDSROMMono::getat(int i) const {
  const unsigned char* row = Row(i);
  if (row == nullptr) return mathutl::makemultisz("", "");
  std::string text = getprefix(i) + mathutl::extractchunkname(row + 4);
  return mathutl::makemultisz(text.c_str(), text.c_str());
}

int CStringConverterEnumMSDSROMMono::Use2ndStart(int i) const {
  const unsigned char* row = Row(i);
  return row == nullptr ? 0 : row[3];
}

bool CStringConverterEnumMSDSROMMono::IsCompressSample(int i) const {
  const unsigned char* row = Row(i);
  if (row == nullptr) return false;
  unsigned first = row[0] | (row[1] << 8);
  for (unsigned k = 0; k < row[2]; ++k) {
    // Indices from the directory are checked against its own lists: a
    // damaged row answers "not compressed" instead of reading past them.
    if (first + k >= m_image.relativeCount) return false;
    const unsigned char* rel = m_image.relatives + (first + k) * kRelativeRow;
    int s = static_cast<int16_t>(rel[0] | (rel[1] << 8));
    if (s < 0 || static_cast<unsigned>(s) >= m_image.sampleCount) return false;
    if (m_image.samples[static_cast<unsigned>(s) * kSampleRow + 7] & 1) return true;
  }
  return false;
}
