#pragma once
// Copies an LFO of a stored program into the program being edited.
#include "editor/browsers/CopySoundBlockBrowser.h"

class CopyLFOBrowser : public CopySoundBlockBrowser {
 public:
  CopyLFOBrowser(Oskend::IRemoteSynth* synth, const std::string& title)
      : CopySoundBlockBrowser(
            synth, title,
            {"LFO1 (OSC1)", "LFO2 (OSC1)", "LFO1 (OSC2)", "LFO2 (OSC2)", "Common LFO"}, 10,
            "Copy LFO Error!") {}
};
