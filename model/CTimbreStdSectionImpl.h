#pragma once
// One timbre's 44-byte record: which program it plays, on which channel,
// and which control changes reach it.
#include <atomic>
#include <cstdint>

#include "model/CSectionImplBaseT.h"
#include "model/ChunkProg.h"
#include "model/ISoundSection.h"
#include "model/eBankID.h"

class CRTCSectionImpl;

class CTimbreStdSectionImpl : public CSectionImplBaseT<CTimbreStdSectionImpl, Oskend::ISection> {
 public:
  void Init(IHostProxy* host, const TABLEDESC& table, int midiId, int idBase, std::uint8_t* block,
            unsigned size, const std::uint8_t* reference, Oskend::ISoundSection* sound,
            CRTCSectionImpl* rtc, int index);

  int GetParamI(int id) override;

  virtual int GetKnobControlChange(int knob) { return -1; }
  virtual int GetSwitchControlChange(int n) { return -1; }
  virtual int GetGlobalParameter(int id) { return -1; }
  virtual int GetTimbre0ParamIdBase() { return 0x200; }
  virtual void PutParamPropsChangedForTimbreParam(int id) {}
  virtual void OnParamChangedForTimbreProgNum(int id, int value, int old, eChgSource source) {}
  void OnParamChanged(int id, eChgSource source) override;
  bool PrepareParamDesc(unsigned index, SParamDesc* out) override;
  void SendMIDIParam(const SParamDesc& row) override;
  void OnRcvMIDIParam(int id, int value, eChgSource source) override;

  // Oscillator mode (0 single, 1 double, 2 drums) of the program the timbre
  // plays; 0 when the number addresses no program of the image.
  int GetCurTimbreProgOscMode(int id);
  int GetProgOscMode(int bank, int program);
  // The program record a running program number addresses: the edit buffer
  // for the current program, else the stored one; null when the number
  // addresses none.
  Oskend::CHUNK_PROG GetChunkProg(int value);

  void EnableControlChange(int cc);
  void DisableControlChange(int cc);
  bool IsEnableControlChange(int cc) const;
  static void CheckAndSetLocalFilter(int cc, bool on, std::uint32_t* pass, std::uint32_t* mask);
  static void CheckAndSetSpecifiedLocalFilter(int cc, bool on, std::uint32_t* pass,
                                              std::uint32_t* mask);
  static int GetSwitchCCNumFromAssign(int kind, int which);
  // Rebuilds the enabled control changes from the timbre's switches.
  void SetupControlChangeFilter(int id);

  int TimbreIndex() const { return m_index; }

 protected:
  int X(int id, int index) { return GetParamI((id & 0xFF00) | index); }
  void PropsChanged(int id, int index) { PostEvent(kEventPropsChanged, (id & 0xFF00) | index); }

  int m_index = 0;
  Oskend::ISoundSection* m_sound = nullptr;
  CRTCSectionImpl* m_rtc = nullptr;
  std::atomic<std::uint32_t> m_enabledCC[4] = {0, 0, 0, 0};

 private:
  Oskend::CHUNK_PROG ProgramAt(int bank, int program);
};
