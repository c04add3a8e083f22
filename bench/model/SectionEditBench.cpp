// One edit on the program edit section, from PutParamI through the row's
// rules, the write into the image and the change notice, to the 18 bytes
// of the parameter change that the transport is handed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "model/CGlobalSectionImpl.h"
#include "model/COskendAutomationSectionImpl.h"
#include "model/CSetupSectionImpl.h"
#include "model/IRemoteMIDI.h"
#include "model/InitChunks.h"
#include "model/OskendCCombiPlaySectionImpl.h"
#include "model/OskendCProgEditSectionImpl.h"
#include "model/OskendCProgPlaySectionImpl.h"
#include "model/OskendCRTCSectionImpl.h"
#include "os/MainLoop.h"
#include "platform/IAsyncDispatch.h"
#include "remote/SXRequest.h"
#include "tests/support/simsynth/NullRemoteMIDI.h"

namespace {

// Builds the wire bytes as the transport would and keeps the last ones.
class WireMIDI : public vesk::test::NullRemoteMIDI {
 public:
  int GetGlobalChannel() override { return 0; }
  void SetGlobalChannel(int) override {}
  int SendParamChange(std::uint8_t section, int id, int value) override {
    last = Oskend::SXRequest::ParamChange(0, section, id, value).Wire();
    ++count;
    return 0;
  }
  std::vector<std::uint8_t> last;
  long count = 0;
};

class BenchHost : public IHostProxy {
 public:
  BenchHost() : image(Oskend::CHUNK_REMOTESYNTH::kSize, 0), disp(AsyncDispatchCreate()) {
    Oskend::InitAllChunk(Image());
  }
  IAsyncDispatch* GetDisp() override { return disp.get(); }
  unsigned char GetPMID() override { return 0; }
  eMode GetRemoteMode() override { return eMode_ProgEdit; }
  int GetRemoteVirtualMode() override { return 2; }
  int GetRemoteSoundMode() override { return 2; }
  int GetRemoteTempo() override { return 10000; }
  Oskend::IRemoteMIDI* GetRemoteMidi() override { return &midi; }
  Oskend::CHUNK_REMOTESYNTH GetRawChunk() override { return Image(); }
  Oskend::CHUNK_REMOTESYNTH GetRawChunkROM() override { return {}; }
  void SetExtCtlState(Oskend::MIDIClock) override {}
  void SetBankMap(Oskend::BankMap) override {}
  void SetGlobalChannel(int) override {}
  bool GetStandAlone() override { return false; }
  Oskend::CHUNK_PROG GetProgramBankFromStorage(Oskend::eBankID) override { return {}; }
  Oskend::CHUNK_PROG GetProgramFromStorage(Oskend::eBankID b, int n) override {
    return Image().GetProg(b, n);
  }
  bool SetProgramToStorage(Oskend::eBankID, int, Oskend::CHUNK_PROG_CONST) override {
    return false;
  }
  Oskend::CHUNK_PROG GetProgramFromBuffer(Oskend::CHUNK_REMOTESYNTH, Oskend::eBankID,
                                          int) override {
    return {};
  }
  void LoadProgramFromStorage(Oskend::CHUNK_PROG, Oskend::CHUNK_PROG_CONST) override {}

  Oskend::CHUNK_REMOTESYNTH Image() { return Oskend::CHUNK_REMOTESYNTH(image.data()); }

  std::vector<std::uint8_t> image;
  std::unique_ptr<IAsyncDispatch> disp;
  WireMIDI midi;
};

struct Model {
  Model() {
    Oskend::CHUNK_REMOTESYNTH image = host.Image();
    rtc.Init(&host, &progPlay, &progEdit, &combi, nullptr, &global);
    global.Init(&host, &rtc, &progPlay, &progEdit, &combi, image);
    progPlay.Init(&host, &rtc, &progEdit, image);
    progEdit.Init(&host, &rtc, &progPlay, image);
    combi.Init(&host, &rtc, image, &progPlay, &progEdit);
  }
  os::MainLoop loop;
  BenchHost host;
  OskendCRTCSectionImpl rtc;
  CGlobalSectionImpl global;
  OskendCProgPlaySectionImpl progPlay;
  OskendCProgEditSectionImpl progEdit;
  OskendCCombiPlaySectionImpl combi;
};

// An edit of one of the program's own rows: IFX1's send 1 runs the chain
// rule, the bus select the value map.
void BM_ProgEditPutParamI(benchmark::State& state) {
  Model m;
  const int id = static_cast<int>(state.range(0));
  int v = 0;
  for (auto _ : state) {
    v = (v + 1) & 1;
    benchmark::DoNotOptimize(m.progEdit.PutParamI(id, v));
  }
  if (m.host.midi.last.size() != 18) state.SkipWithError("no parameter change");
  state.SetItemsProcessed(m.host.midi.count);
}
BENCHMARK(BM_ProgEditPutParamI)->Arg(0x0214)->Arg(0x020F)->Arg(0x0100);

// An oscillator edit as a page makes it: find the owner, then write.
void BM_ProgEditOSCPutParamI(benchmark::State& state) {
  Model m;
  m.progEdit.GetOSC()->PutParamIEx(0x1000, 1, 0x8000, eChgSource_Editor);  // zone on
  int v = 0;
  for (auto _ : state) {
    Oskend::ISection* owner = nullptr;
    m.progEdit.FindSectionByPID(0x1003, &owner);
    v = (v + 7) & 127;
    benchmark::DoNotOptimize(owner->PutParamI(0x1003, v));
  }
  if (m.host.midi.last.size() != 18) state.SkipWithError("no parameter change");
  state.SetItemsProcessed(m.host.midi.count);
}
BENCHMARK(BM_ProgEditOSCPutParamI);

}  // namespace
