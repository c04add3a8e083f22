// The user scale page: the octave-scale drop-down and the octave selector
// re-link the two rows of note fields.
#include <gtest/gtest.h>

#include "editor/pages/combi_global/GlobalUserScaleLayer.h"
#include "editor/pages/combi_global/XEOctaveSelector.h"
#include "editor/shell/XEControlContainer.h"
#include "model/ISection.h"
#include "tests/editor/pages/combi_global/CombiGlobalTestKit.h"

namespace {

using namespace combitest;

constexpr int kOctave = GlobalUserScaleLayer::kOctaveBase;
constexpr int kAllNotes = GlobalUserScaleLayer::kAllNotesBase;

class UserScalePage : public ::testing::Test {
 protected:
  void SetUp() override {
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    selector = page.GetControlById(GlobalUserScaleLayer::kOctaveSelectorId);
    ASSERT_NE(selector, nullptr);
  }
  void TearDown() override { h.DestroyPage(page); }

  int LinkOf(int controlId) {
    CHfcControl* c = page.GetControlById(controlId);
    return c ? page.GetParameterIdByControl(c).pid : -1;
  }
  void ClickSelectorAt(int x) {
    h.Click(selector->GetFrame().left + x, selector->GetFrame().top + 10);
    h.Idle();
  }

  PageHarness h;
  std::unique_ptr<CHfcBmp> back = PageBackground();
  GlobalUserScaleLayer page{h.synth()};
  CHfcControl* selector = nullptr;
};

TEST_F(UserScalePage, TheDropDownPicksWhichOctaveScaleTheUpperRowEdits) {
  EXPECT_EQ(LinkOf(kOctave), kOctave);
  CHfcControl* list = page.GetControlById(GlobalUserScaleLayer::kScaleListId);
  ASSERT_NE(list, nullptr);
  page.OnHfcCtrlIntValueChanged(list, 2);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(LinkOf(kOctave + i), static_cast<int>(0x81000018u) + i);
  EXPECT_EQ(list->GetIntValue(), 2);
  // A text value is clamped to the scales there are.
  page.OnHfcCtrlPtrValueChanged(list, const_cast<char*>("7"));
  EXPECT_EQ(LinkOf(kOctave), static_cast<int>(0x81000024u));
  page.OnHfcCtrlPtrValueChanged(list, const_cast<char*>("-2"));
  EXPECT_EQ(LinkOf(kOctave), kOctave);

  // An edit of a field goes to the chosen scale's note.
  page.OnHfcCtrlIntValueChanged(list, 2);
  page.OnHfcCtrlIntValueChanged(page.GetControlById(kOctave + 1), -12);
  h.Idle();
  EXPECT_EQ(h.synth()->GetGlobal()->GetParamI(static_cast<int>(0x81000019u)), -12);
  EXPECT_EQ(page.GetControlById(kOctave + 1)->GetIntValue(), -12);
  // And a change of the model's value shows in the field.
  h.synth()->GetGlobal()->PutParamIEx(static_cast<int>(0x8100001Au), 33, Oskend::ISection::kNotify,
                                       eChgSource_Synth);
  h.Idle();
  EXPECT_EQ(page.GetControlById(kOctave + 2)->GetIntValue(), 33);
}

TEST_F(UserScalePage, TheSelectorPicksTheOctaveUnderThePointer) {
  struct Case {
    int x;
    int octave;
  } cases[] = {{1, 0}, {48, 0}, {49, 1}, {49 * 9 + 20, 9}, {49 * 10 + 2, 10}, {selector->GetWidth() - 1, 10}};
  for (const Case& c : cases) {
    ClickSelectorAt(c.x);
    EXPECT_EQ(selector->GetIntValue(), c.octave) << c.x;
    EXPECT_EQ(LinkOf(kAllNotes), kAllNotes + 12 * c.octave) << c.x;
  }
  auto* s = static_cast<XEOctaveSelector*>(selector);
  EXPECT_EQ(s->OctaveAt(-20), 0);
  EXPECT_EQ(s->OctaveAt(5000), 10);
}

TEST_F(UserScalePage, OctaveTenShowsEightFieldsOnTheShortKeys) {
  page.OnHfcCtrlIntValueChanged(selector, 10);
  int shown = 0;
  for (int i = 0; i < 12; ++i) {
    CHfcControl* field = page.GetControlById(kAllNotes + i);
    CHfcControl* label = page.GetControlById(GlobalUserScaleLayer::kAllNotesLabelBase + i);
    shown += field->IsVisible();
    EXPECT_EQ(field->IsVisible(), i < 8) << i;
    EXPECT_EQ(label->IsVisible(), i < 8) << i;
  }
  EXPECT_EQ(shown, 8);
  EXPECT_EQ(LinkOf(kAllNotes + 7), kAllNotes + 127);
  EXPECT_EQ(Text(page.GetControlById(GlobalUserScaleLayer::kAllNotesLabelBase + 7)), "G9");
  XEControlContainer* keys = page.GetAllNotesKeyContainer();
  ASSERT_NE(keys, nullptr);
  const int shortWidth = keys->m_iWidth;

  page.OnHfcCtrlIntValueChanged(selector, 9);
  for (int i = 0; i < 12; ++i) EXPECT_TRUE(page.GetControlById(kAllNotes + i)->IsVisible()) << i;
  EXPECT_EQ(Text(page.GetControlById(GlobalUserScaleLayer::kAllNotesLabelBase)), "C8");
  EXPECT_GT(keys->m_iWidth, shortWidth);
}

}  // namespace
