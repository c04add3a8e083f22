#include "tools/skingen/SkinPaint.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "hfc/CHfcDrawContext.h"
#include "os/window/TextRenderer.h"
#include "tools/skingen/SkinImageRecipe.h"

namespace skin {

uint32_t Mix(uint32_t a, uint32_t b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  uint32_t out = 0;
  for (int shift = 0; shift <= 24; shift += 8) {
    const float ca = static_cast<float>((a >> shift) & 0xFF);
    const float cb = static_cast<float>((b >> shift) & 0xFF);
    out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
  }
  return out;
}

void Fill(CHfcDrawContext& dc, int x, int y, int w, int h, uint32_t colour) {
  dc.SetBrushColor(colour);
  dc.FillRect(x, y, w, h);
}

void VGradient(CHfcDrawContext& dc, int x, int y, int w, int h, uint32_t top, uint32_t bottom) {
  for (int row = 0; row < h; ++row) {
    Fill(dc, x, y + row, w, 1, Mix(top, bottom, h > 1 ? static_cast<float>(row) / (h - 1) : 0.0f));
  }
}

// A sunken box: dark inside, a shadow on the upper left, light on the lower
// right.
void Sunken(CHfcDrawContext& dc, int x, int y, int w, int h, uint32_t inside) {
  Fill(dc, x, y, w, h, 0xFF101114);
  Fill(dc, x + 1, y + h - 1, w - 1, 1, kEdgeLight);
  Fill(dc, x + w - 1, y + 1, 1, h - 1, kEdgeLight);
  Fill(dc, x + 1, y + 1, w - 2, h - 2, inside);
}

void PageSurface(CHfcDrawContext& dc, int x, int y, int w, int h) { Fill(dc, x, y, w, h, kPage); }

void PanelSurface(CHfcDrawContext& dc, int x, int y, int w, int h) { Fill(dc, x, y, w, h, kPanelFill); }

void HeadingSurface(CHfcDrawContext& dc, int x, int y, int w, int h) {
  Fill(dc, x, y, w, h, kPage);
  Fill(dc, x, y, w, 2, kAmber);
}

// A round cap lit from above: circles that shrink towards a highlight
// above the centre.
void Cap(CHfcDrawContext& dc, float cx, float cy, float r, uint32_t dark, uint32_t light) {
  dc.SetBrushColor(0x60000000);
  dc.FillCircle(cx + 0.6f, cy + 1.2f, r + 0.8f);
  dc.SetBrushColor(dark);
  dc.FillCircle(cx, cy, r);
  const int steps = 10;
  for (int i = 1; i <= steps; ++i) {
    const float t = static_cast<float>(i) / steps;
    const float ri = r * (1.0f - 0.8f * t) - 0.6f;
    dc.SetBrushColor(Mix(dark, light, t));
    dc.FillCircle(cx, cy - (r - ri) * 0.35f, ri);
  }
}

void CentredText(CHfcDrawContext& dc, int x, int y, int w, int h, const char* text, const char* font,
                 float size, uint32_t colour, int margin) {
  const float tw = TextWidth(font, size, text);
  if (tw > w - 2 * margin) SkinTextTooWide("a picture", text, tw, w - 2 * margin);
  dc.SetFont(font, size);
  dc.SetBrushColor(colour);
  dc.DrawText(std::round(x + (w - tw) / 2.0f), std::round(y + h / 2.0f + size * 0.36f), text, std::strlen(text));
}

float TextWidth(const char* font, float size, const char* text) {
  os::TextRenderer r;
  r.SetFont(font, size);
  return r.Draw(0.0f, 0.0f, text, std::strlen(text), 0, 0, [](int, int, uint8_t) {});
}

float KnobAngle(int frame, int frames) {
  const float t = frames > 1 ? static_cast<float>(frame) / (frames - 1) : 0.0f;
  return kKnobStart + (kKnobEnd - kKnobStart) * t;
}

}  // namespace skin
