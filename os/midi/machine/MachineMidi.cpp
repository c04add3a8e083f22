#include "os/midi/machine/MachineMidi.h"

#include <cstdio>
#include <vector>

#include "os/midi/alsa/AlsaSystem.h"
#include "os/midi/jack/JackSystem.h"

namespace os::midi {

std::unique_ptr<CombinedSystem> MachineMidi::Open(const std::string& clientName) {
  std::vector<std::unique_ptr<System>> backends;
  std::string why;
  if (auto alsa = AlsaSystem::Open(clientName, &why))
    backends.push_back(std::move(alsa));
  else
    std::fprintf(stderr, "MIDI: ALSA sequencer ports are not available: %s\n", why.c_str());
  why.clear();
  if (auto jack = JackSystem::Open(clientName, &why))
    backends.push_back(std::move(jack));
  else
    std::fprintf(stderr, "MIDI: JACK ports are not available: %s\n", why.c_str());
  return std::make_unique<CombinedSystem>(std::move(backends));
}

}  // namespace os::midi
