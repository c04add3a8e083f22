#include "hfc/CHfcOffscreenContext.h"

#include <algorithm>
#include <cstring>

#include "hfc/CHfcBmp.h"
#include "hfc/HfcBlitClip.h"
#include "hfc/HfcPictureProbe.h"

namespace {

struct BlitArea {
  int dx, dy, w, h, sx, sy;
};

// Clips a software blit to both bitmaps; false when nothing is left.
bool ClipBlit(BlitArea& a, const CHfcBmp& dst, const CHfcBmp& src) {
  HfcClipStart(a.dx, a.sx, a.w);
  HfcClipStart(a.dy, a.sy, a.h);
  HfcClipStart(a.sx, a.dx, a.w);
  HfcClipStart(a.sy, a.dy, a.h);
  if (a.dy + a.h > dst.GetHeight()) a.h = dst.GetHeight() - a.dy;
  if (a.dx + a.w > dst.GetWidth()) a.w = dst.GetWidth() - a.dx;
  if (a.sx + a.w > src.GetWidth()) a.w = src.GetWidth() - a.sx;
  if (a.sy + a.h > src.GetHeight()) a.h = src.GetHeight() - a.sy;
  return a.w > 0 && a.h > 0;
}

// Runs op(destination row, source row, width) over the clipped area, rows
// top to bottom.
template <typename RowOp>
void ForEachRow(CHfcBmp* dstBmp, CHfcBmp* srcBmp, BlitArea a, RowOp op) {
  if (dstBmp == nullptr || srcBmp == nullptr) {
    return;
  }
  const uint32_t* src = srcBmp->LockPixels();
  if (src == nullptr) {
    return;
  }
  uint32_t* dst = dstBmp->LockPixels();
  if (dst == nullptr) {
    srcBmp->UnlockPixels();
    return;
  }
  if (ClipBlit(a, *dstBmp, *srcBmp)) {
    for (int y = 0; y < a.h; ++y) {
      op(dst + static_cast<size_t>(a.dy + y) * dstBmp->GetWidth() + a.dx,
         src + static_cast<size_t>(a.sy + y) * srcBmp->GetWidth() + a.sx, a.w);
    }
  }
  dstBmp->UnlockPixels();
  srcBmp->UnlockPixels();
}

// Runs op(destination pixel, source pixel) over the clipped area.
template <typename Op>
void ForEachPixel(CHfcBmp* dstBmp, CHfcBmp* srcBmp, BlitArea a, Op op) {
  ForEachRow(dstBmp, srcBmp, a, [&op](uint32_t* d, const uint32_t* s, int w) {
    for (int x = 0; x < w; ++x) {
      op(d[x], s[x]);
    }
  });
}

// One colour channel blended in 16-bit fixed point: the source channel
// weighted by a, the destination by i, with a + i = 65535.
inline uint32_t Mix(uint32_t s, uint32_t d, uint32_t a, uint32_t i) {
  return ((s * 256 + 255) * a + (d * 256 + 255) * i) >> 24;
}

inline uint32_t MixRgb(uint32_t s, uint32_t d, uint32_t a, uint32_t i) {
  return (Mix((s >> 16) & 0xFF, (d >> 16) & 0xFF, a, i) << 16) | (Mix((s >> 8) & 0xFF, (d >> 8) & 0xFF, a, i) << 8) |
         Mix(s & 0xFF, d & 0xFF, a, i);
}

inline uint32_t SumAlpha(uint32_t a, uint32_t d) {
  const uint32_t sum = a + (d >> 24) + 1;
  return (sum > 255 ? 255u : sum) << 24;
}

}  // namespace

CHfcOffscreenContext::CHfcOffscreenContext(int width, int height) : CHfcDrawContext(nullptr) {
  auto* bmp = new CHfcBmp;
  if (!bmp->Create(width, height)) {
    delete bmp;
    return;
  }
  mBmp = bmp;
  mPort = bmp;
  mOwnsBmp = true;
}

CHfcOffscreenContext::CHfcOffscreenContext(CHfcBmp* bmp) : CHfcDrawContext(bmp), mBmp(bmp) {}

CHfcOffscreenContext::~CHfcOffscreenContext() {
  if (mOwnsBmp) {
    mBmp->Destroy();
    delete mBmp;
  }
}

bool CHfcOffscreenContext::Resize(int width, int height) {
  if (mBmp == nullptr || !mBmp->Resize(width, height)) {
    return false;
  }
  mPort = mBmp;
  return true;
}

void CHfcOffscreenContext::CopyBmp(int dx, int dy, int w, int h, CHfcBmp* bmp, int sx, int sy) {
  HfcTellPictureProbe(bmp, dx, dy, w, h, sx, sy);
  ForEachRow(mBmp, bmp, {dx, dy, w, h, sx, sy}, [](uint32_t* d, const uint32_t* s, int width) {
    // An opaque source pixel comes out of the blend unchanged, so opaque
    // rows (whole windows of them when layers are composed) are copied.
    uint32_t all = 0xFF000000u;
    for (int x = 0; x < width; ++x) {
      all &= s[x];
    }
    if (all == 0xFF000000u) {
      std::memcpy(d, s, static_cast<size_t>(width) * sizeof(uint32_t));
      return;
    }
    for (int x = 0; x < width; ++x) {
      const uint32_t as = s[x] >> 24;
      const uint32_t a = as * 256 + 255;
      d[x] = SumAlpha(as, d[x]) | MixRgb(s[x], d[x], a, 65535 - a);
    }
  });
}

void CHfcOffscreenContext::CopyBmpAlpha(int dx, int dy, int w, int h, CHfcBmp* bmp, float alpha, int sx, int sy) {
  if (mBmp == nullptr || bmp == nullptr || mBmp->IsPreMultiplied()) {
    return;
  }
  HfcTellPictureProbe(bmp, dx, dy, w, h, sx, sy);
  alpha = std::clamp(alpha, 0.0f, 1.0f);
  if (bmp->IsPreMultiplied()) {
    const auto f = static_cast<uint32_t>(65535.0 * alpha);
    ForEachPixel(mBmp, bmp, {dx, dy, w, h, sx, sy}, [alpha, f](uint32_t& d, uint32_t s) {
      const auto k = static_cast<uint32_t>(static_cast<float>(s >> 24) * alpha);
      const uint32_t i = 65535 - (k * 256 + 255);
      // The two weights need not add up to 65535 here: the sum is taken in
      // 64 bits and each channel kept to a byte.
      uint32_t rgb = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const uint64_t c = ((uint64_t{(s >> shift) & 0xFF} * 256 + 255) * f +
                            (uint64_t{(d >> shift) & 0xFF} * 256 + 255) * i) >> 24;
        rgb |= static_cast<uint32_t>(std::min<uint64_t>(c, 255)) << shift;
      }
      d = SumAlpha(k, d) | rgb;
    });
    return;
  }
  ForEachPixel(mBmp, bmp, {dx, dy, w, h, sx, sy}, [alpha](uint32_t& d, uint32_t s) {
    const auto k = static_cast<uint32_t>(static_cast<float>(s >> 24) * alpha);
    const uint32_t a = k * 256 + 255;
    d = SumAlpha(k, d) | MixRgb(s, d, a, 65535 - a);
  });
}

void CHfcOffscreenContext::CopyBmpMax(int dx, int dy, int w, int h, CHfcBmp* bmp, int sx, int sy) {
  HfcTellPictureProbe(bmp, dx, dy, w, h, sx, sy);
  ForEachPixel(mBmp, bmp, {dx, dy, w, h, sx, sy}, [](uint32_t& d, uint32_t s) {
    if ((s >> 24) == 0) {
      return;
    }
    uint32_t out = std::max(d >> 24, s >> 24) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
      out |= std::max((d >> shift) & 0xFF, (s >> shift) & 0xFF) << shift;
    }
    d = out;
  });
}

void CHfcOffscreenContext::CopyBmpSubUsingAlpha(int dx, int dy, int w, int h, CHfcBmp* bmp, int sx, int sy) {
  ForEachPixel(mBmp, bmp, {dx, dy, w, h, sx, sy}, [](uint32_t& d, uint32_t s) {
    const int as = static_cast<int>(s >> 24);
    uint32_t out = 0;
    for (int shift = 0; shift <= 24; shift += 8) {
      out |= static_cast<uint32_t>(std::max(0, static_cast<int>((d >> shift) & 0xFF) - as)) << shift;
    }
    d = out;
  });
}

void CHfcOffscreenContext::MoveRect(tagHfcRect* r, int dx, int dy) {
  if (mBmp == nullptr || r == nullptr) {
    return;
  }
  const int width = mBmp->GetWidth();
  const int height = mBmp->GetHeight();
  int left = std::max(r->left, 0);
  int top = std::max(r->top, 0);
  int right = std::min(r->right, width);
  int bottom = std::min(r->bottom, height);
  // Drop what would land left of or above the bitmap, cut what would run
  // past its right or bottom edge.
  if (left + dx < 0) left = -dx;
  if (top + dy < 0) top = -dy;
  if (right + dx > width) right = width - dx;
  if (bottom + dy > height) bottom = height - dy;
  if (right <= left || bottom <= top) {
    return;
  }
  uint32_t* base = mBmp->LockPixels();
  if (base == nullptr) {
    return;
  }
  const size_t count = static_cast<size_t>(right - left);
  auto moveRow = [&](int y) {
    // memmove copies as if through a buffer, which is what copying right to
    // left (or left to right) within the row achieves for overlaps.
    std::memmove(base + static_cast<size_t>(y + dy) * width + left + dx, base + static_cast<size_t>(y) * width + left,
                 count * sizeof(uint32_t));
  };
  if (dy >= 0) {
    for (int y = bottom - 1; y >= top; --y) moveRow(y);
  } else {
    for (int y = top; y < bottom; ++y) moveRow(y);
  }
  mBmp->UnlockPixels();
}

void CHfcOffscreenContext::CopyToContext(CHfcDrawContext* dc) {
  if (mBmp != nullptr) {
    CopyToContext(dc, 0, 0, mBmp->GetWidth(), mBmp->GetHeight(), 0, 0);
  }
}

void CHfcOffscreenContext::CopyToContext(CHfcDrawContext* dc, int x, int y, int w, int h, int sx, int sy) {
  if (dc != nullptr && mBmp != nullptr) {
    dc->CopyBmp(x, y, w, h, mBmp, sx, sy);
  }
}

void CHfcOffscreenContext::CharTextOut(tagHfcCharTextParam* p, int x, int y, const char* text, int length) {
  if (p == nullptr || text == nullptr || p->cellWidth <= 0 || p->cellHeight <= 0) {
    return;
  }
  if (length == 0) {
    length = static_cast<int>(std::strlen(text));
  }
  for (int i = 0; i < length; ++i) {
    CopyBmp(x, y, p->cellWidth, p->cellHeight, p->font, 0, HfcBmpFontCode(text[i]) * p->cellHeight);
    x += p->cellWidth;
  }
}
