#include "editor/pages/program/ProgAmpLayer.h"

#include <string>

#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/EnvelopeGraphManager.h"
#include "editor/pages/program/PageBuilder.h"
#include "hfc/CHfcControl.h"

bool ProgAmpLayer::OnCreate() {
  PageBuilder b(this, GetTargetMode());
  const int w1 = PageBuilder::SkinWidth("Container_Horizontal_1");
  const int h = PageBuilder::SkinHeight("Container_Horizontal_1");
  const int w2 = PageBuilder::SkinWidth("Container_Base");
  static const int kPreX[2] = {0, 1};
  static const int kPostX[2] = {2, 1};
  static const char* kRows[] = {"Level", "Pan", "PanAMS Src", "PanAMS Int"};
  static const int kLevels[2][6] = {{0x1A00, 0x1A02, 0x1A04, 0x1A06, -1, -1}, {0x2A00, 0x2A02, 0x2A04, 0x2A06, -1, -1}};
  static const int kTimes[2][6] = {{-1, 0x1A01, 0x1A03, 0x1A05, -1, 0x1A07}, {-1, 0x2A01, 0x2A03, 0x2A05, -1, 0x2A07}};
  for (int i = 0; i < 2; ++i) {
    const int base = 0x1000 * (i + 1);
    b.Box("Container_Horizontal_1", (w1 / 2) * i + kPreX[i] + 9, 5, w1 / 2 - kPostX[i], h);
    b.Label(5, 5, "Amp" + std::to_string(i + 1), 60, 13, 1);
    b.Box("Container_Base", (w2 / 2) * i + kPreX[i] + 9, h + 5, w2 / 2 - kPostX[i] - 181, 101);
    const int pids[4] = {base + 0x900, base + 0xC00, base + 0xC01, base + 0xC02};
    for (int r = 0; r < 4; ++r) {
      const int y = 8 + 18 * r;
      CHfcControl* c = r == 2 ? static_cast<CHfcControl*>(b.Creater().CreateSoundSelector(80, y, 7, 13, pids[r], 0))
                              : static_cast<CHfcControl*>(b.Creater().CreateHorizontalValueBar(
                                    80, y, 0, 100, r == 1 ? 50 : 0, pids[r], false));
      c = b.Put(c, pids[r]);
      b.Label(10, y, kRows[r], 70, c ? c->GetHeight() : 13, 0);
    }
    b.Box("Container_Base", kPreX[i] + (w2 / 2 - 180 - kPostX[i]) + (w2 / 2) * i + 9, h + 5, 180, 101);
    if (CXBCtrlEnvelopeGraph* g = b.Put(b.Creater().CreateEnvelopeGraph(21, 15, 2, 0x19200 + i)))
      AddEnvelopeGraphManager(new EnvelopeGraphManager(GetGraphPage(), g, kLevels[i], kTimes[i]));
  }
  CreateFormSublevelTab("Tab_Low_Prog_Amp", {1062, 1063, 1064, 1065}, eMode_ProgEdit);
  UpdateControlStatus();
  SynchronizeAllControlWithParam(nullptr, true);
  return ProgEditLayer::OnCreate();
}

void ProgAmpLayer::UpdateControlStatus() {
  EnableForSecondOscillator({0x19201, 0x2900, 0x2C00});
}

void ProgAmpLayer::OnSectionParamChangedModel(int pid) {
  if ((pid & ~0x3000) == 0x0B00 || (pid & ~0x3000) == 0x0B01 || (pid & ~0x3000) == 0x0B02)
    ApplyKeyValueChange(pid, GetParamValue(GetTargetMode(), pid));
}
