#pragma once
// The picker of any parameter's value list, with the display text of each
// value; the base of the global-parameter and modulation-source pickers.
#include "editor/browsers/ParamBrowserBase.h"

class ParamBrowser : public ParamBrowserBase {
 public:
  ParamBrowser(Oskend::IRemoteSynth* synth, eMode mode, int parameter, const std::string& title)
      : ParamBrowserBase(synth, mode, parameter, title, false) {}

  void InitListControl() override;
  void DoIt(int value) override;
  void Undo() override {}
};
