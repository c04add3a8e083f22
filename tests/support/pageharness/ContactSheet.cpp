#include "tests/support/pageharness/ContactSheet.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "tests/support/PngTestFile.h"

namespace vesk::test {

void ContactSheet::Add(CHfcBmp& picture, int w, int h, bool halved) {
  Shot shot{w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t p = picture.GetPixel(x, y);
      if (halved) {
        // The mean of each 2 x 2 block, channel by channel.
        uint32_t sum[3] = {0, 0, 0};
        for (int k = 0; k < 4; ++k) {
          const uint32_t q = picture.GetPixel(2 * x + k % 2, 2 * y + k / 2);
          for (int c = 0; c < 3; ++c) sum[c] += (q >> (8 * c)) & 0xFF;
        }
        p = ((sum[2] / 4) << 16) | ((sum[1] / 4) << 8) | (sum[0] / 4);
      }
      shot.pixels[static_cast<size_t>(y) * w + x] = p | 0xFF000000u;
    }
  shots_.push_back(std::move(shot));
}

bool ContactSheet::Write(const std::string& path) {
  if (shots_.empty() || columns_ <= 0) return false;
  const int w = shots_[0].w;
  const int h = shots_[0].h;
  const int rows = (static_cast<int>(shots_.size()) + columns_ - 1) / columns_;
  const int sheetW = columns_ * (w + gap_) + gap_;
  const int sheetH = rows * (h + gap_) + gap_;
  std::vector<uint32_t> sheet(static_cast<size_t>(sheetW) * sheetH, background_);
  for (size_t i = 0; i < shots_.size(); ++i) {
    const int ox = gap_ + static_cast<int>(i % columns_) * (w + gap_);
    const int oy = gap_ + static_cast<int>(i / columns_) * (h + gap_);
    const Shot& s = shots_[i];
    for (int y = 0; y < std::min(h, s.h); ++y)
      for (int x = 0; x < std::min(w, s.w); ++x)
        sheet[static_cast<size_t>(oy + y) * sheetW + ox + x] = s.pixels[static_cast<size_t>(y) * s.w + x];
  }
  shots_.clear();
  return WriteArgbPng(path, sheet.data(), sheetW, sheetH);
}

}  // namespace vesk::test
