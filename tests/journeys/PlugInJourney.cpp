#include "tests/journeys/PlugInJourney.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "plugin/CPlugInModalNotice.h"

namespace vesk::journey {

namespace {

const char* const kHostTitle = "Vesk Journey Host";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

std::string GestureText(const std::vector<HostCall>& calls) {
  std::string out;
  for (const HostCall& c : calls) {
    if (c.opcode != PlugInJourney::kAutomate && c.opcode != PlugInJourney::kBeginEdit &&
        c.opcode != PlugInJourney::kEndEdit)
      continue;
    const char* name = c.opcode == PlugInJourney::kBeginEdit ? "BeginEdit" : c.opcode == PlugInJourney::kEndEdit ? "EndEdit" : "Automate";
    out += "\n  " + std::string(name) + " " + std::to_string(c.index) + " (" + c.thread + ")";
  }
  return out.empty() ? "\n  (none)" : out;
}

void PlugInJourney::SetUp() {
  if (!stage_.Open()) {
    if (stage_.why().find("need") != std::string::npos) GTEST_SKIP() << stage_.why();
    FAIL() << stage_.why();
  }
}

void PlugInJourney::TearDown() {
  if (host_) {
    const bool ranOn = host_->Running();
    const int status = host_->Stop(5000);
    EXPECT_TRUE(ranOn) << "the host ended during the journey";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the host did not close the plug-in and end in order";
    host_.reset();
  }
  // Whatever the journey: every call the plug-in made of the host came on a
  // thread the host made, and none while the host closed it.
  for (const HostCall& c : Calls()) {
    EXPECT_NE(c.thread, "other") << "host call " << c.opcode << " came on a thread the host did not make";
    EXPECT_NE(c.phase, "close") << "host call " << c.opcode << " came while the host closed the plug-in";
  }
  EXPECT_EQ(stage_.Reports(), "") << "a program of the journey reported a fault";
}

std::string PlugInJourney::HostProgram() { return JourneyStage::BuildDir() + "/tests/journeys/vesk_vst_journey_host"; }

bool PlugInJourney::StartHost(const std::vector<std::string>& options) {
  // The synthesizer of an earlier host goes on running.
  if (!stage_.SynthRunning() && !stage_.StartSynth()) return false;
  const size_t from = stage_.Record().size();
  // Shown, and connected once the plug-in has asked for the current
  // performance (the instrument starts in performance mode) or, with a
  // session restored before the connection, begun to send it, and the
  // progress window of the transfer gone.
  return StartHostAlone(options) &&
         stage_.WaitForRecord([](const SynthRecordLine& l) {
           return (l.what == "request-current" && l.words == std::vector<std::string>{"combination"}) ||
                  l.what == "dump";
         }, 30000, from) &&
         WaitUntil([&] { return PlugInWindows().empty(); }, 20000);
}

bool PlugInJourney::StartHostAlone(const std::vector<std::string>& options) {
  mkdir(stage_.files().File("home").c_str(), 0755);
  mkdir(stage_.files().File("lock").c_str(), 0755);
  std::vector<std::string> argv = {HostProgram(), JourneyStage::PlugInPath(), stage_.files().File("host-calls.txt"),
                                   "--chunk", ChunkFile()};
  argv.insert(argv.end(), options.begin(), options.end());
  host_ = stage_.Start(argv, "host",
                       {{"HOME", stage_.files().File("home")},
                        {"XDG_CONFIG_HOME", ""},
                        {"VESK_LOCK_DIR", stage_.files().File("lock")}});
  if (!map_) map_ = std::make_unique<WindowMap>(eMode_Combi);
  hostErrors_ = host_->spec().err;
  hostOutput_ = host_->spec().out;
  // A chunk restored before the editor opens says so first.
  return WaitForHostLine("ready", 30000) >= 0;
}

void PlugInJourney::SignalHost(int sig) {
  if (host_) host_->Signal(sig);
}

size_t PlugInJourney::HostLines() const {
  if (hostOutput_.empty()) return 0;
  std::istringstream in(ReadFile(hostOutput_));
  size_t n = 0;
  for (std::string line; std::getline(in, line);) ++n;
  return n;
}

long long PlugInJourney::WaitForHostLine(const std::string& word, int ms, size_t afterLines, long long* second) {
  long long first = -1;
  if (hostOutput_.empty()) return first;
  const std::string out = hostOutput_;
  WaitUntil([&] {
    std::istringstream in(ReadFile(out));
    size_t n = 0;
    for (std::string line; std::getline(in, line); ++n) {
      std::istringstream words(line);
      std::string w;
      long long a = -1, b = -1;
      if (n < afterLines || !(words >> w >> a) || w != word) continue;
      words >> b;
      first = a;
      if (second) *second = b;
    }
    return first >= 0;
  }, ms);
  return first;
}

int PlugInJourney::EndHost(int ms) {
  if (!host_) return -1;
  host_->Signal(SIGTERM);
  WaitUntil([&] { return !host_->Running(); }, ms);
  const int status = host_->Stop();
  host_.reset();
  return status;
}

std::string PlugInJourney::HostErrors() const { return hostErrors_.empty() ? std::string() : ReadFile(hostErrors_); }

std::vector<os::XDisplayDriver::TopWindow> PlugInJourney::PlugInWindows() {
  std::vector<os::XDisplayDriver::TopWindow> out;
  for (const auto& w : stage_.x().TopLevels())
    if (w.name != kHostTitle && w.rect.width > 1 && w.rect.height > 1 && w.rect.width < 32767) out.push_back(w);
  return out;
}

bool PlugInJourney::WaitForQuestion(int ms) {
  return WaitUntil([&] {
    bool asked = false;
    for (const HostCall& c : Calls())
      if (c.opcode == kVendorSpecific && c.index == CPlugInModalNotice::kIndex)
        asked = CPlugInModalNotice::Decode(static_cast<intptr_t>(c.value)).questions > 0;
    return asked && !PlugInWindows().empty();
  }, ms);
}

bool PlugInJourney::AnswerQuestion(bool accept, int ms) {
  if (!WaitForQuestion(ms)) return false;
  // The question is the window the plug-in opened last.
  return stage_.Answer(PlugInWindows().back(), accept);
}

bool PlugInJourney::StopHost() {
  const bool ranOn = host_ && host_->Running();
  const int status = EndHost(5000);
  return ranOn && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int PlugInJourney::RunEntries(int times) {
  mkdir(stage_.files().File("lock").c_str(), 0755);
  auto host = stage_.Start({HostProgram(), JourneyStage::PlugInPath(), stage_.files().File("host-calls.txt"),
                            "--entries", std::to_string(times)},
                           "host-entries",
                           {{"HOME", stage_.files().File("home")},
                            {"XDG_CONFIG_HOME", ""},
                            {"VESK_LOCK_DIR", stage_.files().File("lock")}});
  WaitUntil([&] { return !host->Running(); }, 60000);
  return host->Stop();
}

std::vector<HostCall> PlugInJourney::Calls() const {
  std::vector<HostCall> calls;
  std::istringstream in(ReadFile(stage_.files().File("host-calls.txt")));
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    HostCall c;
    if (words >> c.opcode >> c.index >> c.value >> c.opt >> c.thread >> c.phase >> c.readBack) calls.push_back(c);
  }
  return calls;
}

os::XDisplayDriver::Rect PlugInJourney::HostWindow() {
  for (const auto& w : stage_.x().TopLevels())
    if (w.name == kHostTitle) return w.rect;
  throw std::runtime_error("the host's window is gone");
}

void PlugInJourney::Click(Point p, bool waitForChange) {
  const auto w = HostWindow();
  const auto before = stage_.x().Grab(w);
  stage_.x().Click(w.x + p.x, w.y + p.y);
  if (waitForChange) WaitUntil([&] { return stage_.x().Grab(w).pixels != before.pixels; }, 5000);
}

void PlugInJourney::DoubleClick(Point p) {
  const auto w = HostWindow();
  stage_.x().Click(w.x + p.x, w.y + p.y);
  stage_.x().Click(w.x + p.x, w.y + p.y);
  stage_.x().Sync();
}

void PlugInJourney::Drag(Point from, Point to) {
  const auto w = HostWindow();
  auto& x = stage_.x();
  // Paced as a hand is: each step waits (briefly) until the host has heard
  // of it, so the editor sees a press, moves and a release, not one burst.
  auto heard = [&](size_t before) { WaitUntil([&] { return Calls().size() > before; }, 500); };
  size_t n = Calls().size();
  x.MoveTo(w.x + from.x, w.y + from.y);
  x.Press();
  x.Sync();
  heard(n);
  for (int i = 1; i <= 8; ++i) {
    n = Calls().size();
    x.MoveTo(w.x + from.x + (to.x - from.x) * i / 8, w.y + from.y + (to.y - from.y) * i / 8);
    x.Sync();
    heard(n);
  }
  n = Calls().size();
  x.Release();
  x.Sync();
  heard(n);
}

}  // namespace vesk::journey
