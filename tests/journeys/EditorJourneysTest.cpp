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

TEST_F(Journey, ClickingATabShowsItsPageAndAKeyOfTheKeyboardSoundsOnTheSynthesizer) {
  ASSERT_NO_FATAL_FAILURE(StartConnected());
  WindowMap& map = Map();
  const Picture before = Shot(0, kPageTop, View().width, kPageBottom - kPageTop);
  Click(map.MainTab(0, 1));
  EXPECT_TRUE(WaitForChange(before, 0, kPageTop, View().width, kPageBottom - kPageTop, 5000))
      << "the page stayed as it was after a click on the second tab";
  const size_t from = Received().size();
  Click(map.WhiteKey(30));
  EXPECT_TRUE(WaitForNote(from, 5000)) << "no note reached the synthesizer";
}

}  // namespace
}  // namespace vesk::journey
