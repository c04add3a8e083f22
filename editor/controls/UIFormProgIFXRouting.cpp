// Insert effect routing: the bus the oscillators play into.
// Laid out on the grid the other program sub-pages share: four columns at
// x 10, 206, 402 and 598 under their heading frames, labels left of their
// controls, rows every 18 pixels from y 28.
#include "editor/controls/UIFormItems.h"

const UI_FORMINFO g_uiFormItems_ProgIFXRouting[7] = {
    {"bmp", "", "Container_Horizontal_Sub4", kUiDesign_HeadingFrame, -1, 10, 4, 0, 0, 0, nullptr},
    {"text", "IFX Routing", "FontArialB12", kUiDesign_HeadingText, -1, 15, 8, 120, 13, 0, nullptr},
    {"bmp", "", "Container_SubTab_Base", kUiDesign_SubTabBase, -1, 10, 24, 193, 200, 0, nullptr},
    {"text", "Bus Select", "FontGeneva10", kUiDesign_Text, -1, 20, 28, 70, 13, 0, nullptr},
    {"popupmenu", "", "", kUiDesign_Selector, 0x104, 90, 28, 96, 13, 0, nullptr},
    {"text", "Ctrl Bus", "FontGeneva10", kUiDesign_Text, -1, 20, 46, 70, 13, 0, nullptr},
    {"popupmenu", "", "", kUiDesign_Selector, 0x105, 90, 46, 96, 13, 0, nullptr},
};
