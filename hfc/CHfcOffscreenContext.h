#pragma once
// A draw context on a 32-bit bitmap of its own (or a lent one), with
// integer blending loops for its blits, block moves inside the bitmap and
// copying itself into another context.
#include "hfc/CHfcDrawContext.h"

struct tagHfcCharTextParam {
  CHfcBmp* font;
  int32_t cellWidth;
  int32_t cellHeight;
};

class CHfcOffscreenContext : public CHfcDrawContext {
 public:
  // Makes and owns a bitmap of that size; without one it draws nothing.
  CHfcOffscreenContext(int width, int height);
  // Draws into bmp, which stays the caller's.
  explicit CHfcOffscreenContext(CHfcBmp* bmp);
  ~CHfcOffscreenContext() override;

  bool Resize(int width, int height);
  CHfcBmp* GetBmp() const { return mBmp; }

  using CHfcDrawContext::CopyBmp;
  using CHfcDrawContext::CopyBmpAlpha;
  // "Over": the source blended by its alpha onto the destination.
  void CopyBmp(int dx, int dy, int w, int h, CHfcBmp* bmp, int sx, int sy) override;
  // The same with the source alpha scaled by alpha; refused on a
  // pre-multiplied destination.
  void CopyBmpAlpha(int dx, int dy, int w, int h, CHfcBmp* bmp, float alpha, int sx, int sy) override;
  // Channel-wise maximum of the colours where the source is not transparent.
  void CopyBmpMax(int dx, int dy, int w, int h, CHfcBmp* bmp, int sx, int sy) override;
  // Every destination byte lowered by the source's alpha.
  void CopyBmpSubUsingAlpha(int dx, int dy, int w, int h, CHfcBmp* bmp, int sx, int sy);

  // Moves the pixels of r by (dx, dy) inside the own bitmap.
  void MoveRect(tagHfcRect* r, int dx, int dy);
  void CopyToContext(CHfcDrawContext* dc);
  void CopyToContext(CHfcDrawContext* dc, int x, int y, int w, int h, int sx, int sy);
  // Exactly length cells (0: the string length), zero bytes included.
  void CharTextOut(tagHfcCharTextParam* p, int x, int y, const char* text, int length);

 private:
  CHfcBmp* mBmp = nullptr;
  bool mOwnsBmp = false;
};
