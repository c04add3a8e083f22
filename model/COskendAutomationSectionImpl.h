#pragma once
// The parameters the plug-in publishes to its host, one row per host
// parameter. It holds no data: values are read and written in the
// combination, whose PIDs the rows carry.
#include "model/CSectionImplBaseT.h"
#include "model/ISoundSection.h"

class OskendCRTCSectionImpl;

class COskendAutomationSectionImpl
    : public CSectionImplBaseT<COskendAutomationSectionImpl, Oskend::ISection> {
 public:
  void Init(IHostProxy* host, OskendCRTCSectionImpl* rtc, Oskend::ISoundSection* progPlay,
            Oskend::ISoundSection* combi);

  int GetParamI(int id) override;
  int PutParamI(int id, int value) override;
  std::string GetParamS(int id) override;
  // The extended writes forward as PutParamI does: the section has no
  // block of its own to write or send from.
  int PutParamIEx(int id, int value, unsigned flags, eChgSource source) override;
  std::string PutParamSEx(int id, const char* text, unsigned flags, eChgSource source) override;

 private:
  Oskend::ISection* Owner(int id);

  OskendCRTCSectionImpl* m_rtc = nullptr;
  Oskend::ISoundSection* m_progPlay = nullptr;
  Oskend::ISoundSection* m_combi = nullptr;
};
