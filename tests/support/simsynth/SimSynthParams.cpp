#include "tests/support/simsynth/SimSynthParams.h"

#include <cstring>

#include "model/CGlobalSectionImpl.h"
#include "model/ChunkRemoteSynth.h"
#include "model/CombiTimbreTake.h"
#include "model/IHostProxy.h"
#include "model/OskendCCombiPlaySectionImpl.h"
#include "model/OskendCProgEditSectionImpl.h"
#include "model/OskendCProgPlaySectionImpl.h"
#include "model/OskendCRTCSectionImpl.h"
#include "model/eChgSource.h"

namespace vesk::test {

using namespace Oskend;

// The performance's split mode (0 Off).
constexpr int kSplitMode = 0x108;

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

namespace {

// What the instrument does by itself after a timbre of the performance got
// another program or was switched on.
void FollowTimbre(SimSynthParams::Sections& s, int id, int value) {
  auto param = [&s](int pid) {
    ISection* owner = nullptr;
    return s.combi.FindSectionByPID(pid, &owner) && owner ? owner->GetParamI(pid) : 0;
  };
  auto program = [&s](int bank, int number, unsigned offset, uint8_t* dst, unsigned count) {
    CHUNK_PROG p = s.GetProgramFromStorage(static_cast<eBankID>(bank), number);
    if (!p || offset + count > CHUNK_PROG::kSize) return false;
    std::memcpy(dst, p.data() + offset, count);
    return true;
  };
  auto put = [&s](unsigned offset, const uint8_t* src, unsigned count) {
    CHUNK_COMBI edit = s.image.GetCombiEditBuffer();
    if (offset + count <= CHUNK_COMBI::kSize) std::memcpy(edit.data() + offset, src, count);
  };
  const CombiTimbreTake take(param, program, put);
  for (int t = 0; t < CombiTimbreTake::kTimbres; ++t) {
    if (id == CombiTimbreTake::ProgramId(t)) {
      // Alone: the one timbre of the first six playing, without a split.
      int playing = 0;
      for (int k = 0; k < 6; ++k) playing += param(CombiTimbreTake::SwitchId(k)) != 0 ? 1 : 0;
      take.ProgramChanged(t, playing == 1 && param(kSplitMode) == 0);
    } else if (id == CombiTimbreTake::SwitchId(t) && value != 0) {
      take.SwitchedOn(t);
    }
  }
}

}  // namespace

void SimSynthParams::Apply(uint8_t mode, uint8_t section, int id, int value) {
  Sections& s = *sections_;
  s.mode = mode;
  // The memory may have changed under the sections (dumps, writes): the
  // effect slots take the tables of the types stored now.
  s.progEdit.UpdateFXType();
  s.combi.UpdateFXType();
  switch (section) {
    case 0:
    case 1:
      s.combi.OnRcvMIDIParam(id, value, eChgSource_Synth);
      FollowTimbre(s, id, value);
      break;
    case 3: s.progEdit.OnRcvMIDIParam(id, value, eChgSource_Synth); break;
    case 6: s.global.OnRcvMIDIParam(id, value, eChgSource_Synth); break;
    default: break;
  }
}

}  // namespace vesk::test
