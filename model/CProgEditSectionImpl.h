#pragma once
// The program edit buffer: the program's own parameters, with everything
// from the common block on served by the oscillator section.
#include "model/CProgEditOSCSectionImpl.h"
#include "model/CSectionImplBaseT.h"
#include "model/ISoundSection.h"

class CRTCSectionImpl;

class CProgEditSectionImpl : public CSectionImplBaseT<CProgEditSectionImpl, Oskend::ISoundSection> {
 public:
  static constexpr unsigned kSize = 1472;
  static constexpr int kOSCFirstPage = 0x0D;

  int GetIndexByParamID(int id) override;
  bool GetParamDesc(int id, SParamDesc* out) override;
  int GetParamI(int id) override;
  std::string GetParamS(int id) override;
  void OnReinitialized(const Oskend::SModeChangeInfo* info) override;
  void OnRcvMIDIParam(int id, int value, eChgSource source) override;
  virtual void InitSolo() {}

  bool FindSectionByPID(int id, Oskend::ISection** out) override;
  Oskend::ISection* GetOSC() override { return &m_osc; }

 protected:
  static bool IsOSCPage(int id) { return ((id >> 8) & 0xFF) >= kOSCFirstPage; }

  CRTCSectionImpl* m_rtcBase = nullptr;
  CProgEditOSCSectionImpl m_osc;
};
