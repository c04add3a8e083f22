#pragma once
// The global system page as the editor builds it.
#include "editor/pages/combi_global/GlobalSystemLayer.h"

class XEDropdownList;

class OskendGlobalSystemLayer : public GlobalSystemLayer {
 public:
  explicit OskendGlobalSystemLayer(Oskend::IRemoteSynth* synth) : GlobalSystemLayer(synth) {}

  bool OnCreate() override;
  bool CreateSetupControls() override;

 private:
  struct Build;
  // The three groups of panels the set-up is built in.
  void CreateBasicSetup(const Build& b, int titleWidth);
  void CreateMidiSetup(const Build& b, int titleWidth);
  void CreateControllerSetup(const Build& b, int titleWidth);

  bool m_clockEnable[5] = {true, true, true, true, true};
  XEDropdownList* m_pClockList = nullptr;
};
