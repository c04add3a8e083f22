#pragma once
// The realtime-control section the model creates: knob values kept per
// channel, panel ids that stand for a parameter of the program edit or
// combination section depending on the mode, and the control changes
// that move knobs and timbre parameters live.
#include "model/CRTCSectionImpl.h"

class OskendCRTCSectionImpl : public CRTCSectionImpl {
 public:
  // Kinds of panel ids.
  enum PanelKind { kPanelGroupSwitch = 0, kPanelKnob = 1, kPanelFX = 2 };

  void InitRTCStat();

  int GetParamI(int id) override;
  bool GetParamDesc(int id, SParamDesc* out) override;
  int PutParamIEx(int id, int value, unsigned flags, eChgSource source) override;
  std::string PutParamSEx(int id, const char* text, unsigned flags, eChgSource source) override;
  bool PrepareParamDesc(unsigned index, SParamDesc* out) override;

  void OnRcvMIDICC(std::uint8_t status, std::uint8_t cc, std::uint8_t value,
                   eChgSource source) override;
  bool RestoreStat(const Oskend::RTCSTAT& state, unsigned flags) override { return true; }
  bool ResetStat(unsigned flags) override { return true; }

  // The section and PID a panel id stands for in the current mode; null
  // (pid -1) when none.
  Oskend::ISection* GetTargetSectionAndPIdx(int page, int index, int* pid, int kind);
  // The global MIDI channel (0-15) of the link.
  int GetMIDIChannelHelper();

 private:
  bool IsCombiMode();
  bool IsProgMode();
  // The target of a panel id, or null when the id is not a panel id or has
  // no target now.
  Oskend::ISection* PanelTarget(int id, int* pid);
  static bool IsPanelId(int id);
  int ReadCombi(int pid);
  int WriteCombi(int pid, int value, unsigned flags, eChgSource source);
};
