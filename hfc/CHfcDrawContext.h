#pragma once
// The framework's drawing surface: shapes, bitmap blits and bitmap-font
// text into a 32-bit picture (the context's port). Coordinates are pixels
// from the top left, y growing downwards; colours are 0xAARRGGBB.
#include <cstdint>

#include "hfc/HfcBmpFontInfo.h"
#include "hfc/HfcCoverage.h"
#include "os/window/TextRenderer.h"
#include "platform/HfcTypes.h"

class CHfcBmp;

class CHfcDrawContext {
 public:
  // A null port gives a context that draws nothing.
  explicit CHfcDrawContext(CHfcBmp* port);
  virtual ~CHfcDrawContext();
  CHfcDrawContext(const CHfcDrawContext&) = delete;
  CHfcDrawContext& operator=(const CHfcDrawContext&) = delete;

  void SetBrushColor(uint32_t colour) { mBrushColor = colour; }
  void SetPenColor(uint32_t colour) { mPenColor = colour; }
  void SetPenWidth(float width) { mPenWidth = width; }
  uint32_t GetBrushColor() const { return mBrushColor; }
  uint32_t GetPenColor() const { return mPenColor; }
  float GetPenWidth() const { return mPenWidth; }
  // Global opacity of everything drawn afterwards (0..1).
  virtual void SetAlpha(float alpha);
  // System-font text: size in pixels, spacing added after each character.
  void SetFont(const char* name, float size) { mText.SetFont(name, size); }
  void SetFontSize(float size) { mText.SetSize(size); }
  void SetFontCharacterSpacing(float spacing) { mText.SetSpacing(spacing); }
  // Text in the brush colour whose baseline starts at (x, y); nothing
  // before SetFont.
  void DrawText(float x, float y, const char* text, unsigned long length);
  void Flush() {}
  void SetSmoothingMode(int mode) {}

  virtual void MoveTo(float x, float y);
  virtual void MoveTo(int x, int y);
  // Strokes from the current point and makes (x, y) the current point.
  virtual void LineTo(float x, float y);
  virtual void LineTo(int x, int y);
  virtual void ClearRect(float x, float y, float w, float h);
  virtual void ClearRect(int x, int y, int w, int h);
  virtual void ClearRect(tagHfcRect* r);
  virtual void FillRect(float x, float y, float w, float h);
  virtual void FillRect(int x, int y, int w, int h);
  virtual void FillRect(tagHfcRect* r);
  virtual void FrameRect(float x, float y, float w, float h);
  virtual void FrameRect(int x, int y, int w, int h);
  virtual void FrameRect(tagHfcRect* r);
  virtual void FillCircle(float cx, float cy, float r);
  virtual void FrameCircle(float cx, float cy, float r);
  // Angles in radians, counter-clockwise on screen from the positive x axis;
  // the start/sweep forms run clockwise for a positive sweep.
  virtual void FillArc(float cx, float cy, float r, float a0, float a1, bool clockwise);
  virtual void FillArc(float cx, float cy, float r, float start, float sweep);
  virtual void FrameArc(float cx, float cy, float r, float a0, float a1, bool clockwise);
  virtual void FrameArc(float cx, float cy, float r, float start, float sweep);
  virtual void ClearArc(float cx, float cy, float r, float a0, float a1, bool clockwise);
  virtual void ClearArc(float cx, float cy, float r, float start, float sweep);

  // Blits the area of bmp at (sx, sy) to the rectangle (dx, dy, w, h).
  virtual void CopyBmp(int dx, int dy, int w, int h, CHfcBmp* bmp, int sx, int sy);
  virtual void CopyBmp(tagHfcRect* r, CHfcBmp* bmp, int sx, int sy);
  virtual void CopyBmpAlpha(int dx, int dy, int w, int h, CHfcBmp* bmp, float alpha, int sx, int sy);
  virtual void CopyBmpAlpha(tagHfcRect* r, CHfcBmp* bmp, float alpha, int sx, int sy);
  virtual void CopyBmpMax(int dx, int dy, int w, int h, CHfcBmp* bmp, int sx, int sy) {}
  virtual void Scroll(tagHfcRect* r, int dx, int dy) {}

  // Fixed-cell font: 128 cells stacked in font; a cell size of 0 takes the
  // font's width and height / 128.
  void DrawBmpText(int x, int y, const char* text, unsigned long length, CHfcBmp* font, int cellWidth,
                   int cellHeight);
  // Proportional font tinted with colour; stops when maxWidth is used up. A
  // carriage return advances to the next multiple of 40 when tabs is set.
  void DrawBmpTextProportional(int x, int y, const char* text, int maxWidth, tagHfcBmpFontInfo* font,
                               uint32_t colour, bool tabs);
  // Proportional text in a box of boxWidth pixels from x: whole when it
  // fits, else cut with "..." (HfcFitBmpText); the text probe hears of it.
  void DrawBmpTextInBox(int x, int y, const char* text, int boxWidth, tagHfcBmpFontInfo* font,
                        uint32_t colour);

  CHfcBmp* GetPort() const { return mPort; }

 protected:
  // Blends colour (scaled by coverage and the global alpha) over one pixel.
  void BlendPixel(uint32_t* px, uint32_t colour, float coverage) const;

  CHfcBmp* mPort = nullptr;
  uint32_t mBrushColor = 0;
  uint32_t mPenColor = 0;
  float mPenWidth = 1.0f;
  float mAlpha = 1.0f;
  float mPenX = 0.0f;
  float mPenY = 0.0f;

 private:
  os::TextRenderer mText;
  enum class PaintMode { Brush, Pen, Clear };
  void PaintPolygons(const std::vector<HfcPolygon>& polygons, PaintMode mode);
  void PaintPie(float cx, float cy, float r, float a0, float a1, bool clockwise, PaintMode mode);
  void StrokeRing(float cx, float cy, float r, float a0, float sweep);
};

// Width in pixels of text in a proportional font: the sum of the advances.
int HfcGetBmpTextWidth(tagHfcBmpFontInfo* font, const char* text);
