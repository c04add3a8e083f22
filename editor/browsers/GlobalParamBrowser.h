#pragma once
// The value picker of a global parameter; its audition is of kind 0.
#include "editor/browsers/ParamBrowser.h"

class GlobalParamBrowser : public ParamBrowser {
 public:
  GlobalParamBrowser(Oskend::IRemoteSynth* synth, int parameter, const std::string& title)
      : ParamBrowser(synth, static_cast<eMode>(6), parameter, title) {}

  int GetAuditionContex() const override { return 0; }
};
