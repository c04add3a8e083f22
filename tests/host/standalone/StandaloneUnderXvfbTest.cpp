// The program's windows on a real X server: the editor window with the
// plug-in's editor in it, and the settings window.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "host/StandaloneApp.h"
#include "host/VstAudioComponent.h"
#include "os/audio/NullAudioSystem.h"
#include "os/midi/VirtualBus.h"
#include "os/window/X11Window.h"
#include "plugin/PlugInEntry.h"
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"

namespace vesk::test {
namespace {

class StandaloneUnderXvfb : public UnderXvfb {
 protected:
  TempDir folder;
  ScopedEnv config{"XDG_CONFIG_HOME", folder.path()};
  ScopedEnv lockDir{"VESK_LOCK_DIR", folder.path()};
};

TEST_F(StandaloneUnderXvfb, TheEditorAndSettingsWindowsOpenAndClose) {
  ScopedEnv display{"DISPLAY", server->display()};
  os::MainLoop loop;
  os::midi::VirtualBus bus;
  os::midi::System::Install(&bus);
  os::audio::NullAudioSystem audio;
  os::audio::AudioSystem::Install(&audio);
  os::audio::NullAudioSystem::DeviceDesc d;
  d.name = "Null Out";
  os::audio::NullAudioSystem::StreamDesc s;
  s.formats = {os::audio::MakeLinearPCM(44100, 2, 32, true)};
  s.current = s.formats[0];
  d.streams = {s};
  audio.AddDevice(d);

  AudioComponentRegistry registry;
  registry.Register("Vesk Plug-In Editor", EditorComponentDescription(),
                    []() -> std::unique_ptr<AudioComponent> { return VstAudioComponent::Open(&VSTPluginMain); });
  int exited = -1;
  {
    StandaloneApp::Options o;
    o.exit = [&](int status) { exited = status; };
    StandaloneApp app(registry, o);
    ASSERT_EQ(app.Start(), 0);
    os::Window* editor = app.editorWindow().getEditWindow();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->IsVisible());
    EXPECT_GT(editor->Width(), 100);
    EXPECT_NE(editor->NativeId(), 0u);
    // The test screen is smaller than both windows, so their pixels cannot
    // be read back; the events of a running editor are served meanwhile.
    for (int i = 0; i < 20; ++i) {
      loop.RunFor(10);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    ASSERT_EQ(app.commandHandler(StandaloneApp::kPref, StandaloneApp::kCommandFromMenu), 0);
    os::Window* settings = app.settingsWindow().window();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(app.settingsWindow().IsVisible());
    EXPECT_NE(dynamic_cast<os::X11Window*>(settings), nullptr);
    EXPECT_EQ(settings->Width(), SettingsWindow::kWidth);
    loop.RunFor(30);
    // Closing the settings window hides it; closing the editor ends the
    // program.
    settings->Sink()->OnWindowClose();
    EXPECT_FALSE(app.settingsWindow().IsVisible());
    editor->Sink()->OnWindowClose();
    EXPECT_EQ(exited, 0);
    loop.RunFor(20);
  }
  os::audio::AudioSystem::Uninstall(&audio);
  os::midi::System::Uninstall(&bus);
}

}  // namespace
}  // namespace vesk::test
