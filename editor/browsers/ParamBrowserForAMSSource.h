#pragma once
// The modulation-source picker of a program parameter: sources the
// parameter may not use are shown disabled.
#include "editor/browsers/ParamBrowser.h"

class ParamBrowserForAMSSource : public ParamBrowser {
 public:
  ParamBrowserForAMSSource(Oskend::IRemoteSynth* synth, eMode mode, int parameter,
                           const std::string& title)
      : ParamBrowser(synth, mode, parameter, title) {}

  void InitListControl() override;
};
