#pragma once
// The second master-effect slot. The parameters that the host may automate are
// also announced on the realtime-control section, whose sinks include the
// plug-in's automation.
#include "model/CFXSectionImpl.h"

class OskendCRTCSectionImpl;

class COskendMFX2FXSectionImpl : public CFXSectionImpl {
 public:
  COskendMFX2FXSectionImpl();
  void Init(IHostProxy* host, unsigned type, int midiId, int idBase, std::uint8_t* block,
            OskendCRTCSectionImpl* rtc);
  void OnParamChanged(int id, eChgSource source) override;
  bool PrepareParamDesc(unsigned index, SParamDesc* out) override;

 private:
  OskendCRTCSectionImpl* m_rtc = nullptr;
};
