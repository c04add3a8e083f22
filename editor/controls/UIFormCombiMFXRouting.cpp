// Master effect routing of a performance: the chain of the two master effects.
// Laid out as the program's chain form, on the grid the program sub-pages
// share: four columns at x 10, 206, 402 and 598 under their heading frames,
// labels left of their controls, rows every 18 pixels from y 28.
#include "editor/controls/UIFormItems.h"

const UI_FORMINFO g_uiFormItems_CombiMFXRouting[7] = {
    {"bmp", "", "Container_Horizontal_Sub4", kUiDesign_HeadingFrame, -1, 10, 4, 0, 0, 0, nullptr},
    {"text", "Master FX Chain", "FontArialB12", kUiDesign_HeadingText, -1, 15, 8, 120, 13, 0, nullptr},
    {"bmp", "", "Container_SubTab_Base", kUiDesign_SubTabBase, -1, 10, 24, 193, 200, 0, nullptr},
    {"checkbox", "", "", kUiDesign_Switch, 0x1806, 20, 28, 13, 13, 0, nullptr},
    {"text", "Chain", "FontGeneva10", kUiDesign_Text, -1, 40, 28, 70, 13, 0, nullptr},
    {"text", "Chain Level", "FontGeneva10", kUiDesign_Text, -1, 20, 46, 70, 13, 0, nullptr},
    {"valuebar", "", "", kUiDesign_ValueBar, 0x1808, 90, 46, 96, 13, 0, nullptr},
};
