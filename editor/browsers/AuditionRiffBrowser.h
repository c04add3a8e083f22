#pragma once
// The red picker of an audition riff: lists the riffs by name, plays each
// in an audition of its own kind and writes the opening riff back on
// Cancel.
#include "editor/browsers/RedBrowserBase.h"

class AuditionRiffBrowser : public RedBrowserBase {
 public:
  AuditionRiffBrowser(Oskend::IRemoteSynth* synth, eMode mode, int parameter,
                      const std::string& title)
      : RedBrowserBase(synth, mode, parameter, title, false, false),
        m_iOpeningRiff(GetParamValue(mode, parameter)) {}

  int GetAuditionContex() const override { return 3; }
  void InitListControl() override;
  void DoIt(int value) override;
  void Undo() override;

 private:
  int m_iOpeningRiff;
};
