#pragma once
// Copies an envelope of a stored program into the program being edited.
#include "editor/browsers/CopySoundBlockBrowser.h"

class CopyEGBrowser : public CopySoundBlockBrowser {
 public:
  CopyEGBrowser(Oskend::IRemoteSynth* synth, const std::string& title)
      : CopySoundBlockBrowser(
            synth, title,
            {"Pitch EG", "Filter EG (OSC1)", "Amp EG (OSC1)", "Filter EG (OSC2)", "Amp EG (OSC2)"},
            9, "Copy EG Error!") {}
};
