#include "editor/pages/program/ProgFilterLayer.h"

#include <algorithm>
#include <string>

#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/CXBCtrlTG01FilterGraph.h"
#include "editor/controls/EnvelopeGraphManager.h"
#include "editor/pages/program/PageBuilder.h"
#include "editor/shell/EditorIds.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"

namespace {

constexpr int kGraphIds = 0x19502;
// Type, cutoff, resonance of OSC1 A, OSC1 B, OSC2 A, OSC2 B.
constexpr int kType[4] = {0x1500, 0x1600, 0x2500, 0x2600};
constexpr int kFreq[4] = {0x1506, 0x1606, 0x2506, 0x2606};
constexpr int kReso[4] = {0x1507, 0x1607, 0x2507, 0x2607};

}  // namespace

bool ProgFilterLayer::OnCreate() {
  PageBuilder b(this, GetTargetMode());
  const int w1 = PageBuilder::SkinWidth("Container_Horizontal_1");
  const int h = PageBuilder::SkinHeight("Container_Horizontal_1");
  const int w2 = PageBuilder::SkinWidth("Container_Base");
  static const int kPreX[2] = {0, 1};
  static const int kPostX[2] = {2, 1};
  for (int i = 0; i < 2; ++i) {
    const int base = 0x1000 * (i + 1);
    b.Box("Container_Horizontal_1", (w1 / 2) * i + kPreX[i] + 9, 5, 160, h);
    b.Label(5, 5, "Filter" + std::to_string(i + 1), 100, 13, 1);
    const int x = (w2 / 2) * i + kPreX[i] + 9;
    b.Box("Container_Base", x, h + 5, 160, 21);
    b.Label(10, 4, "Routing", 40, 13, 0);
    b.Put(b.Creater().CreateDropdownList(54, 4, 4, base + 0x400), base + 0x400);
    b.Box("Container_Base", x, h + 27, 160, 79);
    const int e = base + 0x700;
    const int levels[6] = {e, e + 2, e + 4, e + 6, -1, e + 8};
    const int times[6] = {-1, e + 1, e + 3, e + 5, -1, e + 7};
    if (CXBCtrlEnvelopeGraph* g = b.Put(b.Creater().CreateEnvelopeGraph(12, 7, 1, 0x19500 + i)))
      AddEnvelopeGraphManager(new EnvelopeGraphManager(GetGraphPage(), g, levels, times));
    m_lastEnvelope = i;
    b.Box("Container_Base", (w2 / 2) * i + kPreX[i] + 170, 5, w2 / 2 - 161 - kPostX[i], 121);
    for (int k = 0; k < 2; ++k) {
      m_graphs[2 * i + k] = b.Put(b.Creater().CreateTG01FilterGraph(118, 11 + 58 * k, k == 0 ? 0xFF0000FF : 0xFF307F20,
                                                                    kGraphIds + 2 * i + k));
      b.Label(10, 11 + 58 * k, k == 0 ? "Filter A" : "Filter B", 40, 13, 0);
      b.Put(b.Creater().CreateDropdownList(52, 11 + 58 * k, 7, kType[2 * i + k]), kType[2 * i + k]);
    }
  }
  CreateFormSublevelTab("Tab_Low_Prog_Filter", {1046, 1047, 1048, 1049, 1050, 1051, 1052, 1053}, GetTargetMode());
  SynchronizeAllControlWithParam(nullptr, true);
  UpdateControls(-1);
  return ProgEditLayer::OnCreate();
}

void ProgFilterLayer::DrawRouting(CHfcOffscreenContext* dc, int osc) {
  CHfcBmp* pic = PageBuilder::Skin("Image_FilterRouting");
  if (!dc || !pic) return;
  const int fh = pic->GetHeight() / 4;
  const int value = std::clamp(GetParamValue(GetTargetMode(), osc == 0 ? 0x1400 : 0x2400), 0, 3);
  if (osc == 0) {
    dc->CopyBmp(166, 5, pic->GetWidth(), fh, pic, 0, fh * value);
    return;
  }
  CHfcControl* routing = GetControlById(0x2400);
  const float alpha = routing && routing->IsEnabled() ? 1.0f : 0.3f;
  dc->CopyBmpAlpha(566, 5, pic->GetWidth(), fh, pic, alpha, 0, fh * value);
}

void ProgFilterLayer::OnPostDrawBackground(CHfcOffscreenContext* context) {
  DrawRouting(context, 0);
  DrawRouting(context, 1);
}

void ProgFilterLayer::RedrawRoutingGraph(int osc) {
  // The picture lies on the page's own drawing; the next refresh draws it
  // with the page.
  (void)osc;
  RequestRedraw();
}

void ProgFilterLayer::UpdateRouting(int pid) {
  if (pid != 0x1400 && pid != 0x2400) return;
  const int r = GetParamValue(GetTargetMode(), pid);
  bool on = r != 0 && r != 3;
  if (pid == 0x2400) on = on && GetOSCMode() == EditorIds::kProgOscDouble;
  const int osc = pid == 0x1400 ? 0 : 1;
  EnableControl(GetControlById(osc == 0 ? 0x1600 : 0x2600), on);
  EnableControl(GetControlById(osc == 0 ? 0x19503 : 0x19505), on);
  RedrawRoutingGraph(osc);
}

void ProgFilterLayer::UpdateFilterType(int pid) {
  for (int g = 0; g < 4; ++g)
    if (pid == kType[g] && m_graphs[g]) m_graphs[g]->SetFilterType(GetParamValue(GetTargetMode(), pid), true);
}

void ProgFilterLayer::UpdateFreqReso(int g) {
  if (g < 0 || g > 3 || !m_graphs[g]) return;
  tagFilterValue v{0, GetParamValue(GetTargetMode(), kReso[g]) + 99, GetParamValue(GetTargetMode(), kFreq[g]) * 2};
  m_graphs[g]->SetFilterValue(0, &v, true);
}

void ProgFilterLayer::UpdateControls(int pid) {
  if (pid == -1) {
    UpdateRouting(0x1400);
    UpdateRouting(0x2400);
    for (int t : kType) UpdateFilterType(t);
    for (int g = 0; g < 4; ++g) UpdateFreqReso(g);
    return;
  }
  if (pid == 0x1400 || pid == 0x2400) {
    UpdateRouting(pid);
    return;
  }
  for (int g = 0; g < 4; ++g) {
    if (pid == kType[g]) UpdateFilterType(pid);
    if (pid == kFreq[g] || pid == kReso[g]) UpdateFreqReso(g);
  }
}

void ProgFilterLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  XESynthLayer::OnHfcCtrlIntValueChanged(control, value);
  if (control->GetId() == 0x1400 || control->GetId() == 0x2400) UpdateRouting(control->GetId());
}

void ProgFilterLayer::OnHfcCtrlPtrValueChanged(CHfcControl* control, void* record) {
  const int g = control->GetId() - kGraphIds;
  if (g < 0 || g > 3 || !record || !m_graphs[g] || control != m_graphs[g]) {
    XESynthLayer::OnHfcCtrlPtrValueChanged(control, record);
    return;
  }
  auto* v = static_cast<tagFilterValue*>(record);
  PutParamValue(GetTargetMode(), kFreq[g], v->time / 2);
  v->level = std::max(v->level, 99);
  PutParamValue(GetTargetMode(), kReso[g], v->level - 99);
  m_graphs[g]->SetFilterValue(v->index, v, true);
}

void ProgFilterLayer::OnRemoteSynthBankListChanged(Oskend::IRemoteSynth* synth, eMode mode,
                                                   const Oskend::SSoundIndex& index) {
  if (mode == GetTargetMode()) RunOrDeferAll();
  EditTabPageLayerBase::OnRemoteSynthBankListChanged(synth, mode, index);
}

void ProgFilterLayer::UpdateControlStatus() {
  UpdateRouting(0x1400);
  if (m_lastEnvelope < 1) return;
  EnableForSecondOscillator({0x19501, 0x2400, 0x2500, 0x2600, 0x19504, 0x19505});
  UpdateRouting(0x2400);
}

void ProgFilterLayer::OnSectionParamChangedModel(int pid) {
  if ((pid & 0xCFFF) == 0x0800 || (pid & 0xCFFF) == 0x0801 || (pid & 0xCFFF) == 0x0802)
    ApplyKeyValueChange(pid, GetParamValue(GetTargetMode(), pid));
}
