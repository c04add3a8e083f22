#include "tests/support/simsynth/SimSynthParams.h"

#include "model/CGlobalSectionImpl.h"
#include "model/ChunkRemoteSynth.h"
#include "model/IHostProxy.h"
#include "model/OskendCCombiPlaySectionImpl.h"
#include "model/OskendCProgEditSectionImpl.h"
#include "model/OskendCProgPlaySectionImpl.h"
#include "model/OskendCRTCSectionImpl.h"
#include "model/eChgSource.h"

namespace vesk::test {

using namespace Oskend;

struct SimSynthParams::Sections : IHostProxy {
  explicit Sections(std::vector<uint8_t>& memory) : image(memory.data()) {
    rtc.Init(this, &progPlay, &progEdit, &combi, nullptr, &global);
    global.Init(this, &rtc, &progPlay, &progEdit, &combi, image);
    progPlay.Init(this, &rtc, &progEdit, image);
    progEdit.Init(this, &rtc, &progPlay, image);
    combi.Init(this, &rtc, image, &progPlay, &progEdit);
  }

  // No dispatcher: the sections' notices go nowhere.
  IAsyncDispatch* GetDisp() override { return nullptr; }
  unsigned char GetPMID() override { return 0; }
  eMode GetRemoteMode() override { return static_cast<eMode>(mode); }
  int GetRemoteVirtualMode() override { return mode; }
  int GetRemoteSoundMode() override { return mode < 2 ? 0 : 2; }
  int GetRemoteTempo() override { return 120; }
  IRemoteMIDI* GetRemoteMidi() override { return nullptr; }
  CHUNK_REMOTESYNTH GetRawChunk() override { return image; }
  CHUNK_REMOTESYNTH GetRawChunkROM() override { return image; }
  void SetExtCtlState(MIDIClock) override {}
  void SetBankMap(BankMap) override {}
  void SetGlobalChannel(int) override {}
  bool GetStandAlone() override { return false; }
  CHUNK_PROG GetProgramBankFromStorage(eBankID bank) override {
    return GetProgramFromStorage(bank, 0);
  }
  CHUNK_PROG GetProgramFromStorage(eBankID bank, int number) override {
    if (bank < 0 || bank > 3 || number < 0 || number > 127) return CHUNK_PROG();
    return image.GetProg(bank, number);
  }
  bool SetProgramToStorage(eBankID bank, int number, CHUNK_PROG_CONST src) override {
    CHUNK_PROG dst = GetProgramFromStorage(bank, number);
    if (!dst || !src) return false;
    dst.Assign(src);
    return true;
  }
  CHUNK_PROG GetProgramFromBuffer(CHUNK_REMOTESYNTH other, eBankID bank, int number) override {
    if (bank < 0 || bank > 3 || !other) return CHUNK_PROG();
    return other.GetProg(bank, number & 127);
  }
  void LoadProgramFromStorage(CHUNK_PROG dst, CHUNK_PROG_CONST src) override { dst.Assign(src); }

  CHUNK_REMOTESYNTH image;
  int mode = 0;
  CGlobalSectionImpl global;
  OskendCRTCSectionImpl rtc;
  OskendCProgPlaySectionImpl progPlay;
  OskendCProgEditSectionImpl progEdit;
  OskendCCombiPlaySectionImpl combi;
};

SimSynthParams::SimSynthParams(std::vector<uint8_t>& memory)
    : sections_(std::make_unique<Sections>(memory)) {}

SimSynthParams::~SimSynthParams() = default;

void SimSynthParams::Apply(uint8_t mode, uint8_t section, int id, int value) {
  Sections& s = *sections_;
  s.mode = mode;
  // The memory may have changed under the sections (dumps, writes): the
  // effect slots take the tables of the types stored now.
  s.progEdit.UpdateFXType();
  s.combi.UpdateFXType();
  switch (section) {
    case 0:
    case 1: s.combi.OnRcvMIDIParam(id, value, eChgSource_Synth); break;
    case 3: s.progEdit.OnRcvMIDIParam(id, value, eChgSource_Synth); break;
    case 6: s.global.OnRcvMIDIParam(id, value, eChgSource_Synth); break;
    default: break;
  }
}

}  // namespace vesk::test
