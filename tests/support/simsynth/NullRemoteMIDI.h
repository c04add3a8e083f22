#pragma once
// A transport that is never connected: every request fails, every query
// answers "nothing". Tests derive from it and override what they watch.
#include "model/IRemoteMIDI.h"
#include "remote/RemoteStatus.h"

namespace vesk::test {

class NullRemoteMIDI : public Oskend::IRemoteMIDI {
 public:
  using BankMap = Oskend::BankMap;
  using IRemoteMIDICallback = Oskend::IRemoteMIDICallback;
  using eBankID = Oskend::eBankID;
  bool UIActivate() override { return false; }
  void UIDeactivate() override {}
  bool UIIsActive() override { return false; }
  bool UIIsAborted() override { return false; }
  bool UIConfigure(const char* text, unsigned max, unsigned scale, unsigned offset) override { return false; }
  void UIProgress(unsigned total, unsigned pos, const char* text) override {}
  int UIWait(unsigned ms) override { return Oskend::kRemoteFailed; }
  bool Connect(IRemoteMIDICallback* callback, bool standalone) override { return false; }
  bool Connect(IRemoteMIDICallback* callback, bool standalone, std::string port) override { return false; }
  bool Connect(IRemoteMIDICallback* callback, bool standalone, std::string in, std::string out) override { return false; }
  void Disconnect() override {}
  bool GetConnectionState(MIDIDevKey* out, MIDIDevKey* in, DEVICEINQUIRYDATA* inquiry, MODEANDSTATE* state) override { return false; }
  void OnModeChanged() override {}
  void OnReinitialized() override {}
  eMode GetMode() override { return {}; }
  uint16_t GetBnkPgmPair() override { return {}; }
  int GetGlobalChannel() override { return 0; }
  const MODEANDSTATE* GetModeAndState() override { return nullptr; }
  BankMap GetBankMap() override { return {}; }
  void SetBankMap(BankMap map) override {}
  void SetGlobalChannel(int channel) override {}
  eDevType GetDevType() override { return {}; }
  void SetPrgChgToGUI(bool on) override {}
  bool GetSongRunning() override { return false; }
  unsigned GetSystemVersion() override { return {}; }
  int HasEXBPelmar() override { return Oskend::kRemoteFailed; }
  int HasEXBZt40() override { return Oskend::kRemoteFailed; }
  int HasEXBFireWire() override { return Oskend::kRemoteFailed; }
  void Fake_FullOption() override {}
  int SendShortMsg(long long timeUs, const void* data, unsigned len) override { return Oskend::kRemoteFailed; }
  int SendProgramChange(eBankID bank, int program) override { return Oskend::kRemoteFailed; }
  int SendModeAndStateReq() override { return Oskend::kRemoteFailed; }
  int SendCurProgDumpReq(bool wait) override { return Oskend::kRemoteFailed; }
  int SendProgDumpReq(int bank, int program) override { return Oskend::kRemoteFailed; }
  int SendCurCombiDumpReq(bool wait) override { return Oskend::kRemoteFailed; }
  int SendCombiDumpReq(int bank, int number) override { return Oskend::kRemoteFailed; }
  int SendCurSongTimbreDumpReq() override { return Oskend::kRemoteFailed; }
  int SendSongTimbreDumpReq(int number) override { return Oskend::kRemoteFailed; }
  int SendSongTimbreCtrlDumpReq(int number) override { return Oskend::kRemoteFailed; }
  int SendGlobalDumpReq() override { return Oskend::kRemoteFailed; }
  int SendDrumkitDumpReq(int number) override { return Oskend::kRemoteFailed; }
  int SendArpPatternDump(int number, const void* data, unsigned len) override { return Oskend::kRemoteFailed; }
  int SendArpPatternDumpReq(int number) override { return Oskend::kRemoteFailed; }
  int SendSongControlDumpReq(int number) override { return Oskend::kRemoteFailed; }
  int SendSongEventDumpReq(int number) override { return Oskend::kRemoteFailed; }
  int SendProgWriteReq(int bank, int program) override { return Oskend::kRemoteFailed; }
  int SendCombiWriteReq(int bank, int number) override { return Oskend::kRemoteFailed; }
  int SendProgBankStoreReq(int bank) override { return Oskend::kRemoteFailed; }
  int SendCombiBankStoreReq(int bank) override { return Oskend::kRemoteFailed; }
  int SendCurSongTimbreStoreReq(int number) override { return Oskend::kRemoteFailed; }
  int SendDrumKitStoreBankReq(int bank) override { return Oskend::kRemoteFailed; }
  int SendArpPatStoreBankReq(int bank) override { return Oskend::kRemoteFailed; }
  int SendCurProgDump(const void* data, unsigned len) override { return Oskend::kRemoteFailed; }
  int SendProgDump(int bank, int program, const void* data, unsigned len, bool write) override { return Oskend::kRemoteFailed; }
  int SendCurCombiDump(const void* data, unsigned len) override { return Oskend::kRemoteFailed; }
  int SendCombiDump(int bank, int number, const void* data, unsigned len, bool write) override { return Oskend::kRemoteFailed; }
  int SendCurSongTimbreDump(const void* data, unsigned len) override { return Oskend::kRemoteFailed; }
  int SendSongSetDump(int number, const void* data, unsigned len) override { return Oskend::kRemoteFailed; }
  int SendSongTimbreDump(int number, const void* data, unsigned len) override { return Oskend::kRemoteFailed; }
  int SendSongControlDump(int number, const void* data, unsigned len) override { return Oskend::kRemoteFailed; }
  int SendSongEventDump(int number, const void* data, unsigned len) override { return Oskend::kRemoteFailed; }
  int SendGlobalDump(const void* data, unsigned len) override { return Oskend::kRemoteFailed; }
  int SendDrumkitDump(int number, const void* data, unsigned len) override { return Oskend::kRemoteFailed; }
  int SendMasterVolumeChange(unsigned volume) override { return Oskend::kRemoteFailed; }
  int SendGMSystemOn() override { return Oskend::kRemoteFailed; }
  int SendModeChange(eMode mode) override { return Oskend::kRemoteFailed; }
  int SendParamChange(uint8_t section, int id, int value) override { return Oskend::kRemoteFailed; }
  int SendDrumkitParamChange(int id, int value) override { return Oskend::kRemoteFailed; }
  int SendArpPatternParamChange(int id, int value) override { return Oskend::kRemoteFailed; }
  std::vector<MIDIDevKey>* GetMIDIInKeyDevArray() override { return nullptr; }
  std::vector<MIDIDevKey>* GetMIDIOutKeyDevArray() override { return nullptr; }
  int SendSongDeleteDump(int number) override { return Oskend::kRemoteFailed; }
  int SendSysEXFilter(int op, bool on) override { return Oskend::kRemoteFailed; }
};

}  // namespace vesk::test
