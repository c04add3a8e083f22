// `Vesk Editor`: the standalone program. It plays the editor plug-in
// installed where VST 2 hosts find it (or the one of this build) through
// the machine's ALSA output, with the machine's MIDI ports as its inputs.
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "editor/controls/HfcDrawnForms.h"
#include "host/AudioComponentRegistry.h"
#include "host/StandaloneApp.h"
#include "host/VstAudioComponent.h"
#include "os/MainLoop.h"
#include "os/audio/AudioSystem.h"
#include "os/midi/machine/MachineMidi.h"

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

std::string FindPlugIn() {
  const std::string file = "Vesk Plug-In Editor.so";
  std::vector<std::string> candidates;
  if (const char* p = std::getenv("VESK_PLUGIN_PATH")) candidates.push_back(p);
  if (const char* vst = std::getenv("VST_PATH")) candidates.push_back(std::string(vst) + "/" + file);
  if (const char* home = std::getenv("HOME")) candidates.push_back(std::string(home) + "/.vst/" + file);
  candidates.push_back("/usr/local/lib/vst/" + file);
  candidates.push_back("/usr/lib/vst/" + file);
  candidates.push_back(VESK_BUILT_PLUGIN_SO);
  for (const std::string& c : candidates)
    if (Exists(c)) return c;
  return "";
}

}  // namespace

int main() {
  os::MainLoop loop;
  const char* display = std::getenv("DISPLAY");
  if (display && *display) HfcInstallDrawnForms();

  std::unique_ptr<os::midi::CombinedSystem> midi = os::midi::MachineMidi::Open("Vesk Editor");
  if (midi) os::midi::System::Install(midi.get());
  std::unique_ptr<os::audio::AudioSystem> audio = os::audio::CreateAlsaAudioSystem();
  if (audio) os::audio::AudioSystem::Install(audio.get());

  AudioComponentRegistry registry;
  const std::string plugIn = FindPlugIn();
  if (!plugIn.empty())
    registry.Register("Vesk Plug-In Editor", EditorComponentDescription(),
                      [plugIn]() -> std::unique_ptr<AudioComponent> {
                        std::string error;
                        return VstAudioComponent::OpenSharedObject(plugIn, &error);
                      });

  int status;
  {
    StandaloneApp::Options options;
    options.exit = [&loop](int) { loop.Quit(); };
    StandaloneApp app(registry, options);
    status = app.Run();
  }
  os::audio::AudioSystem::Uninstall(audio.get());
  if (midi) os::midi::System::Uninstall(midi.get());
  return status;
}
