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
  std::string thread;  // main, audio or other
  std::string phase;   // entry (inside VSTPluginMain) or run
};

class PlugInJourney : public testing::Test {
 public:
  // Host opcodes a journey looks for.
  static constexpr int kAutomate = 0, kVersion = 1, kBeginEdit = 43, kEndEdit = 44;

  void SetUp() override;
  void TearDown() override;

  static std::string HostProgram();
  // The host with the plug-in and its editor open, and the map of the
  // editor (performance mode, as the instrument starts); false when it does
  // not show its window. `options` go to the host as they are (a session's
  // chunk to load or to save).
  bool StartHost(const std::vector<std::string>& options = {});
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
  std::unique_ptr<WindowMap> map_;
};

// The begin-edit, automate and end-edit calls of a list, one line each
// (for failure messages).
std::string GestureText(const std::vector<HostCall>& calls);

}  // namespace vesk::journey
