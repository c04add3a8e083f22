#include "plugin/QuorelVstMidi.h"

#include <cstddef>

#include "model/eMode.h"
#include "os/Clock.h"
#include "plugin/AudioEffectX.h"
#include "plugin/CMidiFifo.h"
#include "plugin/VelorVstEditor.h"
#include "remote/IRemoteSynth.h"

namespace {

// Now in whole milliseconds, expressed in microseconds.
uint64_t WholeMsNowUs() {
  return static_cast<uint64_t>(static_cast<uint32_t>(os::NowUs() / 1000)) * 1000;
}

constexpr uint8_t kNoBankSelect = 0xFF;

}  // namespace

QuorelVstMidi::QuorelVstMidi(AudioEffectX& effect) : effect_(effect) {
  for (auto& b : bankSelect_) b.store(kNoBankSelect, std::memory_order_relaxed);
}

QuorelVstMidi::~QuorelVstMidi() { StopWorker(); }

unsigned QuorelVstMidi::MessageLength(uint8_t status) {
  if (status < 0x80) return 0;
  if (status < 0xC0) return 3;
  if (status < 0xE0) return 2;
  if (status < 0xF0) return 3;
  switch (status) {
    case 0xF2: return 3;
    case 0xF3: return 2;
    case 0xF6:
    case 0xF8:
    case 0xFA:
    case 0xFB:
    case 0xFC:
    case 0xFE:
    case 0xFF: return 1;
    default: return 0;
  }
}

// ------------------------------------------------------------ loop thread

void QuorelVstMidi::Start(Oskend::IRemoteSynth* model, IAsyncDispatch* dispatch,
                          std::function<void()> onWake) {
  bypassed_ = false;
  midiOutToHost_ = false;
  model_ = model;
  dispatch_ = dispatch;
  onWake_ = std::move(onWake);
  fromHost_ = std::make_unique<CMidiFifo>(kFifoSize);
  fromGUI_ = std::make_unique<CMidiFifo>(kFifoSize);
  toHost_ = std::make_unique<CMidiFifo>(kFifoSize);
  toSynth_ = std::make_unique<CMidiFifo>(kFifoSize);
  hostEvents_ = std::make_unique<HostEventList>();
  hostMidiEvents_ = std::make_unique<VstMidiEvent[]>(kFifoSize);
  for (auto& b : bankSelect_) b.store(kNoBankSelect, std::memory_order_relaxed);
  workerRunning_ = true;
  workerThread_.Run(this);
}

void QuorelVstMidi::StopWorker() {
  workerRunning_ = false;
  workerWake_.Signal();
  if (workerThread_.HasThread()) workerThread_.Join();
}

void QuorelVstMidi::Close() {
  StopWorker();
  editor_.store(nullptr, std::memory_order_release);
  dispatch_ = nullptr;
  model_ = nullptr;
  fromHost_.reset();
  fromGUI_.reset();
  toHost_.reset();
  toSynth_.reset();
}

void QuorelVstMidi::MidiInFromGUI(uint8_t status, uint8_t data1, uint8_t data2) {
  if (bypassed_ || !fromGUI_) return;
  fromGUI_->Push(status, data1, data2, 0);
  workerWake_.Signal();
}

bool QuorelVstMidi::SendToHost(uint8_t status, uint8_t data1, uint8_t data2) {
  return toHost_ && status < 0xF0 && toHost_->Push(status, data1, data2, 0);
}

void QuorelVstMidi::OnModeChanged(int mode) {
  if (mode == eMode_Combi || mode == eMode_ProgPlay || mode == eMode_Multi)
    for (auto& b : bankSelect_) b.store(kNoBankSelect, std::memory_order_relaxed);
}

void QuorelVstMidi::OnAsyncEvent(long id, long param) {
  if (id != kEventSelectSound || !model_) return;
  Oskend::SSoundIndex sound;
  sound.bank = BankForProgramChange(static_cast<uint8_t>(param >> 16), static_cast<uint8_t>(param >> 8));
  sound.number = static_cast<uint8_t>(param);
  model_->PutCurSound(sound);
}

uint8_t QuorelVstMidi::BankForProgramChange(uint8_t msb, uint8_t lsb) {
  if (msb == kNoBankSelect || lsb == kNoBankSelect) return model_->GetCurSound(true).bank;
  // As the synthesizer itself reads a bank select: in program modes the LSB
  // names one of the program banks (with MSB 0); in combination modes the
  // LSB counts the combination banks, skipping 8.
  const int mode = static_cast<int>(model_->GetMode());
  if (mode == eMode_ProgPlay || mode == eMode_ProgEdit) return msb == 0 ? lsb : 0;
  if (mode == eMode_Combi || mode == eMode_CombiNoDump) return lsb > 7 ? static_cast<uint8_t>(lsb - 1) : lsb;
  return 0;
}

// ------------------------------------------------------------ audio thread

int32_t QuorelVstMidi::ProcessEvents(VstEvents* events) {
  if (!events || !fromHost_) return 1;
  // The host's list runs on past the two entries the record declares.
  VstEvent* const* list = reinterpret_cast<VstEvent* const*>(
      reinterpret_cast<const unsigned char*>(events) + offsetof(VstEvents, events));
  for (int32_t i = 0; i < events->numEvents; ++i) {
    const VstEvent* e = list[i];
    if (!e || e->type != kVstMidiType || bypassed_) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(e);
    if (!fromHost_->Push(midi->midiData[0], midi->midiData[1], midi->midiData[2],
                         static_cast<uint32_t>(midi->deltaFrames)))
      hostMidiLost_.Count();
  }
  return 1;
}

void QuorelVstMidi::BeginBlock() { blockStart_ = WholeMsNowUs(); }

// What the audio thread hands on goes through lock-free rings, and the
// worker is woken by a signal that never blocks.
void QuorelVstMidi::ProcessReplacing(float** outputs, int32_t sampleFrames) {
  BeginBlock();
  DrainFromHost();
  if (outputs && sampleFrames > 0) {
    for (int ch = 0; ch < 2; ++ch)
      if (float* out = outputs[ch])
        for (int32_t i = 0; i < sampleFrames; ++i) out[i] = 0.0f;
  }
  DrainToHost();
}

void QuorelVstMidi::DrainFromHost() {
  if (!fromHost_ || !toSynth_) return;
  int n = fromHost_->Count();
  if (n <= 0) return;
  const float factor = 1000000.0f / midiRate_.load(std::memory_order_acquire);
  const int globalChannel = globalChannel_.load(std::memory_order_acquire);
  bool handedOver = false;
  tagMidiData m;
  while (n-- > 0 && fromHost_->Pop(&m)) {
    const uint8_t s = m.status;
    const int channel = s & 0x0F;
    // Transport messages end the block's draining; the rest waits.
    if (s == 0xFA || s == 0xFB || s == 0xFC || s == 0xF2) break;
    if ((s & 0xF0) == 0xB0 && channel == globalChannel && (m.data1 == 0 || m.data1 == 32)) {
      bankSelect_[m.data1 == 0 ? 0 : 1].store(m.data2, std::memory_order_relaxed);
      break;
    }
    if ((s & 0xF0) == 0xC0 && channel == globalChannel) {
      // Selecting a sound reads the model and talks with the synthesizer:
      // the loop thread does it, the audio thread only notes which.
      const uint32_t msb = bankSelect_[0].load(std::memory_order_relaxed);
      const uint32_t lsb = bankSelect_[1].load(std::memory_order_relaxed);
      pendingSound_.store(kSoundPending | (msb << 16) | (lsb << 8) | m.data1, std::memory_order_release);
      handedOver = true;
      break;
    }
    const long long time =
        static_cast<long long>(blockStart_) + static_cast<long long>(static_cast<float>(m.time) * factor);
    // The model's output also updates its sections (and tells their
    // listeners), which allocates: the worker hands it over, with
    // the time taken here. The low 32 bits of microseconds suffice for a
    // time a few milliseconds away.
    if (toSynth_->Push(s, m.data1, m.data2, static_cast<uint32_t>(time)))
      handedOver = true;
    else
      hostMidiLost_.Count();
  }
  if (handedOver) workerWake_.Signal();
}

void QuorelVstMidi::DrainToHost() {
  if (!toHost_ || !hostEvents_) return;
  const int n = toHost_->Count();
  if (n <= 0) return;
  int made = 0;
  tagMidiData m;
  for (int i = 0; i < n && toHost_->Pop(&m); ++i) {
    if (m.status >= 0xF0) continue;
    VstMidiEvent& e = hostMidiEvents_[made];
    e = VstMidiEvent{};
    e.type = kVstMidiType;
    e.byteSize = sizeof(VstMidiEvent);
    e.flags = kVstMidiEventIsRealtime;
    e.midiData[0] = m.status;
    e.midiData[1] = m.data1;
    e.midiData[2] = m.data2;
    hostEvents_->events[made] = reinterpret_cast<VstEvent*>(&e);
    ++made;
  }
  if (made == 0) return;
  hostEvents_->numEvents = made;
  effect_.sendVstEventsToHost(reinterpret_cast<VstEvents*>(hostEvents_.get()));
}

// ------------------------------------------------------------ worker thread

uint32_t QuorelVstMidi::ThreadProc() {
  while (workerRunning_) {
    workerWake_.Wait();
    if (!workerRunning_) break;
    ForwardFromHost();
    if (onWake_) onWake_();
    ForwardFromGUI();
    hostMidiLost_.Tell();
  }
  return 0;
}

void QuorelVstMidi::ShowInEditor(uint8_t status, uint8_t data1, uint8_t data2) {
  if (VelorVstEditor* editor = editor_.load(std::memory_order_acquire)) editor->MidiIn(status, data1, data2);
}

void QuorelVstMidi::ForwardFromHost() {
  if (!toSynth_ || !model_) return;
  if (const uint32_t sound = pendingSound_.exchange(0, std::memory_order_acq_rel); sound & kSoundPending) {
    if (dispatch_) dispatch_->NotifyEvent(this, kEventSelectSound, static_cast<long>(sound & 0xFFFFFF), true);
  }
  int n = toSynth_->Count();
  tagMidiData m;
  while (n-- > 0 && toSynth_->Pop(&m)) {
    // The full time nearest to now (in the block start's terms) with these
    // low 32 bits.
    const uint64_t now = WholeMsNowUs();
    uint64_t time = (now & ~0xFFFFFFFFull) | m.time;
    if (time > now + 0x80000000ull && time >= 0x100000000ull)
      time -= 0x100000000ull;
    else if (time + 0x80000000ull < now)
      time += 0x100000000ull;
    const uint8_t bytes[3] = {m.status, m.data1, m.data2};
    model_->RTMIDIOut(static_cast<long long>(time), bytes, MessageLength(m.status), eChgSource_HostMIDI);
    ShowInEditor(m.status, m.data1, m.data2);
  }
}

void QuorelVstMidi::ForwardFromGUI() {
  if (!fromGUI_ || !model_) return;
  int n = fromGUI_->Count();
  tagMidiData m;
  while (n-- > 0 && fromGUI_->Pop(&m)) {
    const uint8_t bytes[3] = {m.status, m.data1, m.data2};
    model_->RTMIDIOut(static_cast<long long>(WholeMsNowUs()), bytes, MessageLength(m.status),
                      eChgSource_EditorMIDI);
    ShowInEditor(m.status, m.data1, m.data2);
  }
}

// ------------------------------------------------------------ the link's input thread

void QuorelVstMidi::OnRTMIDIIn(long long, const void* bytes, unsigned length) {
  if (bypassed_) return;
  uint8_t msg[3] = {0, 0, 0};
  const auto* b = static_cast<const uint8_t*>(bytes);
  for (unsigned i = 0; i < length && i < 3 && b; ++i) msg[i] = b[i];
  if (msg[0] < 0xF0 && midiOutToHost_ && toHost_) toHost_->Push(msg[0], msg[1], msg[2], 0);
  ShowInEditor(msg[0], msg[1], msg[2]);
}
