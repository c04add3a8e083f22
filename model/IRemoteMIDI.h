#pragma once
// The system-exclusive link to the synthesizer as the model sees it:
// progress window, connection, what the instrument reported, and every
// request and dump of the protocol. Operations return status codes
// (remote/RemoteStatus.h, where the link implements this) and never throw.
#include <cstdint>
#include <string>
#include <vector>

#include "model/DEVICEINQUIRYDATA.h"
#include "model/IRemoteMIDICallback.h"
#include "model/MIDIDevKey.h"
#include "model/MODEANDSTATE.h"
#include "model/eBankID.h"
#include "model/eMode.h"

namespace Oskend {

// 1: program changes in combination mode select with bank MSB 63.
enum BankMap : int;  // completed beside the host proxy

class IRemoteMIDI {
 public:
  virtual ~IRemoteMIDI() = default;

  virtual bool UIActivate() = 0;
  virtual void UIDeactivate() = 0;
  virtual bool UIIsActive() = 0;
  virtual bool UIIsAborted() = 0;
  virtual bool UIConfigure(const char* text, unsigned max, unsigned scale, unsigned offset) = 0;
  virtual void UIProgress(unsigned total, unsigned pos, const char* text) = 0;
  virtual int UIWait(unsigned ms) = 0;

  virtual bool Connect(IRemoteMIDICallback* callback, bool standalone) = 0;
  virtual bool Connect(IRemoteMIDICallback* callback, bool standalone, std::string port) = 0;
  virtual bool Connect(IRemoteMIDICallback* callback, bool standalone, std::string in,
                       std::string out) = 0;
  virtual void Disconnect() = 0;
  virtual bool GetConnectionState(MIDIDevKey* out, MIDIDevKey* in, DEVICEINQUIRYDATA* inquiry,
                                  MODEANDSTATE* state) = 0;
  virtual void OnModeChanged() = 0;
  virtual void OnReinitialized() = 0;
  virtual eMode GetMode() = 0;
  virtual uint16_t GetBnkPgmPair() = 0;
  virtual int GetGlobalChannel() = 0;
  virtual const MODEANDSTATE* GetModeAndState() = 0;
  virtual BankMap GetBankMap() = 0;
  virtual void SetBankMap(BankMap map) = 0;
  virtual void SetGlobalChannel(int channel) = 0;
  virtual eDevType GetDevType() = 0;
  virtual void SetPrgChgToGUI(bool on) = 0;
  virtual bool GetSongRunning() = 0;
  virtual unsigned GetSystemVersion() = 0;
  virtual int HasEXBPelmar() = 0;
  virtual int HasEXBZt40() = 0;
  virtual int HasEXBFireWire() = 0;
  virtual void Fake_FullOption() = 0;

  virtual int SendShortMsg(long long timeUs, const void* data, unsigned len) = 0;
  virtual int SendProgramChange(eBankID bank, int program) = 0;
  virtual int SendModeAndStateReq() = 0;
  virtual int SendCurProgDumpReq(bool wait) = 0;
  virtual int SendProgDumpReq(int bank, int program) = 0;
  virtual int SendCurCombiDumpReq(bool wait) = 0;
  virtual int SendCombiDumpReq(int bank, int number) = 0;
  virtual int SendCurSongTimbreDumpReq() = 0;
  virtual int SendSongTimbreDumpReq(int number) = 0;
  virtual int SendSongTimbreCtrlDumpReq(int number) = 0;
  virtual int SendGlobalDumpReq() = 0;
  virtual int SendDrumkitDumpReq(int number) = 0;
  virtual int SendArpPatternDump(int number, const void* data, unsigned len) = 0;
  virtual int SendArpPatternDumpReq(int number) = 0;
  virtual int SendSongControlDumpReq(int number) = 0;
  virtual int SendSongEventDumpReq(int number) = 0;
  virtual int SendProgWriteReq(int bank, int program) = 0;
  virtual int SendCombiWriteReq(int bank, int number) = 0;
  virtual int SendProgBankStoreReq(int bank) = 0;
  virtual int SendCombiBankStoreReq(int bank) = 0;
  virtual int SendCurSongTimbreStoreReq(int number) = 0;
  virtual int SendDrumKitStoreBankReq(int bank) = 0;
  virtual int SendArpPatStoreBankReq(int bank) = 0;
  virtual int SendCurProgDump(const void* data, unsigned len) = 0;
  virtual int SendProgDump(int bank, int program, const void* data, unsigned len, bool write) = 0;
  virtual int SendCurCombiDump(const void* data, unsigned len) = 0;
  virtual int SendCombiDump(int bank, int number, const void* data, unsigned len, bool write) = 0;
  virtual int SendCurSongTimbreDump(const void* data, unsigned len) = 0;
  virtual int SendSongSetDump(int number, const void* data, unsigned len) = 0;
  virtual int SendSongTimbreDump(int number, const void* data, unsigned len) = 0;
  virtual int SendSongControlDump(int number, const void* data, unsigned len) = 0;
  virtual int SendSongEventDump(int number, const void* data, unsigned len) = 0;
  virtual int SendGlobalDump(const void* data, unsigned len) = 0;
  virtual int SendDrumkitDump(int number, const void* data, unsigned len) = 0;
  virtual int SendMasterVolumeChange(unsigned volume) = 0;
  virtual int SendGMSystemOn() = 0;
  virtual int SendModeChange(eMode mode) = 0;
  virtual int SendParamChange(uint8_t section, int id, int value) = 0;
  virtual int SendDrumkitParamChange(int id, int value) = 0;
  virtual int SendArpPatternParamChange(int id, int value) = 0;
  virtual std::vector<MIDIDevKey>* GetMIDIInKeyDevArray() = 0;
  virtual std::vector<MIDIDevKey>* GetMIDIOutKeyDevArray() = 0;
  virtual int SendSongDeleteDump(int number) = 0;
  // op 0: ask the synthesizer's filter state; op 2: set it to `on`.
  virtual int SendSysEXFilter(int op, bool on) = 0;
  // Whether the ports of the connection still exist. A synthesizer that is
  // switched off or unplugged takes its ports away; one that comes back
  // brings new ones, which a connection by the ports' names finds.
  virtual bool PortsPresent() { return GetConnectionState(nullptr, nullptr, nullptr, nullptr); }
};

// The one link of the model; the caller owns it. Main thread.
IRemoteMIDI* RemoteMIDICreate();

}  // namespace Oskend
