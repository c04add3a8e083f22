// The modal runs of the drawn forms as a whole: however a form goes, its run
// ends, once, and the program's windows take clicks and keys again; one
// question waits for another; a window made under a question stays held off.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/controls/DrawnAlert.h"
#include "editor/controls/DrawnFileDialog.h"
#include "editor/controls/DrawnMenuTracker.h"
#include "editor/controls/DrawnProgressWindow.h"
#include "os/MainLoop.h"
#include "os/Menu.h"
#include "tests/editor/controls/DrawnFormFixture.h"
#include "tests/support/InputCounter.h"

namespace {

using vesk::test::InputCounter;

struct NoClient : os::FileDialog::Client {};

class DrawnFormModalRunsTest : public DrawnFormFixture {
 protected:
  void SetUp() override {
    DrawnFormFixture::SetUp();
    editor = os::HeadlessWindow::Create(200, 100);
    editor->SetSink(&input);
    for (const char* text : {"Copy", "Paste"}) {
      os::Menu::Item it;
      it.text = text;
      menu.items().push_back(it);
    }
  }
  // A click and a key on the editor window, after the form has gone.
  void ExpectTheEditorTakesInput(const std::string& what) {
    const int presses = input.presses, keys = input.keys;
    editor->InjectClick(os::MouseButton::kLeft, 10, 10);
    editor->InjectKey(os::KeyEvent::Kind::kDown, XK_a);
    env.loop().RunPending();
    EXPECT_EQ(input.presses, presses + 1) << what;
    EXPECT_EQ(input.keys, keys + 1) << what;
    EXPECT_EQ(os::Window::CurrentModalState().runs, 0) << what;
  }
  // While the form is up: the editor takes nothing.
  void ExpectTheEditorHeldOff() {
    editor->InjectClick(os::MouseButton::kLeft, 10, 10);
    editor->InjectKey(os::KeyEvent::Kind::kDown, XK_a);
  }
  // The loop ends every run from outside (the editor's window going away).
  void TakeDown() { env.loop().EndModalsFrom(0); }

  std::unique_ptr<os::HeadlessWindow> editor;
  InputCounter input;
  os::Menu menu{140};
};

TEST_F(DrawnFormModalRunsTest, EveryWayAFormGoesEndsItsRunAndTheEditorTakesAClickAndAKey) {
  struct Way {
    const char* name;
    std::function<void(os::HeadlessWindow* form)> close;
  };
  auto key = [](uint32_t keysym) {
    return [keysym](os::HeadlessWindow* w) { w->InjectKey(os::KeyEvent::Kind::kDown, keysym); };
  };
  auto closeBox = [](os::HeadlessWindow* w) { w->InjectClose(); };
  auto takeDown = [this](os::HeadlessWindow*) { TakeDown(); };
  struct Kind {
    const char* name;
    std::vector<Way> ways;
    std::function<void()> run;  // opens the form and returns once it went
  };
  const std::vector<Kind> kinds = {
      {"alert",
       {{"Return", key(XK_Return)},
        {"Escape", key(XK_Escape)},
        {"its default button",
         [](os::HeadlessWindow* w) { w->InjectClick(os::MouseButton::kLeft, w->Width() - 30, w->Height() - 27); }},
        {"its close box", closeBox},
        {"the program taking it down", takeDown}},
       [] {
         DrawnAlert alert;
         os::Alert::Request r;
         r.mainText = "Receive All?";
         r.buttons = {"OK", "Cancel"};
         alert.Run(r);
       }},
      {"menu",
       {{"Return on an item", [](os::HeadlessWindow* w) {
          w->InjectKey(os::KeyEvent::Kind::kDown, XK_Down);
          w->InjectKey(os::KeyEvent::Kind::kDown, XK_Return);
        }},
        {"Escape", key(XK_Escape)},
        {"a press outside", [](os::HeadlessWindow* w) { w->InjectClick(os::MouseButton::kLeft, -5, -5); }},
        {"its close box", closeBox},
        {"the program taking it down", [](os::HeadlessWindow*) { DrawnMenuTracker::Cancel(); }}},
       [this] { DrawnMenuTracker::Track(menu, 50, 50, 0); }},
      {"file dialog",
       {{"Escape", key(XK_Escape)}, {"its close box", closeBox}, {"the program taking it down", takeDown}},
       [] {
         DrawnFileDialog dialog;
         os::FileDialog::Options o;
         o.title = "Load Data File";
         NoClient client;
         dialog.Run(o, client);
       }},
  };
  for (const Kind& kind : kinds) {
    for (const Way& way : kind.ways) {
      const std::string what = std::string(kind.name) + " closed by " + way.name;
      Later([&] {
        EXPECT_EQ(os::Window::CurrentModalState().runs, 1) << what;
        ExpectTheEditorHeldOff();
        way.close(Last());
      });
      kind.run();
      EXPECT_EQ(input.presses, 0) << what << ": a click reached the editor while the form was up";
      ExpectTheEditorTakesInput(what);
      input = InputCounter();
    }
  }
  // A progress window goes when its owner (the transfer) lets it go.
  {
    DrawnProgressWindow progress;
    progress.Show();
    EXPECT_EQ(os::Window::CurrentModalState().runs, 1);
  }
  ExpectTheEditorTakesInput("progress window taken down");
}

// One question at a time: a question asked while another is open (from a
// timer inside the first one's run) shows only once the first is answered,
// and the first one's window is gone by then.
TEST_F(DrawnFormModalRunsTest, AQuestionAskedWhileAnotherIsOpenWaitsForItsAnswer) {
  std::vector<std::string> events;
  int second = 0;
  size_t windowsWhenTheSecondAsked = 0;
  Later([&] {
    ASSERT_EQ(made.size(), 1u);
    os::HeadlessWindow* first = made[0];
    // Asked from inside the first question's run, as a timer would.
    Later([&, first] {
      windowsWhenTheSecondAsked = made.size();
      Later([&, first] {
        // Still waiting: no second window, the first one still answers.
        events.push_back("windows " + std::to_string(made.size()));
        first->InjectKey(os::KeyEvent::Kind::kDown, XK_Return);
        WhenMade(2, [&] {
          // The first window is gone (taken down on the answer); only the
          // second question's run is left.
          events.push_back("after the first answer: runs " +
                           std::to_string(os::Window::CurrentModalState().runs));
          Last()->InjectKey(os::KeyEvent::Kind::kDown, XK_Escape);
        });
      });
      DrawnAlert alert;
      os::Alert::Request r;
      r.mainText = "MIDI Device changed";
      r.buttons = {"OK", "Cancel"};
      second = alert.Run(r);
      events.push_back("second answered " + std::to_string(second));
      // Shown on top of the first instead of after it, the first would be
      // left unanswered: answer it now, so that the test ends.
      if (os::Window::CurrentModalState().questions > 0)
        Later([first] { first->InjectKey(os::KeyEvent::Kind::kDown, XK_Return); });
    });
  });
  DrawnAlert alert;
  os::Alert::Request r;
  r.mainText = "Vesk Hardware not found.";
  r.buttons = {"OK", "Cancel"};
  const int first = alert.Run(r);
  events.push_back("first answered " + std::to_string(first));
  EXPECT_EQ(windowsWhenTheSecondAsked, 1u);
  EXPECT_EQ(events, (std::vector<std::string>{"windows 1", "after the first answer: runs 1",
                                              "second answered 2", "first answered 1"}));
  EXPECT_EQ(os::Window::CurrentModalState().runs, 0);
}

// A run begun after the question holds it off (a plug-in's progress window
// or question, which the program hears of only after its own question
// showed) and takes the keyboard focus: once that run has ended, the
// question has the focus again, and Return answers it.
TEST_F(DrawnFormModalRunsTest, AQuestionHeldOffByALaterRunHasTheFocusAgainWhenThatRunEnds) {
  bool focusedWhenReleased = false;
  Later([&] {
    os::HeadlessWindow* question = Last();
    ASSERT_TRUE(question->HasFocus());
    auto later = std::make_unique<os::Window::ModalInput>();
    question->InjectFocus(false);  // the later run's window took the focus
    EXPECT_FALSE(question->TakesInput());
    later.reset();
    focusedWhenReleased = question->HasFocus();
    question->InjectKey(os::KeyEvent::Kind::kDown, XK_Return);
  });
  DrawnAlert alert;
  os::Alert::Request r;
  r.mainText = "The settings file could not be read. Default settings are used.";
  r.buttons = {"OK", "Cancel"};
  EXPECT_EQ(alert.Run(r), 1);
  EXPECT_TRUE(focusedWhenReleased);
}

// The start-up question is open when the host opens the editor's view: the
// view is held off until the question is answered.
TEST_F(DrawnFormModalRunsTest, AViewOpenedUnderAQuestionTakesNoInputUntilItIsAnswered) {
  std::unique_ptr<os::HeadlessWindow> view;
  InputCounter viewInput;
  Later([&] {
    view = os::HeadlessWindow::Create(300, 200);
    view->SetSink(&viewInput);
    view->InjectClick(os::MouseButton::kLeft, 20, 20);
    view->InjectKey(os::KeyEvent::Kind::kDown, XK_a);
    Then([&] {
      EXPECT_FALSE(view->TakesInput());
      made[0]->InjectKey(os::KeyEvent::Kind::kDown, XK_Escape);
    });
  });
  DrawnAlert alert;
  os::Alert::Request r;
  r.mainText = "Vesk Hardware not found.";
  r.buttons = {"OK", "Cancel"};
  EXPECT_EQ(alert.Run(r), 2);
  EXPECT_EQ(viewInput.presses, 0);
  EXPECT_EQ(viewInput.keys, 0);
  view->InjectClick(os::MouseButton::kLeft, 20, 20);
  view->InjectKey(os::KeyEvent::Kind::kDown, XK_a);
  env.loop().RunPending();
  EXPECT_EQ(viewInput.presses, 1);
  EXPECT_EQ(viewInput.keys, 1);
}

// A popup control's list opens where the control is, at least as wide as
// it, and never past its window's sides: moved left, or cut to the width.
TEST_F(DrawnFormModalRunsTest, APopupListStaysInsideItsWindow) {
  auto listOf = [](int id, const char* text) {
    auto m = std::make_unique<os::Menu>(id);
    for (const char* t : {" -- ", text}) {
      os::Menu::Item it;
      it.text = t;
      m->items().push_back(it);
    }
    return m;
  };
  auto longList = listOf(141, "Vesk Plug-In Editor out-4 (a long port name of a MIDI interface)");
  auto shortList = listOf(142, "KEYS");
  auto open = [this](os::Menu& m, int x, const os::Menu::Fit& fit) {
    m.SetFit(fit);
    Later([this] { Last()->InjectKey(os::KeyEvent::Kind::kDown, XK_Escape); });
    DrawnMenuTracker::Track(m, x, 60, 1);
    return std::make_pair(specs.back().x, specs.back().width);
  };
  const int wide = open(*longList, 500, {}).second;  // as wide as its texts
  EXPECT_EQ(specs.back().x, 500);
  ASSERT_GT(wide, 200);
  struct Case {
    const char* name;
    os::Menu* menu;
    int x;
    os::Menu::Fit fit;
    int left, width;
  };
  const std::vector<Case> cases = {
      {"near the right edge: moved left", longList.get(), 200, {100, 0, wide + 100}, 100, wide},
      {"a window narrower than the list: cut to it", longList.get(), 200, {100, 50, 50 + wide - 40}, 50,
       wide - 40},
      {"short items: as wide as the control", shortList.get(), 100, {400, 0, 1000}, 100, 400},
  };
  for (const Case& c : cases) {
    const auto [left, width] = open(*c.menu, c.x, c.fit);
    EXPECT_EQ(left, c.left) << c.name;
    EXPECT_EQ(width, c.width) << c.name;
  }
}

}  // namespace
