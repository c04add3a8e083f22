// The user scale page: the octave-scale drop-down and the octave selector
// re-link the two rows of note fields.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "editor/pages/combi_global/GlobalUserScaleLayer.h"
#include "editor/pages/combi_global/XEOctaveSelector.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcBmp.h"
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

// Every note field stands on its key of the keyboard picture behind the
// row: inside it, and a black key's field as far from either of the key's
// sides; so in the shorter picture of octave 10.
TEST_F(UserScalePage, EachNoteFieldStandsOnItsKey) {
  const bool black[12] = {false, true, false, true, false, false, true, false, true, false, true, false};
  XEControlContainer* allNotes = page.GetAllNotesKeyContainer();
  ASSERT_NE(allNotes, nullptr);
  XEControlContainer* octave = nullptr;
  for (int i = 0; i < page.GetContainerCount(); ++i)
    if (page.GetContainerByIndex(i)->m_pBackground == allNotes->m_pBackground && page.GetContainerByIndex(i) != allNotes)
      octave = page.GetContainerByIndex(i);
  ASSERT_NE(octave, nullptr);
  struct Row {
    const char* name;
    XEControlContainer* keys;
    int base;
    int selectOctave;  // -1: leave it
  };
  for (const Row& row : {Row{"octave scale", octave, kOctave, -1}, Row{"all notes, octave 0", allNotes, kAllNotes, 0},
                         Row{"all notes, octave 10", allNotes, kAllNotes, 10}}) {
    if (row.selectOctave >= 0) page.OnHfcCtrlIntValueChanged(selector, row.selectOctave);
    CHfcBmp* picture = row.keys->m_pBackground;
    ASSERT_NE(picture, nullptr);
    for (int i = 0; i < 12; ++i) {
      CHfcControl* field = page.GetControlById(row.base + i);
      if (!field->IsVisible()) continue;
      SCOPED_TRACE(std::string(row.name) + ", note " + std::to_string(i));
      const tagHfcRect& f = field->GetFrame();
      const int y = (f.top + f.bottom) / 2 - row.keys->m_iY;
      const int left = f.left - row.keys->m_iX;
      const int right = f.right - row.keys->m_iX;
      ASSERT_LT(right, picture->GetWidth());
      // The key's face: the colour beside the field's middle, followed out
      // to the key's sides.
      const uint32_t face = picture->GetPixel(left - 1, y);
      int from = left - 1;
      while (from > 0 && picture->GetPixel(from - 1, y) == face) --from;
      int to = right;
      while (to + 1 < picture->GetWidth() && picture->GetPixel(to, y) == face) ++to;
      EXPECT_EQ(picture->GetPixel(right, y), face) << "the field reaches past its key's face";
      EXPECT_GE(left - from, 2) << "face " << from << " to " << to << ", field " << left << " to " << right;
      EXPECT_GE(to - right, 2) << "face " << from << " to " << to << ", field " << left << " to " << right;
      if (black[i]) {
        EXPECT_LE(std::abs((left - from) - (to - right)), 1) << "face " << from << " to " << to;
      }
    }
  }
}

}  // namespace
