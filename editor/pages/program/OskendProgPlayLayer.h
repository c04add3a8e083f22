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

class IEditTabSelector;
class PageBuilder;

class OskendProgPlayLayer : public EditTabPageLayerBase {
 public:
  // Ids of the overview's own controls: the oscillator-mode picture, the
  // pitch envelope and oscillator 1's two filter graphs and filter and
  // amplifier envelopes; oscillator 2's lie kIdOsc2Step above them.
  enum : int {
    kIdOscModePicture = 0x500000,
    kIdPitchEG = 0x500001,
    kIdFilterAGraph = 80197,
    kIdFilterBGraph = 80198,
    kIdFilterEG = 80199,
    kIdAmpEG = 80200,
    kIdOsc2Step = 15,
  };
  static constexpr int GraphId(int osc1Id, int osc) { return osc1Id + kIdOsc2Step * osc; }

  OskendProgPlayLayer(Oskend::IRemoteSynth* synth, IEditTabSelector* selector = nullptr);

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
  // The overview's blocks, left to right: basic settings and pitch
  // envelope, the multisample rows, per oscillator its filters, envelopes
  // and LFOs, then the common LFO and the AMS mixers.
  void CreateOverViewControls();
  void CreateBasicBlocks(PageBuilder& b);
  void CreateMultisampleRows(PageBuilder& b);
  void CreateOscillatorBlocks(PageBuilder& b, int osc);
  void CreateCommonBlocks(PageBuilder& b);
  void CreateFxNameBox();
  void UpdateIfxOverView();
  // The steps of UpdateOverViewControls.
  int OverviewValue(int pid);
  void ShowEnvelope(int id, const int* levels, const int* times, bool amp);
  void UpdateOscillatorOverview(int osc, bool twoOscillators);
  void PlaceFilterTypePictures(int osc, int routing);
  // GUI thread. A synchronised control shows as its row allows: the filter
  // type pictures go back where the routing puts them.
  void OnPostSynchronizeControlWithParam(CHfcControl* control, Oskend::ISection* section,
                                         int pid) override;

  IEditTabSelector* m_pSelector;
};
