#include "tests/journeys/EditorJourney.h"

#include <algorithm>
#include <stdexcept>

#include "editor/shell/OskendBackgroundLayer.h"

namespace vesk::journey {

void EditorJourney::SetUp() {
  if (!stage_.Open()) {
    if (stage_.why().find("need") != std::string::npos) GTEST_SKIP() << stage_.why();
    FAIL() << stage_.why();
  }
}

void EditorJourney::TearDown() {
  // An editor that ended by itself during the journey is noted here.
  stage_.StopEditor();
  EXPECT_EQ(stage_.Reports(), "") << "a program of the journey reported a fault";
}

void EditorJourney::StartConnected(eMode mode) {
  ASSERT_TRUE(stage_.StartSynth()) << "the simulated synthesizer did not start";
  ASSERT_TRUE(StartEditor(mode)) << "no editor window; on the screen:" << stage_.ScreenList() << "\n" << stage_.EditorErrors();
  // Taking in the instrument's memory ends with the request for the
  // current performance (the instrument starts in performance mode).
  ASSERT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "request-current" && l.words == std::vector<std::string>{"combination"}; }, 20000))
      << "the editor never asked the synthesizer for its current sound; it received:" << stage_.RecordTail()
      << "\non the screen:" << stage_.ScreenList() << "\n" << stage_.EditorErrors();
  // ... and the progress window of the transfer goes.
  ASSERT_TRUE(WaitForOnlyTheEditorWindow(20000))
      << "a window stayed open after connecting:" << stage_.ScreenList();
}

bool EditorJourney::StartEditor(eMode mode) {
  stage_.LaunchEditor();
  // Made while the program starts.
  if (!map_) map_ = std::make_unique<WindowMap>(mode);
  return stage_.WaitForEditorWindow();
}

EditorJourney::Rect EditorJourney::View() {
  Rect w, v;
  // (The program makes the view anew when the window is locked or unlocked.)
  if (!WaitUntil([&] { return stage_.EditorWindow(&w, &v); }, 5000)) throw std::runtime_error("the editor window is gone");
  return v;
}

EditorJourney::Rect EditorJourney::Window() {
  Rect w, v;
  if (!WaitUntil([&] { return stage_.EditorWindow(&w, &v); }, 5000)) throw std::runtime_error("the editor window is gone");
  return w;
}

std::vector<os::XDisplayDriver::WindowId> EditorJourney::ViewWindows() {
  Rect w, v;
  os::XDisplayDriver::WindowId top = 0;
  std::vector<os::XDisplayDriver::WindowId> ids;
  if (!stage_.EditorWindow(&w, &v, &top)) return ids;
  std::vector<os::XDisplayDriver::WindowId> todo{top};
  while (!todo.empty()) {
    const auto id = todo.back();
    todo.pop_back();
    for (const auto& k : stage_.x().ChildrenOf(id)) {
      ids.push_back(k.id);
      todo.push_back(k.id);
    }
  }
  return ids;
}

void EditorJourney::Click(Point p) {
  const Rect v = View();
  stage_.x().Click(v.x + p.x, v.y + p.y);
}

void EditorJourney::Drag(Point from, Point to) {
  const Rect v = View();
  auto& x = stage_.x();
  x.MoveTo(v.x + from.x, v.y + from.y);
  x.Press();
  for (int i = 1; i <= 8; ++i)
    x.MoveTo(v.x + from.x + (to.x - from.x) * i / 8, v.y + from.y + (to.y - from.y) * i / 8);
  x.Release();
  x.Sync();
}

bool EditorJourney::ChooseMenu(const std::string& title, const std::string& item) {
  const Rect w = Window();
  const Point t = WindowMap::MenuTitle(title);
  return PopUpAndChoose(w.x + t.x, w.y + t.y, WindowMap::MenuItem(title, item));
}

bool EditorJourney::ChooseUtility(const std::string& item) {
  const Rect v = View();
  const Point u = Map().Panel(OskendBackgroundLayer::kIdUtility);
  return PopUpAndChoose(v.x + u.x, v.y + u.y, Map().UtilityItem(0, item));
}

bool EditorJourney::PopUpAndChoose(int px, int py, Point item) {
  const size_t before = OtherWindows().size();
  // Held down until the menu shows, as a person's press lasts until they
  // see it.
  auto& x = stage_.x();
  x.MoveTo(px, py);
  x.Press();
  os::XDisplayDriver::TopWindow menu;
  auto shows = [&] {
    const auto others = OtherWindows();
    if (others.size() <= before) return false;
    menu = others.back();
    return true;
  };
  bool open = WaitUntil(shows, 3000);
  x.Release();
  x.Sync();
  // (A switch that opens its menu when let go.)
  if (!open) open = WaitUntil(shows, 3000);
  if (!open) return false;
  // Where it settles (a window used again may show first where it was).
  for (int i = 0; i < 10; ++i) {
    const auto was = menu;
    const bool moved = WaitUntil([&] {
      return shows() && !(SameWindow(menu, was) && menu.rect.x == was.rect.x && menu.rect.y == was.rect.y);
    }, 150);
    if (!moved) break;
  }
  const auto shown = OtherWindows();
  x.Click(menu.rect.x + item.x, menu.rect.y + item.y);
  lastMenu_ = menu;
  // The menu goes once it has chosen, or what was chosen opens a window
  // (the program may show it in the menu's window).
  return WaitUntil([&] {
    bool menuShown = false;
    for (const auto& w : OtherWindows()) {
      if (std::none_of(shown.begin(), shown.end(), [&](const auto& s) { return SameWindow(s, w); })) return true;
      menuShown = menuShown || SameWindow(w, menu);
    }
    return !menuShown;
  }, 5000);
}

bool EditorJourney::AnswerQuestion(bool accept, int ms, const std::function<bool(const TopWindow&)>& isQuestion) {
  os::XDisplayDriver::TopWindow question;
  if (!WaitUntil([&] {
        for (const auto& w : OtherWindows())
          // (The program may show the question in the menu's window.)
          if (!SameWindow(w, lastMenu_) && (!isQuestion || isQuestion(w))) {
            question = w;
            return true;
          }
        return false;
      }, ms))
    return false;
  return stage_.Answer(question, accept);
}

bool EditorJourney::FindWindowSized(int width, int height, os::XDisplayDriver::TopWindow* found) {
  for (const auto& w : OtherWindows())
    if (w.rect.width == width && w.rect.height == height) {
      *found = w;
      return true;
    }
  return false;
}

bool EditorJourney::WaitForWindowNamed(const std::string& title, os::XDisplayDriver::TopWindow* found, int ms) {
  return WaitUntil([&] {
    for (const auto& w : OtherWindows())
      if (w.name == title) {
        *found = w;
        return true;
      }
    return false;
  }, ms);
}

bool EditorJourney::WaitForWindowGone(const os::XDisplayDriver::TopWindow& window, int ms) {
  return WaitUntil([&] {
    for (const auto& w : OtherWindows())
      if (SameWindow(w, window)) return false;
    return true;
  }, ms);
}

EditorJourney::Picture EditorJourney::Shot(int x, int y, int width, int height) {
  const Rect v = View();
  return stage_.x().Grab({v.x + x, v.y + y, width, height});
}

EditorJourney::Picture EditorJourney::Settled(int x, int y, int width, int height, int ms, int quietMs) {
  const Rect v = View();
  return SettledOnScreen({v.x + x, v.y + y, width, height}, ms, quietMs);
}

EditorJourney::Picture EditorJourney::SettledOnScreen(const Rect& r, int ms, int quietMs) {
  return stage_.SettledOnScreen(r, ms, quietMs);
}

bool EditorJourney::WaitForPageDrawn(int ms) {
  // The bare background is shaded from top to bottom: inside its frame each
  // row is one colour. Anything drawn on it breaks a row.
  constexpr int kFrame = 8;
  return WaitUntil([&] {
    const int width = View().width;
    const Picture page = Shot(0, kPageTop, width, kPageBottom - kPageTop);
    for (int y = 0; y < page.height; ++y)
      for (int x = kFrame + 1; x < width - kFrame; ++x)
        if (page.At(x, y) != page.At(kFrame, y)) return true;
    return false;
  }, ms);
}

bool EditorJourney::WaitForChange(const Picture& before, int x, int y, int width, int height, int ms) {
  return WaitUntil([&] { return Shot(x, y, width, height).pixels != before.pixels; }, ms);
}

bool EditorJourney::WaitForNote(size_t from, int ms) {
  return WaitUntil(
      [&] {
        const auto lines = Received();
        int on = -1;
        for (size_t i = from; i < lines.size(); ++i) {
          const auto& b = lines[i].bytes;
          if (b.size() != 3) continue;
          if ((b[0] & 0xF0) == 0x90 && b[2] > 0) on = b[1];
          else if (on >= 0 && b[1] == on && ((b[0] & 0xF0) == 0x80 || (b[0] & 0xF0) == 0x90)) return true;
        }
        return false;
      },
      ms);
}

}  // namespace vesk::journey
