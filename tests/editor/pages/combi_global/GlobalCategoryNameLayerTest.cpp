// The category names page: choosing a main category re-links the right
// column, names are cut to 24 characters, the heading reads the name.
#include <gtest/gtest.h>

#include "editor/pages/combi_global/GlobalCategoryNameLayer.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "model/ISection.h"
#include "tests/editor/pages/combi_global/CombiGlobalTestKit.h"

namespace {

using namespace combitest;

constexpr int kMain = static_cast<int>(0x90000000u);

class CategoryNamePage : public ::testing::Test {
 protected:
  void SetUp() override {
    global = h.synth()->GetGlobal();
    ASSERT_NE(global, nullptr);
    global->PutParamS(kMain + 3, "BRASS   ");
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
  }
  void TearDown() override { h.DestroyPage(page); }

  CHfcControl* Field(int id) { return page.GetControlById(id); }
  void ClickOn(CHfcControl* c) { h.Click(c->GetFrame().left + 5, c->GetFrame().top + 5); }
  std::vector<int> SubIds() {
    std::vector<int> ids;
    for (int j = 0; j < 8; ++j) {
      // The sub fields keep the control ids of category 0; their links move.
      CHfcControl* f = Field(static_cast<int>(0x90000020u) + j);
      ids.push_back(f ? page.GetParameterIdByControl(f).pid : -1);
    }
    return ids;
  }

  PageHarness h;
  Oskend::ISection* global = nullptr;
  std::unique_ptr<CHfcBmp> back = PageBackground();
  GlobalCategoryNameLayer page{h.synth()};
};

TEST_F(CategoryNamePage, ClickingAMainNameShowsItsSubCategories) {
  EXPECT_EQ(SubIds()[0], static_cast<int>(0x90000020u));
  ClickOn(Field(kMain + 3));
  h.Idle();
  EXPECT_EQ(page.GetSelectedMainCategory(), 3);
  std::vector<int> expected;
  for (unsigned id = 0x90000038; id <= 0x9000003F; ++id) expected.push_back(static_cast<int>(id));
  EXPECT_EQ(SubIds(), expected);
  std::string heading;
  page.GetSectionLabel2(heading);
  EXPECT_EQ(heading, "Sub Category of [03: BRASS]");
  // The right column shows the names of category 3.
  global->PutParamS(0x90000039, "Section");
  h.Idle();
  EXPECT_EQ(Text(Field(static_cast<int>(0x90000021u))).substr(0, 8), "Section ");

  // A sub-category field or another control leaves the choice alone.
  ClickOn(Field(static_cast<int>(0x90000021u)));
  h.Idle();
  EXPECT_EQ(page.GetSelectedMainCategory(), 3);
}

TEST_F(CategoryNamePage, NamesAreCutTo24AndTheHeadingFollowsOnTheNextClick) {
  ClickOn(Field(kMain + 3));
  h.Idle();
  CHfcControl* field = Field(kMain + 3);
  const std::string typed = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";  // 30 characters
  page.OnHfcCtrlPtrValueChanged(field, const_cast<char*>(typed.c_str()));
  h.Idle();
  EXPECT_EQ(global->GetParamS(kMain + 3).substr(0, 24), typed.substr(0, 24));
  EXPECT_EQ(global->GetParamS(kMain + 3).find("YZ"), std::string::npos);
  EXPECT_EQ(Text(field), typed.substr(0, 24));
  std::string heading;
  page.GetSectionLabel2(heading);
  EXPECT_EQ(heading, "Sub Category of [03: " + typed.substr(0, 24) + "]");

  // Categories 6 and 7 have no field here.
  EXPECT_EQ(Field(kMain + 6), nullptr);
  EXPECT_EQ(Field(kMain + 7), nullptr);
  EXPECT_EQ(page.GetSubCatIdTop(GlobalCategoryNameLayer::eCAT_TYPE_PROG, -3), static_cast<int>(0x90000020u));
  EXPECT_EQ(page.GetSubCatIdTop(GlobalCategoryNameLayer::eCAT_TYPE_PROG, 9), static_cast<int>(0x90000050u));
}

TEST_F(CategoryNamePage, TheChosenMainCategoryIsFramedAsASelection) {
  // The main names are fixed; a click chooses one, which shows framed.
  auto framed = [&](int m) {
    auto* field = static_cast<CHfcCtrlCharEditText*>(Field(kMain + m));
    const tagHfcRect& r = field->GetFrame();
    const int out = field->GetFocusMergin() + 1;
    const int y = page.GetRect().top + (r.top + r.bottom) / 2;
    return h.WindowPixel(page.GetRect().left + r.left - out, y) == GlobalCategoryNameLayer::kSelectionColor &&
           h.WindowPixel(page.GetRect().left + r.right + out - 1, y) == GlobalCategoryNameLayer::kSelectionColor;
  };
  h.Idle();
  EXPECT_TRUE(framed(0));
  EXPECT_FALSE(framed(3));
  ClickOn(Field(kMain + 3));
  h.Idle();
  EXPECT_TRUE(framed(3));
  for (int m : {0, 1, 2, 4, 5}) EXPECT_FALSE(framed(m)) << m;
  // A sub-category field is edited, not chosen: the frame stays.
  ClickOn(Field(static_cast<int>(0x90000021u)));
  h.Idle();
  EXPECT_TRUE(framed(3));
  h.RenderWindow("global_category_names_chosen");
}

}  // namespace
