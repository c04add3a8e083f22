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

// The edit pages and the panels on them. Controls copy their backdrop
// from the page's picture or from the panel picture at their own place,
// and the panel pictures are cut to whatever size a page gives them: so
// every surface is one flat colour wherever a control can stand (some
// copy a panel from its top left corner), and a panel is told from the
// page by its lighter fill alone, never by an edge that a cut would lose.
inline constexpr uint32_t kPage = 0xFFCDD0D6;
inline constexpr uint32_t kPanelFill = 0xFFF3F4F6;

// Linear blend of two ARGB colours, t in [0, 1].
uint32_t Mix(uint32_t a, uint32_t b, float t);
void Fill(CHfcDrawContext& dc, int x, int y, int w, int h, uint32_t colour);
void VGradient(CHfcDrawContext& dc, int x, int y, int w, int h, uint32_t top, uint32_t bottom);
// A sunken box: dark inside, a shadow on the upper left, light on the lower
// right.
void Sunken(CHfcDrawContext& dc, int x, int y, int w, int h, uint32_t inside);
// A page: flat, so that what a control copies matches what lies under it.
void PageSurface(CHfcDrawContext& dc, int x, int y, int w, int h);
// A panel for any size from its top left: one flat fill.
void PanelSurface(CHfcDrawContext& dc, int x, int y, int w, int h);
// A heading over a panel for any width from its left: an amber rule over
// the page's own colour, where the heading's text stands.
void HeadingSurface(CHfcDrawContext& dc, int x, int y, int w, int h);
// A round cap lit from above.
void Cap(CHfcDrawContext& dc, float cx, float cy, float r, uint32_t dark, uint32_t light);
// Text in a system font centred in a box, its baseline placed for the
// box's height; a text wider than the box less `margin` on each side fails
// the generator (as the picture's own text fault).
void CentredText(CHfcDrawContext& dc, int x, int y, int w, int h, const char* text, const char* font,
                 float size, uint32_t colour, int margin = 1);
// Width in pixels of text in a system font.
float TextWidth(const char* font, float size, const char* text);
// Angle of a knob's pointer for a frame of a film strip.
float KnobAngle(int frame, int frames);

}  // namespace skin
