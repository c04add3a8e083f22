#pragma once
// The program `Vesk Editor`: start-up in its fixed order, the menu
// commands, the about box, the idle tick with its task queue, the device
// and MIDI changes that reach the main thread through it, the automatic
// stop and the exit. It hosts the editor found in the component registry,
// plays it through the output device chosen in the settings window and
// feeds it MIDI through the MIDI manager.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/AudioComponentRegistry.h"
#include "host/AudioGraph.h"
#include "host/EditorWindow.h"
#include "host/SettingsDialog.h"
#include "host/SettingsWindow.h"
#include "os/MainLoop.h"
#include "os/midi/Client.h"

class StandaloneApp {
 public:
  static constexpr uint32_t kExpo = 0x4578706F, kImpo = 0x496D706F, kOpen = 0x6F70656E,
                            kSvas = 0x73766173, kLOCK = 0x4C4F434B, kULCK = 0x554C434B,
                            kPLAY = 0x504C4159, kSTOP = 0x53544F50, kAbou = 0x61626F75,
                            kPref = 0x70726566, kQuit = 0x71756974;
  static constexpr uint32_t kCommandFromMenu = 1;
  static constexpr int kEventNotHandled = -9874;
  static constexpr const char* kHostVersion = "1.0.0";

  struct Options {
    std::string name = "Vesk Editor";
    // The program's end (closing the editor window); default std::exit.
    std::function<void(int status)> exit;
    // Where failures are told besides the alert; default stderr.
    std::function<void(const std::string&)> report;
  };

  StandaloneApp(const AudioComponentRegistry& registry, Options options);
  ~StandaloneApp();
  StandaloneApp(const StandaloneApp&) = delete;
  StandaloneApp& operator=(const StandaloneApp&) = delete;

  // The menus of the editor window's strip for a program of that name. Any
  // thread.
  static std::vector<EditorWindow::MenuDef> MenuDefinitions(const std::string& name);

  // Start-up up to the idle timer; 0 when the event loop may run, else the
  // exit status (the failure has been shown and reported).
  int Start();
  // Start, then the main loop until it quits; the exit status.
  int Run();

  // Menu commands; attributes bit 0: from a menu; kind 1 process, 2 update.
  int commandHandler(uint32_t command, uint32_t attributes, int kind = 1);
  bool IsCommandEnabled(uint32_t command) const;
  std::string AboutText();
  void ShowTalvikAboutBox();

  void IdleTimerProc();
  void RunIdleTask(int id);
  void HardwareDevicesChanged();
  void MIDIDeviceChanged();
  void InternalAudioStop();
  void beforeExit();

  AudioGraph& graph() { return graph_; }
  SettingsDialog& dialog() { return dialog_; }
  SettingsWindow& settingsWindow() { return settingsWindow_; }
  EditorWindow& editorWindow() { return editorWindow_; }
  os::midi::Client* midiClient() const { return midiClient_.get(); }
  bool midiBuilding() const { return midiBuilding_; }

 private:
  // Reports a start-up failure; the exit status.
  int Fail(const std::string& what, const std::string& why);
  // Stops audio, telling the user when that fails; whether audio was
  // playing and is stopped now.
  bool StopAudio();
  void EnableCommand(uint32_t command, bool enable) { menu_[command] = enable; }
  // Play while audio is stopped, Stop while it plays.
  void EnableAudioCommands(bool playing) {
    EnableCommand(kPLAY, !playing);
    EnableCommand(kSTOP, playing);
  }
  void ShowSettings();
  // The steps of Start; those that return give 0 to go on, else the exit
  // status (the failure has been told).
  int OpenEditorWindow();
  void CreateMidiClient();
  int OpenComponent();
  void FillSettingsPopups();
  void ApplyStoredSettings();

  const AudioComponentRegistry& registry_;
  Options options_;
  AudioGraph graph_;
  SettingsDialog dialog_;
  SettingsWindow settingsWindow_;
  EditorWindow editorWindow_;
  std::unique_ptr<os::midi::Client> midiClient_;
  std::map<uint32_t, bool> menu_;
  os::MainLoop::TimerId idleTimer_ = 0;
  os::MainLoop::TimerId midiPoll_ = 0;
  bool midiBuilding_ = false;
  bool midiAddRemove_ = false;
  bool started_ = false;
  bool exited_ = false;
  // The MIDI manager's idle failure told last, empty when it works.
  std::string midiIdleFailure_;
};
