#pragma once
// The plug-in as the root layer sees it, for tests that build the whole
// editor window: it names the product and ignores automation and MIDI.
#include <cstdint>
#include <string>

#include "editor/shell/IPlugInHost.h"

namespace vesk::test {

class QuietPlugInHost : public IPlugInHost {
 public:
  std::string GetPlugInProductString() override { return "Vesk Plug-In Editor"; }
  std::string GetPlugInBundleVersion() override { return "1.0.3"; }
  void SetParameterAutomatedFromInt(int, int, int, int) override {}
  void BeginParameterEdit(int) override {}
  void EndParameterEdit(int) override {}
  void MidiInFromGUI(uint8_t, uint8_t, uint8_t) override {}
};

}  // namespace vesk::test
