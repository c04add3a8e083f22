#pragma once
// The standalone host's MIDI side: it owns the input, clock-sync and output
// ports, keeps what it learnt of every MIDI source, passes incoming MIDI to
// the hosted component with sample offsets into the current render buffer,
// turns an external MIDI clock into a tempo, and runs the maker's
// controllers (discovery, exclusive mode, initial set-up, LED and LCD
// requests, controller events) for the component.
//
// Threads. The main thread runs construction, the list rebuild with its
// probe, slot and clock-source changes, the controller handshakes and Idle.
// The component may call the host interface on any thread: LED and LCD
// requests are only queued (lock B); a channel change requested off the main
// thread is carried out by the next Idle, because its handshakes wait up to
// 100 ms each. The MIDI input thread pushes and forwards under lock A and
// drains system-exclusive replies only when lock A is free (try-lock). The
// render thread takes no lock: the render time and clock are atomics.
// Handshakes give up every level of lock A while they wait for a reply, so
// the reply gets through even when they run inside a rebuild.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "host/HostAudioTimeStamp.h"
#include "host/MIDIEndpointList.h"
#include "host/MIDIInputPortSet.h"
#include "host/MIDIPacketRingBuffer.h"
#include "host/TalvikControllerMessages.h"
#include "host/TalvikHostInterface.h"
#include "host/TalvikSysExAssembler.h"
#include "os/Monitor.h"
#include "os/midi/Client.h"
#include "platform/NRXMutex.h"

constexpr int TalvikHostMIDIManager_MIDIReveiveSlotCount = 3;

class TalvikHostMIDIManager : public TalvikHostInterface {
 public:
  using Endpoint = os::midi::EndpointId;

  static constexpr const char* kInputPortName = "Talvik Input Port";
  static constexpr const char* kClockPortName = "Talvik ClockSync Input Port";
  static constexpr const char* kOutputPortName = "Talvik Output Port";
  static constexpr size_t kRingEntries = 1024;
  static constexpr int kClockIntervals = 100;
  static constexpr uint64_t kReplyTimeoutUs = 100'000;
  static constexpr size_t kRequestQueueLimit = 256;
  static constexpr double kMinTempo = 1.0;
  static constexpr double kMaxTempo = 999.0;

  // Source types.
  enum : int {
    kFirstFamilyPortA = 0,
    kFirstFamilyExclusive = 1,
    kFirstFamilyPortB = 2,
    kOndrix = 3,
    kGeneric = 4,
    kSecondFamilyPortA = 5,
    kSecondFamilyExclusive = 6,
    kSecondFamilyPortB = 7,
  };

  using MIDIPacketRingBuffer = ::MIDIPacketRingBuffer;

  struct ExclusiveData {
    int channel = 0;
    Endpoint destination = 0;        // the controller's exclusive destination
    Endpoint destinationBefore = 0;  // first and second family only
    Endpoint sourceAfter = 0;        // port B; first and second family only
  };

  struct SourceData {
    Endpoint endpoint = 0;
    int type = kGeneric;
    int index = 0;
    std::unique_ptr<ExclusiveData> mTAVOExclusiveData;
    bool known = false;
  };

  struct SlotData {
    SourceData* mSourceData = nullptr;
    bool enabled = false;
    TalvikSysExAssembler assembly;
  };

  struct FindExData {
    int index = 0;
    Endpoint destination = 0;
    TalvikSysExAssembler assembly;
  };

  // Where the GetCpuCost_ answer comes from (the audio output's load meter).
  struct CpuLoadProbe {
    bool (*isProcessing)() = nullptr;
    int (*getLoad)(float* load) = nullptr;  // 1 and *load when a load is ready
  };
  static void SetCpuLoadProbe(CpuLoadProbe probe);

  // Throws NRXMacOSException when a port or the host-callback property
  // cannot be set, NRXNullException without a client.
  TalvikHostMIDIManager(os::midi::Client* client, HostedComponent* unit, void* midiController);
  ~TalvikHostMIDIManager() override;
  TalvikHostMIDIManager(const TalvikHostMIDIManager&) = delete;
  TalvikHostMIDIManager& operator=(const TalvikHostMIDIManager&) = delete;

  void RebuildDataList(const MIDIEndpointList& snapshot);
  void SetSource(int slot, Endpoint source, bool enable);
  void SetClockSyncSource(Endpoint source);
  void GetSourceType(Endpoint source, int& type, int& index);
  void SetSampleRateAndBufferFrameSize(double rate, unsigned long frames);
  void InProcess(const HostAudioTimeStamp* timeStamp);
  void Idle();

  void HandleBankOpen();
  void HandleBankSaveAs();
  void HandlePresetImport();
  void HandlePresetExport();
  void SetKnobMode(int mode);

  void SetLed_talvikvstinterface1(int port, LED_ID id, LED_STATE state, int value) override;
  void SetLcd_talvikvstinterface1(int port, LCD_ID id, LCD_COLOR colour,
                                  unsigned char* text) override;
  void SetLedOndr_talvikvstinterface1(int port, LED_ONDR_ID id, LED_STATE state,
                                      int value) override;
  void GetCpuCost_talvikvstinterface1(bool* processing, double* load, bool* reserved1,
                                      double* reserved2, bool* reserved3) override;
  void SetCombiMIDIChannel_talvikvstinterface1(int channel) override;

  // The read procedures and the host callback.
  void HandleMIDIPackets(const os::midi::PacketList* list, Endpoint source);
  void MIDIClockSync_HandleMIDIPackets(const os::midi::PacketList& list);
  static int32_t MIDIClockSync_HostCallbacks_GetBeatAndTempoProc(void* userData, double* beat,
                                                                 double* tempo);

  uint32_t CalcMIDISampleOffset(uint64_t hostTimeNs) const;
  double Tempo() const { return tempo_.load(std::memory_order_relaxed); }
  TalvikComponentInterface* ComponentInterface() const { return component_; }
  size_t RingLength();
  size_t QueuedRequests();

 private:
  class LockA;
  class TryLockA;
  class UnlockAFully;
  struct LedRequest {
    int port, id, state, value;
  };
  struct LcdRequest {
    int port, line, colour;
    uint8_t text[8];
  };
  struct Assembly {
    TalvikSysExAssembler* assembler;
    FindExData* probe;
  };

  SourceData* FindSource(Endpoint e) const;
  void ReleaseSlot(SlotData& slot);
  void BuildSourceDataList(const MIDIEndpointList& snapshot);
  void Probe(const MIDIEndpointList& snapshot, const std::vector<SourceData*>& fresh,
             int counter1, int counter3);
  // The probe's steps: a record and a connection for every fresh source,
  // the two questions to every destination, what each answer made of its
  // source and neighbours, and the probe's connections ended.
  std::vector<Endpoint> BeginProbe(const std::vector<SourceData*>& fresh);
  void AskEveryDestination(const MIDIEndpointList& snapshot);
  void AdoptProbeReply(const MIDIEndpointList& snapshot, const FindExData& rec, int& counter1,
                       int& counter3);
  void EndProbe(const std::vector<Endpoint>& connected);
  void ExclusiveSetUp(SlotData& slot);
  void DisableAfterFailure(SourceData* sd);
  void ApplyCombiMIDIChannel(int channel);

  void Send(Endpoint destination, const TalvikMessage& message);
  // Main thread, lock A held. Sends a message built for each enabled slot
  // whose source is `port` and of the exclusive types (or the Ondrix).
  void SendToAddressed(int port, bool ondrix,
                       const std::function<void(const SourceData&, TalvikMessage&)>& build);
  // Sends and waits for the reply (or the full time-out); lock A held.
  void SendAndWait(Endpoint awaitedSource, Endpoint destination, const TalvikMessage& message,
                   bool fullWait);
  void DeviceInquiry(Endpoint source, Endpoint destination, int& channel);
  void ChangeExclusiveMode(int model, Endpoint source, Endpoint destination, int channel,
                           int mode);
  void ExclusiveInitialize(int model, Endpoint source, Endpoint destination, int oldChannel,
                           int newChannel);

  void Forward(const MIDIPacketRingBuffer::Entry& entry);
  bool AssemblyFor(Endpoint source, Assembly& out);
  void HandleExclusiveMessage(const uint8_t* msg, int length, Endpoint source, FindExData* probe);
  // MIDI input thread, inside the receive step: the replies the handshakes
  // wait for, and the controllers' own events for the component.
  void HandleIdentityReply(const uint8_t* msg, int length);
  bool HandleHandshakeReply(const uint8_t* msg, int length, Endpoint source, FindExData* probe);
  void NoteProbeReply(const uint8_t* msg, FindExData& probe);
  void HandleControllerEvent(int function, int a, int b, Endpoint source);
  void WakeWaiter();
  void ReleaseDisconnectedPorts();

  NRXMutex lockA_{2};
  int lockADepth_ = 0;  // levels held by the owner of lock A
  NRXMutex lockB_{2};

  os::midi::Client* client_;
  HostedComponent* unit_;
  void* midiController_;  // kept, not used
  std::thread::id mainThread_;

  std::unique_ptr<MIDIInputPortSet> inputPort_;
  std::unique_ptr<MIDIInputPortSet> clockPort_;
  std::unique_ptr<os::midi::OutputPort> outputPort_;
  // The probe's own port while it runs (else null): its connections to
  // every destination it asked end with it.
  std::unique_ptr<os::midi::OutputPort> probePort_;
  Endpoint clockSource_ = 0;

  MIDIPacketRingBuffer ring_{kRingEntries};
  std::vector<std::unique_ptr<SourceData>> sources_;
  SlotData slots_[TalvikHostMIDIManager_MIDIReveiveSlotCount];

  std::atomic<double> sampleRate_{44100.0};
  std::atomic<uint32_t> frames_{512};
  std::atomic<uint64_t> renderTimeNs_{0};

  // Handshake state. Written under lock A; the waiting flag is also read by
  // the waiting thread's monitor predicate.
  os::Monitor replyMonitor_;
  std::atomic<bool> waiting_{false};
  Endpoint awaitedSource_ = 0;
  bool probing_ = false;
  Endpoint probedEndpoint_ = 0;
  std::vector<std::unique_ptr<FindExData>> probeList_;
  int mDeviceInquiryGlobalMIDIChannel = -1;
  int requestedMode_ = 0;
  bool mChangeExclusiveModeCompleted = false;
  int initializeStep_ = 0;
  bool mExclusiveInitializeCompleted = false;
  bool secondFamily_ = false;

  TalvikComponentInterface* component_ = nullptr;

  // Lock B.
  std::deque<LedRequest> ledQueue_;
  std::deque<LcdRequest> lcdQueue_;
  std::deque<LedRequest> ondrixQueue_;
  int pendingCombiChannel_ = -1;

  // Clock sync: the MIDI input thread of the clock port only.
  uint64_t lastClockUs_ = 0;
  uint64_t intervals_[kClockIntervals] = {};
  int intervalIndex_ = 0;
  double smoothedInterval_ = 0.0;
  std::atomic<double> tempo_{120.0};
};
