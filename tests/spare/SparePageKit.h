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
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "editor/controls/UIFormManager.h"
#include "editor/shell/EditTabPageLayerBase.h"
#include "editor/shell/MenuItemInfo.h"
#include "hfc/CHfcControl.h"
#include "model/eMode.h"

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/support/PngTestFile.h"
#include "tests/support/pageharness/PageHarness.h"
#include "tests/support/simsynth/SimSynth.h"

namespace sparetest {

using vesk::test::PageHarness;
using vesk::test::SimSynthEvent;

// The light grey of the edit pages, window wide.
inline std::unique_ptr<CHfcBmp> PageBackground(int height = 400) {
  auto bmp = std::make_unique<CHfcBmp>();
  bmp->Create(PageHarness::kWidth, height);
  uint32_t* px = bmp->LockPixels();
  for (int i = 0; i < PageHarness::kWidth * height; ++i) px[i] = 0xFFDCDEE2u;
  bmp->UnlockPixels();
  return bmp;
}

// The form registry runs while the plug-in does; the harness starts the
// image cache and the fonts only.
struct Forms {
  Forms() { UIFormManager::Initialize(); }
  ~Forms() { UIFormManager::Uninitialize(); }
};

inline void EnterPerformance(PageHarness& h) {
  h.model().PutMode(eMode_Combi);
  h.RunFor(500);
  h.Idle();
}

inline std::vector<SimSynthEvent> ParamChanges(PageHarness& h) {
  std::vector<SimSynthEvent> out;
  for (const SimSynthEvent& e : h.device().Log())
    if (e.kind == SimSynthEvent::kParamChange) out.push_back(e);
  return out;
}

inline void ClickCentre(PageHarness& h, CHfcControl* c) {
  const tagHfcRect& r = c->GetFrame();
  h.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

inline std::vector<int> MenuIds(EditTabPageLayerBase& page) {
  std::list<MenuItemInfo> items;
  page.GetMenuItemInfoList(items);
  std::vector<int> ids;
  for (const MenuItemInfo& m : items) ids.push_back(m.id);
  return ids;
}

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
    return AddBmp(layer.GetOffscreen()->GetBmp());
  }

  bool AddBmp(CHfcBmp* bmp) {
    if (!bmp) return false;
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

  // The composed window instead, for a page whose sub-level pages are
  // layers of their own.
  bool AddWindow(vesk::test::PageHarness& h, const std::string& name) {
    if (h.RenderWindow(name).empty()) return false;
    CHfcOffscreenContext* picture = h.window().GetPicture();
    return picture && AddBmp(picture->GetBmp());
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
