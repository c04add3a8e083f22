#pragma once
// A master or total effect slot. Its parameters that the host may automate
// are also announced on the realtime-control section, whose sinks include
// the plug-in's automation; a master slot without an effect hides them.
#include <array>

#include "model/CFXSectionImpl.h"

class OskendCRTCSectionImpl;

class COskendAutomatedFXSectionImpl : public CFXSectionImpl {
 public:
  void Init(IHostProxy* host, unsigned type, int midiId, int idBase, std::uint8_t* block,
            OskendCRTCSectionImpl* rtc);
  void OnParamChanged(int id, eChgSource source) override;
  bool PrepareParamDesc(unsigned index, SParamDesc* out) override;

 protected:
  // The automated ids, in both the program's and the combination's pages.
  COskendAutomatedFXSectionImpl(const TABLEDESC* types, unsigned typeCount,
                                std::span<const std::uint8_t> defaults,
                                std::array<int, 6> automated, bool hideWithoutEffect);

 private:
  bool IsAutomated(int id) const;

  std::array<int, 6> m_automated;
  bool m_hideWithoutEffect;
  OskendCRTCSectionImpl* m_rtc = nullptr;
};
