#include "tests/remote/LinkTestSupport.h"

namespace vesk::test {

namespace {
std::vector<uint8_t> Copy(const void* data, unsigned len) {
  const auto* p = static_cast<const uint8_t*>(data);
  return p ? std::vector<uint8_t>(p, p + len) : std::vector<uint8_t>();
}
}  // namespace

int RecordingModel::Record(Call c) {
  std::lock_guard<std::mutex> g(mutex_);
  calls_.push_back(std::move(c));
  return 0;
}

std::vector<RecordingModel::Call> RecordingModel::Calls() {
  std::lock_guard<std::mutex> g(mutex_);
  return calls_;
}

std::vector<RecordingModel::Call> RecordingModel::Calls(const std::string& what) {
  std::vector<Call> out;
  for (auto& c : Calls())
    if (c.what == what) out.push_back(c);
  return out;
}

void RecordingModel::Clear() {
  std::lock_guard<std::mutex> g(mutex_);
  calls_.clear();
}

int RecordingModel::OnRcvShortMsg(Oskend::IRemoteMIDI*, long long, const void* data, unsigned len,
                                  eChgSource source) {
  return Record({"short", source, 0, 0, Copy(data, len)});
}
int RecordingModel::OnRcvProgramChange(Oskend::IRemoteMIDI*, Oskend::eBankID bank, unsigned program) {
  return Record({"pc", bank, int(program), 0, {}});
}
int RecordingModel::OnRcvModeAndState(Oskend::IRemoteMIDI*, const MODEANDSTATE* state) {
  return Record({"mas", state->Mode(), 0, 0, Copy(state->bytes, MODEANDSTATE::kSize)});
}
int RecordingModel::OnRcvCurProgDump(Oskend::IRemoteMIDI*, const void* data, unsigned len) {
  return Record({"curprog", 0, 0, 0, Copy(data, len)});
}
int RecordingModel::OnRcvProgDump(Oskend::IRemoteMIDI*, Oskend::eBankID bank, int program,
                                  const void* data, unsigned len) {
  return Record({"prog", bank, program, 0, Copy(data, len)});
}
int RecordingModel::OnRcvCurCombiDump(Oskend::IRemoteMIDI*, const void* data, unsigned len) {
  return Record({"curcombi", 0, 0, 0, Copy(data, len)});
}
int RecordingModel::OnRcvCombiDump(Oskend::IRemoteMIDI*, Oskend::eBankID bank, int number,
                                   const void* data, unsigned len) {
  return Record({"combi", bank, number, 0, Copy(data, len)});
}
int RecordingModel::OnRcvGlobalDump(Oskend::IRemoteMIDI*, const void* data, unsigned len) {
  return Record({"global", 0, 0, 0, Copy(data, len)});
}
int RecordingModel::OnRcvMasterVolumeChange(Oskend::IRemoteMIDI*, unsigned volume) {
  return Record({"volume", int(volume), 0, 0, {}});
}
int RecordingModel::OnRcvModeChange(Oskend::IRemoteMIDI*, eMode mode) { return Record({"mode", mode, 0, 0, {}}); }
int RecordingModel::OnRcvParamChange(Oskend::IRemoteMIDI*, uint8_t section, int id, int value) {
  return Record({"param", section, id, value, {}});
}

LinkTest::LinkTest() {
  os::midi::System::Install(&bus);
  link = std::make_unique<Oskend::CRemoteMIDIImpl>();
}

LinkTest::~LinkTest() {
  link.reset();
  synths.clear();
}

SimSynthDevice& LinkTest::AddSynth(SimSynthSettings settings, const std::string& name,
                                   const std::string& model) {
  synths.push_back(std::make_unique<SimSynthDevice>(bus, settings, name, model));
  return *synths.back();
}

bool LinkTest::ConnectScan() { return link->Connect(&model, false); }

uint64_t LinkTest::NowMs() const { return os::NowUs() / 1000; }

void LinkTest::At(uint64_t ms, std::function<void()> fn) {
  env.loop().AddTimer(ms, 0, std::move(fn));
}

}  // namespace vesk::test
