// The host closes the editor while the editor's own code runs a modal loop
// (a popup menu, an alert, a file dialog, a transfer's progress window),
// which also serves the host's calls: the window goes once that code has
// returned, menus, alerts and dialogs end as cancelled, a transfer runs to
// its end, and nothing the code still uses is deleted under it (the
// address sanitizer of the test build watches).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/controls/DrawnAlert.h"
#include "editor/controls/DrawnForm.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "hfc/CHfcControl.h"
#include "editor/controls/CTabControl.h"
#include "editor/shell/CTabPageLayer.h"
#include "os/Alert.h"
#include "os/Menu.h"
#include "os/window/HeadlessWindow.h"
#include "plugin/CPlugInAlert.h"
#include "plugin/VelorVstEditor.h"
#include "tests/plugin/InProcessFixture.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace vesk::test {
namespace {

using Root = OskendBackgroundLayer;

class EditorModal : public InProcess {
 protected:
  RealEditPages pages;
  std::unique_ptr<SimSynthDevice> device;

  void SetUp() override {
    InProcess::SetUp();
    device = std::make_unique<SimSynthDevice>(bus);
    DrawnForm::SetWindowMaker([](const DrawnForm::WindowPlacement& p) -> std::unique_ptr<os::Window> {
      return os::HeadlessWindow::Create(p.width, p.height, p.x, p.y);
    });
    os::HeadlessMenuTracker::Reset();
  }
  void TearDown() override {
    InProcess::TearDown();
    DrawnForm::SetWindowMaker(nullptr);
    os::HeadlessMenuTracker::Reset();
    device.reset();
  }
};

TEST_F(EditorModal, TheHostClosesTheEditorWhileItsCodeRunsEachKindOfModalLoop) {
  enum Kind { kMenu, kAlert, kFileDialog, kProgress };
  struct Case {
    Kind kind;
    const char* what;
  };
  const Case cases[] = {{kMenu, "popup menu"},
                        {kAlert, "alert"},
                        {kFileDialog, "file dialog"},
                        {kProgress, "progress window"}};
  QuorelVst* p = Make();
  ASSERT_NE(p, nullptr);
  // Connected, with the image received.
  env.loop().RunFor(5000);
  ASSERT_TRUE(model().GetConnected());
  VelorVstEditor* editor = p->GetVstEditor();
  for (const Case& c : cases) {
    ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1) << c.what;
    env.loop().RunFor(300);
    auto* root = dynamic_cast<Root*>(editor->GetLayerByIndex(0));
    auto* window = dynamic_cast<os::HeadlessWindow*>(editor->GetPlatformWindow());
    ASSERT_NE(root, nullptr);
    ASSERT_NE(window, nullptr);
    CHfcControl* utility = root->GetControlById(Root::kIdUtility);
    ASSERT_NE(utility, nullptr);

    // Which form of each kind runs its own modal loop; the others answer
    // at once as scripted.
    if (c.kind != kMenu) os::Menu::SetTracker({});
    if (c.kind == kAlert) os::Alert::SetFactory([] { return std::make_unique<DrawnAlert>(); });
    os::HeadlessMenuTracker::Reset();
    os::HeadlessMenuTracker::ScriptCommand(c.kind == kFileDialog ? 1007 : 1011);

    // The press reaches the editor from the main loop, as the window
    // system's events do; the host's close comes while the form is up.
    const tagHfcRect& r = utility->GetFrame();
    window->InjectClick(os::MouseButton::kLeft, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    int depthAtClose = 0;
    bool closeReturned = false;
    env.loop().Post([&] {
      depthAtClose = env.loop().ModalDepth();
      host.Dispatch(effEditClose);
      closeReturned = true;
    });
    // A form nobody ends would hold the test: after a minute it is ended.
    bool stuck = false;
    const auto watchdog = env.loop().AddTimer(60000, 0, [&] {
      stuck = true;
      env.loop().EndModalsFrom(0);
    });
    env.loop().RunPending();
    env.loop().RemoveTimer(watchdog);
    EXPECT_FALSE(stuck) << c.what;
    // The close came inside the modal run and did not wait for it.
    EXPECT_TRUE(closeReturned) << c.what;
    EXPECT_GT(depthAtClose, 0) << c.what;
    EXPECT_EQ(env.loop().ModalDepth(), 0) << c.what;
    EXPECT_FALSE(editor->isOpen()) << c.what;
    EXPECT_EQ(editor->GetLayerCount(), 0) << c.what;
    // The transfer was not cut short by the close.
    EXPECT_TRUE(model().GetConnected()) << c.what;

    // The plug-in's own alert again: it answers at once without a display.
    CPlugInAlert::Install();
  }
  // The editor opens again afterwards.
  ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
  env.loop().RunFor(300);
  EXPECT_TRUE(editor->isOpen());
  EXPECT_GT(editor->GetLayerCount(), 1);
  host.Dispatch(effEditClose);
}

}  // namespace
}  // namespace vesk::test
