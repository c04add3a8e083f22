#pragma once
// Everything of the edited program from its common block on (oscillator
// mode, pitch, filter, amplifier, LFOs, AMS mixers, key tracking), with the
// rules that lock or hide what the current settings make meaningless.
#include <atomic>

#include "model/CSectionImplBaseT.h"
#include "model/CStringConverterEnumMSDSROMMono.h"
#include "model/CStringConverterEnumMSDSROMStereo.h"
#include "model/ChunkRemoteSynth.h"
#include "model/ISection.h"

class CProgEditOSCSectionImpl
    : public CSectionImplBaseT<CProgEditOSCSectionImpl, Oskend::ISection> {
 public:
  static constexpr unsigned kOffset = 620;  // in the program
  static constexpr unsigned kSize = 852;

  CProgEditOSCSectionImpl();

  void Init(IHostProxy* host, int midiId, Oskend::ISection* progPlay,
            Oskend::CHUNK_REMOTESYNTH image);
  void OSCInit(IHostProxy* host, int midiId, Oskend::CHUNK_PROG program);
  // Re-selects the table when the oscillator mode changed.
  void UpdateOSCType(int mode);

  int GetOSCMode() override;
  void OnReinitialized(const Oskend::SModeChangeInfo* info) override;
  void OnParamChanged(int id, eChgSource source) override;
  bool PrepareParamDesc(unsigned index, SParamDesc* out) override;

 private:
  void PrepareMultisample(SParamDesc* out, int page, int zoneOffset, int m);
  void PrepareDependencies(SParamDesc* out, int m);
  void PropsChanged(int id) { PostEvent(kEventPropsChanged, id); }
  void PropsChanged(int first, int last) {
    for (int id = first; id <= last; ++id) PostEvent(kEventPropsChanged, id);
  }

  Oskend::CHUNK_PROG m_program;
  // Kept by the thread that re-reads the program (main or MIDI).
  std::atomic<int> m_mode{0};
  CStringConverterEnumMSDSROMMono m_mono;
  CStringConverterEnumMSDSROMStereo m_stereo;
  Oskend::ISection* m_progPlay = nullptr;
  std::atomic<int> m_lastMode{0};
};
