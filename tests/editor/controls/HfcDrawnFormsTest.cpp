#include "editor/controls/HfcDrawnForms.h"

#include "editor/controls/DrawnAlert.h"
#include "editor/controls/DrawnFileDialog.h"
#include "editor/controls/DrawnProgressWindow.h"
#include "os/Menu.h"
#include "tests/editor/controls/DrawnFormFixture.h"

namespace {

using HfcDrawnFormsTest = DrawnFormFixture;

TEST_F(HfcDrawnFormsTest, InstallPutsEveryDrawnFormInPlaceAndUninstallTakesThemBack) {
  HfcInstallDrawnForms();
  EXPECT_NE(dynamic_cast<DrawnAlert*>(os::Alert::Create().get()), nullptr);
  EXPECT_NE(dynamic_cast<DrawnProgressWindow*>(os::ProgressWindow::Create().get()), nullptr);
  EXPECT_NE(dynamic_cast<DrawnFileDialog*>(os::FileDialog::Create().get()), nullptr);
  os::Menu menu(200);
  menu.items().push_back({"Only"});
  Key(XK_Return);  // the first item is not highlighted yet: nothing happens
  Key(XK_Down);
  Key(XK_Return);
  EXPECT_EQ(menu.Track(40, 40, 0).selection, (200u << 16) | 1);
  EXPECT_EQ(made.size(), 1u);

  HfcUninstallDrawnForms();
  EXPECT_NE(dynamic_cast<os::HeadlessAlert*>(os::Alert::Create().get()), nullptr);
  EXPECT_NE(dynamic_cast<os::HeadlessProgressWindow*>(os::ProgressWindow::Create().get()), nullptr);
  EXPECT_NE(dynamic_cast<os::HeadlessFileDialog*>(os::FileDialog::Create().get()), nullptr);
  os::HeadlessMenuTracker::Reset();
  EXPECT_EQ(menu.Track(40, 40, 0).selection, 0u);
  EXPECT_EQ(os::HeadlessMenuTracker::Transcript().size(), 1u);
  os::HeadlessMenuTracker::Reset();
}

}  // namespace
