#pragma once
// A timbre of a combination: knob control changes, the group switch that
// always keeps one timbre of a group on, the bank select of external
// timbres and the report of automatable changes to the host.
#include "model/CTimbreStdSectionImpl.h"

class IStringConverter;

class CCombiTimbreSectionImpl : public CTimbreStdSectionImpl {
 public:
  void Init(IHostProxy* host, const TABLEDESC& table, int midiId, int idBase, std::uint8_t* block,
            unsigned size, const std::uint8_t* reference, Oskend::ISoundSection* sound,
            CRTCSectionImpl* rtc, Oskend::ISoundSection* combi, int index,
            IStringConverter* channelConverter);

  int GetKnobControlChange(int knob) override;
  int GetSwitchControlChange(int n) override { return 0; }
  int GetGlobalParameter(int id) override;
  int GetTimbre0ParamIdBase() override { return 0x200; }
  void PutParamPropsChangedForTimbreParam(int id) override;
  void OnParamChangedForTimbreProgNum(int id, int value, int old, eChgSource source) override;
  void OnParamChanged(int id, eChgSource source) override;
  bool PrepareParamDesc(unsigned index, SParamDesc* out) override;
  void OnReinitialized(const Oskend::SModeChangeInfo* info) override;
  int PutParamIEx(int id, int value, unsigned flags, eChgSource source) override;
  // Clears the timbre's editor-only switch (row 0x2A).
  void InitSolo() { m_local[0] = 0; }

 private:
  // True when writing 0 to this group switch would leave its group of six
  // timbres with none on.
  bool IsLastOfGroup(int id);

  Oskend::ISoundSection* m_combi = nullptr;
  std::uint8_t m_local[4] = {0, 0, 0, 0};
  IStringConverter* m_channelConverter = nullptr;
};
