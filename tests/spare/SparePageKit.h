#pragma once
// Helpers of the spare page tests.
#include "editor/controls/UI_FORMINFO.h"

namespace sparetest {

// The compiled-in form with that id, or null.
inline const UI_FORMINFO* FormById(int id) {
  for (const UI_FORMINFO& form : g_uiFormInfoArray)
    if (form.id == id) return &form;
  return nullptr;
}

}  // namespace sparetest

#include <cstdint>
#include <string>
#include <vector>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/support/PngTestFile.h"
#include "tests/support/pageharness/PageHarness.h"

namespace sparetest {

// Pictures of pages side by side, two to a row, each scaled to half size,
// written beside the single pictures.
class ContactSheet {
 public:
  static constexpr int kCellW = 520;
  static constexpr int kCellH = 310;
  static constexpr int kCols = 2;
  static constexpr int kGap = 8;

  // The layer's own picture, also written as <name>.png; false without one.
  bool Add(vesk::test::PageHarness& h, CHfcWindowLayer& layer, const std::string& name) {
    if (h.RenderLayer(layer, name).empty()) return false;
    CHfcBmp* bmp = layer.GetOffscreen()->GetBmp();
    Cell cell;
    cell.px.assign(static_cast<size_t>(kCellW) * kCellH, 0xFF23262Bu);
    for (int y = 0; y < kCellH; ++y)
      for (int x = 0; x < kCellW; ++x) {
        const int sx = x * 2, sy = y * 2;
        if (sx < bmp->GetWidth() && sy < bmp->GetHeight())
          cell.px[static_cast<size_t>(y) * kCellW + x] = bmp->GetPixel(sx, sy) | 0xFF000000u;
      }
    cells_.push_back(std::move(cell));
    return true;
  }

  bool Write(const std::string& name) const {
    const int rows = (static_cast<int>(cells_.size()) + kCols - 1) / kCols;
    const int w = kCols * (kCellW + kGap) + kGap;
    const int h = rows * (kCellH + kGap) + kGap;
    std::vector<uint32_t> sheet(static_cast<size_t>(w) * h, 0xFF101214u);
    for (size_t i = 0; i < cells_.size(); ++i) {
      const int ox = kGap + static_cast<int>(i % kCols) * (kCellW + kGap);
      const int oy = kGap + static_cast<int>(i / kCols) * (kCellH + kGap);
      for (int y = 0; y < kCellH; ++y)
        for (int x = 0; x < kCellW; ++x)
          sheet[static_cast<size_t>(oy + y) * w + ox + x] =
              cells_[i].px[static_cast<size_t>(y) * kCellW + x];
    }
    return vesk::test::WriteArgbPng(vesk::test::PageHarness::RenderDir() + "/" + name + ".png",
                                    sheet.data(), w, h);
  }

 private:
  struct Cell {
    std::vector<uint32_t> px;
  };
  std::vector<Cell> cells_;
};

}  // namespace sparetest
