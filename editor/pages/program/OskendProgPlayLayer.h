#pragma once
// Program tab 0, Play: a block diagram of the whole program (basic
// settings, pitch envelope, multisamples, filters, envelopes, LFOs, mixers
// and the effect chain) with live values and miniature graphs, where a
// click on a block jumps to the page that edits it; below, four form
// sub-pages of the most used parameters.
//
// Construction: OskendProgPlayLayer(synth, selector); the selector (the
// root layer) receives the block jumps and may be null (no jumps).
#include <list>

#include "editor/shell/EditTabPageLayerBase.h"

class IProgTabSelector;

class OskendProgPlayLayer : public EditTabPageLayerBase {
 public:
  OskendProgPlayLayer(Oskend::IRemoteSynth* synth, IProgTabSelector* selector = nullptr);

  bool OnCreate() override;
  bool Show(bool redraw) override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& out) override;
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;

  void OnIdleSectionReinitialized(Oskend::ISection* section) override;
  void OnIdleRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*, const Oskend::SSoundIndex&) override;
  void OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode, const Oskend::SSoundIndex&) override;
  void OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool) override;
  void OnIdleSectionParamChanged(Oskend::ISection* section, int pid) override;

  static int GetParamId(int kind, int i);
  // (tab, sub-tab) of the program tab for a click at (dx, dy) from the
  // block's top-left corner; false when the click does nothing.
  static bool JumpTarget(int kind, int dx, int dy, int* tab, int* subTab);
  // The block under (x, y), -1 for none; its rectangle's corner in left/top.
  int HitKind(int x, int y, int* left, int* top) const;

  void UpdateOverViewControls();

 private:
  void CreateOverViewControls();
  void CreateFxNameBox();
  void UpdateIfxOverView();

  IProgTabSelector* m_pSelector;
};
