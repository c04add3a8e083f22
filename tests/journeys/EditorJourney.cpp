#include "tests/journeys/EditorJourney.h"

#include <stdexcept>

namespace vesk::journey {

void EditorJourney::SetUp() {
  if (!stage_.Open()) {
    if (stage_.why().find("need") != std::string::npos) GTEST_SKIP() << stage_.why();
    FAIL() << stage_.why();
  }
}

void EditorJourney::TearDown() {
  const std::string reports = stage_.Reports();
  stage_.StopEditor();
  if (stage_.EditorRunning() && ChooseMenu("File", "Quit")) WaitUntil([&] { return !stage_.EditorRunning(); }, 5000);
  const std::string after = stage_.Reports();
  EXPECT_EQ(after, "") << "a program of the journey reported a fault (files in " << stage_.files().path() << ")";
  (void)reports;
}

void EditorJourney::StartConnected(eMode mode) {
  ASSERT_TRUE(stage_.StartSynth()) << "the simulated synthesizer did not start";
  ASSERT_TRUE(StartEditor(mode)) << "no editor window; on the screen:" << stage_.ScreenList() << "\n" << stage_.EditorErrors();
  // Taking in the instrument's memory ends with the request for the
  // current performance (the instrument starts in performance mode).
  ASSERT_TRUE(WaitForReceived([](const SynthRecordLine& l) { return l.what == "request-current" && l.words == std::vector<std::string>{"combination"}; }, 20000))
      << "the editor never asked the synthesizer for its current sound; it received:" << stage_.RecordTail();
  // ... and the progress window of the transfer goes.
  ASSERT_TRUE(WaitUntil([&] { return OtherWindows().empty(); }, 20000))
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
  if (!stage_.EditorWindow(&w, &v)) throw std::runtime_error("the editor window is gone");
  return v;
}

EditorJourney::Rect EditorJourney::Window() {
  Rect w;
  if (!stage_.EditorWindow(&w)) throw std::runtime_error("the editor window is gone");
  return w;
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
  const size_t before = OtherWindows().size();
  // Held down until the menu shows, as a person's press lasts until they
  // see it.
  auto& x = stage_.x();
  x.MoveTo(w.x + t.x, w.y + t.y);
  x.Press();
  os::XDisplayDriver::TopWindow menu;
  const bool open = WaitUntil([&] {
        const auto others = OtherWindows();
        if (others.size() <= before) return false;
        menu = others.back();
        return true;
      }, 5000);
  x.Release();
  x.Sync();
  if (!open) return false;
  const Point i = WindowMap::MenuItem(title, item);
  stage_.x().Click(menu.rect.x + i.x, menu.rect.y + i.y);
  return true;
}

bool EditorJourney::FindWindowSized(int width, int height, os::XDisplayDriver::TopWindow* found) {
  for (const auto& w : OtherWindows())
    if (w.rect.width == width && w.rect.height == height) {
      *found = w;
      return true;
    }
  return false;
}

EditorJourney::Picture EditorJourney::Shot(int x, int y, int width, int height) {
  const Rect v = View();
  return stage_.x().Grab({v.x + x, v.y + y, width, height});
}

bool EditorJourney::WaitForChange(const Picture& before, int x, int y, int width, int height, int ms) {
  return WaitUntil([&] { return Shot(x, y, width, height).pixels != before.pixels; }, ms);
}

bool EditorJourney::WaitForReceived(const std::function<bool(const SynthRecordLine&)>& match, int ms, size_t from) {
  return WaitUntil(
      [&] {
        const auto lines = Received();
        for (size_t i = from; i < lines.size(); ++i)
          if (match(lines[i])) return true;
        return false;
      },
      ms);
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
