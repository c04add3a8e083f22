#pragma once
// Palette and drawing helpers shared by the skin generator's recipe files,
// so every group of skins speaks the same visual language.
#include <cstdint>

class CHfcDrawContext;

namespace skin {

inline constexpr float kPi = 3.14159265f;
// The knobs' value ring runs clockwise from lower left to lower right.
inline constexpr float kKnobStart = 3.9880764f;
inline constexpr float kKnobEnd = -0.8203046f;

inline constexpr uint32_t kPanelTop = 0xFF3B3E45;
inline constexpr uint32_t kPanelBottom = 0xFF24262B;
inline constexpr uint32_t kRecess = 0xFF17181C;
inline constexpr uint32_t kEdgeLight = 0xFF595D66;
inline constexpr uint32_t kAmber = 0xFFFFA21F;
inline constexpr uint32_t kAmberDim = 0xFF6A4A1C;
inline constexpr uint32_t kPageLight = 0xFFDCDEE2;
inline constexpr uint32_t kPageShade = 0xFFC9CCD2;

// Linear blend of two ARGB colours, t in [0, 1].
uint32_t Mix(uint32_t a, uint32_t b, float t);
void Fill(CHfcDrawContext& dc, int x, int y, int w, int h, uint32_t colour);
void VGradient(CHfcDrawContext& dc, int x, int y, int w, int h, uint32_t top, uint32_t bottom);
// A sunken box: dark inside, a shadow on the upper left, light on the lower
// right.
void Sunken(CHfcDrawContext& dc, int x, int y, int w, int h, uint32_t inside);
// A round cap lit from above.
void Cap(CHfcDrawContext& dc, float cx, float cy, float r, uint32_t dark, uint32_t light);
// Width in pixels of text in a system font.
float TextWidth(const char* font, float size, const char* text);
// Angle of a knob's pointer for a frame of a film strip.
float KnobAngle(int frame, int frames);

}  // namespace skin
