#include "tests/remote/ModelTestSupport.h"

#include <gtest/gtest.h>

#include "os/Alert.h"
#include "os/Clock.h"
#include "os/ProgressWindow.h"

namespace vesk::test {

using L = Oskend::RemoteSynthLayout;

std::vector<RecordingSynthSink::Notice> RecordingSynthSink::Of(const std::string& what) const {
  std::vector<Notice> out;
  for (const Notice& n : notices)
    if (n.what == what) out.push_back(n);
  return out;
}

void RecordingSynthSink::Add(Notice n) {
  n.onMainThread = std::this_thread::get_id() == main_;
  notices.push_back(n);
}

void RecordingSynthSink::OnRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool connected,
                                                             bool checked) {
  Add({"conn", connected, checked});
}
void RecordingSynthSink::OnRemoteSynthExtCtlStateChanged(Oskend::IRemoteSynth*,
                                                         const Oskend::SExtCtlState& s) {
  Add({"ext", s.flag, s.value1, s.value2});
}
void RecordingSynthSink::OnRemoteSynthMasterVolumeChanged(Oskend::IRemoteSynth*, unsigned volume) {
  Add({"volume", long(volume)});
}
void RecordingSynthSink::OnRemoteSynthModeChanged(Oskend::IRemoteSynth*, int mode) {
  Add({"mode", mode});
}
void RecordingSynthSink::OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*,
                                                      const Oskend::SSoundIndex& s) {
  Add({"cursound", s.bank, s.number});
}
void RecordingSynthSink::OnRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode kind,
                                                      const Oskend::SSoundIndex& s) {
  Add({"banklist", kind, s.bank, s.number});
}
void RecordingSynthSink::OnRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool on) {
  Add({"audition", on});
}
void RecordingSynthSink::OnRemoteSynthProgOSCModeChanged(Oskend::IRemoteSynth*, int mode) {
  Add({"osc", mode});
}
void RecordingSynthSink::OnRemoteSynthBeginUIUtility(Oskend::IRemoteSynth*) { Add({"begin"}); }
void RecordingSynthSink::OnRemoteSynthEndUIUtility(Oskend::IRemoteSynth*, bool flag) {
  Add({"end", flag});
}
void RecordingSynthSink::OnRemoteSynthSeqStateChanged(Oskend::IRemoteSynth*, bool running) {
  Add({"seq", running});
}
void RecordingSynthSink::OnRemoteSynthNeedAutomationAPI(Oskend::IRemoteSynth*, long what) {
  Add({"automation", what});
}
void RecordingSynthSink::OnRemoteSynthMIDIIn(Oskend::IRemoteSynth*, const void* bytes,
                                             unsigned length) {
  const auto* d = static_cast<const uint8_t*>(bytes);
  Add({"midi", long(length), d[0], (long(d[1]) << 8) | (length > 2 ? d[2] : 0)});
}

std::vector<uint8_t> Region(const uint8_t* p, size_t offset, size_t size) {
  return std::vector<uint8_t>(p + offset, p + offset + size);
}

void Pattern(SimSynth& synth, uint32_t seed) {
  synth.FillPattern(seed);
  // The global block names the channel the instrument is on.
  synth.Memory()[Oskend::CHUNK_GLOBAL::kMIDIChannel] = synth.Settings().channel;
}

SimSynthSettings TestSynthSettings() {
  SimSynthSettings s;
  s.channel = 2;
  s.state[2] = 0x5A;  // the mode-and-state record's byte 3
  return s;
}

ModelTest::ModelTest() {
  os::midi::System::Install(&bus);
  os::HeadlessAlert::Reset();
  model = std::make_unique<Oskend::CRemoteSynthImpl>(nullptr);
  model->AdviseSink(&sink);
  model->AdviseMIDISink(&sink);
}

ModelTest::~ModelTest() {
  model.reset();
  synths.clear();
  os::HeadlessAlert::Reset();
}

SimSynthDevice& ModelTest::AddSynth(SimSynthSettings settings, const std::string& name) {
  synths.push_back(std::make_unique<SimSynthDevice>(bus, settings, name, "Vesk"));
  // Like the instrument's, its global block holds the channel it is on.
  synths.back()->With([](SimSynth& synth) {
    synth.Memory()[Oskend::CHUNK_GLOBAL::kMIDIChannel] = synth.Settings().channel;
  });
  return *synths.back();
}

SimSynthDevice& ModelTest::Connected(SimSynthSettings settings, bool recall) {
  SimSynthDevice& dev = AddSynth(settings);
  dev.With([](SimSynth& synth) { Pattern(synth, 11); });
  model->Connect(false, recall);
  return dev;
}

SimSynthDevice& ModelTest::Ready() {
  SimSynthDevice& dev = Connected(TestSynthSettings(), true);
  EXPECT_TRUE(model->GetConnected());
  env.loop().RunPending();
  return dev;
}

void ModelTest::ProgramMode() {
  model->PutMode(eMode_ProgEdit);
  env.loop().RunFor(500);
  ASSERT_EQ(model->GetSoundMode(), 2);
}

uint64_t ModelTest::NowMs() const { return os::NowUs() / 1000; }

void ModelTest::At(uint64_t ms, std::function<void()> fn) {
  env.loop().AddTimer(ms, 0, std::move(fn));
}

std::vector<uint8_t> ModelTest::ImageBody() {
  const uint8_t* p = model->GetRawChunk().data();
  return std::vector<uint8_t>(p, p + SimSynth::kCombiEditOffset + L::kCombiSize);
}

std::vector<uint8_t> ModelTest::MemoryBody(const std::vector<uint8_t>& memory) {
  return std::vector<uint8_t>(memory.begin(), memory.begin() + SimSynth::kCombiEditOffset + L::kCombiSize);
}

}  // namespace vesk::test
