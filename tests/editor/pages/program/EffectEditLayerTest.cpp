// The generic effect page: rows of the type's table become labels, frames
// and linked controls in columns; rebuilds happen once per idle; every type
// of every slot lays out a control for each of its parameters.
#include <gtest/gtest.h>

#include <string>

#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XEStaticText.h"
#include "editor/pages/program/EffectEditLayer.h"
#include "editor/pages/program/ProgInsertFXLayer.h"
#include "editor/pages/program/ProgMasterFXLayer.h"
#include "editor/controls/CTabControl.h"
#include "hfc/CHfcVstEditor.h"
#include "model/ISection.h"
#include "model/paramdesc/SParamDesc.h"
#include "tests/editor/pages/program/ProgramPageKit.h"

namespace {

using namespace progtest;

// Slot and type parameter of the effect slots a program edits.
struct Slot {
  int slot;
  int typeId;
};
constexpr Slot kSlots[] = {{0, 0x200}, {5, 0x800}, {6, 0x801}, {7, 0xB00}};

// Counts the controls the page adds: a layout adds each of its controls once.
class CountingPage : public EffectEditLayer {
 public:
  using EffectEditLayer::EffectEditLayer;
  bool AddControl(CHfcControl* control, bool redraw) override {
    ++added;
    return EffectEditLayer::AddControl(control, redraw);
  }
  size_t added = 0;
};

class EffectEditLayerTest : public ::testing::Test {
 protected:
  EffectEditLayer* OpenSlot(int slot, int typeId, int type) {
    page = std::make_unique<CountingPage>(h.synth(), eMode_ProgEdit, slot);
    EXPECT_TRUE(page->Create(&h.window()));
    page->Show(false);
    SetType(typeId, type);
    return page.get();
  }
  void SetType(int typeId, int type) {
    page->PutParamValue(eMode_ProgEdit, typeId, type);
    page->OnEffectTypeChanged(type);
    h.Idle();
  }
  void TearDown() override {
    if (page) page->Destroy();
  }
  XEStaticText* Label(const std::string& text) {
    for (CHfcControl* c : page->GetControls())
      if (auto* t = dynamic_cast<XEStaticText*>(c); t && t->GetText() == text) return t;
    return nullptr;
  }
  // The type whose table starts with the given name row.
  int FindType(int typeId, const char* name) {
    SParamDesc d{};
    page->GetParamDesc(&d, eMode_ProgEdit, typeId);
    for (int t = d.min; t <= d.max; ++t) {
      SetType(typeId, t);
      SParamDesc row{};
      if (page->GetFXSection()->GetParamDescByIndex(1, &row) && row.name && std::string(row.name) == name) return t;
    }
    return -1;
  }

  PageHarness h;
  std::unique_ptr<EffectEditLayer> page;
};

TEST_F(EffectEditLayerTest, RowsBecomeLabelsFramesAndColumns) {
  OpenSlot(0, 0x200, 0);
  const int compressor = FindType(0x200, "Stereo Compressor");
  ASSERT_GE(compressor, 0);
  SetType(0x200, compressor);
  // The unit follows the name; a flag 0x80 row is magenta, others black.
  XEStaticText* lo = Label("Lo EQ [dB]");
  ASSERT_NE(lo, nullptr);
  XEStaticText* loFreq = Label("Lo EQ Freq");
  ASSERT_NE(loFreq, nullptr);
  EXPECT_NE(lo->GetTextColor(), loFreq->GetTextColor());
  EXPECT_EQ(loFreq->GetTextColor(), 0xFF000000u);
  // Column two starts at x + 196 and row 0 after the line feed: "EQ Trim"
  // is the first parameter there, in row 2 after spacing and a frame.
  XEStaticText* attack = Label("Attack");
  XEStaticText* trim = Label("EQ Trim");
  ASSERT_TRUE(attack && trim);
  EXPECT_EQ(trim->GetFrame().left - attack->GetFrame().left, EffectEditLayer::kColumnWidth);
  EXPECT_EQ(trim->GetFrame().top, 1 * EffectEditLayer::kRowHeight + 8);
  // Frames: the one at row 1 starts at y + 5; the ones at row 1 of the
  // later columns too (flags 4 ignore the row rule).
  std::vector<XEStaticBmp*> frames;
  for (CHfcControl* c : page->GetControls())
    if (auto* b = dynamic_cast<XEStaticBmp*>(c)) frames.push_back(b);
  ASSERT_GE(frames.size(), 3u);
  EXPECT_EQ(frames[1]->GetFrame().top, 1 * EffectEditLayer::kRowHeight + 5);
  EXPECT_EQ(frames[1]->GetFrame().bottom - frames[1]->GetFrame().top, 10 * EffectEditLayer::kRowHeight - 1);
  // Every parameter row has its linked control; the shorter bar is 88 wide.
  auto pidOf = [&](const char* name) {
    Oskend::ISection* s = page->GetFXSection();
    for (int i = 0; i < s->GetParamCount(); ++i) {
      SParamDesc r{};
      if (s->GetParamDescByIndex(static_cast<unsigned>(i), &r) && r.name && std::string(r.name) == name)
        return s->GetParamIDByIndex(static_cast<unsigned>(i));
    }
    return -1;
  };
  CHfcControl* loBar = page->GetControlById(pidOf("Lo EQ"));
  ASSERT_NE(loBar, nullptr);
  // The shorter bar of "Lo EQ" is made in its own style whatever the
  // row's default; its origin is that default.
  EXPECT_NE(dynamic_cast<CXBCtrlHorizontalValueBar*>(loBar), nullptr);
  EXPECT_EQ(loBar->GetFrame().left, lo->GetFrame().left + 83);
  EXPECT_NE(page->GetControlById(pidOf("Level")), nullptr);
}

TEST(EffectFrameRule, FramesOfStylesTwoAndThreeAwayFromRowOneStartLowerAndAreShorter) {
  struct Case {
    int flags, row, columns, rows;
    EffectEditLayer::FrameRect want;
  } cases[] = {
      {0, 0, 3, 1, {"Container_Horizontal_Sub1", 10, 4, 585, 19}},
      {1, 0, 3, 1, {"Container_Horizontal_Sub1", 10, 4, 587, 19}},
      {2, 1, 1, 10, {"Container_SubTab_Base", 10, 25, 193, 199}},
      {2, 4, 1, 10, {"Container_SubTab_Base", 10, 87, 193, 197}},
      {3, 4, 1, 10, {"Container_SubTab_Base", 10, 87, 195, 197}},
      {4, 4, 1, 10, {"Container_SubTab_Base", 10, 85, 193, 199}},
      {6, 1, 2, 3, {"Container_SubTab_Base", 10, 25, 392, 59}},
      {7, 1, 1, 3, {"Container_SubTab_Base", 10, 25, 193, 57}},
      {8, 1, 1, 3, {"Container_SubTab_Base", 10, 25, 196, 57}},
  };
  for (const Case& c : cases) {
    EffectEditLayer::FrameRect r{};
    ASSERT_TRUE(EffectEditLayer::GetFrameRect(c.flags, 15, c.row, c.columns, c.rows, &r)) << c.flags;
    EXPECT_STREQ(r.skin, c.want.skin) << c.flags;
    EXPECT_EQ(r.left, c.want.left) << c.flags;
    EXPECT_EQ(r.top, c.want.top) << c.flags << " row " << c.row;
    EXPECT_EQ(r.width, c.want.width) << c.flags;
    EXPECT_EQ(r.height, c.want.height) << c.flags << " row " << c.row;
  }
  EffectEditLayer::FrameRect r{};
  EXPECT_FALSE(EffectEditLayer::GetFrameRect(9, 15, 1, 1, 1, &r));
}

TEST_F(EffectEditLayerTest, EveryTypeOfEverySlotGivesEachParameterAControl) {
  for (const Slot& s : kSlots) {
    page.reset();
    OpenSlot(s.slot, s.typeId, 0);
    ASSERT_NE(page->GetFXSection(), nullptr) << s.slot;
    SParamDesc d{};
    ASSERT_TRUE(page->GetParamDesc(&d, eMode_ProgEdit, s.typeId));
    for (int t = d.min; t <= d.max; ++t) {
      SetType(s.typeId, t);
      EXPECT_FALSE(page->IsRebuildPending());
      Oskend::ISection* section = page->GetFXSection();
      for (int i = 0; i < section->GetParamCount(); ++i) {
        SParamDesc r{};
        section->GetParamDescByIndex(static_cast<unsigned>(i), &r);
        if (r.ptype < PTYPE_CONT || r.ptype > PTYPE_CONT10) continue;
        const int pid = section->GetParamIDByIndex(static_cast<unsigned>(i));
        EXPECT_NE(page->GetControlById(pid), nullptr)
            << "slot " << s.slot << " type " << t << " row " << i << " " << (r.name ? r.name : "");
      }
    }
    page->Destroy();
  }
}

TEST_F(EffectEditLayerTest, TriggersBeforeAnIdleGiveOneRebuild) {
  OpenSlot(0, 0x200, 1);
  const size_t controls = page->GetControls().size();
  ASSERT_GT(controls, 0u);
  CHfcControl* first = page->GetControls().front();
  auto* counting = static_cast<CountingPage*>(page.get());
  counting->added = 0;
  page->OnEffectTypeChanged(5);
  page->OnEffectTypeChanged(77);
  EXPECT_TRUE(page->IsRebuildPending());
  EXPECT_EQ(page->GetControls().front(), first);
  EXPECT_EQ(counting->added, 0u);
  h.Idle();
  EXPECT_FALSE(page->IsRebuildPending());
  EXPECT_EQ(page->GetControls().size(), controls);
  EXPECT_EQ(counting->added, controls);  // one layout
  h.Idle();
  EXPECT_EQ(counting->added, controls);
  // An audition that ends shows what the browser left; one that starts
  // changes nothing.
  page->OnRemoteSynthAuditionStateChanged(h.synth(), true);
  EXPECT_FALSE(page->IsRebuildPending());
  page->OnRemoteSynthAuditionStateChanged(h.synth(), false);
  EXPECT_TRUE(page->IsRebuildPending());
}

TEST_F(EffectEditLayerTest, ATypeChangeReportedOnlyByTheSectionRebuildsThePage) {
  OpenSlot(0, 0x200, 0);  // "No Effect"
  const int compressor = FindType(0x200, "Stereo Compressor");
  SetType(0x200, 0);
  // The type changes in the model alone; the section's own notice must
  // still reach the page.
  page->PutParamValue(eMode_ProgEdit, 0x200, compressor);
  h.Idle();
  h.Idle();
  EXPECT_NE(Label("Lo EQ [dB]"), nullptr);
  EXPECT_GT(page->GetLinkCount(), 0u);
}

TEST_F(EffectEditLayerTest, InsertAndMasterPagesRebuildTheirSlotsOnTypeChanges) {
  auto back = PageBackground();
  ProgInsertFXLayer ifx(h.synth());
  ifx.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(ifx));
  h.Idle();
  ASSERT_NE(ifx.GetEffectPage(), nullptr);
  const int now = ifx.GetParamValue(eMode_ProgEdit, 0x200);
  ifx.PutParamValue(eMode_ProgEdit, 0x200, now == 1 ? 2 : 1);
  EXPECT_TRUE(ifx.GetEffectPage()->IsRebuildPending());
  h.Idle();
  EXPECT_FALSE(ifx.GetEffectPage()->IsRebuildPending());
  // On a track without insert effect the plate stands in for the box.
  ASSERT_NE(ifx.GetNoEffectPlate(), nullptr);
  EXPECT_FALSE(ifx.GetNoEffectPlate()->IsVisible());
  h.model().SetActiveTrack(3);
  ifx.UpdateIfxControl();
  EXPECT_FALSE(ifx.GetControlById(0x200)->IsVisible());
  EXPECT_TRUE(ifx.GetNoEffectPlate()->IsVisible());
  // The plate is the picture alone: nothing else is shown on it.
  const tagHfcRect plate = ifx.GetNoEffectPlate()->GetFrame();
  for (CHfcControl* c : ifx.GetControls()) {
    if (c == ifx.GetNoEffectPlate() || !c->IsVisible()) continue;
    const tagHfcRect r = c->GetFrame();
    EXPECT_FALSE(r.left < plate.right && plate.left < r.right && r.top < plate.bottom && plate.top < r.bottom)
        << "control " << c->GetId() << " lies on the plate";
  }
  h.Idle();
  h.RenderWindow("program_ifx_not_available");
  // The hidden sub-level strip leaves nothing of its tabs behind: where they
  // stood (x 6 to 90, y 130 to 163 of the page) the page's ground shows.
  const tagHfcRect page = ifx.GetRect();
  for (int y = 130; y < 164; y += 3)
    for (int x = 6; x < 90; ++x)
      ASSERT_EQ(h.WindowPixel(page.left + x, page.top + y), 0xFFDCDEE2u) << "at (" << x << ", " << y << ")";
  h.model().SetActiveTrack(0);
  ifx.UpdateIfxControl();
  EXPECT_TRUE(ifx.GetControlById(0x200)->IsVisible());
  EXPECT_FALSE(ifx.GetNoEffectPlate()->IsVisible());
  h.DestroyPage(ifx);

  ProgMasterFXLayer mfx(h.synth());
  mfx.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(mfx));
  h.Idle();
  // The first page is shown and built; the hidden ones wait for showing.
  EXPECT_FALSE(mfx.GetEffectPage(0)->IsRebuildPending());
  mfx.PutParamValue(eMode_ProgEdit, 0x801, mfx.GetParamValue(eMode_ProgEdit, 0x801) == 1 ? 2 : 1);
  EXPECT_FALSE(mfx.GetEffectPage(0)->IsRebuildPending());
  EXPECT_TRUE(mfx.GetEffectPage(1)->IsRebuildPending());
  mfx.PutParamValue(eMode_ProgEdit, 0x800, mfx.GetParamValue(eMode_ProgEdit, 0x800) == 1 ? 2 : 1);
  EXPECT_TRUE(mfx.GetEffectPage(0)->IsRebuildPending());
  // A control of id 0x10002 selects the total effect's page.
  CHfcControl selector;
  selector.Create(0, 0, 1, 1, 0x10002);
  mfx.OnHfcCtrlIntValueChanged(&selector, 1);
  EXPECT_EQ(mfx.GetSublevelTabControl()->GetActivePageIndex(), 2);
  h.DestroyPage(mfx);
}

}  // namespace
