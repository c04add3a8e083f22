#pragma once
// The program edit buffer as the product has it: the effect slots, the
// effect routing rules, the values carried in parameter-change messages
// and a block of page-0 values held by the section itself.
#include <cstdint>

#include "model/CIFXRouting.h"
#include "model/COskendFXSlots.h"
#include "model/CProgEditSectionImpl.h"

class OskendCRTCSectionImpl;

class OskendCProgEditSectionImpl : public CProgEditSectionImpl {
 public:
  static constexpr int kMidiId = 3;
  static constexpr unsigned kPage0Size = 43;

  void Init(IHostProxy* host, OskendCRTCSectionImpl* rtc, Oskend::ISection* progPlay,
            Oskend::CHUNK_REMOTESYNTH image);

  int GetOSCMode() override;
  bool FindSectionByPID(int id, Oskend::ISection** out) override;
  Oskend::ISection* GetIFX1() override { return &m_fx.IFX(0); }
  Oskend::ISection* GetIFX2() override { return &m_fx.IFX(1); }
  Oskend::ISection* GetIFX3() override { return &m_fx.IFX(2); }
  Oskend::ISection* GetIFX4() override { return &m_fx.IFX(3); }
  Oskend::ISection* GetIFX5() override { return &m_fx.IFX(4); }
  Oskend::ISection* GetMFX1() override { return &m_fx.MFX1(); }
  Oskend::ISection* GetMFX2() override { return &m_fx.MFX2(); }
  Oskend::ISection* GetTFX() override { return &m_fx.TFX(); }

  void OnReinitialized(const Oskend::SModeChangeInfo* info) override;
  void OnParamChanged(int id, eChgSource source) override;
  void InitSolo() override;
  bool PrepareParamDesc(unsigned index, SParamDesc* out) override;
  void SendMIDIParam(const SParamDesc& row) override;
  void OnRcvMIDIParam(int id, int value, eChgSource source) override;

  void UpdateFXType();
  void OnParamChangedForIFX(int typeId, eChgSource source);
  void DisableIFXParamByChainTo(int destination, SParamDesc* row);

 private:
  // Routing values as stored, without this section's rules.
  CIFXRouting::Reader TypeReader();
  // The sub-section that owns the id's page, or null for this section.
  Oskend::ISection* SubSection(int id);

  OskendCRTCSectionImpl* m_rtc = nullptr;
  std::uint8_t m_editorState[3] = {0, 0, 0};
  std::uint8_t m_savedPage0[8] = {};
  COskendFXSlots m_fx;
  std::uint8_t m_page0[kPage0Size] = {};
};
