#pragma once
// Generic base of the combination section over the combination edit
// buffer.
#include "model/CSectionImplBaseT.h"
#include "model/ChunkRemoteSynth.h"
#include "model/ISoundSection.h"

class CRTCSectionImpl;

class CCombiPlaySectionImpl
    : public CSectionImplBaseT<CCombiPlaySectionImpl, Oskend::ISoundSection> {
 public:
  static constexpr unsigned kSize = 1332;

  void Init(IHostProxy* host, CRTCSectionImpl* rtc, Oskend::CHUNK_REMOTESYNTH image,
            Oskend::ISection* progPlay, Oskend::ISection* progEdit);
  virtual void UpdateFXType() {}

 protected:
  CRTCSectionImpl* m_rtcBase = nullptr;
};
