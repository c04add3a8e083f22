#pragma once
// Program tab 3, Filter: per filter section the routing (list and
// picture), the filter envelope graph and the response graphs of filters
// A and B with their types, above eight form sub-pages. Routing enables
// filter B, the graphs follow type, cutoff and resonance and write them
// back when dragged, OSC2 follows the oscillator mode and the break keys
// stay in order. Construction: ProgFilterLayer(synth).
#include "editor/pages/program/ProgEditLayer.h"

class CXBCtrlTG01FilterGraph;

class ProgFilterLayer : public ProgEditLayer {
 public:
  explicit ProgFilterLayer(Oskend::IRemoteSynth* synth) : ProgEditLayer(synth) {}

  bool OnCreate() override;
  void OnPostDrawBackground(CHfcOffscreenContext* context) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void OnHfcCtrlPtrValueChanged(CHfcControl* control, void* value) override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& out) override { AppendMenu(kMenuWithEG, out); }
  void OnRemoteSynthBankListChanged(Oskend::IRemoteSynth* synth, eMode mode,
                                    const Oskend::SSoundIndex& index) override;
  void UpdateControlStatus() override;

  void UpdateControls(int pid);
  void UpdateRouting(int pid);
  void UpdateFilterType(int pid);
  void UpdateFreqReso(int graph);
  void ApplyKeyValueChange(int pid, int value) {
    ApplyKeyTriple(pid, value, {{0x1800, 0x1801, 0x1802}, {0x2800, 0x2801, 0x2802}});
  }
  CXBCtrlTG01FilterGraph* GetFilterGraph(int g) const { return m_graphs[g]; }

 protected:
  void OnSectionParamChangedModel(int pid) override;
  void UpdateControlsFor(int pid) override { UpdateControls(pid); }

 private:
  void DrawRouting(CHfcOffscreenContext* context, int osc);
  void RedrawRoutingGraph(int osc);

  CXBCtrlTG01FilterGraph* m_graphs[4] = {nullptr, nullptr, nullptr, nullptr};
  int m_lastEnvelope = -1;
};
