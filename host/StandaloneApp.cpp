#include "host/StandaloneApp.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/CalcCPULoad.h"
#include "host/FailureReporter.h"
#include "host/HostAlerts.h"
#include "host/HostString.h"
#include "host/IdleTaskQueue.h"
#include "host/MidiEntryList.h"
#include "host/NRXAlert.h"
#include "host/NRXCFObject.h"
#include "host/StatusText.h"
#include "host/TalvikHostMIDIManager.h"
#include "host/TalvikHostMIDIManagerC.h"
#include "os/Clock.h"
#include "os/Monitor.h"
#include "os/midi/System.h"
#include "os/window/Window.h"
#include "platform/NRXException.h"
#include "plugin/CAtomicInstance.h"

namespace {

StandaloneApp* gApp = nullptr;

void InternalAudioStopProc() {
  if (gApp) gApp->InternalAudioStop();
}

// Waits on the program's clock (simulated in tests).
void WaitUs(uint64_t us) {
  os::Monitor monitor;
  os::Monitor::Hold lock(monitor.mutex());
  monitor.WaitUntil(lock, os::NowUs() + us, [] { return false; });
}

}  // namespace

StandaloneApp::StandaloneApp(const AudioComponentRegistry& registry, Options options)
    : registry_(registry),
      options_(std::move(options)),
      dialog_(graph_),
      settingsWindow_(dialog_) {
  gApp = this;
  FailureReporter::SetLog(options_.report);
  SettingsDialog::Hooks hooks;
  hooks.enableCommand = [this](uint32_t c, bool on) { EnableCommand(c, on); };
  hooks.hideWindow = [this] { settingsWindow_.Hide(); };
  hooks.changed = [this] { settingsWindow_.Refresh(); };
  dialog_.SetHooks(hooks);
  editorWindow_.SetCloseHandler([this] {
    beforeExit();
    if (options_.exit)
      options_.exit(0);
    else
      std::exit(0);
  });
}

StandaloneApp::~StandaloneApp() {
  beforeExit();
  FailureReporter::SetLog({});
  if (gApp == this) gApp = nullptr;
}

int StandaloneApp::Fail(const std::string& what, const std::string& why) {
  FailureReporter::Report(what, why);
  return 1;
}

std::vector<EditorWindow::MenuDef> StandaloneApp::MenuDefinitions(const std::string& name) {
  return {{"File",
           {{"Open Bank...", kOpen}, {"Save Bank As...", kSvas}, {"", 0}, {"Import Preset...", kImpo},
            {"Export Preset...", kExpo}, {"", 0}, {"Quit", kQuit}}},
          {"Audio", {{"Play", kPLAY}, {"Stop", kSTOP}, {"", 0}, {"Settings...", kPref}}},
          {"Window", {{"Lock Window", kLOCK}, {"Unlock Window", kULCK}}},
          {"Help", {{"About " + name, kAbou}}}};
}

int StandaloneApp::Start() {
  midiBuilding_ = false;
  {
    NRXCFObject title(HostStringCreate(options_.name));
    NRXAlert::SetTitleText(title.get());
  }
  if (!os::MainLoop::Current()) return Fail("No main loop to run the program on.", "");
  try {
    if (const int status = OpenEditorWindow()) return status;
    dialog_.SetSettingDialogOtherSettings(false, 100, 2);
    SetupHardwareNotificationListener();
    CreateMidiClient();
    if (const int status = OpenComponent()) return status;
    FillSettingsPopups();
    editorWindow_.editSynth();
  } catch (const std::exception& e) {
    return Fail("The program could not start.", FailureReporter::ReasonOf(e));
  }
  ApplyStoredSettings();
  dialog_.isSetupPressed = false;
  EnableAudioCommands(dialog_.canPlay);
  EnableCommand(kULCK, false);
  EnableCommand(kLOCK, true);
  // The editor this program hosts has no bank or preset files of its own
  // (its data files are loaded and saved from its utility menu): the
  // component takes these four commands and does nothing, so they are
  // offered greyed rather than as items that seem broken.
  for (uint32_t command : {kOpen, kSvas, kImpo, kExpo}) EnableCommand(command, false);

  os::MainLoop* loop = os::MainLoop::Current();
  CalcCPULoad_SetStopHandler(&InternalAudioStopProc);
  idleTimer_ = loop->AddTimer(16, 16, [this] { IdleTimerProc(); });
  // The MIDI layer tells nobody of ports coming and going: look once a
  // second (a look that finds nothing changed does nothing).
  midiPoll_ = loop->AddTimer(1000, 1000, [] { DemandIdleTask(IdleTaskQueue::kMIDIDeviceChanged); });
  started_ = true;
  return 0;
}

int StandaloneApp::OpenEditorWindow() {
  if (!editorWindow_.createEditWindow(options_.name)) {
    const char* display = std::getenv("DISPLAY");
    return Fail(options_.name + " needs a display.",
                display && *display ? std::string("The X display ") + display + " cannot be opened."
                                    : std::string("DISPLAY is not set."));
  }
  editorWindow_.SetMenus(
      MenuDefinitions(options_.name),
      [this](uint32_t c) { return IsCommandEnabled(c); },
      [this](uint32_t c) {
        if (c == kQuit)
          editorWindow_.OnWindowClose();
        else
          commandHandler(c, kCommandFromMenu, 1);
      });
  return 0;
}

void StandaloneApp::CreateMidiClient() {
  // A machine without MIDI still plays: the inputs then offer no port.
  const os::midi::Status client = os::midi::System::Current().CreateClient("Talvik", &midiClient_);
  if (client == os::midi::kOk && midiClient_) return;
  midiClient_.reset();
  if (client == os::midi::kErrNoService) {
    // Neither backend is there: say which two could be, and what to do.
    FailureReporter::Report("MIDI is not available: neither a JACK server nor the ALSA sequencer is running.",
                            "Start a JACK server, or load the ALSA sequencer (the snd-seq module), then start " +
                                options_.name + " again.");
    return;
  }
  FailureReporter::Report("MIDI input is not available.", "The MIDI system answered: " + StatusText(client) + ".");
}

int StandaloneApp::OpenComponent() {
  const ComponentDescription description = EditorComponentDescription();
  if (registry_.Count(description) == 0) return Fail("Vesk Plug-In Editor.component not found", "");
  try {
    graph_.setupGraph(registry_, description);
  } catch (const std::exception&) {
    // The plug-in refuses a second working instance for the user: say
    // which process holds it instead of how the open failed.
    if (const pid_t holder = CAtomicInstance::Holder())
      return Fail("The program could not start.", CAtomicInstance::HeldMessage(holder));
    throw;
  }
  TalvikHostMIDIManager::SetCpuLoadProbe({&CalcCPULoad_GetIsProcessing, &CalcCPULoad_GetCPULoad});
  if (midiClient_ && TalvikHostMIDIManager_Initialize(midiClient_.get(), graph_.synthUnit(), nullptr) != 0)
    FailureReporter::Report("MIDI input is not available.", TalvikHostMIDIManager_LastError());
  editorWindow_.setEditUnit(graph_.synthUnit());
  return 0;
}

void StandaloneApp::FillSettingsPopups() {
  // Without a MIDI system there is nothing to list (the user has been
  // told): the inputs offer no port.
  if (midiClient_) {
    try {
      CheckUpdated();
      getMidiEntry();
    } catch (const std::exception&) {
      FailureReporter::ReportCurrent("The MIDI input ports could not be listed.");
    }
  }
  dialog_.setMidiPopup();
  dialog_.UpdateClockSourcePopup(0);
  getAllDevices();
  dialog_.setOutputPopup();
  dialog_.outChanged(0, 0);
}

void StandaloneApp::ApplyStoredSettings() {
  bool attention = false;
  try {
    attention = dialog_.loadSettings(true);
  } catch (const NRXNullException&) {
    // No settings file yet: the defaults stay.
  } catch (const std::exception& e) {
    // A damaged file: the defaults stay, and the user is told why. A failed
    // read asks nothing more of the user: the Settings window stays shut.
    FailureReporter::Report("The settings file could not be read. Default settings are used.",
                            FailureReporter::ReasonOf(e));
  }
  // Settings that could not be applied are no success: the user is told
  // and gets the settings window, with audio off.
  bool applied = false;
  try {
    applied = dialog_.setupPressed(false);
  } catch (const std::exception& e) {
    FailureReporter::Report("The audio and MIDI settings could not be applied.", FailureReporter::ReasonOf(e));
    StopAudio();
  }
  if (!applied) {
    dialog_.SelectPopupItem(SettingsDialog::kOUTP, 0, 1);
    dialog_.outChanged(0, 0);
    dialog_.canPlay = false;
    ShowSettings();
  } else if (attention) {
    ShowSettings();
  }
}

int StandaloneApp::Run() {
  const int status = Start();
  if (status != 0) return status;
  os::MainLoop::Current()->Run();
  beforeExit();
  return 0;
}

void StandaloneApp::ShowSettings() {
  settingsWindow_.Show(options_.name + " Settings");
}

bool StandaloneApp::IsCommandEnabled(uint32_t command) const {
  auto it = menu_.find(command);
  return it == menu_.end() || it->second;
}

namespace {

// What each command failing means to the user.
const char* CommandFailureText(uint32_t command) {
  switch (command) {
    case StandaloneApp::kExpo: return "The preset could not be exported.";
    case StandaloneApp::kImpo: return "The preset could not be imported.";
    case StandaloneApp::kOpen: return "The bank could not be opened.";
    case StandaloneApp::kSvas: return "The bank could not be saved.";
    case StandaloneApp::kLOCK:
    case StandaloneApp::kULCK: return "The editor's view could not be opened again.";
    case StandaloneApp::kPLAY: return "Audio could not be started.";
    case StandaloneApp::kSTOP: return "Audio could not be stopped.";
    default: return "The command could not be carried out.";
  }
}

}  // namespace

int StandaloneApp::commandHandler(uint32_t command, uint32_t attributes, int kind) {
  if (!(attributes & kCommandFromMenu) || kind != 1) return kEventNotHandled;
  // The bank and preset commands report through their result.
  auto forward = [command](int result) {
    if (result != 0) FailureReporter::Report(CommandFailureText(command), TalvikHostMIDIManager_LastError());
    return 0;
  };
  try {
    switch (command) {
      case kExpo: return forward(TalvikHostMIDIManager_HandlePresetExport());
      case kImpo: return forward(TalvikHostMIDIManager_HandlePresetImport());
      case kOpen: return forward(TalvikHostMIDIManager_HandleBankOpen());
      case kSvas: return forward(TalvikHostMIDIManager_HandleBankSaveAs());
      case kLOCK:
        editorWindow_.setEditWindowLock(true);
        EnableCommand(kULCK, true);
        EnableCommand(kLOCK, false);
        return kEventNotHandled;
      case kULCK:
        editorWindow_.setEditWindowLock(false);
        EnableCommand(kLOCK, true);
        EnableCommand(kULCK, false);
        return kEventNotHandled;
      case kPLAY:
        if (graph_.getCurrentAudioDeviceID() != 0) {
          graph_.startGraph();
          EnableAudioCommands(true);
        } else {
          ShowNoteAlert("Can not play Audio");
        }
        return 0;
      case kSTOP:
        graph_.stopGraph();
        EnableAudioCommands(false);
        return 0;
      case kAbou: ShowTalvikAboutBox(); return 0;
      case kPref: ShowSettings(); return 0;
      default: return kEventNotHandled;
    }
  } catch (const std::exception& e) {
    FailureReporter::Report(CommandFailureText(command), FailureReporter::ReasonOf(e));
    // The menus follow what the audio does now, whatever step failed.
    EnableAudioCommands(graph_.isPlaying());
    return kEventNotHandled;
  }
}

std::string StandaloneApp::AboutText() {
  std::string coreName = options_.name, coreVersion = kHostVersion;
  if (AudioComponent* unit = graph_.synthUnit()) {
    std::string n, v;
    if (unit->GetInfo(&n, &v)) {
      coreName = n;
      coreVersion = v;
    }
  }
  return "Host: " + options_.name + " version " + kHostVersion + "\nCore: " + coreName +
         " version " + coreVersion;
}

void StandaloneApp::ShowTalvikAboutBox() {
  std::string text;
  try {
    text = AboutText();
  } catch (...) {
    text.clear();
  }
  NRXCFObject message(HostStringCreate(text));
  NRXAlert::MessageAlert(message.get(), NRXAlert::kNoteAlert);
}

void StandaloneApp::IdleTimerProc() {
  // One question at a time: while one is open (the program's or its
  // plug-in's) the queued work waits, as the alerts it may show would.
  try {
    if (os::Window::CurrentModalState().questions == 0)
      GetIdleTaskQueue().RunTick([this](int id) { RunIdleTask(id); });
  } catch (const std::exception& e) {
    FailureReporter::Report("A change of the audio or MIDI devices could not be handled.",
                            FailureReporter::ReasonOf(e));
  }
  // The controllers are served every tick: a failure that lasts is told
  // once, and again only when it changes or after it has cleared.
  // Without a MIDI system there is no manager to serve (the user was told
  // at start-up).
  if (midiClient_ && TalvikHostMIDIManager_Idle() != 0) {
    const std::string why = TalvikHostMIDIManager_LastError();
    // Noted before it is told: the alert's own loop runs this tick again.
    if (why != midiIdleFailure_) {
      midiIdleFailure_ = why;
      FailureReporter::Report("The MIDI controllers could not be updated.", why);
    }
  } else {
    midiIdleFailure_.clear();
  }
  editorWindow_.Idle();
}

void StandaloneApp::RunIdleTask(int id) {
  switch (id) {
    case IdleTaskQueue::kAlertDeviceChanged: ShowNoteAlert("Device changed"); break;
    case IdleTaskQueue::kAlertMIDIDeviceChanged: ShowNoteAlert("MIDI Device changed"); break;
    case IdleTaskQueue::kAlertDeviceInfoError: ShowNoteAlert("Device info error"); break;
    case IdleTaskQueue::kHardwareDevicesChanged: HardwareDevicesChanged(); break;
    case IdleTaskQueue::kMIDIDeviceChanged: MIDIDeviceChanged(); break;
    case IdleTaskQueue::kClockSourceChanged: dialog_.RefreshClockSourcePopup(); break;
    case IdleTaskQueue::kDeviceFormatChanged:
      dialog_.RefreshDeviceFormat();
      // The restart after the format change may have failed.
      EnableAudioCommands(graph_.isPlaying());
      break;
    default: break;
  }
}

void StandaloneApp::HardwareDevicesChanged() {
  getAllDevices();
  dialog_.setOutputPopup();
  dialog_.outChanged(0, 0);
  const AudioDeviceID current = graph_.getCurrentAudioDeviceID();
  if (current && !getAudioIndexByAudioDeviceID(current)) {
    dialog_.SelectPopupItem(SettingsDialog::kOUTP, 0, 1);
    dialog_.outChanged(0, 0);
    dialog_.setupPressed(true);
  } else {
    try {
      dialog_.loadSettings(false);
    } catch (const std::exception&) {
      // The dialog keeps what it shows: a missing file is the usual case,
      // and a damaged one was told at start-up.
    }
  }
  DemandIdleTask(IdleTaskQueue::kAlertDeviceChanged);
}

void StandaloneApp::MIDIDeviceChanged() {
  if (!CheckUpdated()) return;
  struct Restore {
    bool& a;
    bool& b;
    bool oldA, oldB;
    ~Restore() {
      a = oldA;
      b = oldB;
    }
  } restore{midiBuilding_, midiAddRemove_, midiBuilding_, midiAddRemove_};
  midiBuilding_ = midiAddRemove_ = true;
  // The synthesizer coming and going is shown by the editor's link, over
  // whose windows this alert would stand.
  if (!LastChangeOnlySynthesizer()) {
    const uint64_t noted = os::NowUs();
    ShowNoteAlert("MIDI Device changed");
    const uint64_t elapsed = os::NowUs() - noted;
    if (elapsed < 1000000) WaitUs(1000000 - elapsed);
  }

  MidiEntry kept[3];
  for (int i = 0; i < 3; ++i) {
    const int item = dialog_.Value(SettingsDialog::kMIDI, i);
    kept[i] = item >= 2 && item - 2 < nMidi ? midiEntry[item - 2] : MidiEntry();
  }
  const uint64_t clock = dialog_.SelectedClockEndpoint();
  releaseMidiEntry();
  getMidiEntry();
  std::vector<MIDIEndpointRef> sources;
  os::midi::System& sys = os::midi::System::Current();
  for (size_t i = 0; i < sys.SourceCount(); ++i) sources.push_back(sys.Source(i));
  auto present = [&](MIDIEndpointRef e) {
    return std::find(sources.begin(), sources.end(), e) != sources.end();
  };
  int items[3];
  for (int i = 0; i < 3; ++i) {
    if (!present(kept[i].endpoint)) kept[i].endpoint = 0;
    if (!present(kept[i].reservedB)) kept[i].reservedB = 0;
    items[i] = getMidiIndexByEndpointRef(&kept[i]);
  }
  const uint64_t keptClock = present(clock) ? clock : 0;
  dialog_.setMidiPopup();
  for (int i = 0; i < 3; ++i) dialog_.lastSelectedMidiIndex[i] = 1;
  for (int i = 0; i < 3; ++i) {
    dialog_.SelectPopupItem(SettingsDialog::kMIDI, i, items[i]);
    if (items[i] >= 2) {
      for (int k = 0; k < 3; ++k)
        if (k != i) dialog_.grabCRef(SettingsDialog::kMIDI, k)->items[items[i] - 1].enabled = false;
      dialog_.lastSelectedMidiIndex[i] = items[i];
    }
  }
  dialog_.UpdateClockSourcePopup(keptClock);
}

void StandaloneApp::InternalAudioStop() {
  if (os::NowUs() - graph_.GetDeviceStartTime() < 1000000) return;
  if (!StopAudio()) return;
  EnableAudioCommands(false);
  ShowNoteAlert("Device was auto stoped.");
}

bool StandaloneApp::StopAudio() {
  try {
    return graph_.stopGraph();
  } catch (const std::exception& e) {
    // The device has stopped; the component did not say so cleanly.
    FailureReporter::Report("Audio could not be stopped.", FailureReporter::ReasonOf(e));
    return !graph_.isPlaying();
  }
}

void StandaloneApp::beforeExit() {
  if (exited_) return;
  exited_ = true;
  // Each step runs whatever the one before did; at exit nobody could
  // answer an alert, so failures go to the log.
  auto step = [](const char* what, const std::function<void()>& fn) {
    try {
      fn();
    } catch (const std::exception& e) {
      FailureReporter::Log(std::string(what) + " " + FailureReporter::ReasonOf(e));
    }
  };
  if (os::MainLoop* loop = os::MainLoop::Current()) {
    if (idleTimer_) loop->RemoveTimer(idleTimer_);
    if (midiPoll_) loop->RemoveTimer(midiPoll_);
  }
  idleTimer_ = midiPoll_ = 0;
  CalcCPULoad_SetStopHandler(nullptr);
  // Audio first: the audio thread reads the MIDI manager in every cycle,
  // so the manager goes only once no cycle can run any more.
  step("Audio could not be stopped.", [this] { graph_.stopGraph(); });
  step("The audio device could not be released.", [this] { graph_.uninitializeDevice(); });
  // A device that refused to stop may still run cycles: what they read is
  // left to the end of the process.
  const bool cyclesMayRun = graph_.cyclesMayRun();
  if (cyclesMayRun)
    FailureReporter::Log("The audio device did not stop; the MIDI manager and the editor component are left open.");
  else if (TalvikHostMIDIManager_Finalize() != 0)
    FailureReporter::Log("The MIDI manager could not be closed. " + TalvikHostMIDIManager_LastError());
  TalvikHostMIDIManager::SetCpuLoadProbe({});
  step("The editor's view could not be closed.", [this] { editorWindow_.CloseView(); });
  RemoveHardwareNotificationListener();
  if (!cyclesMayRun) step("The editor component could not be closed.", [this] { graph_.finishAudio(); });
  releaseMidiEntry();
  midiClient_.reset();
}
