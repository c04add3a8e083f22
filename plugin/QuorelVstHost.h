#pragma once
// What the plug-in knows of the host that loaded it. The system's own
// standalone host announces itself by a product string of the effect name
// followed by "Host", the audio-unit edition's wrapper by the effect name
// followed by "AU"; any other host is an ordinary VST host. The host is
// asked once, and only once it has the instance: inside the entry it
// cannot tell which plug-in asks.
#include <atomic>
#include <string>

#include "model/IPlugInHostInfo.h"

class AudioEffectX;

class QuorelVstHost : public Oskend::IPlugInHostInfo {
 public:
  static constexpr const char* kEffectName = "Vesk Plug-In Editor";
  static constexpr const char* kStandaloneProductName = "Vesk Editor";

  explicit QuorelVstHost(AudioEffectX& effect) : effect_(effect) {}
  QuorelVstHost(const QuorelVstHost&) = delete;
  QuorelVstHost& operator=(const QuorelVstHost&) = delete;

  // ---- Any thread but the audio thread (each asks the host at most once;
  // two first calls at once both ask, and agree).
  // Before the host has called the instance in, nothing is asked and
  // nothing is kept: the next call asks.
  void CheckHost();
  bool IsHostStandalone() override;
  bool IsHostAUWrapper() override;
  // The product the plug-in shows itself as ("Vesk Editor" under the
  // standalone host), asking the host when it has not been asked.
  const char* ProductString();

  // ---- Any thread.
  // The product as far as known without asking the host.
  const char* KnownProductString() const;

 private:
  AudioEffectX& effect_;
  std::atomic<bool> checked_{false};
  std::atomic<bool> standalone_{false};
  std::atomic<bool> auWrapper_{false};
};
