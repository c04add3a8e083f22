#include "editor/pages/program/ProgPitchLayer.h"

#include <string>

#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/EnvelopeGraphManager.h"
#include "editor/pages/program/PageBuilder.h"

bool ProgPitchLayer::OnCreate() {
  PageBuilder b(this, GetTargetMode());
  const int h = PageBuilder::SkinHeight("Container_Horizontal_1");
  static const char* kRows[] = {"High", "Mid-High", "Mid-Low", "Low"};
  for (int i = 0; i < 2; ++i) {
    const int base = 0x1000 + 0x1000 * i;
    b.Box("Container_Horizontal_1", 9 + 312 * i, 5, 309, h);
    b.Label(5, 5, "OSC" + std::to_string(i + 1), 80, 13, 1);
    b.Box("Container_Base", 9 + 312 * i, 25, 309, 101);
    b.Label(70, 0, "Bank", 40, 13, 0);
    b.Label(153, 0, "Multisample", 80, 13, 0);
    for (int r = 0; r < 4; ++r) {
      const int y = 18 + 18 * r;
      b.Label(10, y, kRows[r], 44, 13, 0);
      b.Put(b.Creater().CreateSwitch(54, y, "Switch_CheckBox", 2, base + 6 * r, 0), base + 6 * r);
      b.Put(b.Creater().CreateDropdownList(70, y, 5, base + 6 * r + 1), base + 6 * r + 1);
      b.Put(b.Creater().CreateSoundSelector(153, y, 2, 7, base + 6 * r + 2, 0), base + 6 * r + 2);
    }
  }
  b.Box("Container_Horizontal_1", 633, 5, 174, h);
  b.Label(5, 5, "Pitch EG", 80, 13, 1);
  b.Box("Container_Base", 633, 25, 174, 101);
  static const int kLevels[6] = {0x0E00, 0x0E02, 0x0E04, -1, -1, 0x0E07};
  static const int kTimes[6] = {-1, 0x0E01, 0x0E03, 0x0E05, -1, 0x0E06};
  if (CXBCtrlEnvelopeGraph* g = b.Put(b.Creater().CreateEnvelopeGraph(20, 19, 0, 0x10000)))
    AddEnvelopeGraphManager(new EnvelopeGraphManager(GetGraphPage(), g, kLevels, kTimes));
  CreateFormSublevelTab("Tab_Low_Prog_Pitch", {1040, 1043, 1041, 1044, 1042, 1045}, GetTargetMode());
  UpdateControlStatus();
  SynchronizeAllControlWithParam(nullptr, true);
  return ProgEditLayer::OnCreate();
}
