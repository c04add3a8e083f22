#pragma once
// The stage of one journey: a private /dev/shm, a virtual X display (Xvfb),
// a JACK server with the dummy driver, the simulated synthesizer as a JACK
// client process of its own, and the real `Vesk Editor` (or another program
// of the build, such as the journeys' VST host) on them. The programs come
// from the build folder in $VESK_JOURNEY_BUILD, else from this build, so the
// same journeys run against a ThreadSanitizer build too. Every process is
// ended by its recorded pid when the stage goes; the programs' errors are
// read for sanitizer reports (Reports()).
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "os/xdrive/XDisplayDriver.h"
#include "tests/journeys/JourneyProcess.h"
#include "tests/support/TempDir.h"
#include "tests/support/jacksynth/SynthRecord.h"

namespace vesk::journey {

using vesk::test::SynthRecordLine;
using vesk::test::TempDir;

// Waits, up to `ms`, for a condition that another process brings about,
// looking again every few milliseconds; whether it came about.
bool WaitUntil(const std::function<bool()>& done, int ms);

// The same window showing the same thing (the programs show their menus
// and questions in windows they may use again).
bool SameWindow(const os::XDisplayDriver::TopWindow& a, const os::XDisplayDriver::TopWindow& b);

// How a journey's JACK server runs: synchronous, or not (as most people's
// and the ones hosts start: a client that runs late has its missed cycles
// run back to back, and whoever it feeds may read its port twice), and its
// cycle's length in frames at 48 kHz.
struct JackServerMode {
  bool synchronous = true;
  unsigned periodFrames = 256;
  unsigned timeoutMs = 200;
};

class JourneyStage {
 public:
  JourneyStage();
  ~JourneyStage();
  JourneyStage(const JourneyStage&) = delete;
  JourneyStage& operator=(const JourneyStage&) = delete;

  // The build the programs come from.
  static std::string BuildDir();
  static std::string EditorProgram();
  static std::string PlugInPath();
  static std::string SynthProgram();
  using ServerMode = JackServerMode;
  // The command line of the stage's JACK server (jackd's path and the
  // server's name given).
  static std::vector<std::string> JackServerArgv(const std::string& jackd, const std::string& name,
                                                 ServerMode mode = {});

  // Before Open.
  void SetServerMode(ServerMode mode) { serverMode_ = mode; }
  // Before StartSynth: the synthesizer's process cycle runs `ms` late once
  // as many bytes from the editor as each of `atBytes` says have arrived.
  void MakeSynthLate(unsigned ms, const std::vector<size_t>& atBytes) {
    std::string at;
    for (const size_t n : atBytes) at += (at.empty() ? "" : ",") + std::to_string(n);
    synthLate_ = {"--late-ms", std::to_string(ms), "--late-at", at};
  }

  // Starts the display and the JACK server; false (and why()) when one of
  // them does not come up.
  bool Open();
  const std::string& why() const { return why_; }
  const std::string& display() const { return display_; }
  os::XDisplayDriver& x() { return *x_; }
  const TempDir& files() const { return files_; }

  // The simulated synthesizer: started (or started again with its memory as
  // the last one left it) and ready, or stopped as a switched-off instrument
  // is. Its record of what it received and its memory on request.
  bool StartSynth();
  void StopSynth();
  bool SynthRunning();
  std::vector<SynthRecordLine> Record() const;
  // Waits up to `ms` for a line of the record that matches, counting only
  // lines after the first `from`.
  bool WaitForRecord(const std::function<bool(const SynthRecordLine&)>& match, int ms, size_t from = 0) const;
  // The instrument's whole memory, written by it on request; empty when it
  // does not answer within a few seconds.
  std::vector<uint8_t> SynthMemory();

  // The editor's stored settings, as the program reads them at start.
  void StorePreferences(const std::vector<std::string>& lines);
  // The program's audio and MIDI settings file, as it reads it at start.
  void StoreSettingsFile(const std::string& bytes);
  // `Vesk Editor` started with a home folder of its own; then a wait until
  // its window shows the plug-in's view.
  void LaunchEditor();
  bool WaitForEditorWindow();
  bool EditorRunning();
  void StopEditor();
  // A program of the build (or any) started on the stage, with the
  // stage's display and JACK server.
  std::unique_ptr<JourneyProcess> Start(std::vector<std::string> argv, const std::string& name,
                                        const std::map<std::string, std::string>& env = {});

  // The editor's top-level window and the view in it (screen rectangles);
  // false while there is none.
  bool EditorWindow(os::XDisplayDriver::Rect* window, os::XDisplayDriver::Rect* view = nullptr,
                    os::XDisplayDriver::WindowId* id = nullptr);
  // Windows on the screen other than the editor's (dialogs, menus).
  std::vector<os::XDisplayDriver::TopWindow> OtherWindows();
  // A rectangle of the screen once it is drawn and has stopped changing
  // (the same for `quietMs`; at most `ms`).
  os::XDisplayDriver::Picture SettledOnScreen(const os::XDisplayDriver::Rect& r, int ms, int quietMs = 300);
  // A question shown in that window (an alert of the programs') answered
  // as a person does once it shows: its default button, or the one that
  // cancels. True once it is gone or shows something else (the program
  // may show its next window, such as a progress window, in its place).
  bool Answer(const os::XDisplayDriver::TopWindow& question, bool accept);
  // Whether the editor's window lies under the shield a modal run puts over
  // it: clicks on it then go nowhere.
  bool EditorShielded();

  // The windows on the screen, one line each (for failure messages).
  std::string ScreenList();
  // Sanitizer reports in the errors of every program started on the stage
  // so far, and the programs that ended by themselves other than with
  // status 0 (noted as they are ended).
  std::string Reports();
  // The last lines of the synthesizer's record (for a failure message).
  std::string RecordTail(size_t lines = 30) const;
  // The last lines the editor wrote to its errors (for a failure message).
  std::string EditorErrors() const;

 private:
  std::map<std::string, std::string> Env() const;
  // Ends a process; one that ended by itself other than with status 0 is
  // noted among the reports.
  void End(std::unique_ptr<JourneyProcess>& p);
  TempDir files_;
  std::unique_ptr<PrivateShm> shm_;
  std::unique_ptr<JourneyProcess> xvfb_, jackd_, synth_, editor_;
  std::unique_ptr<os::XDisplayDriver> x_;
  std::string display_, jackName_, why_;
  ServerMode serverMode_;
  std::vector<std::string> synthLate_;
  std::vector<std::string> errorFiles_;
  std::map<std::string, int> names_;
  std::string crashes_;
  int started_ = 0;
};

}  // namespace vesk::journey
