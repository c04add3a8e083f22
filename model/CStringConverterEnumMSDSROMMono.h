#pragma once
// The synthesizer's ROM mono multisamples, numbered "0000:" on.
#include <string>

#include "model/CStringConverterEnumImplBaseT.h"
#include "model/CStringConverterEnumMSDSROMMonoData.h"

class CStringConverterEnumMSDSROMMono
    : public CStringConverterEnumImplBaseT<CStringConverterEnumMSDSROMMono> {
 public:
  // Binds the ROM directory; the argument makes no difference.
  void Init(bool drum);
  // Binds another directory of the same layout.
  void Init(const SMSDSROMImage& image);

  int count() const { return static_cast<int>(m_image.multisampleCount); }
  std::string getat(int i) const;
  static std::string getprefix(int i);

  int Use2ndStart(int i) const;
  bool IsCompressSample(int i) const;

 private:
  const unsigned char* Row(int i) const;
  SMSDSROMImage m_image{};
};
