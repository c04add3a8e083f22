#include "model/CStringConverterEnumMSDSROMStereo.h"

#include <iterator>

namespace {

using SRow = CStringConverterEnumMSDSROMStereo::SRow;

const SRow kMultisamples[] = {
    {"A.Piano EqualTemp       ", 0, 1},
    {"A.Piano Stretched       ", 0, 1},
    {"Piano Damper EqualTemp  ", 1, 1},
    {"Piano Damper Stretched  ", 1, 1},
    {"Strings Ensemble        ", 2, 1},
    {"Brass Ensemble 1        ", 3, 1},
};

const SRow kDrumSamples[] = {
    {"BD-amb 1 mf             ", 1, 1}, {"BD-amb 1 f              ", 1, 1},
    {"BD-amb 2 mf             ", 1, 1}, {"BD-amb 2 f              ", 1, 1},
    {"SD-dry 1 p              ", 1, 1}, {"SD-dry 1 mp             ", 1, 1},
    {"SD-dry 1 mf             ", 1, 1}, {"SD-dry 1 f              ", 1, 1},
    {"SD-dry 1 ff             ", 1, 1}, {"SD-dry 1 fff            ", 1, 1},
    {"SD-Sidestick mf         ", 1, 1}, {"Tom 1-Floor mf          ", 1, 1},
    {"Tom 1-Lo f              ", 1, 1}, {"Tom 1-MidLo mf          ", 1, 1},
    {"Tom 1-MidLo f           ", 1, 1}, {"Tom 1-MidHi mf          ", 1, 1},
    {"Tom 1-MidHi f           ", 1, 1}, {"Tom 1-Hi mp             ", 1, 1},
    {"Tom 1-Hi mf             ", 1, 1}, {"Crash Cymbal 1 mf       ", 1, 1},
    {"Ride Cymbal 1           ", 1, 1}, {"Ride Cymbal 2           ", 1, 1},
    {"Ride Cymbal Cup 1       ", 1, 1}, {"Hand Claps 1            ", 1, 1},
};

}  // namespace

void CStringConverterEnumMSDSROMStereo::Init(bool drum) {
  m_rows = drum ? kDrumSamples : kMultisamples;
  m_count = drum ? std::size(kDrumSamples) : std::size(kMultisamples);
}

std::string CStringConverterEnumMSDSROMStereo::getprefix(int i) {
  return mathutl::formatstring("%04u:", static_cast<unsigned>(i));
}

std::string CStringConverterEnumMSDSROMStereo::getat(int i) const {
  if (i < 0 || i >= count()) return mathutl::makemultisz("", "");
  std::string text = getprefix(i) + m_rows[i].name;
  return mathutl::makemultisz(text.c_str(), text.c_str());
}

int CStringConverterEnumMSDSROMStereo::Use2ndStart(int i) const {
  return i >= 0 && i < count() ? static_cast<int>(m_rows[i].secondStart) : 0;
}

bool CStringConverterEnumMSDSROMStereo::IsCompressSample(int i) const {
  // Beyond the list counts as compressed, as the synthesizer reports it.
  return i < 0 || i >= count() || m_rows[i].compressed != 0;
}
