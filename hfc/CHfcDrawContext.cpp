#include "hfc/CHfcDrawContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "hfc/CHfcBmp.h"
#include "hfc/HfcBlitClip.h"
#include "hfc/HfcPictureProbe.h"
#include "hfc/HfcTextFit.h"

namespace {

constexpr float kTwoPi = 6.2831855f;

// The signed sweep from a0 to a1 in the given direction, at most one turn.
float ArcSweep(float a0, float a1, bool clockwise) {
  float d = clockwise ? a0 - a1 : a1 - a0;
  if (d < 0.0f) {
    d = std::fmod(d, kTwoPi) + kTwoPi;
  }
  d = std::min(d, kTwoPi);
  return clockwise ? -d : d;
}

// Points along an arc about (cx, cy); angles grow counter-clockwise on
// screen, so y goes up with the sine.
void AppendArc(HfcPolygon& poly, float cx, float cy, float r, float a0, float sweep) {
  const int segments = std::clamp(static_cast<int>(std::ceil(std::fabs(sweep) * std::max(r, 1.0f) / 1.5f)), 4, 2048);
  for (int i = 0; i <= segments; ++i) {
    const float t = a0 + sweep * static_cast<float>(i) / static_cast<float>(segments);
    poly.push_back({cx + r * std::cos(t), cy - r * std::sin(t)});
  }
}

HfcPolygon RectPolygon(float x0, float y0, float x1, float y1) {
  if (x1 < x0) std::swap(x0, x1);
  if (y1 < y0) std::swap(y0, y1);
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

uint32_t Channel(uint32_t c, int shift) { return (c >> shift) & 0xFF; }

}  // namespace

CHfcDrawContext::CHfcDrawContext(CHfcBmp* port) : mPort(port) {}

CHfcDrawContext::~CHfcDrawContext() = default;

void CHfcDrawContext::SetAlpha(float alpha) { mAlpha = std::clamp(alpha, 0.0f, 1.0f); }

void CHfcDrawContext::BlendPixel(uint32_t* px, uint32_t colour, float coverage) const {
  const float sa = static_cast<float>(colour >> 24) / 255.0f * coverage * mAlpha;
  if (sa <= 0.0f) {
    return;
  }
  const uint32_t d = *px;
  const float da = static_cast<float>(d >> 24) / 255.0f;
  const float oa = sa + da * (1.0f - sa);
  const float dw = da * (1.0f - sa);
  // The values are never negative, and one half added in double precision
  // is exact, so truncation rounds as lround does, without the library call.
  auto round = [](float v) { return static_cast<uint32_t>(static_cast<double>(v) + 0.5); };
  uint32_t out = round(oa * 255.0f) << 24;
  // Over an opaque pixel the result is opaque too, and dividing by 1 changes
  // nothing.
  const bool opaque = oa == 1.0f;
  for (int shift = 0; shift <= 16; shift += 8) {
    float c = static_cast<float>(Channel(colour, shift)) * sa + static_cast<float>(Channel(d, shift)) * dw;
    if (!opaque) c /= oa;
    out |= std::min(round(c), 255u) << shift;
  }
  *px = out;
}

void CHfcDrawContext::PaintPolygons(const std::vector<HfcPolygon>& polygons, PaintMode mode) {
  if (mPort == nullptr) {
    return;
  }
  uint32_t* base = mPort->LockPixels();
  if (base == nullptr) {
    return;
  }
  const int width = mPort->GetWidth();
  const uint32_t colour = mode == PaintMode::Pen ? mPenColor : mBrushColor;
  HfcFillPolygons(polygons, width, mPort->GetHeight(), [&](int y, int x0, const std::vector<float>& coverage) {
    uint32_t* row = base + static_cast<size_t>(y) * width + x0;
    for (size_t i = 0; i < coverage.size(); ++i) {
      const float c = coverage[i];
      if (c <= 0.0f) {
        continue;
      }
      if (mode != PaintMode::Clear) {
        BlendPixel(row + i, colour, c);
      } else if (c >= 1.0f) {
        row[i] = 0;
      } else {
        const uint32_t a = static_cast<uint32_t>(std::lround(static_cast<float>(row[i] >> 24) * (1.0f - c)));
        row[i] = (row[i] & 0x00FFFFFF) | (a << 24);
      }
    }
  });
  mPort->UnlockPixels();
}

void CHfcDrawContext::MoveTo(float x, float y) {
  mPenX = x + 0.5f;
  mPenY = y + 0.5f;
}

void CHfcDrawContext::MoveTo(int x, int y) { MoveTo(static_cast<float>(x), static_cast<float>(y)); }

void CHfcDrawContext::LineTo(float x, float y) {
  const float x1 = x + 0.5f;
  const float y1 = y + 0.5f;
  const float dx = x1 - mPenX;
  const float dy = y1 - mPenY;
  const float len = std::sqrt(dx * dx + dy * dy);
  if (len > 0.0f && mPenWidth > 0.0f) {
    const float nx = -dy / len * mPenWidth * 0.5f;
    const float ny = dx / len * mPenWidth * 0.5f;
    PaintPolygons({{{mPenX + nx, mPenY + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {mPenX - nx, mPenY - ny}}},
                  PaintMode::Pen);
  }
  MoveTo(x, y);
}

void CHfcDrawContext::LineTo(int x, int y) { LineTo(static_cast<float>(x), static_cast<float>(y)); }

void CHfcDrawContext::ClearRect(float x, float y, float w, float h) {
  PaintPolygons({RectPolygon(x, y, x + w, y + h)}, PaintMode::Clear);
}

void CHfcDrawContext::ClearRect(int x, int y, int w, int h) {
  ClearRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w), static_cast<float>(h));
}

void CHfcDrawContext::ClearRect(tagHfcRect* r) { ClearRect(r->left, r->top, r->right - r->left, r->bottom - r->top); }

void CHfcDrawContext::FillRect(float x, float y, float w, float h) {
  PaintPolygons({RectPolygon(x, y, x + w, y + h)}, PaintMode::Brush);
}

void CHfcDrawContext::FillRect(int x, int y, int w, int h) {
  FillRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w), static_cast<float>(h));
}

void CHfcDrawContext::FillRect(tagHfcRect* r) { FillRect(r->left, r->top, r->right - r->left, r->bottom - r->top); }

void CHfcDrawContext::FrameRect(float x, float y, float w, float h) {
  // The outline runs through pixel centres, so a 1-pixel pen covers exactly
  // the outermost pixels of the rectangle.
  float x0 = x + 0.5f;
  float y0 = y + 0.5f;
  float x1 = x0 + (w - 1.0f);
  float y1 = y0 + (h - 1.0f);
  if (x1 < x0) std::swap(x0, x1);
  if (y1 < y0) std::swap(y0, y1);
  const float half = mPenWidth * 0.5f;
  if (half <= 0.0f) {
    return;
  }
  std::vector<HfcPolygon> polys{RectPolygon(x0 - half, y0 - half, x1 + half, y1 + half)};
  if (x1 - x0 > 2 * half && y1 - y0 > 2 * half) {
    // The inner hole runs the other way round.
    polys.push_back({{x0 + half, y0 + half}, {x0 + half, y1 - half}, {x1 - half, y1 - half}, {x1 - half, y0 + half}});
  }
  PaintPolygons(polys, PaintMode::Pen);
}

void CHfcDrawContext::FrameRect(int x, int y, int w, int h) {
  FrameRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w), static_cast<float>(h));
}

void CHfcDrawContext::FrameRect(tagHfcRect* r) { FrameRect(r->left, r->top, r->right - r->left, r->bottom - r->top); }

void CHfcDrawContext::FillCircle(float cx, float cy, float r) { FillArc(cx, cy, r, 0.0f, kTwoPi, false); }

void CHfcDrawContext::FrameCircle(float cx, float cy, float r) { FrameArc(cx, cy, r, 0.0f, kTwoPi, false); }

void CHfcDrawContext::PaintPie(float cx, float cy, float r, float a0, float a1, bool clockwise, PaintMode mode) {
  HfcPolygon poly{{cx, cy}};
  AppendArc(poly, cx, cy, r, a0, ArcSweep(a0, a1, clockwise));
  PaintPolygons({poly}, mode);
}

void CHfcDrawContext::FillArc(float cx, float cy, float r, float a0, float a1, bool clockwise) {
  PaintPie(cx, cy, r, a0, a1, clockwise, PaintMode::Brush);
}

void CHfcDrawContext::FillArc(float cx, float cy, float r, float start, float sweep) {
  FillArc(cx, cy, r, start, start - sweep, sweep >= 0.0f);
}

void CHfcDrawContext::StrokeRing(float cx, float cy, float r, float a0, float sweep) {
  const float half = mPenWidth * 0.5f;
  if (half <= 0.0f || sweep == 0.0f) {
    return;
  }
  HfcPolygon poly;
  AppendArc(poly, cx, cy, r + half, a0, sweep);
  HfcPolygon inner;
  AppendArc(inner, cx, cy, std::max(r - half, 0.0f), a0, sweep);
  poly.insert(poly.end(), inner.rbegin(), inner.rend());
  PaintPolygons({poly}, PaintMode::Pen);
}

void CHfcDrawContext::FrameArc(float cx, float cy, float r, float a0, float a1, bool clockwise) {
  StrokeRing(cx + 0.5f, cy + 0.5f, r, a0, ArcSweep(a0, a1, clockwise));
}

void CHfcDrawContext::FrameArc(float cx, float cy, float r, float start, float sweep) {
  FrameArc(cx, cy, r, start, start - sweep, sweep >= 0.0f);
}

void CHfcDrawContext::ClearArc(float cx, float cy, float r, float a0, float a1, bool clockwise) {
  PaintPie(cx, cy, r, a0, a1, clockwise, PaintMode::Clear);
}

void CHfcDrawContext::ClearArc(float cx, float cy, float r, float start, float sweep) {
  ClearArc(cx, cy, r, start, start - sweep, sweep >= 0.0f);
}

void CHfcDrawContext::CopyBmp(int dx, int dy, int w, int h, CHfcBmp* bmp, int sx, int sy) {
  CopyBmpAlpha(dx, dy, w, h, bmp, 1.0f, sx, sy);
}

void CHfcDrawContext::CopyBmp(tagHfcRect* r, CHfcBmp* bmp, int sx, int sy) {
  CopyBmp(r->left, r->top, r->right - r->left, r->bottom - r->top, bmp, sx, sy);
}

void CHfcDrawContext::CopyBmpAlpha(int dx, int dy, int w, int h, CHfcBmp* bmp, float alpha, int sx, int sy) {
  if (mPort == nullptr || bmp == nullptr) {
    return;
  }
  HfcTellPictureProbe(bmp, dx, dy, w, h, sx, sy);
  // The source area is clipped to the source; a negative source origin
  // moves the destination along.
  if (sx + w > bmp->GetWidth()) w = bmp->GetWidth() - sx;
  HfcClipStart(sx, dx, w);
  if (sy + h > bmp->GetHeight()) h = bmp->GetHeight() - sy;
  HfcClipStart(sy, dy, h);
  // The destination is clipped to the port.
  HfcClipStart(dx, sx, w);
  HfcClipStart(dy, sy, h);
  w = std::min(w, mPort->GetWidth() - dx);
  h = std::min(h, mPort->GetHeight() - dy);
  if (w <= 0 || h <= 0) {
    return;
  }
  const uint32_t* src = bmp->LockPixels();
  if (src == nullptr) {
    return;
  }
  uint32_t* dst = mPort->LockPixels();
  if (dst != nullptr) {
    const float k = std::clamp(alpha, 0.0f, 1.0f);
    for (int y = 0; y < h; ++y) {
      const uint32_t* s = src + static_cast<size_t>(sy + y) * bmp->GetWidth() + sx;
      uint32_t* d = dst + static_cast<size_t>(dy + y) * mPort->GetWidth() + dx;
      for (int x = 0; x < w; ++x) {
        BlendPixel(d + x, s[x], k);
      }
    }
    mPort->UnlockPixels();
  }
  bmp->UnlockPixels();
}

void CHfcDrawContext::CopyBmpAlpha(tagHfcRect* r, CHfcBmp* bmp, float alpha, int sx, int sy) {
  CopyBmpAlpha(r->left, r->top, r->right - r->left, r->bottom - r->top, bmp, alpha, sx, sy);
}

void CHfcDrawContext::DrawText(float x, float y, const char* text, unsigned long length) {
  if (mPort == nullptr || text == nullptr || !mText.HasFont()) {
    return;
  }
  uint32_t* base = mPort->LockPixels();
  if (base == nullptr) {
    return;
  }
  const int width = mPort->GetWidth();
  mText.Draw(x, y, text, length, width, mPort->GetHeight(), [&](int px, int py, uint8_t coverage) {
    BlendPixel(base + static_cast<size_t>(py) * width + px, mBrushColor, static_cast<float>(coverage) / 255.0f);
  });
  mPort->UnlockPixels();
}

void CHfcDrawContext::DrawBmpText(int x, int y, const char* text, unsigned long length, CHfcBmp* font, int cellWidth,
                                  int cellHeight) {
  if (text == nullptr || font == nullptr) {
    return;
  }
  if (cellWidth == 0) cellWidth = font->GetWidth();
  if (cellHeight == 0) cellHeight = font->GetHeight() / 128;
  if (cellWidth <= 0 || cellHeight <= 0) {
    return;
  }
  for (unsigned long i = 0; i < length && text[i] != 0; ++i) {
    CopyBmp(x, y, cellWidth, cellHeight, font, 0, HfcBmpFontCode(text[i]) * cellHeight);
    x += cellWidth;
  }
}

void CHfcDrawContext::DrawBmpTextProportional(int x, int y, const char* text, int maxWidth, tagHfcBmpFontInfo* font,
                                              uint32_t colour, bool tabs) {
  // A font whose picture is missing or too small for its 128 cells draws
  // nothing rather than reading outside the picture.
  if (text == nullptr || font == nullptr || font->bmp == nullptr || font->cellHeight <= 0 ||
      font->bmp->GetHeight() / 128 < font->cellHeight) {
    return;
  }
  CHfcBmp scratch;
  if (!scratch.Create(font->bmp->GetWidth(), font->cellHeight)) {
    return;
  }
  int remaining = maxWidth;
  for (const char* p = text; *p != 0; ++p) {
    if (*p == 13) {
      const int advance = tabs ? 40 - (((x % 40) + 40) % 40) : 0;
      remaining -= advance;
      x += advance;
      continue;
    }
    const int c = HfcBmpFontCode(*p);
    scratch.FilterColor(colour, font->bmp, 0, c * font->cellHeight);
    CopyBmp(x, y, std::min(font->width[c], remaining), font->cellHeight, &scratch, 0, 0);
    remaining -= font->advance[c];
    if (remaining <= 0) {
      break;
    }
    x += font->advance[c];
  }
}

void CHfcDrawContext::DrawBmpTextInBox(int x, int y, const char* text, int boxWidth, tagHfcBmpFontInfo* font,
                                       uint32_t colour) {
  if (text == nullptr || font == nullptr) return;
  if (IHfcTextProbe* probe = HfcGetTextProbe()) probe->OnBoxedText({text, x, y, boxWidth, font, colour});
  const std::string shown = HfcFitBmpText(font, text, boxWidth);
  DrawBmpTextProportional(x, y, shown.c_str(), boxWidth, font, colour, false);
}

int HfcGetBmpTextWidth(tagHfcBmpFontInfo* font, const char* text) {
  if (font == nullptr || text == nullptr) {
    return 0;
  }
  int width = 0;
  for (const char* p = text; *p != 0; ++p) {
    width += font->advance[HfcBmpFontCode(*p)];
  }
  return width;
}
