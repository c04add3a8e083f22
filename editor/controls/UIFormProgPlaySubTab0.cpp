// Play overview, first sub-page: voice, oscillator, filter/amp offsets and audition.
// Laid out on the grid the other program sub-pages share: four columns at
// x 10, 206, 402 and 598 under their heading frames, labels left of their
// controls, rows every 18 pixels from y 28. The panels hold what stands
// in them: the first reaches past the detune bar (x 210), the second
// starts after it. The audition column keeps the width of the others: the
// riff selector, wider than a column's field, stands on a row of its own
// under its label.
#include "editor/controls/UIFormItems.h"

const UI_FORMINFO g_uiFormItems_ProgPlaySubTab0[44] = {
    {"bmp", "", "Container_Horizontal_Sub2", kUiDesign_HeadingFrame, -1, 10, 4, 0, 0, 0, nullptr},
    {"text", "OSC Common", "FontArialB12", kUiDesign_HeadingText, -1, 15, 8, 120, 13, 0, nullptr},
    {"bmp", "", "Container_SubTab_Base", kUiDesign_SubTabBase, -1, 10, 24, 201, 200, 0, nullptr},
    {"bmp", "", "Container_SubTab_Base", kUiDesign_SubTabBase, -1, 212, 24, 187, 200, 0, nullptr},
    {"bmp", "", "Container_Horizontal_Sub4", kUiDesign_HeadingFrame, -1, 402, 4, 0, 0, 0, nullptr},
    {"text", "Filter/Amp", "FontArialB12", kUiDesign_HeadingText, -1, 407, 8, 120, 13, 0, nullptr},
    {"bmp", "", "Container_SubTab_Base", kUiDesign_SubTabBase, -1, 402, 24, 193, 200, 0, nullptr},
    {"bmp", "", "Container_Horizontal_Sub4", kUiDesign_HeadingFrame, -1, 598, 4, 0, 0, 0, nullptr},
    {"text", "Audition", "FontArialB12", kUiDesign_HeadingText, -1, 603, 8, 120, 13, 0, nullptr},
    {"bmp", "", "Container_SubTab_Base", kUiDesign_SubTabBase, -1, 598, 24, 193, 200, 0, nullptr},
    {"text", "Voice", "FontHelvB11", kUiDesign_Text, -1, 20, 28, 80, 13, 0, nullptr},
    {"text", "Voice Assign Mode", "FontGeneva10", kUiDesign_Text, -1, 20, 46, 86, 13, 0, nullptr},
    {"popupmenu", "", "", kUiDesign_Selector, 0xD02, 110, 46, 65, 13, 0, nullptr},
    {"checkbox", "", "", kUiDesign_Switch, 0xD06, 20, 64, 13, 13, 0, nullptr},
    {"text", "Mono Legato", "FontGeneva10", kUiDesign_Text, -1, 40, 64, 70, 13, 0, nullptr},
    {"checkbox", "", "", kUiDesign_Switch, 0xD09, 20, 82, 13, 13, 0, nullptr},
    {"text", "Unison", "FontGeneva10", kUiDesign_Text, -1, 40, 82, 70, 13, 0, nullptr},
    {"text", "Voices", "FontGeneva10", kUiDesign_Text, -1, 20, 100, 86, 13, 0, nullptr},
    {"popupmenu", "", "", kUiDesign_Selector, 0xD08, 110, 100, 40, 13, 0, nullptr},
    {"text", "Detune [cents]", "FontGeneva10", kUiDesign_Text, -1, 20, 118, 86, 13, 0, nullptr},
    {"valuebar", "", "", kUiDesign_ValueBar, 0xD0A, 110, 118, 88, 13, 0, nullptr},
    {"text", "Thickness", "FontGeneva10", kUiDesign_Text, -1, 20, 136, 86, 13, 0, nullptr},
    {"popupmenu", "", "", kUiDesign_Selector, 0xD0B, 110, 136, 40, 13, 0, nullptr},
    {"text", "Oscillator", "FontHelvB11", kUiDesign_Text, -1, 216, 28, 80, 13, 0, nullptr},
    {"text", "Pitch Stretch", "FontGeneva10", kUiDesign_Text, -1, 216, 46, 70, 13, 0, nullptr},
    {"valuebar", "", "", kUiDesign_ValueBar, 0x0, 286, 46, 96, 13, 0, nullptr},
    {"checkbox", "", "", kUiDesign_Switch, 0xD01, 216, 64, 13, 13, 0, nullptr},
    {"text", "Hold", "FontGeneva10", kUiDesign_Text, -1, 236, 64, 70, 13, 0, nullptr},
    {"text", "Reverse", "FontGeneva10", kUiDesign_Text, -1, 216, 82, 70, 13, 0, nullptr},
    {"popupmenu", "", "", kUiDesign_Selector, 0x1, 286, 82, 65, 13, 0, nullptr},
    {"text", "Filter", "FontHelvB11", kUiDesign_Text, -1, 412, 28, 80, 13, 0, nullptr},
    {"text", "Cutoff", "FontGeneva10", kUiDesign_Text, -1, 412, 46, 70, 13, 0, nullptr},
    {"valuebar", "", "", kUiDesign_ValueBar, 0x2, 482, 46, 96, 13, 0, nullptr},
    {"text", "Resonance", "FontGeneva10", kUiDesign_Text, -1, 412, 64, 70, 13, 0, nullptr},
    {"valuebar", "", "", kUiDesign_ValueBar, 0x3, 482, 64, 96, 13, 0, nullptr},
    {"text", "EG Int", "FontGeneva10", kUiDesign_Text, -1, 412, 82, 70, 13, 0, nullptr},
    {"valuebar", "", "", kUiDesign_ValueBar, 0x4, 482, 82, 96, 13, 0, nullptr},
    {"text", "Amp", "FontHelvB11", kUiDesign_Text, -1, 412, 100, 80, 13, 0, nullptr},
    {"text", "Vel Int.", "FontGeneva10", kUiDesign_Text, -1, 412, 118, 70, 13, 0, nullptr},
    {"valuebar", "", "", kUiDesign_ValueBar, 0x5, 482, 118, 96, 13, 0, nullptr},
    {"text", "Riff No.", "FontGeneva10", kUiDesign_Text, -1, 608, 28, 70, 13, 0, nullptr},
    {"audriffsel", "", "", kUiDesign_Selector, 0x10D, 608, 46, 96, 13, 0, nullptr},
    {"text", "Transpose", "FontGeneva10", kUiDesign_Text, -1, 608, 64, 70, 13, 0, nullptr},
    {"valuebar", "", "", kUiDesign_ValueBar, 0x10E, 678, 64, 96, 13, 0, nullptr},
};
