#include "tests/journeys/PlugInJourney.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

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
  EXPECT_EQ(stage_.Reports(), "") << "a program of the journey reported a fault";
}

std::string PlugInJourney::HostProgram() { return JourneyStage::BuildDir() + "/tests/journeys/vesk_vst_journey_host"; }

bool PlugInJourney::StartHost(const std::vector<std::string>& options) {
  // The synthesizer of an earlier host goes on running.
  if (!stage_.SynthRunning() && !stage_.StartSynth()) return false;
  mkdir(stage_.files().File("home").c_str(), 0755);
  mkdir(stage_.files().File("lock").c_str(), 0755);
  const size_t from = stage_.Record().size();
  std::vector<std::string> argv = {HostProgram(), JourneyStage::PlugInPath(), stage_.files().File("host-calls.txt")};
  argv.insert(argv.end(), options.begin(), options.end());
  host_ = stage_.Start(argv, "host",
                       {{"HOME", stage_.files().File("home")},
                        {"XDG_CONFIG_HOME", ""},
                        {"VESK_LOCK_DIR", stage_.files().File("lock")}});
  if (!map_) map_ = std::make_unique<WindowMap>(eMode_Combi);
  const std::string out = host_->spec().out;
  // Shown, and connected once the plug-in has asked for the current
  // performance (the instrument starts in performance mode).
  return WaitUntil([&] { return ReadFile(out).rfind("ready", 0) == 0; }, 30000) &&
         stage_.WaitForRecord([](const SynthRecordLine& l) {
           return l.what == "request-current" && l.words == std::vector<std::string>{"combination"};
         }, 30000, from) &&
         WaitUntil([&] {
           // The progress window of the transfer gone.
           for (const auto& w : stage_.x().TopLevels())
             if (w.name != kHostTitle && w.rect.width > 1 && w.rect.width < 32767) return false;
           return true;
         }, 20000);
}

bool PlugInJourney::StopHost() {
  if (!host_) return false;
  const bool ranOn = host_->Running();
  const int status = host_->Stop(5000);
  host_.reset();
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
    if (words >> c.opcode >> c.index >> c.value >> c.opt >> c.thread >> c.phase) calls.push_back(c);
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
