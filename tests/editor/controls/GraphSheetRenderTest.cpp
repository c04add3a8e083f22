#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/CXBCtrlFilterGraph.h"
#include "editor/controls/CXBCtrlFxRoutingGraph.h"
#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/CXBCtrlTG01FilterGraph.h"
#include "editor/controls/CXBCtrlVeloZoneGraph.h"
#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/ZubZoneSlopeBar.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

constexpr int kColumn = 420;
constexpr int kColumns = 3;
constexpr int kTop = 24;  // below the column titles
constexpr int kRoutingY = 390;
constexpr int kRoutingW = 640;
constexpr int kRoutingH = 140;
constexpr int kWidth = kColumn * kColumns;
constexpr int kHeight = kRoutingY + kColumns * kRoutingH;
constexpr uint32_t kPage = 0xFFDCDEE2;

enum class State { kDefault, kEdited, kDisabled };

const uint8_t kEgPoints[6] = {1, 1, 1, 1, 0, 1};

// Every graph in one state, in one column of the sheet; the routing graph
// in a layer of its own below, since it draws its sources at a fixed row of
// its layer.
class Column {
 public:
  Column(CHfcWindow* window, int index, State state, tagHfcBmpFontInfo* font)
      : x_(index * kColumn), state_(state) {
    images_ = ResourceManager::GetInstance();
    page_.Create(x_, 0, kColumn, kRoutingY, window);
    routing_.Create(0, kRoutingY + index * kRoutingH, kWidth, kRoutingH, window);
    PaintPage(font, index);
    pageBack_ = std::make_unique<CHfcOffscreenContext>(kColumn, kRoutingY);
    pageBack_->CopyBmp(0, 0, kColumn, kRoutingY, page_.GetOffscreen()->GetBmp(), 0, 0);
    routingBack_ = std::make_unique<CHfcOffscreenContext>(kWidth, kRoutingH);
    routingBack_->CopyBmp(0, 0, kWidth, kRoutingH, routing_.GetOffscreen()->GetBmp(), 0, 0);
    page_.Show(false);
    routing_.Show(false);
    Build();
  }
  ~Column() {
    for (auto& c : controls_) c->Destroy();
    page_.Destroy();
    routing_.Destroy();
  }
  void DrawAll() {
    for (auto& c : controls_) c->Update(true, false);
  }

 private:
  void PaintPage(tagHfcBmpFontInfo* font, int index) {
    CHfcOffscreenContext* dc = page_.GetOffscreen();
    dc->SetBrushColor(kPage);
    dc->FillRect(0, 0, kColumn, kRoutingY);
    dc->SetBrushColor(0xFF9096A0);
    dc->FillRect(kColumn - 1, 0, 1, kRoutingY);
    const char* titles[] = {"Default", "Edited", "Disabled"};
    if (font) dc->DrawBmpTextProportional(10, 5, titles[index], 200, font, 0xFF000000, false);
    CHfcOffscreenContext* rc = routing_.GetOffscreen();
    rc->SetBrushColor(0xFF2F3238);
    rc->FillRect(0, 0, kWidth, kRoutingH);
    rc->SetBrushColor(0xFF9096A0);
    rc->FillRect(0, kRoutingH - 1, kWidth, 1);
    if (font) rc->DrawBmpTextProportional(kRoutingW + 20, 30, titles[index], 200, font, 0xFFF3F3F3, false);
    // The effect slots the page shows between the routing lines.
    for (int s = 0; s < 5; ++s) {
      rc->SetBrushColor(0xFF555A63);
      rc->FillRect(kRoutingW - 330, 25 + 2 + 18 * s, 180, 15);
      if (font)
        rc->DrawBmpTextProportional(kRoutingW - 324, 25 + 3 + 18 * s, ("IFX " + std::to_string(s + 1)).c_str(), 100,
                                    font, 0xFFF3F3F3, false);
    }
  }

  template <typename T>
  T* Add(CHfcWindowLayer& layer) {
    controls_.push_back(std::make_unique<T>());
    T* c = static_cast<T*>(controls_.back().get());
    return c;
  }
  void Finish(CHfcControl* c, CHfcWindowLayer& layer) {
    c->SetDisabledAlpha(0.25f);
    c->Show(false);
    layer.AddControl(c, false);
    if (state_ == State::kDisabled) c->Disable(true);
  }
  bool Edited() const { return state_ != State::kDefault; }

  void Build() {
    // Filter and amp envelopes.
    for (int kind : {1, 2}) {
      auto* eg = Add<CXBCtrlEnvelopeGraph>(page_);
      tagXBCtrlEnvelopeGraphParam p = CXBCtrlEnvelopeGraph::sm_mInitParam;
      p.x = 12 + (kind == 1 ? 0 : 200);
      p.y = kTop + 6;
      p.width = 140;
      p.height = kind == 2 ? 69 : 65;
      p.background = images_->LoadImage(kind == 2 ? "Container_Graph_Unsigned_Large" : "Container_Graph_Large");
      p.backgroundX = 2;
      p.backgroundY = 2;
      p.count = 6;
      p.pointSize = 11;
      p.pointNames = images_->LoadImage("PointNameFilterAmpEg");
      p.maximum = 198;
      p.lineColor = 0xFF0000FF;
      p.zoneColor = 0x7E0000FF;
      p.pointFillColor = 0xFF000099;
      p.pointFrameColor = 0xFF000000;
      p.keyTimeStepAdjust = 0;
      p.baseline = kind == 2 ? 0 : 1;
      p.enabledPoints = kEgPoints;
      ASSERT_TRUE(eg->Create(&p, 0x100 + kind, 0));
      const int level = kind == 2 ? 0 : 99;
      for (int i = 0; i < 6; ++i) {
        tagEnvelopeValue v{i, level, 198};
        eg->SetEnvelopeValue(&v, false);
      }
      if (Edited()) {
        const int levels[6] = {kind == 2 ? 0 : 60, 198, 150, 120, 120, kind == 2 ? 0 : 99};
        const int times[6] = {0, 40, 90, 120, 198, 150};
        for (int i = 0; i < 6; ++i) {
          tagEnvelopeValue v{i, levels[i], times[i]};
          eg->SetEnvelopeValue(&v, false);
        }
        if (state_ == State::kEdited && kind == 1) eg->SetActivePoint(2, false);
      }
      Finish(eg, page_);
    }

    // Filter graph of the filter page, the small filter graph and its mini
    // form.
    {
      auto* fg = Add<CXBCtrlFilterGraph>(page_);
      tagXBCtrlFilterGraphParam p = CXBCtrlFilterGraph::sm_mInitParam;
      p.x = 12;
      p.y = kTop + 100;
      p.width = 140;
      p.height = 65;
      p.backdrop = images_->LoadImage("Container_Graph_Large");
      p.pictureX = 2;
      p.pictureY = 2;
      p.pointSize = 9;
      p.label = images_->LoadImage("PointNameFilter");
      p.maximum = 198;
      p.curveLineColor = 0xFF0000FF;
      p.curveFillColor = 0x100000FF;
      p.pointFillColor = 0xFF000099;
      p.pointFrameColor = 0xFF000000;
      p.keyTimeStepAdjust = 0;
      ASSERT_TRUE(fg->Create(&p, 0x200, 0));
      tagFilterValue v{0, Edited() ? 170 : 99, Edited() ? 120 : 198};
      fg->SetFilterValue(&v, false);
      Finish(fg, page_);
    }
    for (int mini = 0; mini < 2; ++mini) {
      auto* tg = Add<CXBCtrlTG01FilterGraph>(page_);
      tagXBCtrlFilterGraphParam p = CXBCtrlFilterGraph::sm_mInitParam;
      p.x = mini ? 300 : 200;
      p.y = kTop + 100;
      p.width = mini ? 40 : 62;
      p.height = mini ? 25 : 39;
      p.backdrop = pageBack_->GetBmp();
      p.frame = mini ? nullptr : images_->LoadImage("Container_Graph_Small");
      p.pictureX = mini ? p.x + 2 : 2;
      p.pictureY = mini ? p.y + 2 : 2;
      if (!mini) p.backdrop = images_->LoadImage("Container_Graph_Small");
      p.pointSize = 9;
      p.label = mini ? nullptr : images_->LoadImage("PointNameFilter");
      p.maximum = 198;
      const uint32_t colour = 0xFF0060C0;
      p.curveLineColor = mini ? 0xFF0000FF : colour;
      p.curveFillColor = mini ? 0 : ((colour & 0x00FFFFFF) | 0x10000000);
      p.pointFillColor = mini ? 0 : (colour & 0xFF999999);
      p.pointFrameColor = mini ? 0 : 0xFF000000;
      p.keyTimeStepAdjust = 0;
      ASSERT_TRUE(tg->Create(&p, 0x300 + mini, 0));
      if (mini) tg->SetReadOnly(true);
      tg->SetFilterType(Edited() ? 2 : 0, false);
      tagFilterValue v0{0, Edited() ? 150 : 99, Edited() ? 110 : 0};
      tagFilterValue v1{1, 0, 50};
      tg->SetFilterValue(&v0, false);
      tg->SetFilterValue(&v1, false);
      Finish(tg, page_);
    }

    // Key tracking, velocity zones and the zone and slope bar.
    {
      auto* kt = Add<CXBCtrlKeyTrkGraph>(page_);
      tagXBCtrlKeyTrkGraphParam p = CXBCtrlKeyTrkGraph::sm_mInitParam;
      p.x = 12;
      p.y = kTop + 190;
      CHfcBmp* bg = images_->LoadImage("Image_KeyTrk");
      p.width = bg ? bg->GetWidth() : 130;
      p.height = bg ? bg->GetHeight() : 56;
      p.background = bg;
      p.keyStrip = images_->LoadImage("Image_KeyTrk_Key");
      p.entryCount = 4;
      p.maximum = 255;
      p.kind = 0;
      p.curveColor = 0xFF00A000;
      ASSERT_TRUE(kt->Create(&p, 0x12500, 0));
      const int keys[4] = {36, 60, 84, 0};
      const int in[4] = {Edited() ? 20 : 0, Edited() ? 60 : 0, Edited() ? -40 : 0, Edited() ? 100 : 0};
      for (int i = 0; i < 4; ++i) {
        tagKeyTrkValue v{i, keys[i], in[i], 1};
        kt->SetKeyTrkValue(&v, false);
      }
      Finish(kt, page_);
    }
    {
      auto* vz = Add<CXBCtrlVeloZoneGraph>(page_);
      tagXBCtrlVeloZoneGraphParam p = CXBCtrlVeloZoneGraph::sm_mInitParam;
      p.x = 200;
      p.y = kTop + 170;
      p.width = 50;
      p.height = 175;
      p.background = images_->LoadImage("Image_VeloZone");
      p.entryCount = 4;
      p.maximum = 127;
      p.lineColor = 0xFF0000FF;
      ASSERT_TRUE(vz->Create(&p, 0x12600, 0));
      const int bottoms[4] = {96, 64, 32, 1};
      for (int i = 0; i < 4; ++i) {
        tagVeloZoneValue v{};
        v.index = i;
        v.on = Edited() || i == 0 ? 1 : 0;
        v.bottom = Edited() ? bottoms[i] : 1;
        v.fadeWidth = Edited() && i < 3 ? 12 : 0;
        v.fadeCurve = i == 3 ? 2 : i % 2;
        v.scaleTop = 127;
        v.mode = 0;
        vz->SetVeloZoneValue(&v, false);
      }
      Finish(vz, page_);
    }
    {
      auto* zb = Add<ZubZoneSlopeBar>(page_);
      tagKvxCtrlZoneSlopeBarParam p{};
      p.x = 270;
      p.y = kTop + 200;
      p.background = images_->LoadImage("ZoneSlopeBarBack");
      p.zone = images_->LoadImage("ZoneBar");
      p.slope = images_->LoadImage("SlopeBar");
      p.insideColor = 0xFF003983;
      p.outsideColor = 0xFFDB0330;
      p.maximum = 127;
      p.dragScale = 10.0f;
      ASSERT_TRUE(zb->Create(&p, 0x400, 0));
      zb->SetParameter(ZubZoneSlopeBar::kIdZoneMin, Edited() ? 24 : 0, false);
      zb->SetParameter(ZubZoneSlopeBar::kIdZoneMax, Edited() ? 100 : 127, false);
      zb->SetParameter(ZubZoneSlopeBar::kIdSlopeMin, Edited() ? 40 : 0, false);
      zb->SetParameter(ZubZoneSlopeBar::kIdSlopeMax, Edited() ? 80 : 127, false);
      if (Edited()) {
        zb->SetParameter(ZubZoneSlopeBar::kIdNeedleOn, 60, false);
        zb->SetParameter(ZubZoneSlopeBar::kIdNeedleOn, 12, false);
      }
      Finish(zb, page_);
    }

    // Effect routing.
    {
      auto* rg = Add<CXBCtrlFxRoutingGraph>(routing_);
      tagXBCtrlFxRoutingGraphParam p{0, 25, kRoutingW, 90, routingBack_->GetBmp(),
                                     images_->LoadImage("FxSrc"), 0, 25};
      ASSERT_TRUE(rg->Create(&p, 0x500, 0));
      if (Edited()) {
        const int targets[16] = {1, 1, 2, 3, 0, 0, 4, 5, 5, 0, 2, 0, 1, 0, 3, 0};
        for (int k = 0; k < 16; ++k) {
          tagFxRoutingValue v{};
          rg->GetFxRoutingValue(&v, k);
          if (targets[k]) v.slotTarget[0] = targets[k];
          if (k == 0) {
            v.chainFlag = 1;
            v.chainTarget = 3;  // slot 0 into slot 2
          }
          if (k == 1) {
            v.chainFlag = 1;
            v.chainTarget = 3;
          }
          if (k < 5) v.outputBus = k;
          rg->SetFxRoutingValue(&v, false);
        }
      }
      Finish(rg, routing_);
    }
  }

  int x_;
  State state_;
  ResourceManager* images_ = nullptr;
  CHfcWindowLayer page_;
  CHfcWindowLayer routing_;
  std::unique_ptr<CHfcOffscreenContext> pageBack_;
  std::unique_ptr<CHfcOffscreenContext> routingBack_;
  std::vector<std::unique_ptr<CHfcControl>> controls_;
};

// Every graph in its default, edited and disabled state side by side; the
// picture is left in the build folder to be looked at.
TEST(GraphSheet, RendersEveryGraphInThreeStates) {
  vesk::test::TestEnvironment env;
  hfctest::HeadlessHfcWindow window(kWidth, kHeight);
  ResourceManager::Initialize();
  FontManager::Initialize();
  tagHfcBmpFontInfo* font = FontManager::mInstance->GetBmpFontInfo("FontHelvB11");
  {
    std::vector<std::unique_ptr<Column>> columns;
    const State states[] = {State::kDefault, State::kEdited, State::kDisabled};
    for (int i = 0; i < kColumns; ++i)
      columns.push_back(std::make_unique<Column>(&window, i, states[i], font));
    for (auto& c : columns) c->DrawAll();
    window.Update(nullptr);
    ASSERT_TRUE(window.platform()->WritePng(std::string(VESK_RENDER_DIR) + "/graph_sheet.png"));
    // The edited column differs from the default one inside the graphs.
    int differing = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kColumn; ++x)
        differing += window.platform()->Pixel(x, y) != window.platform()->Pixel(x + kColumn, y);
    EXPECT_GT(differing, 1000);
  }
  FontManager::Uninitialize();
  ResourceManager::Uninitialize();
}

}  // namespace
