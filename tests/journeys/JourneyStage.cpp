#include "tests/journeys/JourneyStage.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "editor/controls/DrawnAlert.h"
#include "tests/support/XvfbServer.h"

namespace vesk::journey {

namespace {

constexpr size_t kSynthMemorySize = 784861;
const char* const kSynthClient = "Vesk";
const char* const kEditorTitle = "Vesk Editor";
// The input-only window that holds a window off while a modal run goes on
// is as large as X allows.
constexpr int kShieldSize = 32767;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

// The lines of a program's errors that tell of a sanitizer's report or a
// crash.
std::string ReportLines(const std::string& text) {
  static const char* const kMarks[] = {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer",
                                       "runtime error:", "WARNING: ThreadSanitizer",
                                       "ThreadSanitizer: reported", "AddressSanitizer:DEADLYSIGNAL"};
  std::string out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    for (const char* mark : kMarks)
      if (line.find(mark) != std::string::npos) {
        out += line + "\n";
        break;
      }
  return out;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

JourneyStage::JourneyStage() = default;

JourneyStage::~JourneyStage() {
  // The programs first, then what they stand on.
  End(editor_);
  End(synth_);
  x_.reset();
  jackd_.reset();
  xvfb_.reset();
  shm_.reset();
}

std::string JourneyStage::BuildDir() {
  const char* dir = std::getenv("VESK_JOURNEY_BUILD");
  return dir && *dir ? std::string(dir) : std::string(VESK_JOURNEY_DEFAULT_BUILD);
}
std::string JourneyStage::EditorProgram() { return BuildDir() + "/host/Vesk Editor"; }
std::string JourneyStage::PlugInPath() { return BuildDir() + "/plugin/Vesk Plug-In Editor.so"; }
std::string JourneyStage::SynthProgram() { return BuildDir() + "/tests/support/jacksynth/vesk_jack_simsynth"; }

std::vector<std::string> JourneyStage::JackServerArgv(const std::string& jackd, const std::string& name,
                                                      ServerMode mode) {
  // Synchronous, as the suite's own server: a cycle waits for the clients
  // that are late for it. An asynchronous server goes on without them, and
  // a reader then gets a cycle's MIDI twice or never; on a loaded machine a
  // journey would take that for the editor's fault, unless it is what the
  // journey is about. The price: a client that ends without a word holds
  // the server up once, for some two seconds (ten times the time-out).
  std::vector<std::string> argv{jackd, "-n", name};
  if (mode.synchronous) argv.push_back("-S");
  argv.insert(argv.end(), {"-t", std::to_string(mode.timeoutMs), "-d", "dummy", "-r", "48000", "-p",
                           std::to_string(mode.periodFrames)});
  return argv;
}

std::map<std::string, std::string> JourneyStage::Env() const {
  return {{"DISPLAY", display_},
          {"JACK_DEFAULT_SERVER", jackName_},
          {"JACK_NO_AUDIO_RESERVATION", "1"},
          {"JACK_NO_START_SERVER", "1"}};
}

std::unique_ptr<JourneyProcess> JourneyStage::Start(std::vector<std::string> argv, const std::string& name,
                                                    const std::map<std::string, std::string>& env) {
  JourneyProcess::Spec spec;
  spec.argv = std::move(argv);
  spec.env = Env();
  for (const auto& [k, v] : env) spec.env[k] = v;
  // A program started again keeps its earlier output beside the new.
  const int n = ++names_[name];
  const std::string base = n == 1 ? name : name + "-" + std::to_string(n);
  spec.out = files_.File(base + ".out");
  spec.err = files_.File(base + ".err");
  spec.namespaceFd = shm_ ? shm_->fd() : -1;
  errorFiles_.push_back(spec.err);
  return std::make_unique<JourneyProcess>(spec);
}

bool JourneyStage::Open() {
  shm_ = std::make_unique<PrivateShm>();
  const std::string xvfb = vesk::test::FindOnPath("Xvfb"), jackd = vesk::test::FindOnPath("jackd"),
                    lsp = vesk::test::FindOnPath("jack_lsp");
  if (xvfb.empty() || jackd.empty() || lsp.empty()) {
    why_ = "the journeys need Xvfb, jackd and jack_lsp (packages xvfb and jackd2)";
    return false;
  }
  for (const std::string& p : {EditorProgram(), PlugInPath(), SynthProgram()})
    if (!Exists(p)) {
      why_ = p + " is not built";
      return false;
    }
  // Xvfb writes its display number once it takes connections.
  xvfb_ = Start({xvfb, "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"}, "xvfb");
  const std::string number = files_.File("xvfb.out");
  if (!WaitUntil([&] { return ReadFile(number).find('\n') != std::string::npos; }, 15000)) {
    why_ = "Xvfb did not start";
    return false;
  }
  display_ = ":" + ReadFile(number).substr(0, ReadFile(number).find('\n'));
  x_ = os::XDisplayDriver::Open(display_, &why_);
  if (!x_) return false;
  jackName_ = "journey-" + std::to_string(getpid()) + "-" + std::to_string(++started_);
  jackd_ = Start(JackServerArgv(jackd, jackName_, serverMode_), "jackd");
  const bool up = WaitUntil(
      [&] {
        auto probe = Start({lsp}, "jack_lsp");
        WaitUntil([&] { return !probe->Running(); }, 5000);
        const int status = probe->Stop();
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
      },
      10000);
  if (!up) why_ = "the JACK server did not start (see " + files_.File("jackd.err") + ")";
  return up;
}

bool JourneyStage::StartSynth() {
  End(synth_);
  std::vector<std::string> argv{SynthProgram(), "--client", kSynthClient, "--seed", "11", "--channel", "2",
                                 "--short-out", files_.File("record.txt"), "--memory-out", files_.File("memory.bin")};
  argv.insert(argv.end(), synthLate_.begin(), synthLate_.end());
  synth_ = Start(argv, "synth");
  const std::string out = synth_->spec().out;
  return WaitUntil([&] { return ReadFile(out).rfind("ready", 0) == 0; }, 10000);
}

void JourneyStage::StopSynth() { End(synth_); }

void JourneyStage::End(std::unique_ptr<JourneyProcess>& p) {
  if (!p) return;
  if (p->started() && !p->Running()) {
    // It ended before anyone asked it to.
    const int status = p->Stop();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
      crashes_ += p->spec().argv[0] + " ended by itself (" +
                  (WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status))
                                       : "status " + std::to_string(WEXITSTATUS(status))) +
                  ")\n";
  }
  p.reset();
}
bool JourneyStage::SynthRunning() { return synth_ && synth_->Running(); }

std::vector<SynthRecordLine> JourneyStage::Record() const {
  return vesk::test::SynthRecord::Read(files_.File("record.txt"));
}

bool JourneyStage::WaitForRecord(const std::function<bool(const SynthRecordLine&)>& match, int ms,
                                 size_t from) const {
  return WaitUntil(
      [&] {
        const auto lines = Record();
        for (size_t i = from; i < lines.size(); ++i)
          if (match(lines[i])) return true;
        return false;
      },
      ms);
}

std::vector<uint8_t> JourneyStage::SynthMemory() {
  const std::string path = files_.File("memory.bin");
  std::remove(path.c_str());
  if (!SynthRunning()) return {};
  synth_->Signal(SIGUSR1);
  if (!WaitUntil([&] { return Exists(path); }, 5000)) return {};
  const std::string bytes = ReadFile(path);
  if (bytes.size() != kSynthMemorySize) return {};
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void JourneyStage::StorePreferences(const std::vector<std::string>& lines) {
  mkdir(files_.File("home").c_str(), 0755);
  mkdir(files_.File("home/.config").c_str(), 0700);
  std::ofstream out(files_.File("home/.config/Vesk Editor.prefs"), std::ios::binary);
  out << "vesk-preferences 1\n";
  for (const std::string& l : lines) out << l << "\n";
}

void JourneyStage::StoreSettingsFile(const std::string& bytes) {
  mkdir(files_.File("home").c_str(), 0755);
  mkdir(files_.File("home/.config").c_str(), 0700);
  std::ofstream out(files_.File("home/.config/TAVO Vesk Editor Preferences"), std::ios::binary);
  out << bytes;
}

void JourneyStage::LaunchEditor() {
  mkdir(files_.File("home").c_str(), 0755);
  mkdir(files_.File("lock").c_str(), 0755);
  End(editor_);
  // A home of its own (settings, the instance lock) and this build's plug-in.
  editor_ = Start({EditorProgram()}, "editor",
                  {{"HOME", files_.File("home")},
                   {"XDG_CONFIG_HOME", ""},
                   {"VESK_LOCK_DIR", files_.File("lock")},
                   {"VESK_PLUGIN_PATH", PlugInPath()}});
}

bool JourneyStage::WaitForEditorWindow() {
  // The view is made once the plug-in is open; the window shows it.
  return WaitUntil(
      [&] {
        os::XDisplayDriver::Rect w, v;
        return EditorWindow(&w, &v) && v.width > 0;
      },
      30000);
}

bool JourneyStage::EditorRunning() { return editor_ && editor_->Running(); }
void JourneyStage::StopEditor() { End(editor_); }

bool JourneyStage::EditorWindow(os::XDisplayDriver::Rect* window, os::XDisplayDriver::Rect* view,
                                os::XDisplayDriver::WindowId* id) {
  // The program's questions bear its name too: the editor's window is the
  // one that holds the view (its parent fills the window below the menus).
  // A question held off has a child too: the shield, as large as X allows.
  for (const auto& w : x_->TopLevels()) {
    if (w.name != kEditorTitle) continue;
    for (const auto& k : x_->ChildrenOf(w.id)) {
      if (k.rect.width >= kShieldSize) continue;
      *window = w.rect;
      if (view) *view = k.rect;
      if (id) *id = w.id;
      return true;
    }
  }
  return false;
}

bool SameWindow(const os::XDisplayDriver::TopWindow& a, const os::XDisplayDriver::TopWindow& b) {
  return a.id == b.id && a.rect.width == b.rect.width && a.rect.height == b.rect.height;
}

os::XDisplayDriver::Picture JourneyStage::SettledOnScreen(const os::XDisplayDriver::Rect& r, int ms, int quietMs) {
  os::XDisplayDriver::Picture now = x_->Grab(r);
  // Drawn (a window not drawn yet shows one colour), and the same for a
  // while.
  WaitUntil([&] {
    const bool drawn = std::any_of(now.pixels.begin(), now.pixels.end(), [&](uint32_t c) { return c != now.pixels[0]; });
    if (drawn && !WaitUntil([&] { return x_->Grab(r).pixels != now.pixels; }, quietMs)) return true;
    now = x_->Grab(r);
    return false;
  }, ms);
  return now;
}

bool JourneyStage::Answer(const os::XDisplayDriver::TopWindow& question, bool accept) {
  // The default button at the right of the row along the bottom, the cancel
  // one left of it (its buttons' words are short: "OK", "Cancel").
  const int y = question.rect.y + question.rect.height - DrawnAlert::kMargin - DrawnAlert::kButtonHeight / 2;
  int x = question.rect.x + question.rect.width - DrawnAlert::kMargin - DrawnAlert::kMinButtonWidth / 2;
  if (!accept) x -= DrawnAlert::kMinButtonWidth + DrawnAlert::kButtonGap;
  // Answered once it shows: a person answers what they see.
  const os::XDisplayDriver::Picture asked = SettledOnScreen(question.rect, 3000);
  x_->Click(x, y);
  return WaitUntil([&] {
    for (const auto& w : x_->TopLevels())
      if (SameWindow(w, question) && x_->Grab(w.rect).pixels == asked.pixels) return false;
    return true;
  }, 5000);
}

std::vector<os::XDisplayDriver::TopWindow> JourneyStage::OtherWindows() {
  os::XDisplayDriver::Rect w;
  os::XDisplayDriver::WindowId editor = 0;
  EditorWindow(&w, nullptr, &editor);
  std::vector<os::XDisplayDriver::TopWindow> out;
  for (const auto& t : x_->TopLevels())
    if (t.id != editor && t.rect.width > 1 && t.rect.height > 1 && t.rect.width < kShieldSize) out.push_back(t);
  return out;
}

bool JourneyStage::EditorShielded() {
  os::XDisplayDriver::Rect w;
  os::XDisplayDriver::WindowId editor = 0;
  if (!EditorWindow(&w, nullptr, &editor)) return false;
  for (const auto& k : x_->ChildrenOf(editor))
    if (k.rect.width >= kShieldSize) return true;
  return false;
}

std::string JourneyStage::ScreenList() {
  std::string out;
  for (const auto& w : x_->TopLevels()) {
    out += "\n  \"" + w.name + "\" " + std::to_string(w.rect.width) + "x" + std::to_string(w.rect.height) + "+" +
           std::to_string(w.rect.x) + "+" + std::to_string(w.rect.y);
    for (const auto& k : x_->ChildrenOf(w.id))
      out += "\n    child " + std::to_string(k.rect.width) + "x" + std::to_string(k.rect.height) + "+" +
             std::to_string(k.rect.x) + "+" + std::to_string(k.rect.y);
  }
  return out;
}

std::string JourneyStage::Reports() {
  std::string out = crashes_;
  for (const std::string& f : errorFiles_) {
    const std::string lines = ReportLines(ReadFile(f));
    if (!lines.empty()) out += f + ":\n" + lines;
  }
  return out;
}

std::string JourneyStage::RecordTail(size_t lines) const {
  const auto all = Record();
  std::string out;
  for (size_t i = all.size() > lines ? all.size() - lines : 0; i < all.size(); ++i) {
    out += "\n  " + all[i].what;
    for (const auto& w : all[i].words) out += " " + w;
  }
  return out.empty() ? "\n  (nothing)" : out;
}

std::string JourneyStage::EditorErrors() const {
  const std::string text = editor_ ? ReadFile(editor_->spec().err) : std::string();
  return text.size() > 2000 ? text.substr(text.size() - 2000) : text;
}

}  // namespace vesk::journey
