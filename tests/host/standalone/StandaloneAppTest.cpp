// The program from start-up to exit on the null audio system, with the
// test component or the real plug-in.
#include "host/StandaloneApp.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "editor/controls/DrawnForm.h"
#include "editor/shell/XESynthUtils.h"
#include "host/MidiEntryList.h"
#include "host/SaveData.h"
#include "host/TalvikHostMIDIManager.h"
#include "host/TalvikHostMIDIManagerC.h"
#include "host/VstAudioComponent.h"
#include "os/window/HeadlessWindow.h"
#include "os/window/TopLevelWindow.h"
#include "plugin/CAtomicInstance.h"
#include "plugin/PlugInEntry.h"
#include "plugin/QuorelVst.h"
#include "tests/host/standalone/StandaloneFixture.h"
#include "os/Menu.h"
#include "tests/support/InputCounter.h"
#include "tests/support/PngTestFile.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace vesk::test {
namespace {

using D = SettingsDialog;
using A = StandaloneApp;

// Presses a button of the Settings window where it lies.
void ClickSettingsButton(os::HeadlessWindow* w, const std::string& label) {
  for (const SettingsWindow::Place& p : SettingsWindow::Layout())
    if (p.kind == SettingsWindow::Kind::kButton && label == p.label)
      return w->InjectClick(os::MouseButton::kLeft, p.x + p.w / 2, p.y + p.h / 2);
  ADD_FAILURE() << "no Settings button " << label;
}

class App : public StandaloneFixture {
 protected:
  App() {
    testRegistry.Register("Test", EditorComponentDescription(), [this]() -> std::unique_ptr<AudioComponent> {
      auto c = std::make_unique<TestAudioComponent>();
      component = c.get();
      return c;
    });
  }
  ~App() override { app.reset(); }
  StandaloneApp& Make(const AudioComponentRegistry& registry) {
    A::Options o;
    o.exit = [this](int status) { exitStatus = status; };
    o.report = [this](const std::string& m) {
      reports.push_back(m);
      std::fprintf(stderr, "start-up failure: %s\n", m.c_str());
    };
    app = std::make_unique<StandaloneApp>(registry, o);
    return *app;
  }
  // Chooses an item in a popup as the user does.
  void Choose(uint32_t signature, int index, int item) {
    app->dialog().grabCRef(signature, index)->value = item;
    app->dialog().eventHandler(signature, index);
  }
  int ItemOf(uint32_t signature, int index, const std::string& text) {
    const auto& items = app->dialog().grabCRef(signature, index)->items;
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i].text.find(text) != std::string::npos) return static_cast<int>(i) + 1;
    return 0;
  }
  std::string SettingsFile() { return folder.File("TAVO Vesk Editor Preferences"); }
  // Settings that play the stereo device "Null Out" at 44.1 kHz, 256 frames.
  static SaveData OnNullOut() {
    SaveData s;
    s.outputDeviceName = "Null Out";
    s.streamFormat = MakeLinearPCM(44100, 2, 32, true);
    s.bufferFrameSize = 256;
    return s;
  }
  void WriteSettings(const SaveData& s) {
    const auto bytes = s.Serialize();
    std::ofstream out(SettingsFile(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  HeadlessProgramWindows windows;
  AudioComponentRegistry testRegistry;
  TestAudioComponent* component = nullptr;
  std::unique_ptr<StandaloneApp> app;
  int exitStatus = -1;
  std::vector<std::string> reports;
};

TEST_F(App, WithoutTheComponentStartUpShowsTheAlertAndEndsWithAFailure) {
  AudioComponentRegistry empty;
  EXPECT_NE(Make(empty).Start(), 0);
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"Vesk Plug-In Editor.component not found"}));
  EXPECT_EQ(reports, (std::vector<std::string>{"Vesk Plug-In Editor.component not found"}));
  ASSERT_EQ(os::HeadlessAlert::Transcript().size(), 1u);
  EXPECT_EQ(os::HeadlessAlert::Transcript()[0].request.mainText, "Vesk Editor");
  EXPECT_EQ(os::HeadlessAlert::Transcript()[0].request.icon, os::Alert::Icon::kStop);
}

TEST_F(App, WithoutADisplayStartUpSaysSoAndFails) {
  EditorWindow::SetWindowMaker([](int, int, const std::string&) { return std::unique_ptr<os::Window>(); });
  EXPECT_NE(Make(testRegistry).Start(), 0);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("needs a display"), std::string::npos) << reports[0];
}

TEST_F(App, AFirstRunStartsWithNoDeviceTheEditorShownAndPlayOffered) {
  audio.AddDevice(StereoDevice());
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  EXPECT_TRUE(app->editorWindow().getEditWindow()->IsVisible());
  EXPECT_EQ(app->editorWindow().getEditWindow()->Width(), 320);
  EXPECT_TRUE(app->IsCommandEnabled(A::kPLAY));
  EXPECT_FALSE(app->IsCommandEnabled(A::kSTOP));
  // The hosted editor gives the bank and preset commands no action.
  for (uint32_t command : {A::kOpen, A::kSvas, A::kImpo, A::kExpo})
    EXPECT_FALSE(app->IsCommandEnabled(command)) << command;
  EXPECT_TRUE(app->IsCommandEnabled(A::kAbou));
  EXPECT_FALSE(app->dialog().canPlay);
  EXPECT_EQ(app->dialog().grabCRef(D::kOUTP, 0)->items.size(), 2u);
  EXPECT_TRUE(AlertTexts().empty());
  EXPECT_FALSE(app->settingsWindow().IsVisible());
}

TEST_F(App, MenuCommandsActOnlyFromTheMenuAndLockLeavesTheEventToOthers) {
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  EXPECT_EQ(app->commandHandler(A::kPLAY, 0), A::kEventNotHandled);
  EXPECT_TRUE(AlertTexts().empty());
  EXPECT_EQ(app->commandHandler(A::kPLAY, A::kCommandFromMenu, 2), A::kEventNotHandled);
  EXPECT_EQ(app->commandHandler(A::kPLAY, A::kCommandFromMenu), 0);
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"Can not play Audio"}));
  EXPECT_TRUE(app->IsCommandEnabled(A::kPLAY));

  const int views = component->Count("OpenView");
  EXPECT_EQ(app->commandHandler(A::kLOCK, A::kCommandFromMenu), A::kEventNotHandled);
  EXPECT_TRUE(app->editorWindow().locked());
  EXPECT_EQ(component->Count("OpenView"), views + 1);
  EXPECT_FALSE(app->IsCommandEnabled(A::kLOCK));
  EXPECT_TRUE(app->IsCommandEnabled(A::kULCK));
  EXPECT_EQ(app->commandHandler(A::kULCK, A::kCommandFromMenu), A::kEventNotHandled);
  EXPECT_TRUE(app->IsCommandEnabled(A::kLOCK));

  EXPECT_EQ(app->commandHandler(A::kPref, A::kCommandFromMenu), 0);
  EXPECT_TRUE(app->settingsWindow().IsVisible());
  EXPECT_EQ(app->commandHandler(0x7878787A, A::kCommandFromMenu), A::kEventNotHandled);
}

TEST_F(App, TheAboutTextNamesHostAndCore) {
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  EXPECT_EQ(app->AboutText(), "Host: Vesk Editor version 1.0.0\nCore: Test Core version 2.5.1");
  app->commandHandler(A::kAbou, A::kCommandFromMenu);
  ASSERT_EQ(os::HeadlessAlert::Transcript().size(), 1u);
  EXPECT_EQ(os::HeadlessAlert::Transcript()[0].request.icon, os::Alert::Icon::kNote);
  EXPECT_EQ(AlertTexts()[0], app->AboutText());
}

TEST_F(App, ChosenSettingsArePlayedSavedAndSurviveARestart) {
  NullAudioSystem::DeviceDesc d = StereoDevice();
  d.streams[0] = StreamOf({MakeLinearPCM(44100, 4, 16, false), MakeLinearPCM(48000, 4, 16, false)});
  const auto id = audio.AddDevice(d);
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  Choose(D::kOUTP, 0, 2);
  Choose(D::kSTRM, 0, ItemOf(D::kSTRM, 0, "48000"));
  EXPECT_EQ(app->dialog().grabCRef(D::kCHAN, 0)->items.size(), 2u);
  app->dialog().grabCRef(D::kCHAN, 0)->value = 2;
  app->dialog().grabCRef(D::kBFSZ, 0)->value = 8;  // 512 frames
  Choose(D::kBFSZ, 0, 8);
  EXPECT_EQ(app->dialog().grabCRef(D::kSTTX, 0)->text, "(512)");
  EXPECT_EQ(app->dialog().grabCRef(D::kSTTX, 1)->text, "10.67");
  app->dialog().grabCRef(D::kKNOB, 0)->value = 1;
  app->dialog().grabCRef(D::kfSTO, 0)->value = 1;
  app->dialog().grabCRef(D::kbSTO, 0)->value = 90;
  Choose(D::kOK, 0, 0);
  EXPECT_TRUE(app->graph().isPlaying());
  EXPECT_EQ(app->graph().startingChannel(), 2);
  EXPECT_EQ(audio.Device(id).bufferFrames, 512u);
  EXPECT_EQ(audio.Device(id).streams[0].current.sampleRate, 48000);
  EXPECT_TRUE(app->IsCommandEnabled(A::kSTOP));
  EXPECT_FALSE(app->IsCommandEnabled(A::kPLAY));
  // Audio blocks are rendered.
  audio.Pump(id, 10);
  EXPECT_GT(component->renders, 9);

  std::ifstream in(SettingsFile(), std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  ASSERT_EQ(bytes.size(), 9464u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "KvlT");

  app.reset();
  gAudioDeviceList.clear();
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  EXPECT_TRUE(app->dialog().canPlay);
  EXPECT_TRUE(app->graph().isPlaying());
  EXPECT_EQ(app->dialog().Value(D::kOUTP), 2);
  EXPECT_EQ(app->dialog().grabCRef(D::kSTRM, 0)->items[app->dialog().Value(D::kSTRM) - 1].text,
            "16Bits/48000Hz/4CH");
  EXPECT_EQ(app->dialog().Value(D::kCHAN), 2);
  EXPECT_EQ(app->dialog().Value(D::kBFSZ), 8);
  EXPECT_EQ(app->dialog().Value(D::kKNOB), 1);
  EXPECT_EQ(app->dialog().Value(D::kfSTO), 1);
  EXPECT_EQ(app->dialog().Value(D::kbSTO), 90);
  EXPECT_EQ(app->graph().startingChannel(), 2);
  EXPECT_TRUE(AlertTexts().empty());
  EXPECT_FALSE(app->settingsWindow().IsVisible());
}

// A file that cannot be read safely gives the defaults and one alert in
// words with the reason; it opens no Settings window at start-up.
TEST_F(App, ADamagedSettingsFileGivesTheDefaultsAndSaysWhy) {
  audio.AddDevice(StereoDevice());
  SaveData stored;
  stored.outputDeviceName = "Null Out";
  stored.knobMode = 0;
  std::vector<uint8_t> unended = stored.Serialize();
  std::fill(unended.begin() + 4, unended.begin() + 4 + 1024, 'x');  // the device name
  struct Case {
    const char* what;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"too short", std::string(5000, 'x'), "The file is shorter than a settings file."},
      {"a name without its end", std::string(unended.begin(), unended.end()),
       "A device or port name in the file does not end within its field."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      std::ofstream out(SettingsFile(), std::ios::binary);
      out << c.bytes;
    }
    os::HeadlessAlert::Reset();
    ASSERT_EQ(Make(testRegistry).Start(), 0);
    ASSERT_EQ(AlertTexts().size(), 1u);
    EXPECT_EQ(AlertTexts()[0], std::string("The settings file could not be read. Default settings are used.\n") + c.reason);
    EXPECT_EQ(app->dialog().Value(D::kOUTP), 1);
    EXPECT_EQ(app->dialog().Value(D::kKNOB), 3);
    EXPECT_FALSE(app->settingsWindow().IsVisible());
    app.reset();
    gAudioDeviceList.clear();
  }
}

// A value out of its range takes its default; the rest of the file is
// used: the stored device plays, without an alert or the Settings window.
TEST_F(App, AnOutOfRangeSettingTakesItsDefaultAndTheRestOfTheFileIsUsed) {
  audio.AddDevice(StereoDevice());
  SaveData s = OnNullOut();
  s.useAutoStop = true;
  s.autoStopLimit = 90;
  s.knobMode = 7;
  WriteSettings(s);
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  EXPECT_TRUE(AlertTexts().empty()) << AlertTexts()[0];
  EXPECT_FALSE(app->settingsWindow().IsVisible());
  EXPECT_EQ(app->dialog().Value(D::kOUTP), 2);
  EXPECT_TRUE(app->graph().isPlaying());
  EXPECT_EQ(app->dialog().Value(D::kKNOB), 3);
  EXPECT_EQ(app->dialog().Value(D::kfSTO), 1);
  EXPECT_EQ(app->dialog().Value(D::kbSTO), 90);
}

TEST_F(App, AStoredChannelPairTheDeviceLacksPlaysNothingRatherThanAWrongChannel) {
  const auto id = audio.AddDevice(StereoDevice());
  SaveData s = OnNullOut();
  s.startingChannel = 6;
  WriteSettings(s);
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  EXPECT_EQ(app->dialog().Value(D::kCHAN), 0);
  EXPECT_TRUE(app->graph().isPlaying());
  EXPECT_EQ(app->graph().leftBuffer(), -1);
  audio.Pump(id, 12);
  for (uint8_t b : audio.Output(id, 0)) ASSERT_EQ(b, 0);
}

TEST_F(App, UnpluggingTheDeviceInUseTurnsAudioOffSavesAndTellsTheUser) {
  const auto id = audio.AddDevice(StereoDevice());
  audio.AddDevice(StereoDevice("Other"));
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  Choose(D::kOUTP, 0, 2);
  Choose(D::kOK, 0, 0);
  ASSERT_TRUE(app->graph().isPlaying());
  audio.RemoveDevice(id);
  app->IdleTimerProc();
  EXPECT_FALSE(app->graph().isPlaying());
  EXPECT_EQ(app->graph().getCurrentAudioDeviceID(), 0u);
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"Device changed"}));
  std::ifstream in(SettingsFile(), std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  ASSERT_EQ(bytes.size(), 9464u);
  for (size_t i = 4; i < 9436; ++i) ASSERT_EQ(bytes[i], 0) << i;
}

TEST_F(App, TheAutomaticStopWaitsForTheDevicesFirstSecond) {
  const auto id = audio.AddDevice(StereoDevice());
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  Choose(D::kOUTP, 0, 2);
  Choose(D::kOK, 0, 0);
  app->InternalAudioStop();
  EXPECT_TRUE(app->graph().isPlaying());
  // The component reads the same meter through the host interface.
  ASSERT_NE(TalvikHostMIDIManager_Instance(), nullptr);
  bool processing = false;
  double load = -1;
  TalvikHostMIDIManager_Instance()->GetCpuCost_talvikvstinterface1(&processing, &load, nullptr, nullptr,
                                                                   nullptr);
  EXPECT_TRUE(processing);
  EXPECT_EQ(load, 0.0);  // no full ring yet
  env.clock().Advance(1000000);
  audio.Pump(id, 3);
  app->InternalAudioStop();
  EXPECT_FALSE(app->graph().isPlaying());
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"Device was auto stoped."}));
  EXPECT_TRUE(app->IsCommandEnabled(A::kPLAY));
}

TEST_F(App, ClosingTheEditorWindowEndsTheProgram) {
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  auto* window = static_cast<os::HeadlessWindow*>(app->editorWindow().getEditWindow());
  window->Sink()->OnWindowClose();
  EXPECT_EQ(exitStatus, 0);
  // The exit closed the component.
  EXPECT_EQ(app->graph().synthUnit(), nullptr);
}

// The real plug-in as the component, the simulated synthesizer on the bus.
class WithPlugIn : public App {
 protected:
  WithPlugIn() {
    plugInRegistry.Register("Vesk Plug-In Editor", EditorComponentDescription(),
                            []() -> std::unique_ptr<AudioComponent> { return VstAudioComponent::Open(&VSTPluginMain); });
  }
  AudioComponentRegistry plugInRegistry;
};

TEST_F(WithPlugIn, MidiFromAnInputPortReachesTheSynthesizerWhileAudioRuns) {
  ScopedEnv noDisplay{"DISPLAY", ""};
  SimSynthDevice synth(bus);
  auto keyboard = AddPort("Keyboard", "KEYS");
  const auto id = audio.AddDevice(StereoDevice());
  ASSERT_EQ(Make(plugInRegistry).Start(), 0);
  auto* unit = static_cast<VstAudioComponent*>(app->graph().synthUnit());
  ASSERT_NE(unit, nullptr);
  // The plug-in knows its host.
  auto* plugIn = static_cast<QuorelVst*>(static_cast<AudioEffect*>(unit->effect()->object));
  EXPECT_TRUE(plugIn->IsHostStandalone());
  env.loop().RunFor(3000);  // the plug-in connects to the synthesizer

  Choose(D::kOUTP, 0, 2);
  const int keysItem = ItemOf(D::kMIDI, 0, "KEYS");
  ASSERT_GE(keysItem, 2);
  Choose(D::kMIDI, 0, keysItem);
  // The port is taken: the other inputs cannot choose it.
  EXPECT_FALSE(app->dialog().grabCRef(D::kMIDI, 1)->items[keysItem - 1].enabled);
  Choose(D::kOK, 0, 0);
  ASSERT_TRUE(app->graph().isPlaying());

  const size_t before = synth.Device().ReceivedBytes().size();
  keyboard->Emit(std::vector<uint8_t>{0x90, 60, 100});
  bool reached = false;
  for (int i = 0; i < 200 && !reached; ++i) {
    audio.Pump(id);
    env.loop().RunFor(6);
    const auto bytes = synth.Device().ReceivedBytes();
    for (size_t b = before; b + 2 < bytes.size(); ++b)
      if (bytes[b] == 0x90 && bytes[b + 1] == 60 && bytes[b + 2] == 100) reached = true;
  }
  EXPECT_TRUE(reached);
  // The rendered blocks are silence.
  for (uint8_t b : audio.Output(id, 0)) ASSERT_EQ(b, 0);

  // Settings survive a restart with the plug-in too.
  app.reset();
  gAudioDeviceList.clear();
  ASSERT_EQ(Make(plugInRegistry).Start(), 0);
  EXPECT_EQ(app->dialog().Value(D::kMIDI, 0), ItemOf(D::kMIDI, 0, "KEYS"));
  EXPECT_TRUE(app->graph().isPlaying());
  app.reset();
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

TEST_F(App, TheSettingsWindowShowsEachPaneAndItsControlsChangeTheDialog) {
  audio.AddDevice(ClockedStereoDevice("Null Out", "Word Clock"));
  auto keyboard = AddPort("Keyboard", "KEYS");
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  SettingsWindow& sw = app->settingsWindow();
  ASSERT_EQ(app->commandHandler(A::kPref, A::kCommandFromMenu), 0);
  auto* window = static_cast<os::HeadlessWindow*>(sw.window());
  ASSERT_NE(window, nullptr);

  // The output popup: its menu chooses the device.
  os::HeadlessMenuTracker::ScriptIndex({1});
  window->InjectClick(os::MouseButton::kLeft, 200, 68);
  env.loop().RunFor(1);
  EXPECT_EQ(app->dialog().Value(D::kOUTP), 2);
  EXPECT_EQ(app->dialog().grabCRef(D::kCLOK, 0)->items.size(), 2u);
  EXPECT_TRUE(app->dialog().grabCRef(D::kCLOK, 0)->enabled);
  // The buffer slider follows the mouse; the texts follow the slider.
  window->InjectClick(os::MouseButton::kLeft, 170 + 199, 130);
  env.loop().RunFor(1);
  EXPECT_EQ(app->dialog().grabCRef(D::kSTTX, 0)->text, "(8192)");
  env.loop().RunFor(20);
  const std::string dir = VESK_RENDER_DIR;
  WriteArgbPng(dir + "/standalone-settings-audio.png", window->Pixels().data(), window->Width(),
               window->Height());

  // Clicking the tab already shown changes nothing; another shows its pane.
  window->InjectClick(os::MouseButton::kLeft, 60, 20);
  env.loop().RunFor(1);
  EXPECT_EQ(app->dialog().lastPaneSelected(), 1);
  window->InjectClick(os::MouseButton::kLeft, 180, 20);
  env.loop().RunFor(1);
  EXPECT_EQ(app->dialog().lastPaneSelected(), 2);
  os::HeadlessMenuTracker::ScriptIndex({ItemOf(D::kMIDI, 0, "KEYS") - 1});
  window->InjectClick(os::MouseButton::kLeft, 200, 68);
  env.loop().RunFor(1);
  EXPECT_EQ(app->dialog().Value(D::kMIDI, 0), ItemOf(D::kMIDI, 0, "KEYS"));
  env.loop().RunFor(20);
  WriteArgbPng(dir + "/standalone-settings-midi.png", window->Pixels().data(), window->Width(),
               window->Height());

  window->InjectClick(os::MouseButton::kLeft, 300, 20);
  env.loop().RunFor(1);
  EXPECT_EQ(app->dialog().lastPaneSelected(), 3);
  window->InjectClick(os::MouseButton::kLeft, 175, 98);
  env.loop().RunFor(1);  // the check box
  EXPECT_EQ(app->dialog().Value(D::kfSTO), 1);
  env.loop().RunFor(20);
  WriteArgbPng(dir + "/standalone-settings-other.png", window->Pixels().data(), window->Width(),
               window->Height());

  // OK applies, saves and hides.
  ClickSettingsButton(window, "OK");
  env.loop().RunFor(1);
  EXPECT_FALSE(sw.IsVisible());
  EXPECT_TRUE(app->graph().isPlaying());
  EXPECT_EQ(app->graph().deviceBufferFrameSize(), 8192u);
  EXPECT_TRUE(CalcCPULoad_GetIsProcessing());
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

std::vector<uint32_t> MenuStripPixels(os::HeadlessWindow* w) {
  return std::vector<uint32_t>(w->Pixels().begin(), w->Pixels().begin() + w->Width() * EditorWindow::kMenuHeight);
}

TEST_F(App, TheMenuStripOfTheEditorWindowGivesTheCommands) {
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  auto* window = static_cast<os::HeadlessWindow*>(app->editorWindow().getEditWindow());
  EXPECT_EQ(window->Height(), 200 + EditorWindow::kMenuHeight);
  const int audioMenu = 1;
  int x = 0;
  while (x < window->Width() && app->editorWindow().MenuTitleAt(x, 10) != audioMenu) ++x;
  ASSERT_LT(x, window->Width());
  os::HeadlessMenuTracker::Reset();
  os::HeadlessMenuTracker::ScriptIndex({3});  // Settings...
  window->InjectClick(os::MouseButton::kLeft, x + 2, 10);
  env.loop().RunFor(1);
  EXPECT_TRUE(app->settingsWindow().IsVisible());
  const auto shown = os::HeadlessMenuTracker::Transcript();
  ASSERT_EQ(shown.size(), 1u);
  ASSERT_EQ(shown[0].items.size(), 4u);
  EXPECT_EQ(shown[0].items[0].text, "Play");
  EXPECT_FALSE(shown[0].items[0].disabled);
  EXPECT_TRUE(shown[0].items[1].disabled);  // Stop: nothing plays
  WriteArgbPng(std::string(VESK_RENDER_DIR) + "/standalone-menu-strip.png", MenuStripPixels(window).data(),
               window->Width(), EditorWindow::kMenuHeight);
  // The strip is drawn: its titles stand out from its background.
  const auto& pixels = window->Pixels();
  bool text = false;
  for (int i = 0; i < window->Width() * EditorWindow::kMenuHeight; ++i) text |= pixels[i] != pixels[0];
  EXPECT_TRUE(text);
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

TEST_F(App, ADeviceFormatChangedElsewhereShowsOneUnsupportedFormatItem) {
  const auto id = audio.AddDevice(StereoDevice());
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  Choose(D::kOUTP, 0, 2);
  Choose(D::kOK, 0, 0);
  const size_t listed = app->dialog().grabCRef(D::kSTRM, 0)->items.size();
  for (double rate : {22050.0, 11025.0}) {
    audio.Device(id).streams[0].current = MakeLinearPCM(rate, 2, 16, false);
    audio.InjectPropertyChange(id, os::audio::kPropertyStreamFormat);
    EXPECT_TRUE(app->graph().isPlaying());
    EXPECT_EQ(app->graph().getCurrentFormat()->sampleRate, rate);
    app->IdleTimerProc();
    const DialogControl* s = app->dialog().grabCRef(D::kSTRM, 0);
    ASSERT_EQ(s->items.size(), listed + 1);
    EXPECT_EQ(s->items.back().text, "Unsupported format");
    EXPECT_FALSE(s->items.back().enabled);
    EXPECT_EQ(s->value, static_cast<int>(listed + 1));
  }
  // Applying drops the item again.
  Choose(D::kSTRM, 0, 1);
  Choose(D::kSETU, 0, 0);
  EXPECT_EQ(app->dialog().grabCRef(D::kSTRM, 0)->items.size(), listed);
}

TEST_F(App, APortArrivingRebuildsTheMidiPopupsKeepingTheirChoiceAndOnlyThenTellsTheUser) {
  auto keyboard = AddPort("Keyboard", "KEYS");
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  Choose(D::kMIDI, 1, ItemOf(D::kMIDI, 1, "KEYS"));
  app->MIDIDeviceChanged();  // nothing changed
  EXPECT_TRUE(AlertTexts().empty());

  auto pad = AddPort("Pads", "PADS");
  const uint64_t before = os::NowUs();
  DemandIdleTask(IdleTaskQueue::kMIDIDeviceChanged);
  app->IdleTimerProc();
  EXPECT_GE(os::NowUs() - before, 1000000u);
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"MIDI Device changed"}));
  EXPECT_GT(ItemOf(D::kMIDI, 0, "PADS"), 1);
  EXPECT_EQ(app->dialog().Value(D::kMIDI, 1), ItemOf(D::kMIDI, 1, "KEYS"));
  EXPECT_FALSE(app->dialog().grabCRef(D::kMIDI, 0)->items[ItemOf(D::kMIDI, 0, "KEYS") - 1].enabled);
  EXPECT_FALSE(app->midiBuilding());
}

// The synthesizer's own ports are the editor's link, which says itself when
// the synthesizer goes and comes back; the host's alert would stand over
// the link's windows. The lists follow all the same.
TEST_F(App, TheSynthesizerComingAndGoingRebuildsTheMidiPopupsWithoutAnAlert) {
  auto keyboard = AddPort("Keyboard", "KEYS");
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  auto changed = [&] {
    DemandIdleTask(IdleTaskQueue::kMIDIDeviceChanged);
    app->IdleTimerProc();
  };

  auto synth = AddPort("Vesk", "KEYBOARD", true);
  changed();
  EXPECT_TRUE(AlertTexts().empty());
  EXPECT_GT(ItemOf(D::kMIDI, 0, "KEYBOARD"), 1);
  synth->Unplug();
  changed();
  EXPECT_TRUE(AlertTexts().empty());
  EXPECT_EQ(ItemOf(D::kMIDI, 0, "KEYBOARD"), 0);

  // Anything else that changes with it is told.
  synth = AddPort("Vesk", "KEYBOARD", true);
  keyboard->Unplug();
  changed();
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"MIDI Device changed"}));
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

TEST_F(App, CancelRestoresTheDialogFromTheFileWithoutTouchingTheAudio) {
  const auto id = audio.AddDevice(StereoDevice());
  audio.AddDevice(StereoDevice("Other"));
  auto keyboard = AddPort("Keyboard", "KEYS");
  auto pads = AddPort("Pads", "PADS");
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  Choose(D::kOUTP, 0, 2);
  Choose(D::kOK, 0, 0);
  ASSERT_TRUE(app->graph().isPlaying());

  // Another port in input 1 frees the first one in the other inputs.
  const int keysItem = ItemOf(D::kMIDI, 0, "KEYS"), padsItem = ItemOf(D::kMIDI, 0, "PADS");
  Choose(D::kMIDI, 0, keysItem);
  EXPECT_FALSE(app->dialog().grabCRef(D::kMIDI, 2)->items[keysItem - 1].enabled);
  Choose(D::kMIDI, 0, padsItem);
  EXPECT_TRUE(app->dialog().grabCRef(D::kMIDI, 2)->items[keysItem - 1].enabled);
  EXPECT_FALSE(app->dialog().grabCRef(D::kMIDI, 2)->items[padsItem - 1].enabled);

  Choose(D::kOUTP, 0, 3);
  Choose(D::kCNCL, 0, 0);
  EXPECT_EQ(app->dialog().Value(D::kOUTP), 2);
  EXPECT_EQ(app->dialog().Value(D::kMIDI, 0), 1);
  EXPECT_TRUE(app->graph().isPlaying());
  EXPECT_EQ(app->graph().getCurrentAudioDeviceID(), id);
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

TEST_F(App, AComponentWithoutAViewStillGetsItsWindowButAFailingViewEndsStartUp) {
  AudioComponentRegistry noView;
  noView.Register("No view", EditorComponentDescription(), []() -> std::unique_ptr<AudioComponent> {
    auto c = std::make_unique<TestAudioComponent>();
    c->viewStatus = AudioComponent::kErrNoView;
    return c;
  });
  ASSERT_EQ(Make(noView).Start(), 0);
  EXPECT_TRUE(app->editorWindow().getEditWindow()->IsVisible());
  app.reset();

  AudioComponentRegistry failing;
  failing.Register("Failing view", EditorComponentDescription(), []() -> std::unique_ptr<AudioComponent> {
    auto c = std::make_unique<TestAudioComponent>();
    c->viewStatus = -50;
    return c;
  });
  os::HeadlessAlert::Reset();
  EXPECT_NE(Make(failing).Start(), 0);
  ASSERT_EQ(AlertTexts().size(), 1u);
  EXPECT_NE(AlertTexts()[0].find("The program could not start"), std::string::npos);
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

TEST_F(WithPlugIn, ASecondCopyIsToldWhichProcessHoldsThePlugInInWords) {
  ScopedEnv noDisplay{"DISPLAY", ""};
  CAtomicInstance running;  // the copy that runs already
  ASSERT_TRUE(running.Validate()) << running.Reason();
  EXPECT_NE(Make(plugInRegistry).Start(), 0);
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{
                              "The program could not start.\nAnother copy of Vesk Plug-In Editor is running "
                              "(process id " + std::to_string(::getpid()) + "). Close it first."}));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].find("MacOS"), std::string::npos) << reports[0];
}

TEST_F(WithPlugIn, TheEditorsMessageBoxesAreTitledWithTheProgramsName) {
  ScopedEnv noDisplay{"DISPLAY", ""};
  XESynthUtils::mProductName.clear();
  ASSERT_EQ(Make(plugInRegistry).Start(), 0);
  EXPECT_EQ(XESynthUtils::mProductName, "Vesk Editor");
}

// Closing the window while the audio thread renders: the MIDI manager that
// every cycle reads must outlive the last cycle (the sanitizers see it).
TEST_F(App, ExitWithAudioRunningStopsTheCyclesBeforeTheMidiManagerGoes) {
  const auto id = audio.AddDevice(StereoDevice());
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  Choose(D::kOUTP, 0, 2);
  Choose(D::kOK, 0, 0);
  ASSERT_TRUE(app->graph().isPlaying());
  ASSERT_NE(TalvikHostMIDIManager_Instance(), nullptr);

  std::atomic<bool> stop{false};
  std::atomic<bool> exited{false};
  std::atomic<int> cycles{0};
  std::atomic<int> cyclesBegunAfterExit{0};
  std::thread audioThread([&] {
    while (!stop) {
      // A cycle that was already running when the exit began may still
      // finish after it; one that begins after the exit returned must not run.
      const bool after = exited;
      const int n = audio.Pump(id);
      cycles += n;
      if (after) cyclesBegunAfterExit += n;
      std::this_thread::yield();
    }
  });
  while (cycles < 20) std::this_thread::yield();
  static_cast<os::HeadlessWindow*>(app->editorWindow().getEditWindow())->Sink()->OnWindowClose();
  exited = true;
  for (int i = 0; i < 1000; ++i) std::this_thread::yield();  // let it try the stopped device
  stop = true;
  audioThread.join();

  EXPECT_EQ(exitStatus, 0);
  EXPECT_EQ(TalvikHostMIDIManager_Instance(), nullptr);
  EXPECT_EQ(app->graph().synthUnit(), nullptr);
  EXPECT_EQ(cyclesBegunAfterExit, 0);
  EXPECT_EQ(audio.Pump(id), 0);
}

// A device that will not stop keeps calling the render procedure after the
// exit: the MIDI manager and the component that each cycle reads stay.
TEST_F(App, ExitWithADeviceThatWillNotStopLeavesWhatItsCyclesRead) {
  NullAudioSystem::DeviceDesc stubborn = StereoDevice();
  stubborn.refuseStop = true;
  const auto id = audio.AddDevice(stubborn);
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  Choose(D::kOUTP, 0, 2);
  Choose(D::kOK, 0, 0);
  ASSERT_TRUE(app->graph().isPlaying());
  TalvikHostMIDIManager* manager = TalvikHostMIDIManager_Instance();
  ASSERT_NE(manager, nullptr);

  static_cast<os::HeadlessWindow*>(app->editorWindow().getEditWindow())->Sink()->OnWindowClose();
  EXPECT_EQ(exitStatus, 0);
  EXPECT_TRUE(app->graph().cyclesMayRun());
  EXPECT_EQ(TalvikHostMIDIManager_Instance(), manager);
  EXPECT_NE(app->graph().synthUnit(), nullptr);
  // Cycles after the exit read both (the sanitizers would see a freed one).
  EXPECT_EQ(audio.Pump(id, 4), 4);
  bool told = false;
  for (const std::string& r : reports) told |= r.find("The audio device did not stop") != std::string::npos;
  EXPECT_TRUE(told);

  // This test's process goes on: no cycle runs any more.
  EXPECT_EQ(TalvikHostMIDIManager_Finalize(), 0);
}

TEST_F(App, SettingsAreSavedIntoAConfigFolderMadeOnTheFlyOrTheUserIsToldWhyNot) {
  struct Case {
    const char* name;
    std::string config;  // XDG_CONFIG_HOME
    std::vector<std::string> alerts;
  };
  { std::ofstream(folder.File("plain-file")) << "x"; }
  const std::vector<Case> cases = {
      {"no folder yet", folder.File("fresh/.config"), {}},
      {"a file where the folder belongs", folder.File("plain-file/.config"),
       {"The settings could not be saved.\nThe folder " + folder.File("plain-file/.config") +
        " cannot be made: Not a directory."}},
  };
  audio.AddDevice(StereoDevice());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedEnv config{"XDG_CONFIG_HOME", c.config};
    os::HeadlessAlert::Reset();
    gAudioDeviceList.clear();
    ASSERT_EQ(Make(testRegistry).Start(), 0);
    Choose(D::kOUTP, 0, 2);
    Choose(D::kOK, 0, 0);
    EXPECT_TRUE(app->graph().isPlaying());  // applied, whether saved or not
    EXPECT_EQ(AlertTexts(), c.alerts);
    if (c.alerts.empty()) {
      std::ifstream in(c.config + "/TAVO Vesk Editor Preferences", std::ios::binary);
      EXPECT_EQ(std::vector<char>((std::istreambuf_iterator<char>(in)), {}).size(), 9464u);
      // Written whole and renamed into place: nothing else is left there.
      int entries = 0;
      for (const auto& e : std::filesystem::directory_iterator(c.config)) entries += !e.path().empty();
      EXPECT_EQ(entries, 1);
    }
    app.reset();
  }
}

TEST_F(App, AFailureToStartAudioIsToldAndTheMenusFollowWhatAudioDoes) {
  const auto id = audio.AddDevice(StereoDevice());
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  Choose(D::kOUTP, 0, 2);
  Choose(D::kOK, 0, 0);
  ASSERT_TRUE(app->graph().isPlaying());
  app->commandHandler(A::kSTOP, A::kCommandFromMenu);
  component->initializeStatus = AudioComponent::kErrFailedInitialization;
  EXPECT_EQ(app->commandHandler(A::kPLAY, A::kCommandFromMenu), A::kEventNotHandled);
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"Audio could not be started.\nFailed while starting the "
                                                    "editor component: the editor component could not start."}));
  EXPECT_FALSE(app->graph().isPlaying());
  EXPECT_TRUE(app->IsCommandEnabled(A::kPLAY));
  EXPECT_FALSE(app->IsCommandEnabled(A::kSTOP));
  EXPECT_EQ(audio.Pump(id), 0);
}

TEST_F(App, SettingsThatFailToApplyAtStartUpAreNoSuccess) {
  audio.AddDevice(StereoDevice());
  SaveData s = OnNullOut();
  WriteSettings(s);
  // The probe at start-up initialises once; starting audio is the second.
  testRegistry.Clear();
  testRegistry.Register("Test", EditorComponentDescription(), [this]() -> std::unique_ptr<AudioComponent> {
    auto c = std::make_unique<TestAudioComponent>();
    c->initializeFailsFromCall = 2;
    component = c.get();
    return c;
  });
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"The audio and MIDI settings could not be applied.\nFailed "
                                                    "while starting the editor component: the editor component "
                                                    "could not start."}));
  EXPECT_FALSE(app->graph().isPlaying());
  EXPECT_FALSE(app->dialog().canPlay);
  EXPECT_TRUE(app->IsCommandEnabled(A::kPLAY));
  EXPECT_FALSE(app->IsCommandEnabled(A::kSTOP));
  EXPECT_TRUE(app->settingsWindow().IsVisible());
}

TEST_F(App, TheKnobModeListOpensAndChooses) {
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  ASSERT_EQ(app->commandHandler(A::kPref, A::kCommandFromMenu), 0);
  auto* window = static_cast<os::HeadlessWindow*>(app->settingsWindow().window());
  window->InjectClick(os::MouseButton::kLeft, 300, 20);  // "Other"
  env.loop().RunFor(1);
  ASSERT_EQ(app->dialog().lastPaneSelected(), 3);
  os::HeadlessMenuTracker::Reset();
  os::HeadlessMenuTracker::ScriptIndex({0});  // "Circular"
  window->InjectClick(os::MouseButton::kLeft, 200, 68);
  env.loop().RunFor(1);
  const auto shown = os::HeadlessMenuTracker::Transcript();
  ASSERT_EQ(shown.size(), 1u);
  ASSERT_EQ(shown[0].items.size(), 3u);
  EXPECT_EQ(shown[0].items[2].text, "Linear");
  EXPECT_EQ(app->dialog().Value(D::kKNOB), 1);
}

// The window is centred on the screen at start and at each lock change;
// while locked, a drag leaves it where it is.
TEST_F(App, TheEditorWindowIsCentredAndALockedWindowKeepsItsPlace) {
  os::SetMainScreenBounds({0, 0, 1280, 1024});
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  auto* window = static_cast<os::HeadlessWindow*>(app->editorWindow().getEditWindow());
  const os::WindowPoint centred{(1280 - 320) / 2, (1024 - 200 - EditorWindow::kMenuHeight) / 2};
  auto at = [&](os::WindowPoint p) {
    return window->ScreenOrigin().x == p.x && window->ScreenOrigin().y == p.y;
  };
  EXPECT_TRUE(at(centred)) << window->ScreenOrigin().x << "," << window->ScreenOrigin().y;
  auto drag = [&](int x, int y) {
    window->InjectUserBounds({x, y, x + window->Width(), y + window->Height()});
    env.loop().RunFor(1);
  };

  drag(10, 20);  // unlocked: the user's place
  EXPECT_TRUE(at({10, 20}));
  app->commandHandler(A::kLOCK, A::kCommandFromMenu);
  EXPECT_TRUE(at(centred));
  drag(700, 500);
  EXPECT_TRUE(at(centred)) << window->ScreenOrigin().x << "," << window->ScreenOrigin().y;
  app->commandHandler(A::kULCK, A::kCommandFromMenu);
  drag(700, 500);
  EXPECT_TRUE(at({700, 500}));
  os::SetMainScreenBounds({});
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

class AppWindows : public App {
 protected:
  void StartAndOpenProbe() {
    audio.AddDevice(StereoDevice());
    ASSERT_EQ(Make(testRegistry).Start(), 0);
    probe = os::HeadlessWindow::Create(50, 50);
    probe->SetSink(&probeInput);
  }
  os::HeadlessWindow* Editor() { return static_cast<os::HeadlessWindow*>(app->editorWindow().getEditWindow()); }
  // A click on the editor's "Audio" title opens its menu (nothing chosen);
  // true when the menu was shown.
  bool AudioMenuOpensOnAClick() {
    int x = 0;
    while (x < Editor()->Width() && app->editorWindow().MenuTitleAt(x, 10) != 1) ++x;
    const size_t menus = os::HeadlessMenuTracker::Transcript().size();
    Editor()->InjectClick(os::MouseButton::kLeft, x + 2, 10);
    env.loop().RunFor(1);
    return os::HeadlessMenuTracker::Transcript().size() == menus + 1;
  }
  // A click and a key reach a window of the program's.
  bool ProbeTakesAClickAndAKey() {
    const InputCounter before = probeInput;
    probe->InjectClick(os::MouseButton::kLeft, 5, 5);
    probe->InjectKey(os::KeyEvent::Kind::kDown, XK_a);
    env.loop().RunFor(1);
    return probeInput.presses == before.presses + 1 && probeInput.keys == before.keys + 1;
  }

  std::unique_ptr<os::HeadlessWindow> probe;
  InputCounter probeInput;
};

// However the settings window goes, its modal run ends, once: the editor's
// menu strip opens on a click and the program's windows take keys again.
TEST_F(AppWindows, EveryWayTheSettingsWindowGoesLeavesTheEditorTakingInput) {
  StartAndOpenProbe();
  os::HeadlessMenuTracker::Reset();
  struct Way {
    const char* name;
    std::function<void(os::HeadlessWindow* settings)> close;
    bool applied;  // OK saves the settings file
  };
  const std::vector<Way> ways = {
      {"OK", [](os::HeadlessWindow* w) { ClickSettingsButton(w, "OK"); }, true},
      {"Cancel", [](os::HeadlessWindow* w) { ClickSettingsButton(w, "Cancel"); }, false},
      {"Return", [](os::HeadlessWindow* w) { w->InjectKey(os::KeyEvent::Kind::kDown, XK_Return); }, true},
      {"Escape", [](os::HeadlessWindow* w) { w->InjectKey(os::KeyEvent::Kind::kDown, XK_Escape); }, false},
      {"its close box", [](os::HeadlessWindow* w) { w->InjectClose(); }, false},
      {"the program taking it down", [this](os::HeadlessWindow*) { app->settingsWindow().Hide(); }, false},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    std::filesystem::remove(SettingsFile());
    // Asked for twice: still one window, one run.
    ASSERT_EQ(app->commandHandler(A::kPref, A::kCommandFromMenu), 0);
    ASSERT_EQ(app->commandHandler(A::kPref, A::kCommandFromMenu), 0);
    ASSERT_TRUE(app->settingsWindow().IsVisible());
    EXPECT_EQ(os::Window::CurrentModalState().runs, 1);
    EXPECT_FALSE(ProbeTakesAClickAndAKey());
    EXPECT_FALSE(AudioMenuOpensOnAClick());
    way.close(static_cast<os::HeadlessWindow*>(app->settingsWindow().window()));
    env.loop().RunFor(1);
    EXPECT_FALSE(app->settingsWindow().IsVisible());
    EXPECT_EQ(os::Window::CurrentModalState().runs, 0);
    EXPECT_TRUE(AudioMenuOpensOnAClick());
    EXPECT_TRUE(ProbeTakesAClickAndAKey());
    EXPECT_EQ(std::filesystem::exists(SettingsFile()), way.applied);
  }
  // It comes back on the pane it was left on.
  ASSERT_EQ(app->commandHandler(A::kPref, A::kCommandFromMenu), 0);
  auto* settings = static_cast<os::HeadlessWindow*>(app->settingsWindow().window());
  settings->InjectClick(os::MouseButton::kLeft, 180, 20);
  env.loop().RunFor(1);
  settings->InjectClose();
  env.loop().RunFor(1);
  ASSERT_EQ(app->commandHandler(A::kPref, A::kCommandFromMenu), 0);
  EXPECT_EQ(app->dialog().lastPaneSelected(), 2);
  // And the program's end takes it down with the rest.
  app.reset();
  EXPECT_EQ(os::Window::CurrentModalState().runs, 0);
  EXPECT_TRUE(ProbeTakesAClickAndAKey());
}

// One question at a time: while a question is open (the plug-in's start-up
// question, here a stand-in run), the settings window that start-up wants
// to show and the queued alerts wait; they come once it is answered.
TEST_F(AppWindows, WhileAQuestionIsOpenTheSettingsWindowAndQueuedAlertsWait) {
  SaveData gone;
  gone.outputDeviceName = "Gone Out";  // not found again: start-up shows the settings
  WriteSettings(gone);
  auto question = std::make_unique<os::Window::ModalInput>(os::Window::ModalInput::Kind::kQuestion);
  StartAndOpenProbe();
  EXPECT_FALSE(app->settingsWindow().IsVisible());
  EXPECT_TRUE(app->settingsWindow().IsWaiting());
  const size_t alerts = AlertTexts().size();
  DemandIdleTask(IdleTaskQueue::kAlertDeviceChanged);
  env.loop().RunFor(200);
  EXPECT_EQ(AlertTexts().size(), alerts);
  EXPECT_FALSE(AudioMenuOpensOnAClick());  // the question holds the window

  question.reset();
  env.loop().RunFor(50);
  EXPECT_TRUE(app->settingsWindow().IsVisible());
  EXPECT_FALSE(app->settingsWindow().IsWaiting());
  ASSERT_EQ(AlertTexts().size(), alerts + 1);
  EXPECT_EQ(AlertTexts().back(), "Device changed");
  // The settings window is the one run now.
  EXPECT_EQ(os::Window::CurrentModalState().runs, 1);
}

// A start on a machine without any MIDI system: one alert, in words, saying
// what is missing and what to start; nothing more while the program runs.
TEST_F(App, WithoutAnyMidiSystemOneAlertSaysWhatToStart) {
  os::midi::System::Uninstall(&bus);
  audio.AddDevice(StereoDevice());
  ASSERT_EQ(Make(testRegistry).Start(), 0);
  env.loop().RunFor(3000);
  ASSERT_EQ(AlertTexts().size(), 1u) << AlertTexts().back();
  const std::string text = AlertTexts()[0];
  for (const char* words : {"JACK server", "ALSA sequencer", "Start a JACK server", "again."})
    EXPECT_NE(text.find(words), std::string::npos) << text;
  for (const char* internal : {"Talvik", "Rebuild", "_", "status "})
    EXPECT_EQ(text.find(internal), std::string::npos) << text;
  EXPECT_EQ(text.back(), '.');
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(app->dialog().grabCRef(D::kMIDI, 0)->items.size(), 1u);  // " -- " only
  os::midi::System::Install(&bus);
}

// The About box tells host and core apart: the program and the plug-in it
// hosts, each with its own version.
TEST_F(WithPlugIn, TheAboutTextNamesTheProgramAndThePlugInApart) {
  ScopedEnv noDisplay{"DISPLAY", ""};
  ASSERT_EQ(Make(plugInRegistry).Start(), 0);
  EXPECT_EQ(app->AboutText(), "Host: Vesk Editor version 1.0.0\nCore: Vesk Plug-In Editor version 1.0.3");
  app.reset();
}

}  // namespace
}  // namespace vesk::test
