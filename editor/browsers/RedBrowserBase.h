#pragma once
// The red pickers (effect type, multisample, audition riff, program):
// Cancel after a preview also writes the opening value back (Undo).
#include "editor/browsers/ListBrowserBase.h"

class RedBrowserBase : public ListBrowserBase {
 public:
  RedBrowserBase(Oskend::IRemoteSynth* synth, eMode mode, int parameter, const std::string& title,
                 bool categoryArea, bool extraArea)
      : ListBrowserBase(synth, mode, parameter, title, Style::kRed, categoryArea, extraArea) {}
};
