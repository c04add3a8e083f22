#pragma once
// A global page for the synthesizer's MIDI settings: channel, local control,
// convert position, note receive, clock source, external realtime commands
// and the five MIDI filters.
#include <list>

#include "editor/pages/combi_global/GlobalPageLayerBase.h"

class GlobalMIDILayer : public GlobalPageLayerBase {
 public:
  explicit GlobalMIDILayer(Oskend::IRemoteSynth* synth);

  bool OnCreate() override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
  void OnIdleRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool, bool) override {}
  using EditTabPageLayerBase::CreateSublevelTab;
  void CreateSublevelTab();

 private:
  void CreateControls();
};
