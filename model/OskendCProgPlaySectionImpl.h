#pragma once
// The program that is playing: its name, read from the program edit
// buffer, and its oscillator mode. Sends nothing and takes nothing from
// the hardware.
#include "model/CProgPlaySectionImpl.h"
#include "model/CStringConverterEnumCombiMIDICh.h"
#include "model/ChunkRemoteSynth.h"

class OskendCRTCSectionImpl;

class OskendCProgPlaySectionImpl : public CProgPlaySectionImpl {
 public:
  void Init(IHostProxy* host, OskendCRTCSectionImpl* rtc, Oskend::ISection* progEdit,
            Oskend::CHUNK_REMOTESYNTH image);

  int GetOSCMode() override;
  void OnReinitialized(const Oskend::SModeChangeInfo* info) override;
  void OnRcvMIDIParam(int id, int value, eChgSource source) override {}

 private:
  OskendCRTCSectionImpl* m_rtc = nullptr;
  CStringConverterEnumCombiMIDICh m_channelConverter;
};
