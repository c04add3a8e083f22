#pragma once
// The parameter pickers: Cancel ends the audition and writes nothing back.
#include "editor/browsers/ListBrowserBase.h"

class ParamBrowserBase : public ListBrowserBase {
 public:
  ParamBrowserBase(Oskend::IRemoteSynth* synth, eMode mode, int parameter, const std::string& title,
                   bool categoryArea)
      : ListBrowserBase(synth, mode, parameter, title, Style::kParam, categoryArea, false) {}
};
