#include "os/window/X11PopupWindow.h"

#include <gtest/gtest.h>
// The X headers come after the test framework, whose names they would shadow.
#include <X11/Xlib.h>

#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbServer.h"

namespace {

using UnderXvfb = vesk::test::UnderXvfb;

TEST_F(UnderXvfb, APopupIsLeftAloneByTheWindowManagerAndSitsAtItsPoint) {
  vesk::test::TestEnvironment env;
  auto popup = os::CreateX11PopupWindow(display(), 70, 50, 40, 30);
  ASSERT_NE(popup, nullptr);
  popup->Show();
  popup->Sync();
  Display* other = XOpenDisplay(display());
  ASSERT_NE(other, nullptr);
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(other, static_cast<Window>(popup->NativeId()), &attributes));
  EXPECT_TRUE(attributes.override_redirect);
  EXPECT_EQ(attributes.map_state, IsViewable);
  XCloseDisplay(other);
  EXPECT_EQ(popup->ScreenOrigin().x, 70);
  EXPECT_EQ(popup->ScreenOrigin().y, 50);
}

}  // namespace
