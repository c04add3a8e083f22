#pragma once
// The synthesizer's front-panel knobs: a tiny block of its own (panel page
// and knob values) and the knob values per MIDI channel.
#include <cstdint>

#include "model/CSectionImplBaseT.h"
#include "model/ISoundSection.h"
#include "model/RTCSTAT.h"

class CRTCSectionImpl : public CSectionImplBaseT<CRTCSectionImpl, Oskend::ISection> {
 public:
  static constexpr unsigned kBlockSize = 17;

  CRTCSectionImpl();

  virtual void Init(IHostProxy* host, Oskend::ISoundSection* progPlay,
                    Oskend::ISoundSection* progEdit, Oskend::ISoundSection* combi,
                    Oskend::ISoundSection* fourth, Oskend::ISection* global);
  void OnReinitialized(const Oskend::SModeChangeInfo* info) override;
  virtual void OnRcvMIDICC(std::uint8_t status, std::uint8_t cc, std::uint8_t value,
                           eChgSource source) {}
  virtual void OnRcvMasterVolume(unsigned volume) {}
  virtual bool SaveStat(Oskend::RTCSTAT* out);
  virtual bool RestoreStat(const Oskend::RTCSTAT& state, unsigned flags);
  virtual bool ResetStat(unsigned flags);
  virtual int GetCCResetValue(int cc);

  // True when a mode change should reset the knob state: a change between
  // the kinds of sound. The previous mode is one value for the program.
  static bool CheckModeForReset(const Oskend::SModeChangeInfo* info);

  Oskend::ISection* GetGlobalSection() const { return m_global; }

 protected:
  Oskend::ISoundSection* m_progPlay = nullptr;
  Oskend::ISoundSection* m_progEdit = nullptr;
  Oskend::ISoundSection* m_combi = nullptr;
  Oskend::ISoundSection* m_fourth = nullptr;
  Oskend::ISection* m_global = nullptr;
  std::uint8_t m_block[kBlockSize];
  Oskend::RTCSTAT m_stat;
};
