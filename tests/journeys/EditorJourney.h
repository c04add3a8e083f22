#pragma once
// The fixture of the journeys with `Vesk Editor`: the stage, a map of the
// window, and what a person does and sees (clicks on controls found in the
// map, menus, keys, pictures of parts of the window), with what the
// simulated synthesizer received and holds. A journey fails as well for a
// sanitizer report or a crash in any of its programs.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/journeys/JourneyStage.h"
#include "tests/journeys/WindowMap.h"

namespace vesk::journey {

class EditorJourney : public testing::Test {
 public:
  using Picture = os::XDisplayDriver::Picture;
  using Rect = os::XDisplayDriver::Rect;

  void SetUp() override;
  void TearDown() override;

  // The stage with the synthesizer running, then the editor, up to the
  // moment the editor has taken in the synthesizer's memory (the
  // instrument starts in performance mode).
  void StartConnected(eMode mode = eMode_Combi);
  // The editor started (and the map of its window made, in that mode);
  // true once its window shows the view.
  bool StartEditor(eMode mode = eMode_Combi);
  WindowMap& Map() { return *map_; }

  // The view's and the window's place on the screen now.
  Rect View();
  Rect Window();
  void Click(Point inView);
  // The X windows inside the editor's window (the view's), which the
  // program makes anew with the view.
  std::vector<os::XDisplayDriver::WindowId> ViewWindows();
  // Press, move there in steps, release (view coordinates).
  void Drag(Point from, Point to);
  // A menu of the strip opened and one of its items chosen; false when the
  // menu did not open.
  bool ChooseMenu(const std::string& title, const std::string& item);
  // The UTILITY switch's menu opened and one of its items chosen (the page
  // shown in performance mode fills the menu).
  bool ChooseUtility(const std::string& item);
  // Pressed at a screen point and held until a menu window shows; then the
  // item at that point of the menu's window. False when no menu opened.
  bool PopUpAndChoose(int x, int y, Point item);
  // Waits until no window but the editor's is on the screen (a progress
  // window or a question gone) and the editor's takes clicks again: the
  // program ends its hold on it a moment after the plug-in's window of a
  // run goes (a click in that moment is lost).
  bool WaitForOnlyTheEditorWindow(int ms) {
    return WaitUntil([&] { return OtherWindows().empty() && !stage_.EditorShielded(); }, ms);
  }
  bool Key(const std::string& name) { return stage_.x().Tap(name); }
  // A question (any window but the editor's, or the one `isQuestion` tells
  // from others, such as a progress window before it) answered with its
  // cancel button or its default one; false when none shows within `ms` or
  // it stays.
  bool CancelQuestion(int ms) { return AnswerQuestion(false, ms); }
  bool AcceptQuestion(int ms) { return AnswerQuestion(true, ms); }
  using TopWindow = os::XDisplayDriver::TopWindow;
  bool AnswerQuestion(bool accept, int ms, const std::function<bool(const TopWindow&)>& isQuestion = {});
  // The stored port names of the synthesizer, as a start with it leaves them.
  void StoreSynthesizerPorts() { stage_.StorePreferences({"s MIDIInName=Vesk:out", "s MIDIOutName=Vesk:in"}); }

  // What the view shows in a rectangle of it.
  Picture Shot(int x, int y, int width, int height);
  Picture ShotView() { return Shot(0, 0, View().width, View().height); }
  // Waits up to `ms` for that part of the view to show something other than
  // `before`.
  bool WaitForChange(const Picture& before, int x, int y, int width, int height, int ms);
  // That part of the view once it has stopped changing (the same for
  // `quietMs`; at most `ms`). A window that has just gone leaves its place
  // to be drawn again: a longer quiet lets a loaded program catch up.
  Picture Settled(int x, int y, int width, int height, int ms = 5000, int quietMs = 300);
  Picture SettledPage() { return Settled(0, kPageTop, View().width, kPageBottom - kPageTop); }
  // A rectangle of the screen once it is drawn and has stopped changing.
  Picture SettledOnScreen(const Rect& r, int ms, int quietMs = 300);
  // The part of the view that holds the main tab's page.
  static constexpr int kPageTop = 140, kPageBottom = 520;
  // Waits up to `ms` for the page to show its controls, not only the
  // background the view is first drawn with.
  bool WaitForPageDrawn(int ms);
  // Windows other than the editor's (dialogs, menus) on the screen now.
  std::vector<os::XDisplayDriver::TopWindow> OtherWindows() { return stage_.OtherWindows(); }
  // One of them of that size, if there is one.
  bool FindWindowSized(int width, int height, os::XDisplayDriver::TopWindow* found);
  // Waits up to `ms` for one of them with that title (a dialog); false when
  // none shows.
  bool WaitForWindowNamed(const std::string& title, os::XDisplayDriver::TopWindow* found, int ms);
  // Waits up to `ms` until that window has gone (or the program uses it
  // for something of another size).
  bool WaitForWindowGone(const os::XDisplayDriver::TopWindow& window, int ms);
  // A click at a point of such a window.
  void ClickIn(const os::XDisplayDriver::TopWindow& window, Point p) {
    stage_.x().Click(window.rect.x + p.x, window.rect.y + p.y);
  }

  // What the synthesizer has received since the journey began, and a wait
  // for a line of it (counting only lines after the first `from`).
  std::vector<SynthRecordLine> Received() const { return stage_.Record(); }
  bool WaitForReceived(const std::function<bool(const SynthRecordLine&)>& match, int ms, size_t from = 0) {
    return stage_.WaitForRecord(match, ms, from);
  }
  // A note-on for any key, then its note-off, after line `from`.
  bool WaitForNote(size_t from, int ms);

  JourneyStage stage_;

 private:
  std::unique_ptr<WindowMap> map_;
  os::XDisplayDriver::TopWindow lastMenu_;  // the last menu chosen from
};

}  // namespace vesk::journey
