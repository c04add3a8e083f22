#include "editor/controls/DrawnAlert.h"

#include "tests/editor/controls/DrawnFormFixture.h"

namespace {

class DrawnAlertTest : public DrawnFormFixture {
 protected:
  os::Alert::Request ThreeButtons() {
    os::Alert::Request r;
    r.mainText = "Do you want to save the changes to the program?";
    r.explanation = "Your changes will be lost if you don't save them.";
    r.buttons = {"Save", "Cancel", os::Alert::kOtherText};
    r.icon = os::Alert::Icon::kCaution;
    return r;
  }
};

TEST_F(DrawnAlertTest, KeysChooseTheDefaultAndTheCancelButton) {
  struct Case {
    uint32_t keysym;
    size_t buttons;
    int answer;
  } cases[] = {{XK_Return, 3, 1}, {XK_KP_Enter, 2, 1}, {XK_Escape, 3, 2}, {XK_Escape, 1, 1}};
  for (const Case& c : cases) {
    DrawnAlert alert;
    auto r = ThreeButtons();
    r.buttons.resize(c.buttons);
    Key(c.keysym);
    EXPECT_EQ(alert.Run(r), c.answer) << c.keysym << " with " << c.buttons;
  }
}

TEST_F(DrawnAlertTest, AClickOnAButtonChoosesItAndAClickBesideChoosesNothing) {
  DrawnAlert alert;
  // The window is made inside Run; the clicks find the buttons by colour:
  // press in the empty top-left corner first (nothing), then on "Cancel".
  Click(2, 2);
  Later([this] {
    // Cancel is the second button from the right: its frame is grey, and
    // it sits left of the amber-framed default button.
    os::HeadlessWindow* w = Last();
    int amberLeft = w->Width();
    const int y = w->Height() - 16 - 11;
    for (int x = 0; x < w->Width(); ++x)
      if ((w->Pixel(x, y) | 0xFF000000u) == DrawnForm::kAmber) amberLeft = std::min(amberLeft, x);
    w->InjectClick(os::MouseButton::kLeft, amberLeft - 10 - 20, y);
  });
  EXPECT_EQ(alert.Run(ThreeButtons()), 2);
}

TEST_F(DrawnAlertTest, ClosingTheWindowCancelsAndThePictureShowsTheFormFirst) {
  DrawnAlert alert;
  Later([this] {
    Snapshot("drawn_alert");
    EXPECT_GT(CountColour(Last(), DrawnForm::kAmber), 100);  // icon and default button
    EXPECT_GT(CountLight(Last()), 100);    // the texts
    Last()->InjectClose();
  });
  EXPECT_EQ(alert.Run(ThreeButtons()), 2);
  EXPECT_EQ(specs.back().title, ThreeButtons().mainText);
}

TEST_F(DrawnAlertTest, WithoutAWindowTheHeadlessAnswerComes) {
  DrawnForm::SetWindowMaker([](const DrawnForm::WindowPlacement&) { return nullptr; });
  os::HeadlessAlert::Reset();
  os::HeadlessAlert::Script(3);
  DrawnAlert alert;
  EXPECT_EQ(alert.Run(ThreeButtons()), 3);
  os::HeadlessAlert::Reset();
}

}  // namespace
