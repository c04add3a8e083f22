#pragma once
// A timbre's MIDI channel list: channels 1-16, the synthesizer's current
// global channel marked with G, and a last entry for "follow the global
// channel".
#include <atomic>
#include <string>

#include "model/CStringConverterEnumImplBaseT.h"

class CStringConverterEnumCombiMIDICh
    : public CStringConverterEnumImplBaseT<CStringConverterEnumCombiMIDICh> {
 public:
  static constexpr int kGlobalEntry = 16;

  // Shared by every instance; keeps the low four bits.
  static void SetGlobalChannel(int channel);
  static int GetGlobalChannel();

  // The short text of the global entry.
  void Init(const char* shortText);

  int count() const { return 17; }
  std::string getat(int i) const;
  std::string PrintLongMIDIch(int i) const;
  std::string PrintShortMIDIch(int i) const;

 private:
  static std::atomic<int> s_globalChannel;
  std::string m_shortText;
};
