#include "editor/pages/program/ProgLFOsLayer.h"

#include "editor/pages/program/PageBuilder.h"

bool ProgLFOsLayer::OnCreate() {
  PageBuilder b(this, GetTargetMode());
  const int h = PageBuilder::SkinHeight("Container_Horizontal_1");
  static const char* kGroups[] = {"OSC1", "OSC2", "Common"};
  static const int kWidths[] = {304, 304, 184};
  static const char* kRows[] = {"Waveform", "Frequency", "Start Phase", "Shape"};
  // Waveform, frequency, start phase, shape of LFO j.
  static const int kIds[5][4] = {{0x1100, 0x1103, 0x1104, 0x1105},
                                 {0x1200, 0x1203, 0x1204, 0x1205},
                                 {0x2100, 0x2103, 0x2104, 0x2105},
                                 {0x2200, 0x2203, 0x2204, 0x2205},
                                 {0x0F00, 0x0F02, 0x0F03, 0x0F04}};
  for (int i = 0; i < 3; ++i) {
    b.Box("Container_Horizontal_1", 9 + 307 * i, 5, kWidths[i], h);
    b.Label(5, 5, kGroups[i], 80, 13, 1);
    b.Box("Container_Base", 9 + 307 * i, 25, kWidths[i], 101);
    for (int r = 0; r < 4; ++r) b.Label(10, 18 + 18 * r, kRows[r], 60, 13, 0);
    for (int k = 0; k < (i == 2 ? 1 : 2); ++k) {
      const int j = 2 * i + k;
      const int x = 70 + 119 * k;
      b.Label(x, 0, i == 2 ? "LFO" : (k == 0 ? "LFO1" : "LFO2"), 60, 13, 2);
      b.Put(b.Creater().CreateSoundSelector(x, 18, 6, 0, kIds[j][0], 0), kIds[j][0]);
      for (int m = 0; m < 3; ++m)
        b.Put(b.Creater().CreateHorizontalValueBar(x, 36 + 18 * m, 0, 100, 0, kIds[j][m + 1], false),
              kIds[j][m + 1]);
    }
  }
  CreateFormSublevelTab("Tab_Low_Prog_LFOs", {1054, 1055, 1056, 1057, 1058}, GetTargetMode());
  UpdateControlStatus();
  return ProgEditLayer::OnCreate();
}
