#pragma once
// The fixture of the journeys with the plug-in in a host: the stage with
// the simulated synthesizer, the journeys' VST 2 host (vesk_vst_journey_host)
// as a process of its own with the built plug-in, and what the host got from
// the plug-in (every callback, with its thread). A person drives the
// plug-in's editor in the host's window; points come from the window map.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/journeys/JourneyStage.h"
#include "tests/journeys/WindowMap.h"

namespace vesk::journey {

struct HostCall {
  int opcode = 0, index = 0;
  long long value = 0;
  double opt = 0;
  std::string thread;  // main (which calls effEditIdle), audio or other
  std::string phase;   // entry (inside VSTPluginMain), close (inside effClose) or run
  double readBack = 0;  // an automate's row, read back inside it
};

class PlugInJourney : public testing::Test {
 public:
  // Host opcodes a journey looks for.
  static constexpr int kAutomate = 0, kVersion = 1, kUpdateDisplay = 42, kBeginEdit = 43, kEndEdit = 44,
                       kVendorSpecific = 35;

  void SetUp() override;
  void TearDown() override;

  static std::string HostProgram();
  // The host with the plug-in and its editor open, and the map of the
  // editor (performance mode, as the instrument starts), once the
  // synthesizer is connected; false when it does not show its window. A
  // synthesizer an earlier host left running goes on. `options` go to the
  // host as they are (a session's chunk to load or to save).
  bool StartHost(const std::vector<std::string>& options = {});
  // The host alone (the synthesizer is not started), with a chunk file for
  // its chunk commands; true once it shows its window.
  bool StartHostAlone(const std::vector<std::string>& options = {});
  // Sends the host a signal (SIGUSR1: save the bank chunk into the chunk
  // file, SIGUSR2: restore it from there, each the preset chunk instead for
  // a host started with the options {"--preset", "1"}; SIGTERM: close and
  // end).
  void SignalHost(int sig);
  // The first number of the last line of the last host's output that
  // begins with `word` ("getchunk", "setchunk", "close"), and the second in
  // `second` when given; waits up to `ms` for one after the first
  // `afterLines` lines; -1 without.
  long long WaitForHostLine(const std::string& word, int ms, size_t afterLines = 0, long long* second = nullptr);
  size_t HostLines() const;
  // The host asked to close and end; its wait status once it has (or it
  // was killed after `ms`).
  int EndHost(int ms);
  // What the last host started wrote to its errors (for failure messages).
  std::string HostErrors() const;
  // The file the host saves chunks to and restores them from.
  std::string ChunkFile() const { return stage_.files().File("chunk.bin"); }
  // The plug-in has told the host that its question is open (its notice of
  // its modal runs), and the question shows: waits up to `ms`.
  bool WaitForQuestion(int ms);
  // The question answered (its default button, or cancel); false when none
  // shows or it stays.
  bool AnswerQuestion(bool accept, int ms);
  // Windows on the screen other than the host's (the plug-in's progress
  // windows and questions).
  std::vector<os::XDisplayDriver::TopWindow> PlugInWindows();
  // Ends the host as a person closing it does; true when it closed the
  // plug-in and ended in order. Calls() keeps what it recorded until the
  // next host starts.
  bool StopHost();
  // The host only calling the plug-in's entry `times` times; its exit status.
  int RunEntries(int times);
  std::vector<HostCall> Calls() const;
  WindowMap& Map() { return *map_; }
  // The host's window on the screen.
  os::XDisplayDriver::Rect HostWindow();
  // A click (editor coordinates); with `waitForChange`, then a wait (up to
  // a few seconds) until the editor shows something else.
  void Click(Point p, bool waitForChange = false);
  // Two clicks in quick succession (editor coordinates).
  void DoubleClick(Point p);
  // Press, move in steps, release (editor coordinates).
  void Drag(Point from, Point to);

  JourneyStage stage_;

 private:
  std::unique_ptr<JourneyProcess> host_;
  // The last host's output and errors (files that stay after it ended).
  std::string hostOutput_, hostErrors_;
  std::unique_ptr<WindowMap> map_;
};

// The begin-edit, automate and end-edit calls of a list, one line each
// (for failure messages).
std::string GestureText(const std::vector<HostCall>& calls);

}  // namespace vesk::journey
