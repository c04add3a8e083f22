// Journeys with `Vesk Editor`: what a person does with the real program and
// the simulated synthesizer, and what they would see or hear come of it.
#include <gtest/gtest.h>

#include "editor/shell/OskendBackgroundLayer.h"
#include "tests/journeys/EditorJourney.h"

namespace vesk::journey {
namespace {

using Journey = EditorJourney;

// The part of the view that holds the main tab's page.
constexpr int kPageTop = 140, kPageBottom = 520;

// A click on the performance strip's second tab shows another page, and a
// click on a key of the on-screen keyboard plays a note on the synthesizer:
// the window takes clicks.
void ExpectTheWindowTakesClicks(EditorJourney& j) {
  WindowMap& map = j.Map();
  const int width = j.View().width;
  const EditorJourney::Picture before = j.Shot(0, kPageTop, width, kPageBottom - kPageTop);
  j.Click(map.MainTab(0, 1));
  EXPECT_TRUE(j.WaitForChange(before, 0, kPageTop, width, kPageBottom - kPageTop, 5000))
      << "the page stayed as it was after a click on the second tab";
  const size_t from = j.Received().size();
  j.Click(map.WhiteKey(30));
  EXPECT_TRUE(j.WaitForNote(from, 5000)) << "no note reached the synthesizer";
}

TEST_F(Journey, ClickingATabShowsItsPageAndAKeyOfTheKeyboardSoundsOnTheSynthesizer) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  ExpectTheWindowTakesClicks(*this);
}

// Disabled: after Settings has been closed once, no click reaches the editor
// window any more and its menus do not open.
TEST_F(Journey, DISABLED_ClosingSettingsWithCancelOkOrItsCloseBoxLeavesTheWindowWorking) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  for (const std::string how : {"Cancel", "OK", "close box"}) {
    SCOPED_TRACE("Settings closed with " + how);
    ASSERT_TRUE(ChooseMenu("Audio", "Settings...")) << "the Audio menu did not open; on the screen:" << stage_.ScreenList();
    os::XDisplayDriver::TopWindow settings;
    ASSERT_TRUE(WaitUntil([&] { return FindWindowSized(WindowMap::SettingsWidth(), WindowMap::SettingsHeight(), &settings); }, 5000))
        << "no Settings window";
    if (how == "close box") {
      stage_.x().CloseBox(settings.id);
    } else {
      const Point b = WindowMap::SettingsButton(how);
      stage_.x().Click(settings.rect.x + b.x, settings.rect.y + b.y);
    }
    EXPECT_TRUE(WaitUntil([&] { return !FindWindowSized(WindowMap::SettingsWidth(), WindowMap::SettingsHeight(), &settings); }, 5000))
        << "the Settings window stayed open";
  }
  ExpectTheWindowTakesClicks(*this);
}

}  // namespace
}  // namespace vesk::journey
