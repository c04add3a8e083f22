#include "hfc/CHfcMouse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hfc/HfcEventStatus.h"
#include "os/window/HeadlessWindow.h"
#include "tests/hfc/HfcFakes.h"

namespace {

using Log = std::vector<std::string>;

struct GlobalRecorder : CHfcMouseListener {
  Log* log;
  std::string name;
  bool consumeRaw = false;
  GlobalRecorder(Log* l, std::string n) : log(l), name(std::move(n)) {}
  using CHfcMouseListener::OnHfcMouseLButtonUpGlobal;
  using CHfcMouseListener::OnHfcMouseMButtonUpGlobal;
  using CHfcMouseListener::OnHfcMouseMoveGlobal;
  using CHfcMouseListener::OnHfcMouseRButtonUpGlobal;
  bool OnHfcMouseLButtonUpGlobal(CHfcMouse*, int x, int y, int) override {
    log->push_back(hfctest::Entry(name, "lup", x, y));
    return false;
  }
  bool OnHfcMouseRButtonUpGlobal(CHfcMouse*, int x, int y, int) override {
    log->push_back(hfctest::Entry(name, "rup", x, y));
    return false;
  }
  bool OnHfcMouseMButtonUpGlobal(CHfcMouse*, int x, int y, int) override {
    log->push_back(hfctest::Entry(name, "mup", x, y));
    return false;
  }
  bool OnHfcMouseMoveGlobal(CHfcMouse*, int x, int y, int) override {
    log->push_back(hfctest::Entry(name, "move", x, y));
    return true;
  }
  void OnHfcMouseLostCapture(CHfcMouse*) override { log->push_back(name + " lost"); }
  bool OnHfcMouseMacMouseWheelMove(CHfcMouse*, const os::MouseEvent* e) override {
    log->push_back(name + " raw wheel " + std::to_string(e->wheelDelta));
    return consumeRaw;
  }
  bool OnHfcMouseMacMouseMove(CHfcMouse*, const os::MouseEvent*) override {
    log->push_back(name + " raw move");
    return consumeRaw;
  }
};

os::MouseEvent Event(os::MouseEvent::Kind kind, os::MouseButton button = os::MouseButton::kNone) {
  os::MouseEvent e;
  e.kind = kind;
  e.button = button;
  e.globalX = 7;
  e.globalY = 9;
  return e;
}

TEST(CHfcMouse, InitializeAndUninitializeCountStarts) {
  EXPECT_FALSE(CHfcMouse::Uninitialize());  // unmatched
  EXPECT_TRUE(CHfcMouse::Initialize(false));
  CHfcMouse* first = CHfcMouse::sm_pInstance;
  EXPECT_TRUE(CHfcMouse::Initialize(true));
  EXPECT_EQ(CHfcMouse::sm_pInstance, first);
  EXPECT_EQ(CHfcMouse::m_iNumCursors, 18);
  EXPECT_TRUE(CHfcMouse::Uninitialize());
  EXPECT_NE(CHfcMouse::sm_pInstance, nullptr);
  EXPECT_TRUE(CHfcMouse::Uninitialize());
  EXPECT_EQ(CHfcMouse::sm_pInstance, nullptr);
  EXPECT_FALSE(CHfcMouse::Uninitialize());
}

TEST(CHfcMouse, CaptureMovesBetweenListenersAndTellsTheFormerHolder) {
  hfctest::ScopedHubs hubs;
  CHfcMouse* hub = CHfcMouse::sm_pInstance;
  Log log;
  GlobalRecorder a(&log, "a"), b(&log, "b");
  hub->SetCapture(&a, nullptr);
  hub->SetCapture(&a, nullptr);  // again: a hears it lost it, and keeps it
  EXPECT_EQ(hub->GetCapture(), &a);
  hub->SetCapture(&b, nullptr);
  hub->ReleaseCapture();
  hub->ReleaseCapture();  // nobody holds it: nothing
  EXPECT_EQ(log, (Log{"a lost", "a lost", "b lost"}));
  EXPECT_EQ(hub->GetCapture(), nullptr);
}

TEST(CHfcMouse, FullHubDeliversOnlyThePrimaryButtonsRelease) {
  hfctest::ScopedHubs hubs(true);
  CHfcMouse* hub = CHfcMouse::sm_pInstance;
  Log log;
  GlobalRecorder holder(&log, "h");
  using K = os::MouseEvent::Kind;
  using B = os::MouseButton;
  // Nobody holds the capture: nothing is delivered, nothing handled.
  EXPECT_EQ(hub->OnPlatformMouseEvent(Event(K::kUp, B::kLeft)), kHfcEventNotHandled);
  EXPECT_EQ(hub->OnPlatformMouseEvent(Event(K::kMove)), kHfcEventNotHandled);
  hub->SetCapture(&holder, nullptr);
  EXPECT_EQ(hub->OnPlatformMouseEvent(Event(K::kDown, B::kLeft)), kHfcEventNotHandled);
  EXPECT_EQ(hub->OnPlatformMouseEvent(Event(K::kMove)), kHfcEventHandled);
  EXPECT_EQ(hub->OnPlatformMouseEvent(Event(K::kDrag)), kHfcEventNotHandled);
  EXPECT_EQ(hub->OnPlatformMouseEvent(Event(K::kUp, B::kRight)), kHfcEventNotHandled);
  hub->OnPlatformMouseEvent(Event(K::kUp, B::kMiddle));
  hub->OnPlatformMouseEvent(Event(K::kUp, B::kLeft));
  EXPECT_EQ(log, (Log{"h move 7,9", "h move 7,9", "h lup 7,9"}));
}

TEST(CHfcMouse, PluginHubHandsRawMovesAndWheelToListenersUntilOneTakesThem) {
  hfctest::ScopedHubs hubs(false);
  CHfcMouse* hub = CHfcMouse::sm_pInstance;
  Log log;
  GlobalRecorder first(&log, "1"), second(&log, "2"), holder(&log, "h");
  hub->MacAddEventListener(&first);
  hub->MacAddEventListener(&second);
  hub->SetCapture(&holder, nullptr);
  using K = os::MouseEvent::Kind;
  os::MouseEvent wheel = Event(K::kWheel);
  wheel.wheelDelta = 2;
  hub->OnPlatformMouseEvent(wheel);
  first.consumeRaw = true;
  hub->OnPlatformMouseEvent(wheel);
  hub->OnPlatformMouseEvent(Event(K::kMove));
  // Releases and drags are not this hub's business.
  EXPECT_EQ(hub->OnPlatformMouseEvent(Event(K::kUp, os::MouseButton::kLeft)), kHfcEventNotHandled);
  hub->OnPlatformMouseEvent(Event(K::kDrag));
  hub->MacRemoveEventListener(&first);
  hub->MacRemoveEventListener(&first);  // absent: nothing
  hub->OnPlatformMouseEvent(Event(K::kMove));
  EXPECT_EQ(log, (Log{"1 raw wheel 2", "2 raw wheel 2", "1 raw wheel 2", "1 raw move",
                      "2 raw move"}));
  hub->ReleaseCapture();
}

TEST(CHfcMouse, AListenerThatLeavesDuringAMoveLetsTheOthersHearItOnce) {
  hfctest::ScopedHubs hubs(false);
  CHfcMouse* hub = CHfcMouse::sm_pInstance;
  struct Leaving : GlobalRecorder {
    using GlobalRecorder::GlobalRecorder;
    bool OnHfcMouseMacMouseMove(CHfcMouse* m, const os::MouseEvent* e) override {
      m->MacRemoveEventListener(this);
      return GlobalRecorder::OnHfcMouseMacMouseMove(m, e);
    }
  };
  Log log;
  Leaving first(&log, "1");
  GlobalRecorder second(&log, "2"), third(&log, "3");
  hub->MacAddEventListener(&first);
  hub->MacAddEventListener(&second);
  hub->MacAddEventListener(&third);
  hub->OnPlatformMouseEvent(Event(os::MouseEvent::Kind::kMove));
  hub->OnPlatformMouseEvent(Event(os::MouseEvent::Kind::kMove));
  EXPECT_EQ(log, (Log{"1 raw move", "2 raw move", "3 raw move", "2 raw move", "3 raw move"}));
  hub->MacRemoveEventListener(&second);
  hub->MacRemoveEventListener(&third);
}

TEST(CHfcMouse, CursorIdsOutsideTheTableDoNothing) {
  hfctest::ScopedHubs hubs;
  auto window = os::HeadlessWindow::Create(4, 4);
  CHfcMouse::SetCursorById(11);
  EXPECT_EQ(window->Cursor(), os::CursorId::kPointingHand);
  CHfcMouse::SetCursorById(128);
  CHfcMouse::SetCursorById(18);
  CHfcMouse::SetCursorById(-1);
  EXPECT_EQ(window->Cursor(), os::CursorId::kPointingHand);
  CHfcMouse::SetCursorById(0);
  EXPECT_EQ(window->Cursor(), os::CursorId::kArrow);
  EXPECT_EQ(CHfcMouse::LoadCursor(5), 0);
}

TEST(CHfcMouse, GetPointGivesTheLastScreenPointAWindowRecorded) {
  hfctest::ScopedHubs hubs;
  CHfcMouse* hub = CHfcMouse::sm_pInstance;
  hub->m_ptGlobal = {321, 123};
  tagHfcPoint p{0, 0};
  hub->GetPoint(&p);
  EXPECT_EQ(p.x, 321);
  EXPECT_EQ(p.y, 123);
}

}  // namespace
