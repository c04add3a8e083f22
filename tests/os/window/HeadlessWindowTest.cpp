#include "os/window/HeadlessWindow.h"

#include <gtest/gtest.h>
// The X headers come after the test framework, whose names they would shadow.
#include <X11/X.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "os/window/PngFile.h"
#include "tests/support/TestEnvironment.h"

namespace {

using os::HeadlessWindow;
using os::MouseButton;
using os::MouseEvent;
using vesk::test::TestEnvironment;

struct RecordingSink : os::WindowSink {
  std::vector<os::MouseEvent> mouse;
  std::vector<os::KeyEvent> keys;
  std::vector<bool> focus;
  std::vector<os::WindowRect> exposes;
  std::vector<os::DragEvent::Kind> drags;
  int effect = 0;
  int closes = 0;
  void OnWindowMouse(const os::MouseEvent& e) override { mouse.push_back(e); }
  bool OnWindowKey(const os::KeyEvent& e) override {
    keys.push_back(e);
    return true;
  }
  void OnWindowFocus(bool gained) override { focus.push_back(gained); }
  int OnWindowDrag(const os::DragEvent& e) override {
    drags.push_back(e.kind);
    return effect;
  }
  void OnWindowExpose(const os::WindowRect& r) override { exposes.push_back(r); }
  void OnWindowClose() override { ++closes; }
};

// Marks every handler call made inside the sink's one event hook.
struct HookedSink : RecordingSink {
  int depth = 0;
  std::vector<std::string> calls;
  void OnWindowEvent(const std::function<void()>& deliver) override {
    ++depth;
    deliver();
    --depth;
  }
  void Note(const char* what) { calls.push_back(std::string(what) + (depth == 1 ? " inside" : " outside")); }
  void OnWindowMouse(const os::MouseEvent& e) override { Note("mouse"); }
  bool OnWindowKey(const os::KeyEvent& e) override { return Note("key"), true; }
  void OnWindowFocus(bool) override { Note("focus"); }
  int OnWindowDrag(const os::DragEvent&) override { return Note("drag"), 1; }
  void OnWindowExpose(const os::WindowRect&) override { Note("expose"); }
  void OnWindowClose() override { Note("close"); }
  void OnWindowBoundsChanging(os::WindowRect*, bool, bool) override { Note("bounds changing"); }
  void OnWindowBoundsChanged(const os::WindowRect&, bool, bool) override { Note("bounds changed"); }
  bool OnWindowCollapse(bool) override { return Note("collapse"), true; }
};

std::string TempPath(const char* name) {
  return std::string(testing::TempDir()) + "/" + name + "_" + std::to_string(getpid()) + ".png";
}

TEST(HeadlessWindow, RefusesAnEmptySize) {
  EXPECT_EQ(HeadlessWindow::Create(0, 10), nullptr);
  EXPECT_EQ(HeadlessWindow::Create(10, 0), nullptr);
  auto w = HeadlessWindow::Create(1, 1);
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(w->Resize(0, 5));
  EXPECT_EQ(w->Width(), 1);
}

TEST(HeadlessWindow, InjectedMouseEventsArriveInOrderOnTheLoopWithScreenCoordinates) {
  TestEnvironment env;
  auto w = HeadlessWindow::Create(50, 40);
  RecordingSink sink;
  w->SetSink(&sink);
  w->InjectClick(MouseButton::kRight, 3, 4, 1, 2);
  MouseEvent wheel;
  wheel.kind = MouseEvent::Kind::kWheel;
  wheel.x = 10;
  wheel.y = 11;
  wheel.wheelDelta = -2;
  w->InjectMouse(wheel);
  EXPECT_TRUE(sink.mouse.empty());  // nothing before the loop runs
  env.loop().RunPending();
  ASSERT_EQ(sink.mouse.size(), 3u);
  EXPECT_EQ(sink.mouse[0].kind, MouseEvent::Kind::kDown);
  EXPECT_EQ(sink.mouse[1].kind, MouseEvent::Kind::kUp);
  EXPECT_EQ(sink.mouse[1].button, MouseButton::kRight);
  EXPECT_EQ(sink.mouse[1].clickCount, 2);
  EXPECT_EQ(sink.mouse[1].mods, 1);
  EXPECT_EQ(sink.mouse[0].x, 3);
  EXPECT_EQ(sink.mouse[0].globalX, 3 + HeadlessWindow::kDefaultOriginX);
  EXPECT_EQ(sink.mouse[0].globalY, 4 + HeadlessWindow::kDefaultOriginY);
  EXPECT_NE(HeadlessWindow::kDefaultOriginX, HeadlessWindow::kDefaultOriginY);
  EXPECT_EQ(sink.mouse[2].wheelDelta, -2);
  EXPECT_EQ(os::Window::LastPressed(), w.get());
}

TEST(HeadlessWindow, KeysGoThroughTheKeyTable) {
  TestEnvironment env;
  auto w = HeadlessWindow::Create(10, 10);
  RecordingSink sink;
  w->SetSink(&sink);
  w->InjectKey(os::KeyEvent::Kind::kDown, XK_Left, ControlMask | ShiftMask);
  w->InjectKey(os::KeyEvent::Kind::kRepeat, XK_Left, 0);
  w->InjectKey(os::KeyEvent::Kind::kUp, XK_eacute, Mod1Mask);
  env.loop().RunPending();
  ASSERT_EQ(sink.keys.size(), 3u);
  EXPECT_EQ(sink.keys[0].key, 37);
  EXPECT_EQ(sink.keys[0].chr, 28);
  EXPECT_EQ(sink.keys[0].mods, 3);
  EXPECT_EQ(sink.keys[1].kind, os::KeyEvent::Kind::kRepeat);
  EXPECT_EQ(sink.keys[2].kind, os::KeyEvent::Kind::kUp);
  EXPECT_EQ(sink.keys[2].chr, -23);
  EXPECT_EQ(sink.keys[2].mods, 4);
}

TEST(HeadlessWindow, InvalidatedAreasJoinIntoOneExposeClippedToTheWindow) {
  TestEnvironment env;
  auto w = HeadlessWindow::Create(100, 80);
  RecordingSink sink;
  w->SetSink(&sink);
  w->Invalidate({10, 10, 20, 20});
  w->Invalidate({50, -5, 120, 15});
  w->Invalidate({200, 200, 300, 300});  // outside: ignored
  env.loop().RunPending();
  ASSERT_EQ(sink.exposes.size(), 1u);
  EXPECT_EQ(sink.exposes[0].left, 10);
  EXPECT_EQ(sink.exposes[0].top, 0);
  EXPECT_EQ(sink.exposes[0].right, 100);
  EXPECT_EQ(sink.exposes[0].bottom, 20);
}

TEST(HeadlessWindow, PresentCopiesTheClippedAreaOfThePicture) {
  auto w = HeadlessWindow::Create(8, 6);
  std::vector<uint32_t> picture(10 * 10);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = 0xFF000000u | static_cast<uint32_t>(i);
  EXPECT_TRUE(w->Present(picture.data(), 10, 10, {6, 4, 20, 20}));
  EXPECT_EQ(w->Pixel(6, 4), 0xFF000000u | 46u);
  EXPECT_EQ(w->Pixel(7, 5), 0xFF000000u | 57u);
  EXPECT_EQ(w->Pixel(5, 4), 0u);  // outside the area
  EXPECT_EQ(w->Pixel(6, 3), 0u);
  EXPECT_FALSE(w->Present(picture.data(), 10, 10, {8, 0, 20, 6}));  // right of the window
  EXPECT_FALSE(w->Present(nullptr, 10, 10, {0, 0, 4, 4}));
  // A picture smaller than the window limits the area too.
  std::vector<uint32_t> small(2 * 2, 0xFFFFFFFFu);
  EXPECT_TRUE(w->Present(small.data(), 2, 2, {0, 0, 8, 6}));
  EXPECT_EQ(w->Pixel(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(w->Pixel(2, 1), 0u);
  EXPECT_EQ(w->PresentCount(), 2);
}

TEST(HeadlessWindow, PixelsRoundTripThroughAPngFile) {
  auto w = HeadlessWindow::Create(5, 3);
  std::vector<uint32_t> picture = {
      0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0x80102030u, 0x00000000u,
      0xFFFFFFFFu, 0xFF123456u, 0xFF000000u, 0x7FABCDEFu, 0x01020304u,
      0xFF010101u, 0xFFFEFEFEu, 0xC0C0C0C0u, 0xFF00FFFFu, 0xFFFF00FFu,
  };
  ASSERT_TRUE(w->Present(picture.data(), 5, 3, {0, 0, 5, 3}));
  const std::string path = TempPath("headless");
  ASSERT_TRUE(w->WritePng(path));
  std::vector<uint32_t> back;
  int width = 0, height = 0;
  ASSERT_TRUE(os::ReadPngFile(path, &back, &width, &height));
  EXPECT_EQ(width, 5);
  EXPECT_EQ(height, 3);
  EXPECT_EQ(back, picture);
  std::remove(path.c_str());
  EXPECT_FALSE(os::ReadPngFile(path, &back, &width, &height));
  EXPECT_FALSE(os::WritePngFile(TempPath("no/such/dir"), picture.data(), 5, 3, 5));
}

TEST(HeadlessWindow, DropWithoutAnAcceptedEffectIsRefused) {
  auto w = HeadlessWindow::Create(20, 20);
  RecordingSink sink;
  w->SetSink(&sink);
  const std::vector<os::DragItem> items = {{0x54455854u, 0, {1, 2, 3}, {}}};
  struct Case {
    int answer;
    int result;
  };
  const Case cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 0}, {-1, 0}};
  for (const Case& c : cases) {
    sink.effect = c.answer;
    EXPECT_EQ(w->InjectDrag(os::DragEvent::Kind::kDrop, 5, 5, 0, items), c.result) << c.answer;
  }
  w->SetSink(nullptr);
  EXPECT_EQ(w->InjectDrag(os::DragEvent::Kind::kDrop, 5, 5, 0, items), 0);
}

TEST(HeadlessWindow, CursorAndFocusAndOutgoingDrag) {
  TestEnvironment env;
  auto a = HeadlessWindow::Create(4, 4);
  auto b = HeadlessWindow::Create(4, 4);
  os::Window::SetCursorEverywhere(os::CursorId::kIBeam);
  EXPECT_EQ(a->Cursor(), os::CursorId::kIBeam);
  EXPECT_EQ(b->Cursor(), os::CursorId::kIBeam);
  RecordingSink sink;
  a->SetSink(&sink);
  EXPECT_TRUE(a->RequestFocus());
  env.loop().RunPending();
  EXPECT_TRUE(a->HasFocus());
  EXPECT_EQ(sink.focus, std::vector<bool>{true});
  a->SetDragTargetAnswer(os::kDragActionCopy | os::kDragActionMove);
  const std::vector<os::DragItem> items = {{1, 0, {9}, {}}};
  EXPECT_EQ(a->RunDrag(items, 1, 1), os::kDragActionCopy | os::kDragActionMove);
  ASSERT_EQ(a->LastDraggedItems().size(), 1u);
  EXPECT_EQ(a->LastDraggedItems()[0].data, std::vector<uint8_t>{9});
}

TEST(HeadlessWindow, EventsPostedForAWindowThatIsGoneAreDropped) {
  TestEnvironment env;
  RecordingSink sink;
  {
    auto w = HeadlessWindow::Create(4, 4);
    w->SetSink(&sink);
    w->InjectClick(MouseButton::kLeft, 1, 1);
    w->InjectClose();
  }
  env.loop().RunPending();
  EXPECT_TRUE(sink.mouse.empty());
  EXPECT_EQ(sink.closes, 0);
}

// While a modal run goes on (a message box, a menu), only the windows it
// adopted take clicks or keys, even those already on their way to the
// others; its own windows do until a run nested in it begins.
TEST(HeadlessWindow, AModalRunHoldsOffEveryWindowButItsOwn) {
  TestEnvironment env;
  auto editor = HeadlessWindow::Create(20, 20);
  RecordingSink editorSink;
  editor->SetSink(&editorSink);
  editor->InjectClick(MouseButton::kLeft, 1, 1);  // queued, not yet handled
  {
    os::Window::ModalInput run;
    auto box = HeadlessWindow::Create(10, 10);
    run.Adopt(box.get());
    RecordingSink boxSink;
    box->SetSink(&boxSink);
    EXPECT_FALSE(editor->TakesInput());
    EXPECT_TRUE(box->TakesInput());
    editor->InjectClick(MouseButton::kLeft, 2, 2);
    editor->InjectKey(os::KeyEvent::Kind::kDown, XK_Escape, 0);
    box->InjectClick(MouseButton::kLeft, 3, 3);
    box->InjectKey(os::KeyEvent::Kind::kDown, XK_Return, 0);
    env.loop().RunPending();
    EXPECT_TRUE(editorSink.mouse.empty());
    EXPECT_TRUE(editorSink.keys.empty());
    EXPECT_EQ(boxSink.mouse.size(), 2u);
    EXPECT_EQ(boxSink.keys.size(), 1u);
    {
      os::Window::ModalInput nested;
      box->InjectClick(MouseButton::kLeft, 3, 3);
      env.loop().RunPending();
      EXPECT_EQ(boxSink.mouse.size(), 2u);
    }
    box->InjectClick(MouseButton::kLeft, 3, 3);
    env.loop().RunPending();
    EXPECT_EQ(boxSink.mouse.size(), 4u);
  }
  EXPECT_TRUE(editor->TakesInput());
  editor->InjectClick(MouseButton::kLeft, 4, 4);
  env.loop().RunPending();
  ASSERT_EQ(editorSink.mouse.size(), 2u);
  EXPECT_EQ(editorSink.mouse[0].x, 4);
}

// A sink learns in one place when its own code runs for an event: every
// kind of event reaches its handler inside the sink's event hook.
TEST(HeadlessWindow, EveryEventReachesItsHandlerInsideTheSinksEventHook) {
  TestEnvironment env;
  auto w = HeadlessWindow::Create(50, 40);
  HookedSink sink;
  w->SetSink(&sink);
  w->InjectClick(MouseButton::kLeft, 3, 4);
  w->InjectKey(os::KeyEvent::Kind::kDown, XK_a);
  w->InjectFocus(true);
  w->Invalidate({0, 0, 10, 10});
  w->InjectClose();
  w->InjectUserBounds({200, 100, 260, 150});
  w->InjectCollapse(true);
  env.loop().RunPending();
  w->InjectDrag(os::DragEvent::Kind::kEnter, 5, 5, 0, {});
  const std::vector<std::string> want = {"mouse inside", "mouse inside", "key inside",
                                         "focus inside", "expose inside", "close inside",
                                         "bounds changing inside", "bounds changed inside",
                                         "collapse inside", "drag inside"};
  EXPECT_EQ(sink.calls, want);
}

// A window made while a question is up (a host opening the editor's view
// under the start-up question) is held off like the ones before it.
TEST(HeadlessWindow, AWindowMadeDuringARunThatDidNotAdoptItIsHeldOff) {
  TestEnvironment env;
  os::Window::ModalInput question(os::Window::ModalInput::Kind::kQuestion);
  auto view = HeadlessWindow::Create(20, 20);
  RecordingSink sink;
  view->SetSink(&sink);
  view->InjectClick(MouseButton::kLeft, 2, 2);
  view->InjectKey(os::KeyEvent::Kind::kDown, XK_a, 0);
  env.loop().RunPending();
  EXPECT_FALSE(view->TakesInput());
  EXPECT_TRUE(sink.mouse.empty());
  EXPECT_TRUE(sink.keys.empty());
}

// Runs end in any order, each once: the one that ends takes nothing of the
// others with it, and its windows become ordinary ones.
TEST(HeadlessWindow, RunsEndingOutOfOrderLeaveTheInnermostInCharge) {
  TestEnvironment env;
  auto outerBox = HeadlessWindow::Create(10, 10);
  auto innerBox = HeadlessWindow::Create(10, 10);
  std::vector<os::Window::ModalState> told;
  const int id = os::Window::AddModalListener([&](const os::Window::ModalState& s) { told.push_back(s); });
  auto outer = std::make_unique<os::Window::ModalInput>();
  outer->Adopt(outerBox.get());
  auto inner = std::make_unique<os::Window::ModalInput>(os::Window::ModalInput::Kind::kQuestion);
  inner->Adopt(innerBox.get());
  EXPECT_FALSE(outerBox->TakesInput());
  EXPECT_TRUE(innerBox->TakesInput());
  outer.reset();  // the program takes the outer form down first
  EXPECT_FALSE(outerBox->TakesInput());
  EXPECT_TRUE(innerBox->TakesInput());
  EXPECT_EQ(os::Window::CurrentModalState().runs, 1);
  EXPECT_EQ(os::Window::CurrentModalState().questions, 1);
  inner.reset();
  EXPECT_TRUE(outerBox->TakesInput());
  EXPECT_TRUE(innerBox->TakesInput());
  os::Window::RemoveModalListener(id);
  ASSERT_EQ(told.size(), 4u);
  const int runs[] = {1, 2, 1, 0}, questions[] = {0, 1, 1, 0};
  for (size_t i = 0; i < told.size(); ++i) {
    EXPECT_EQ(told[i].runs, runs[i]) << i;
    EXPECT_EQ(told[i].questions, questions[i]) << i;
  }
}

// Asked, each source present is asked once, in the order they came; one
// that an earlier one removed is not asked, and a removed one no more.
TEST(HeadlessWindow, EachModalSourcePresentIsAskedOnce) {
  std::vector<std::string> asked;
  int second = 0, third = 0;
  const int first = os::Window::AddModalSource([&] {
    asked.push_back("first");
    if (third) os::Window::RemoveModalSource(third);
    third = 0;
  });
  second = os::Window::AddModalSource([&] { asked.push_back("second"); });
  third = os::Window::AddModalSource([&] { asked.push_back("third"); });
  os::Window::AskModalSources();
  EXPECT_EQ(asked, (std::vector<std::string>{"first", "second"}));
  os::Window::RemoveModalSource(first);
  asked.clear();
  os::Window::AskModalSources();
  EXPECT_EQ(asked, (std::vector<std::string>{"second"}));
  os::Window::RemoveModalSource(second);
}

}  // namespace
