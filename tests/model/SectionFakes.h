#pragma once
// Stand-ins around the sections: a host proxy owning an image and a real
// dispatcher, a transport that records every parameter change (and its
// wire bytes), and a sink that records notices.
#include <cstdint>
#include <memory>
#include <mutex>
#include <tuple>
#include <vector>

#include "model/IHostProxy.h"
#include "model/ISectionHostEvents.h"
#include "model/ISectionSink.h"
#include "platform/IAsyncDispatch.h"
#include "tests/support/simsynth/NullRemoteMIDI.h"

namespace sectiontest {

struct SentChange {
  int section;
  int id;
  int value;
  bool operator==(const SentChange&) const = default;
};

class RecordingMIDI : public vesk::test::NullRemoteMIDI {
 public:
  int GetGlobalChannel() override { return channel; }
  void SetGlobalChannel(int c) override { channel = c; }
  int SendParamChange(std::uint8_t section, int id, int value) override;

  int channel = 0;
  bool keepWire = true;
  std::vector<SentChange> sent;
  std::vector<std::vector<std::uint8_t>> wire;
};

class FakeHost : public IHostProxy, public Oskend::ISectionHostEvents {
 public:
  FakeHost();  // on the main thread: creates the dispatcher
  ~FakeHost() override;

  IAsyncDispatch* GetDisp() override { return disp.get(); }
  unsigned char GetPMID() override { return 0; }
  eMode GetRemoteMode() override { return mode; }
  int GetRemoteVirtualMode() override { return virtualMode; }
  int GetRemoteSoundMode() override { return mode <= 1 ? 0 : 2; }
  int GetRemoteTempo() override { return 10000; }
  Oskend::IRemoteMIDI* GetRemoteMidi() override { return &midi; }
  Oskend::CHUNK_REMOTESYNTH GetRawChunk() override { return Image(); }
  Oskend::CHUNK_REMOTESYNTH GetRawChunkROM() override { return Oskend::CHUNK_REMOTESYNTH(); }
  void SetExtCtlState(Oskend::MIDIClock c) override { extCtl.push_back(c); }
  void SetBankMap(Oskend::BankMap m) override { bankMap.push_back(m); }
  void SetGlobalChannel(int c) override { globalChannel.push_back(c); }
  bool GetStandAlone() override { return standalone; }
  Oskend::CHUNK_PROG GetProgramBankFromStorage(Oskend::eBankID b) override {
    return GetProgramFromStorage(b, 0);
  }
  Oskend::CHUNK_PROG GetProgramFromStorage(Oskend::eBankID b, int n) override;
  bool SetProgramToStorage(Oskend::eBankID, int, Oskend::CHUNK_PROG_CONST) override {
    return false;
  }
  Oskend::CHUNK_PROG GetProgramFromBuffer(Oskend::CHUNK_REMOTESYNTH, Oskend::eBankID,
                                          int) override {
    return Oskend::CHUNK_PROG();
  }
  void LoadProgramFromStorage(Oskend::CHUNK_PROG, Oskend::CHUNK_PROG_CONST) override {}

  void NeedAutomationAPI(short pid, short value) override { automation.emplace_back(pid, value); }
  void SetMIDIOUTtoDAW(bool on) override { midiOutToDAW.push_back(on); }
  void SetPrgChgToGUI(bool on) override { prgChgToGUI.push_back(on); }

  Oskend::CHUNK_REMOTESYNTH Image() { return Oskend::CHUNK_REMOTESYNTH(image.data()); }

  std::vector<std::uint8_t> image;
  std::unique_ptr<IAsyncDispatch> disp;
  RecordingMIDI midi;
  eMode mode = eMode_ProgEdit;
  int virtualMode = 2;
  bool standalone = false;
  std::vector<int> extCtl, bankMap, globalChannel;
  std::vector<std::tuple<int, int>> requestedPrograms;
  std::vector<std::pair<short, short>> automation;
  std::vector<bool> midiOutToDAW, prgChgToGUI;
};

struct Notice {
  int event;  // 1 reinitialised, 2 properties changed, 3 parameter changed
  Oskend::ISection* section;
  int id;
  bool operator==(const Notice&) const = default;
};

class RecordingSink : public Oskend::ISectionSink {
 public:
  void OnSectionReinitialized(Oskend::ISection* s) override { Add({1, s, 0}); }
  void OnSectionParamPropsChanged(Oskend::ISection* s, int id) override { Add({2, s, id}); }
  void OnSectionParamChanged(Oskend::ISection* s, int id) override { Add({3, s, id}); }

  std::vector<Notice> Take();
  // The ids of the notices of one kind, in order.
  std::vector<int> Ids(int event) const;
  bool Has(int event, int id) const;

  std::vector<Notice> notices;

 private:
  void Add(Notice n) {
    std::lock_guard<std::mutex> g(m_lock);
    notices.push_back(n);
  }
  std::mutex m_lock;
};

}  // namespace sectiontest

#include "model/CGlobalSectionImpl.h"
#include "model/COskendAutomationSectionImpl.h"
#include "model/CSetupSectionImpl.h"
#include "model/OskendCCombiPlaySectionImpl.h"
#include "model/OskendCProgEditSectionImpl.h"
#include "model/OskendCProgPlaySectionImpl.h"
#include "model/OskendCRTCSectionImpl.h"

namespace sectiontest {

// Every section of a model, bound to an initial image in the model's
// order. Make it on the main thread (the host's dispatcher).
struct SectionSet {
  SectionSet();

  FakeHost host;
  std::uint8_t setupBlock[CSetupSectionImpl::kSize];
  CSetupSectionImpl setup;
  OskendCRTCSectionImpl rtc;
  COskendAutomationSectionImpl automation;
  CGlobalSectionImpl global;
  OskendCProgPlaySectionImpl progPlay;
  OskendCProgEditSectionImpl progEdit;
  OskendCCombiPlaySectionImpl combi;
};

}  // namespace sectiontest
