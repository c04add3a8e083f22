#include "model/CStringConverterEnumCombiMIDICh.h"

std::atomic<int> CStringConverterEnumCombiMIDICh::s_globalChannel{0};

void CStringConverterEnumCombiMIDICh::SetGlobalChannel(int channel) {
  s_globalChannel.store(channel & 15, std::memory_order_relaxed);
}

int CStringConverterEnumCombiMIDICh::GetGlobalChannel() {
  return s_globalChannel.load(std::memory_order_relaxed);
}

void CStringConverterEnumCombiMIDICh::Init(const char* shortText) {
  m_shortText = shortText != nullptr ? shortText : "";
}

std::string CStringConverterEnumCombiMIDICh::PrintLongMIDIch(int i) const {
  if (i == kGlobalEntry) return "Global Channel";
  if (i == GetGlobalChannel()) return mathutl::formatstring("%dG", i + 1);
  return mathutl::formatstring("%d", i + 1);
}

std::string CStringConverterEnumCombiMIDICh::PrintShortMIDIch(int i) const {
  return i == kGlobalEntry ? m_shortText : PrintLongMIDIch(i);
}

std::string CStringConverterEnumCombiMIDICh::getat(int i) const {
  return mathutl::makemultisz(PrintLongMIDIch(i).c_str(), PrintShortMIDIch(i).c_str());
}
