#pragma once
// The link to the hardware: finds and opens the synthesizer's ports,
// identifies the instrument, runs every exchange as a session (a thread of
// its own sends, the caller waits), decodes what arrives on the system MIDI
// thread and hands it to the model's callback.
#include <atomic>
#include <memory>

#include "model/IRemoteMIDI.h"
#include "os/DropReport.h"
#include "os/Lock.h"
#include "platform/IAsyncDispatch.h"
#include "platform/XEvent.h"
#include "platform/XThread.h"
#include "remote/CMIDIOut.h"
#include "remote/IMIDIIn.h"
#include "remote/SXRcvCtx.h"
#include "remote/SXSessionCtx.h"

namespace Oskend {

class CRemoteMIDIImpl : public IRemoteMIDI,
                        public IAsyncDispatchHandler,
                        public IXThreadProc,
                        public IMIDIInCallback {
 public:
  static constexpr int kOutputQueueEvents = 1024;
  static constexpr unsigned kRawReserve = 2048;
  static constexpr unsigned kDecodedReserve = 0xA00000;
  static constexpr unsigned kBigDumpBytes = 16384;
  static constexpr long kEventBigDump = 1;

  CRemoteMIDIImpl();  // main thread
  ~CRemoteMIDIImpl() override;

  // The model's parent window for the progress window.
  CHfcWindow* parentWindow = nullptr;

  // Any thread: ends the session that runs and refuses every later one,
  // so that a scan or transfer in progress returns soon; for an owner that
  // is going away.
  void Abort();

  bool UIActivate() override;
  void UIDeactivate() override;
  bool UIIsActive() override;
  bool UIIsAborted() override;
  bool UIConfigure(const char* text, unsigned max, unsigned scale, unsigned offset) override;
  void UIProgress(unsigned total, unsigned pos, const char* text) override;
  int UIWait(unsigned ms) override;

  bool Connect(IRemoteMIDICallback* callback, bool standalone) override;
  bool Connect(IRemoteMIDICallback* callback, bool standalone, std::string port) override;
  bool Connect(IRemoteMIDICallback* callback, bool standalone, std::string in,
               std::string out) override;
  void Disconnect() override;
  bool GetConnectionState(MIDIDevKey* out, MIDIDevKey* in, DEVICEINQUIRYDATA* inquiry,
                          MODEANDSTATE* state) override;
  void OnModeChanged() override;
  void OnReinitialized() override;
  eMode GetMode() override;
  uint16_t GetBnkPgmPair() override;
  int GetGlobalChannel() override;
  const MODEANDSTATE* GetModeAndState() override;
  BankMap GetBankMap() override;
  void SetBankMap(BankMap map) override;
  void SetGlobalChannel(int channel) override;
  eDevType GetDevType() override;
  void SetPrgChgToGUI(bool) override {}
  bool GetSongRunning() override { return songRunning_ != 0; }
  unsigned GetSystemVersion() override;
  int HasEXBPelmar() override;
  int HasEXBZt40() override;
  int HasEXBFireWire() override;
  void Fake_FullOption() override;

  // Any thread but the host's audio thread; never waits. A message that
  // finds the output queue full is refused (kRemoteQueueFull), counted and
  // told on the standard error (at most a line a second).
  int SendShortMsg(long long timeUs, const void* data, unsigned len) override;
  // Main thread; never waits, as SendShortMsg.
  int SendProgramChange(eBankID bank, int program) override;
  int SendModeAndStateReq() override;
  int SendCurProgDumpReq(bool wait) override;
  int SendProgDumpReq(int bank, int program) override;
  int SendCurCombiDumpReq(bool wait) override;
  int SendCombiDumpReq(int bank, int number) override;
  int SendCurSongTimbreDumpReq() override { return 0; }
  int SendSongTimbreDumpReq(int) override { return 0; }
  int SendSongTimbreCtrlDumpReq(int) override { return 0; }
  int SendGlobalDumpReq() override;
  int SendDrumkitDumpReq(int) override { return 0; }
  int SendArpPatternDump(int, const void*, unsigned) override { return 0; }
  int SendArpPatternDumpReq(int) override { return 0; }
  int SendSongControlDumpReq(int) override { return 0; }
  int SendSongEventDumpReq(int) override { return 0; }
  int SendProgWriteReq(int bank, int program) override;
  int SendCombiWriteReq(int bank, int number) override;
  int SendProgBankStoreReq(int bank) override;
  int SendCombiBankStoreReq(int bank) override;
  int SendCurSongTimbreStoreReq(int) override { return 0; }
  int SendDrumKitStoreBankReq(int) override { return 0; }
  int SendArpPatStoreBankReq(int) override { return 0; }
  int SendCurProgDump(const void* data, unsigned len) override;
  int SendProgDump(int bank, int program, const void* data, unsigned len, bool write) override;
  int SendCurCombiDump(const void* data, unsigned len) override;
  int SendCombiDump(int bank, int number, const void* data, unsigned len, bool write) override;
  int SendCurSongTimbreDump(const void*, unsigned) override { return 0; }
  int SendSongSetDump(int, const void*, unsigned) override { return 0; }
  int SendSongTimbreDump(int, const void*, unsigned) override { return 0; }
  int SendSongControlDump(int, const void*, unsigned) override { return 0; }
  int SendSongEventDump(int, const void*, unsigned) override { return 0; }
  int SendGlobalDump(const void* data, unsigned len) override;
  int SendDrumkitDump(int, const void*, unsigned) override { return 0; }
  int SendMasterVolumeChange(unsigned volume) override;
  int SendGMSystemOn() override { return 0; }
  int SendModeChange(eMode mode) override;
  int SendParamChange(uint8_t section, int id, int value) override;
  int SendDrumkitParamChange(int, int) override { return 0; }
  int SendArpPatternParamChange(int, int) override { return 0; }
  std::vector<MIDIDevKey>* GetMIDIInKeyDevArray() override { return &inKeys_; }
  std::vector<MIDIDevKey>* GetMIDIOutKeyDevArray() override { return &outKeys_; }
  int SendSongDeleteDump(int) override { return 0; }
  int SendSysEXFilter(int op, bool on) override;
  bool PortsPresent() override;

  void OnAsyncTimer(long) override {}
  void OnAsyncEvent(long a, long b) override;
  uint32_t ThreadProc() override;
  void OnMIDIShort(IMIDIIn* port, long long time, const void* data, unsigned len) override;
  void OnMIDILong(IMIDIIn* port, long long time, const void* data, unsigned len) override;

  // Runs one exchange: kRemoteFailed when not connected, else the session's
  // result.
  int DoSXSession(const SXRequest& request);
  // Any thread: the short messages refused so far because the output was
  // full.
  uint64_t DroppedShortMessages() const { return dropped_.Total(); }

 private:
  bool ConnectFrame(IRemoteMIDICallback* callback, bool standalone, int form,
                    const std::string& a, const std::string& b);
  // The steps of ConnectFrame, each on the calling (main) thread. Starts
  // the session thread after a Disconnect, with the callback stored.
  void StartLink(IRemoteMIDICallback* callback, bool standalone);
  // Fills both key lists afresh from the system.
  void RescanDevices();
  // Tries every opened input of the synthesizer's type against every output
  // of the same type until one pair answers the identity request.
  void FindByScan();
  // Tries the input and outputs named by `a` (and `b` for kByNames).
  void FindByName(int form, const std::string& a, const std::string& b);
  // Takes over the SysEx filter and asks the mode and state; false when
  // that request fails.
  bool AskModeAndState();
  // Opens an output for outKey and asks who answers on `in`; on success
  // the pair becomes the connection and `in` is taken over.
  bool TryPair(std::unique_ptr<IMIDIIn>& in, const MIDIDevKey& inKey, const MIDIDevKey& outKey,
               unsigned attempt);
  // A session without the connected test (the identity check runs before).
  // One during which the MIDI system ran late runs once more: what crossed
  // it then may have arrived twice or not at all, and every exchange may go
  // twice (a dump or a request taken twice does what it does once).
  int RunSession(const SXRequest& request);
  // One run of a session: its result, or kRemoteLate.
  int RunSessionOnce(const SXRequest& request);
  // The caller's thread: kRemoteLate when the MIDI system has noticed a
  // late cycle since its count was `lateBefore`, else the result as it is.
  // The user's abort and a busy link stay what they are.
  int LateOr(int result, uint64_t lateBefore);
  void OnRcvSysEx(bool complete);
  // Queues a short message on the output, if one is open, with outLock_
  // held (never across a wait); counts and tells a refusal.
  int QueueShort(long long timeUs, const void* data, unsigned len);
  // Closes and frees the output (main thread).
  void DropOutput();
  void SleepMs(unsigned ms);
  bool ForeignPort();
  uint8_t Ch() const { return channel_.load(); }
  // The bank and program pair a mode keeps; null for a mode that keeps none.
  std::atomic<uint16_t>* PairOf(int mode);

  std::unique_ptr<IAsyncDispatch> dispatch_;
  std::unique_ptr<CMIDIOut> out_;
  // Set and cleared on the main thread; senders of short messages on other
  // threads use it under this lock, which they hold for the queueing only.
  os::Lock outLock_;
  os::DropReport dropped_{"the MIDI output to the synthesizer was full"};
  std::unique_ptr<IMIDIIn> in_;
  std::atomic<IMIDIIn*> inPort_{nullptr};  // what the input callbacks compare against
  IRemoteMIDICallback* callback_ = nullptr;
  MIDIDevKey inKey_, outKey_;
  std::vector<MIDIDevKey> inKeys_, outKeys_;
  std::atomic<bool> connected_{false};
  bool standalone_ = false;
  std::atomic<uint8_t> channel_{0};
  std::atomic<uint8_t> mode_{0};
  std::atomic<uint16_t> pairProg_{0xFFFF}, pairCombi_{0xFFFF}, pairMulti_{0xFFFF};
  std::atomic<bool> bankMap_{false};
  os::Lock records_;  // the two records below
  DEVICEINQUIRYDATA inquiry_;
  MODEANDSTATE modeAndState_;
  std::atomic<uint8_t> bankMsb_{0}, bankLsb_{0};
  SXRcvCtx rcv_;
  SXSessionCtx session_;
  XThread thread_;
  XEvent work_, done_;
  std::atomic<bool> running_{false};
  std::atomic<bool> aborted_{false};
  std::atomic<int> sendResult_{0};
  uint8_t songRunning_ = 0;
  std::atomic<int> filterState_{-1};
};

}  // namespace Oskend
