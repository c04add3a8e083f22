#pragma once
// The settings window's controls and what each does: the output device,
// stream format, buffer size, channel pair and clock source, three MIDI
// inputs and a MIDI clock source, the knob mode and the automatic stop;
// setupPressed applies them all to the running program and writes the
// preferences file, loadSettings reads the file back into the controls.
// Controls are addressed by signature and index; popup items count from 1,
// item 1 of the device and MIDI popups being " -- ". The dialog holds all
// of the settings window's state (the pane shown included): the window
// draws it and hands each user action over through UserChose or
// SliderTracking. Main thread only.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/AudioGraph.h"
#include "host/SaveData.h"

struct DialogControl {
  struct Item {
    std::string text;
    bool enabled = true;
  };
  int32_t value = 0;  // popups: the selected item, 0 for none
  int32_t minimum = 0;
  int32_t maximum = 0;
  bool enabled = true;
  std::vector<Item> items;  // popups
  std::string text;         // static texts and buttons
};

class SettingsDialog : public AudioGraph::Owner {
 public:
  static constexpr uint32_t kOUTP = 0x4F555450, kSTRM = 0x5354524D, kBFSZ = 0x4246535A,
                            kCHAN = 0x4348414E, kCLOK = 0x434C4F4B, kMIDI = 0x4D494449,
                            kKNOB = 0x4B4E4F42, kfSTO = 0x6653544F, kbSTO = 0x6253544F,
                            kOK = 0x4F4B2020, kSETU = 0x53455455, kCNCL = 0x434E434C,
                            kSTTX = 0x53545458, kMTAB = 0x4D544142;

  // What the dialog changes outside itself.
  struct Hooks {
    std::function<void(uint32_t command, bool enable)> enableCommand;
    std::function<void()> hideWindow;
    std::function<void()> changed;  // redraw the window
  };

  explicit SettingsDialog(AudioGraph& graph);

  void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }
  DialogControl* grabCRef(uint32_t signature, int index);
  const DialogControl* Control(uint32_t signature, int index) const;
  int32_t Value(uint32_t signature, int index = 0) { return grabCRef(signature, index)->value; }

  // What the user did in the settings window, handed over once: the new
  // value of the control (a tab's number, a popup's item, a slider's
  // position, a check box's state; anything for a button). A disabled or
  // unknown control, or a value outside the control's range, does nothing.
  void UserChose(uint32_t signature, int index, int32_t value);
  // A slider's thumb being dragged: its texts follow, nothing is applied
  // until UserChose on release.
  void SliderTracking(uint32_t signature, int32_t value);
  // The tab strip: shows the pane of tab value (1 to 3); the value already
  // shown changes nothing. False when nothing changed.
  bool SelectPane(int value);
  int lastPaneSelected() const { return lastPaneSelected_; }

  // The user changed a control (its value is already set): always handled.
  void eventHandler(uint32_t signature, int index);

  bool setupPressed(bool save);
  void outChanged(int deviceItem, int streamItem);
  void setStreamPopup(int deviceItem, int streamItem);
  void streamChanged();
  void updateFrameSizeControl();
  void setLatencyString();
  void frameSizeChanged() { setLatencyString(); }
  void setOutputPopup();
  void setMidiPopup();
  void UpdateClockSourcePopup(uint64_t endpoint);
  void SetSettingDialogOtherSettings(bool useAutoStop, int limit, int knobMode);
  void recoverAfterCancel();
  // Reads the preferences file into the controls; true when a stored
  // device, format or port was not found again. NRX exceptions: "fp" when
  // there is no file, the failed check for a damaged one.
  bool loadSettings(bool showFormatNote);
  void saveSettings();
  // The item currently selected in the clock popup's port, or 0.
  uint64_t SelectedClockEndpoint();
  void RefreshClockSourcePopup();   // idle task 8
  void RefreshDeviceFormat();       // idle task 9
  void SelectPopupItem(uint32_t signature, int index, int item);
  void PortExclusivity(int input, int item);
  static std::string AutoStopText(int limit);

  // The preferences file: "<config folder>/TAVO Vesk Editor Preferences".
  // Neither XDG_CONFIG_HOME nor HOME set: NRXNullException; a path longer
  // than 256 bytes: NRXException that says so in words.
  static std::string getSettingFilePath();

  // AudioGraph::Owner.
  void ShowErrorAlert(const std::string& key, const std::string& detail) override;
  void RecoverAfterFailedSelection() override;
  void SetFrameSizeControlByFrameSizeValue(AudioDeviceID device,
                                           const AudioStreamBasicDescription& format,
                                           uint32_t frames) override;

  bool canPlay = false;
  bool isSetupPressed = false;
  bool gBufferFrameSizeControlUserTouched = false;
  bool gUnsupportedFormatItemIsAppended = false;
  bool gUseAutoStop = false;
  int gStopCPUUsage = 100;
  int gKnobMode = 2;
  uint32_t currentBufferFrameSize = 0;
  int currentStartingChannel = 0;
  int lastSelectedMidiIndex[3] = {1, 1, 1};
  int gMIDIClockSourceIndexCount = 0;
  int gMIDIClockSourceIndexList[3] = {-1, -1, -1};

 private:
  void Changed();
  void Enable(uint32_t command, bool on);
  // The steps of loadSettings; each true when a stored item was not found.
  // No file: NRXNullException "fp"; a file refused: NRXException whose
  // message is the reason in words.
  static SaveData ReadSettingsFile();
  bool LoadOutputDevice(const SaveData& s, bool showFormatNote, int* foundDevice);
  bool LoadMidiInputs(const SaveData& s);
  bool LoadMidiClockSource(const SaveData& s);
  void LoadOtherSettings(const SaveData& s);
  void LoadDeviceClockSource(const SaveData& s, int foundDevice);
  void EmptyPopup(uint32_t signature, int index);
  void AppendItem(uint32_t signature, int index, const std::string& text, bool enabled = true);
  void SyncPopup(uint32_t signature, int index);
  void SetItemEnabled(uint32_t signature, int index, int item, bool enabled);
  // The selected device's position and format position, -1 when none.
  int SelectedDevice();
  int SelectedFormat();
  os::audio::AudioValueRange SelectedRange();

  AudioGraph& graph_;
  Hooks hooks_;
  std::map<std::pair<uint32_t, int>, DialogControl> controls_;
  int lastPaneSelected_ = 1;
};
