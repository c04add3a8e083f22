#pragma once
// The synthesizer's ROM stereo multisamples or stereo drum samples,
// numbered "0000:" on.
#include <cstdint>
#include <string>

#include "model/CStringConverterEnumImplBaseT.h"

class CStringConverterEnumMSDSROMStereo
    : public CStringConverterEnumImplBaseT<CStringConverterEnumMSDSROMStereo> {
 public:
  struct SRow {
    char name[25];  // 24 characters, space-padded as stored
    uint32_t secondStart;
    uint8_t compressed;
  };

  // The drum sample list when drum is true, else the multisample list.
  void Init(bool drum);

  int count() const { return static_cast<int>(m_count); }
  std::string getat(int i) const;
  static std::string getprefix(int i);

  int Use2ndStart(int i) const;
  bool IsCompressSample(int i) const;

 private:
  const SRow* m_rows = nullptr;
  unsigned m_count = 0;
};
