#pragma once
// The combination edit buffer as the product has it: effect slots, the 16
// timbres, the effect routing rules and the values carried in
// parameter-change messages.
#include <cstdint>

#include "model/CCombiPlaySectionImpl.h"
#include "model/CCombiTimbreSectionImpl.h"
#include "model/CIFXRouting.h"
#include "model/COskendFXSlots.h"
#include "model/CSectionListImplBaseT.h"
#include "model/CStringConverterEnumCombiMIDICh.h"

class OskendCRTCSectionImpl;

class OskendCCombiPlaySectionImpl : public CCombiPlaySectionImpl {
 public:
  static constexpr int kTimbreCount = 16;

  OskendCCombiPlaySectionImpl();

  void Init(IHostProxy* host, OskendCRTCSectionImpl* rtc, Oskend::CHUNK_REMOTESYNTH image,
            Oskend::ISection* progPlay, Oskend::ISection* progEdit);

  int GetOSCMode() override { return -1; }
  bool FindSectionByPID(int id, Oskend::ISection** out) override;
  Oskend::ISection* GetIFX1() override { return &m_fx.IFX(0); }
  Oskend::ISection* GetIFX2() override { return &m_fx.IFX(1); }
  Oskend::ISection* GetIFX3() override { return &m_fx.IFX(2); }
  Oskend::ISection* GetIFX4() override { return &m_fx.IFX(3); }
  Oskend::ISection* GetIFX5() override { return &m_fx.IFX(4); }
  Oskend::ISection* GetMFX1() override { return &m_fx.MFX1(); }
  Oskend::ISection* GetMFX2() override { return &m_fx.MFX2(); }
  Oskend::ISection* GetTFX() override { return &m_fx.TFX(); }
  Oskend::ISectionList* GetTrack() override { return &m_timbres; }

  int GetGlobalParameter(int id);
  void InitSolo();
  void UpdateFXType() override;
  void OnReinitialized(const Oskend::SModeChangeInfo* info) override;
  void OnParamChanged(int id, eChgSource source) override;
  bool PrepareParamDesc(unsigned index, SParamDesc* out) override;
  void SendMIDIParam(const SParamDesc& row) override;
  void OnRcvMIDIParam(int id, int value, eChgSource source) override;
  virtual void DisableIFXParamByChainTo(int destination, SParamDesc* row);

 private:
  // Routing values as stored, without this section's rules.
  CIFXRouting::Reader TypeReader();
  // The sub-section that owns the id, or null for this section (timbre
  // pages of a missing timbre give null too; see FindSectionByPID).
  Oskend::ISection* Route(int id, bool* routed);

  COskendFXSlots m_fx;
  CSectionListImplBaseT<CCombiTimbreSectionImpl> m_timbres;
  CStringConverterEnumCombiMIDICh m_channelConverter;
  // Editor state of rows 0x010A, 0x0109, 0x010B, 0x010C.
  std::uint8_t m_state10A[4] = {};
  std::uint8_t m_state109[4] = {};
  std::uint8_t m_state10B[4] = {};
  std::uint8_t m_state10C[4] = {};
  OskendCRTCSectionImpl* m_rtc = nullptr;
};
