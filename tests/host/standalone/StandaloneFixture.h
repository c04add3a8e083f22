#pragma once
// Simulated time and main loop, a null audio system with the devices a
// test adds, a virtual MIDI bus, headless windows and alerts, and a
// settings folder of the test's own.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "editor/controls/DrawnForm.h"
#include "host/AudioGraph.h"
#include "host/CalcCPULoad.h"
#include "host/IdleTaskQueue.h"
#include "host/EditorWindow.h"
#include "host/OutputDeviceList.h"
#include "os/Alert.h"
#include "os/audio/NullAudioSystem.h"
#include "os/midi/VirtualBus.h"
#include "os/window/HeadlessWindow.h"
#include "tests/host/standalone/TestAudioComponent.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestEnvironment.h"

namespace vesk::test {

using os::audio::AudioStreamBasicDescription;
using os::audio::MakeLinearPCM;
using os::audio::NullAudioSystem;

inline NullAudioSystem::StreamDesc StreamOf(std::vector<AudioStreamBasicDescription> formats) {
  NullAudioSystem::StreamDesc s;
  s.formats = formats;
  s.current = formats.front();
  return s;
}

// A stereo device with 16- and 24-bit formats at 44.1 and 48 kHz.
inline NullAudioSystem::DeviceDesc StereoDevice(const std::string& name = "Null Out") {
  NullAudioSystem::DeviceDesc d;
  d.name = name;
  d.streams.push_back(StreamOf({MakeLinearPCM(44100, 2, 32, true), MakeLinearPCM(44100, 2, 16, false),
                                MakeLinearPCM(48000, 2, 16, false)}));
  d.nominalRate = 44100;
  d.bufferFrames = 256;
  return d;
}

// The same, its clock chosen among its own and one input of that name.
inline NullAudioSystem::DeviceDesc ClockedStereoDevice(const std::string& name, const std::string& input) {
  NullAudioSystem::DeviceDesc d = StereoDevice(name);
  d.hasClockSource = true;
  d.clockSettable = true;
  d.clockSources = {1, 2};
  d.clockNames = {{1, "Internal"}, {2, input}};
  return d;
}

inline std::vector<std::string> AlertTexts() {
  std::vector<std::string> texts;
  for (auto& a : os::HeadlessAlert::Transcript()) texts.push_back(a.request.explanation);
  return texts;
}

// The program's windows made headless while it lives: the editor window
// and the drawn forms (the Settings window, alerts, menus).
class HeadlessProgramWindows {
 public:
  HeadlessProgramWindows() {
    EditorWindow::SetWindowMaker([](int w, int h, const std::string&) -> std::unique_ptr<os::Window> {
      return os::HeadlessWindow::Create(w, h);
    });
    DrawnForm::SetWindowMaker([](const DrawnForm::WindowPlacement& p) -> std::unique_ptr<os::Window> {
      return os::HeadlessWindow::Create(p.width, p.height);
    });
  }
  ~HeadlessProgramWindows() {
    EditorWindow::SetWindowMaker(nullptr);
    DrawnForm::SetWindowMaker(nullptr);
  }
  HeadlessProgramWindows(const HeadlessProgramWindows&) = delete;
  HeadlessProgramWindows& operator=(const HeadlessProgramWindows&) = delete;
};

class StandaloneFixture : public ::testing::Test {
 protected:
  StandaloneFixture() {
    os::audio::AudioSystem::Install(&audio);
    os::midi::System::Install(&bus);
    CalcCPULoad_Reset();
    gAudioDeviceList.clear();
    os::HeadlessAlert::Reset();
  }
  ~StandaloneFixture() override {
    gAudioDeviceList.clear();
    CalcCPULoad_Reset();
    while (!GetIdleTaskQueue().Pending().empty()) GetIdleTaskQueue().RunTick([](int) {});
    os::midi::System::Uninstall(&bus);
    os::audio::AudioSystem::Uninstall(&audio);
  }

  // A MIDI device with one port each way; a synthesizer's carries the maker
  // and model that make it the editor's.
  std::shared_ptr<os::midi::VirtualBus::Device> AddPort(const std::string& device,
                                                        const std::string& port,
                                                        bool synthesizer = false) {
    os::midi::VirtualBus::DeviceDesc d;
    d.deviceName = device;
    d.sourceName = port;
    d.destinationName = port;
    if (synthesizer) {
      d.manufacturer = "TAVO";
      d.model = "Vesk";
    }
    return bus.AddDevice(d);
  }

  TempDir folder;
  ScopedEnv config{"XDG_CONFIG_HOME", folder.path()};
  ScopedEnv lockDir{"VESK_LOCK_DIR", folder.path()};
  TestEnvironment env;
  NullAudioSystem audio;
  os::midi::VirtualBus bus;
};

}  // namespace vesk::test
