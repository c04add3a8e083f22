#pragma once
// Copies an oscillator of a stored program into the program being edited.
#include "editor/browsers/CopySoundBlockBrowser.h"

class CopyOSCBrowser : public CopySoundBlockBrowser {
 public:
  CopyOSCBrowser(Oskend::IRemoteSynth* synth, const std::string& title)
      : CopySoundBlockBrowser(synth, title, {"OSC1", "OSC2"}, 6, "Copy OSC Error!") {}
};
