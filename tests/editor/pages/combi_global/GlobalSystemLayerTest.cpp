// The global system page against the model and the simulated synthesizer:
// the master tune label, edits both ways, and the dump switch.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/pages/combi_global/OskendGlobalSystemLayer.h"
#include "editor/shell/XESynthUtils.h"
#include "os/Alert.h"
#include "os/ProgressWindow.h"
#include "tests/editor/pages/combi_global/CombiGlobalTestKit.h"

namespace {

using namespace combitest;

constexpr int kMasterTune = static_cast<int>(0x80000100u);
constexpr int kTranspose = static_cast<int>(0x80000101u);

TEST(GlobalSystemLayerTest, MasterTuneTextCoversTheTableAndClampsRawValues) {
  struct Case {
    int value;
    const char* text;
  } cases[] = {{0, "Master Tune [440.00Hz]"},   {-50, "Master Tune [427.47Hz]"},
               {50, "Master Tune [452.89Hz]"},  {1, "Master Tune [440.25Hz]"},
               // Values the synthesizer may write raw stay inside the table.
               {51, "Master Tune [452.89Hz]"},  {127, "Master Tune [452.89Hz]"},
               {-51, "Master Tune [427.47Hz]"}, {-1000, "Master Tune [427.47Hz]"}};
  for (const Case& c : cases) EXPECT_EQ(GlobalSystemLayer::MasterTuneText(c.value), c.text) << c.value;
}

class GlobalSystemPage : public ::testing::Test {
 protected:
  void SetUp() override {
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
  }
  void TearDown() override { h.DestroyPage(page); }

  PageHarness h;
  std::unique_ptr<CHfcBmp> back = PageBackground();
  OskendGlobalSystemLayer page{h.synth()};
};

// The global block travels whole: an edit changes the model's block, the
// dump carries it to the instrument, and a received block updates the page.
TEST_F(GlobalSystemPage, TheLabelFollowsEveryChangeOfTheMasterTune) {
  CHfcControl* label = page.GetControlById(GlobalSystemLayer::kMasterTuneLabelId);
  ASSERT_NE(label, nullptr);
  CHfcControl* bar = page.GetControlById(kMasterTune);
  ASSERT_NE(bar, nullptr);
  Oskend::ISection* global = h.synth()->GetGlobal();
  ASSERT_NE(global, nullptr);

  // From the page to the instrument.
  page.OnHfcCtrlIntValueChanged(bar, -50);
  h.Idle();
  EXPECT_EQ(global->GetParamI(kMasterTune), -50);
  EXPECT_EQ(Text(label), "Master Tune [427.47Hz]");
  EXPECT_EQ(bar->GetIntValue(), -50);
  ASSERT_TRUE(h.synth()->ExecCommand(GlobalPageLayerBase::kDumpCommand, 0, 0, 0, 0, nullptr));
  uint8_t stored = 0;
  h.device().With([&](SimSynth& s) { stored = s.Memory()[SimSynth::kGlobalOffset]; });
  EXPECT_EQ(static_cast<int8_t>(stored), -50);

  // From the instrument to the page: a received block, here with a byte
  // beyond the parameter's range as a raw write would leave it.
  for (uint8_t raw : {uint8_t{25}, uint8_t{0x7F}, uint8_t{0x80}}) {
    h.device().With([&](SimSynth& s) { s.Memory()[SimSynth::kGlobalOffset] = raw; });
    ASSERT_TRUE(h.synth()->ExecCommand(26, 0, 0, 0, 0, nullptr));
    h.RunFor(100);
    h.Idle();
    h.Idle();
    const int v = static_cast<int8_t>(raw);
    EXPECT_EQ(Text(label), GlobalSystemLayer::MasterTuneText(global->GetParamI(kMasterTune))) << v;
    if (v == 25) { EXPECT_EQ(Text(label), "Master Tune [446.40Hz]"); }
    if (v > 50) { EXPECT_EQ(Text(label), "Master Tune [452.89Hz]"); }
    if (v < -50) { EXPECT_EQ(Text(label), "Master Tune [427.47Hz]"); }
  }

  // Another parameter's change rewrites the label from the stored tune too.
  page.OnHfcCtrlIntValueChanged(page.GetControlById(kTranspose), 3);
  h.Idle();
  EXPECT_EQ(global->GetParamI(kTranspose), 3);
  EXPECT_EQ(Text(label), GlobalSystemLayer::MasterTuneText(global->GetParamI(kMasterTune)));
}

TEST_F(GlobalSystemPage, FootPanelsHaveSelectorsInTheMiddleRowsAndNoFilterRowFor40F) {
  for (unsigned id : {0x8000010bu, 0x8000010du, 0x8000010fu, 0x80000110u})
    EXPECT_NE(dynamic_cast<XESoundSelector*>(page.GetControlById(static_cast<int>(id))), nullptr) << std::hex << id;
  for (unsigned id : {0x8000010au, 0x80000112u, 0x8000010eu, 0x80000104u})
    EXPECT_NE(dynamic_cast<XEDropdownList*>(page.GetControlById(static_cast<int>(id))), nullptr) << std::hex << id;
  EXPECT_EQ(page.GetControlById(static_cast<int>(0x8000040fu)), nullptr);
  std::list<MenuItemInfo> menu;
  page.GetMenuItemInfoList(menu);
  std::vector<int> ids;
  for (const MenuItemInfo& m : menu) ids.push_back(m.id);
  EXPECT_EQ(ids, (std::vector<int>{1056, -1, 1007, 1008, -1, 1011, 1012, 1038, 1039}));
}

TEST_F(GlobalSystemPage, TheDumpIsAskedOncePerPressAndSentOnlyOnOK) {
  CHfcControl* dump = page.GetControlById(GlobalPageLayerBase::kDumpSwitchId);
  ASSERT_NE(dump, nullptr);
  auto dumps = [&] {
    int n = 0;
    for (const SimSynthEvent& e : h.device().Log()) n += e.kind == SimSynthEvent::kDumpReceived;
    return n;
  };
  const int before = dumps();
  const int x = dump->GetFrame().left + 4;
  const int y = dump->GetFrame().top + 4;

  // The name the editor window gives every message box.
  XESynthUtils::mProductName = "Vesk Plug-In Editor";
  os::HeadlessAlert::Reset();
  os::HeadlessAlert::Script(2);  // Cancel
  h.Click(x, y);
  h.RunFor(500);
  h.Idle();
  auto shown = os::HeadlessAlert::Transcript();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].request.explanation, "Dump Global Setting");
  EXPECT_EQ(shown[0].request.mainText, "Vesk Plug-In Editor");
  EXPECT_EQ(dumps(), before);

  os::HeadlessAlert::Reset();
  os::HeadlessAlert::Script(1);  // OK
  h.Click(x, y);
  h.RunFor(500);
  h.Idle();
  EXPECT_EQ(os::HeadlessAlert::Transcript().size(), 1u);
  EXPECT_EQ(dumps(), before + 1);

  // The release alone asks nothing.
  os::HeadlessAlert::Reset();
  page.OnHfcCtrlIntValueChanged(dump, 0);
  EXPECT_TRUE(os::HeadlessAlert::Transcript().empty());
}

// The global block is sent in a moment; its window names it while it goes
// and closes when the dump is done.
TEST_F(GlobalSystemPage, TheDumpShowsWhatItSendsUntilItIsDone) {
  CHfcControl* dump = page.GetControlById(GlobalPageLayerBase::kDumpSwitchId);
  ASSERT_NE(dump, nullptr);
  std::set<std::string> texts;
  const auto timer = h.env().loop().AddTimer(1, 1, [&] {
    if (os::HeadlessProgressWindow* w = os::HeadlessProgressWindow::Current())
      if (w->shown()) texts.insert(w->text());
  });
  os::HeadlessAlert::Reset();
  os::HeadlessAlert::Script(1);  // OK
  page.OnHfcCtrlIntValueChanged(dump, static_cast<int>(0x80000000u));
  h.env().loop().RemoveTimer(timer);
  EXPECT_EQ(os::HeadlessAlert::Transcript().size(), 1u);  // the question, no error
  ASSERT_FALSE(texts.empty());
  for (const std::string& t : texts) {
    EXPECT_NE(t.find("GLOBAL"), std::string::npos) << t;
    EXPECT_NE(t.find("Transmitting..."), std::string::npos) << t;
  }
  EXPECT_EQ(os::HeadlessProgressWindow::Current(), nullptr);
}

// A row whose parameter is locked reads as locked: its control and its
// caption are greyed; live rows keep both live. In the standalone program
// Local Control is locked too, and a click on it changes nothing.
TEST(GlobalSystemLocks, ALockedRowShowsItsControlAndCaptionGreyed) {
  struct Case {
    bool standalone;
    std::vector<unsigned> locked, live;
  } cases[] = {
      {false, {0x80000400, 0x80000106, 0x8000040d, 0x8000040e, 0x80000410, 0x80000411, 0x80000412},
       {0x80000401, 0x80000402, 0x80000403, 0x80000101, 0x80000205}},
      {true, {0x80000402, 0x80000400}, {0x80000401}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.standalone ? "standalone" : "plug-in");
    PageHarness::Options options;
    options.connect = !c.standalone;
    PageHarness h(options);
    // The standalone program connects as such, here without an instrument.
    if (c.standalone) h.model().Connect(true, false);
    auto back = PageBackground();
    OskendGlobalSystemLayer page(h.synth());
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
    for (bool locked : {true, false})
      for (unsigned id : locked ? c.locked : c.live) {
        const int pid = static_cast<int>(id);
        CHfcControl* control = page.GetControlById(pid);
        CHfcControl* caption = page.GetControlById(pid + XESynthLayer::kLabelIdOffset);
        ASSERT_NE(control, nullptr) << std::hex << id;
        ASSERT_NE(caption, nullptr) << std::hex << id;
        EXPECT_EQ(control->IsEnabled(), !locked) << std::hex << id;
        EXPECT_EQ(caption->IsEnabled(), !locked) << std::hex << id;
      }
    if (c.standalone) {
      CHfcControl* local = page.GetControlById(static_cast<int>(0x80000402u));
      const int before = local->GetIntValue();
      h.ClickOn(page, *local);
      h.Idle();
      EXPECT_EQ(local->GetIntValue(), before);
      EXPECT_EQ(h.synth()->GetGlobal()->GetParamI(static_cast<int>(0x80000402u)), before);
    }
    h.DestroyPage(page);
  }
}

TEST(GlobalDumpSwitchTest, AFailedDumpIsReportedAsAnError) {
  PageHarness::Options offline;
  offline.connect = false;
  PageHarness h(offline);
  auto back = PageBackground();
  OskendGlobalSystemLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  CHfcControl* dump = page.GetControlById(GlobalPageLayerBase::kDumpSwitchId);
  ASSERT_NE(dump, nullptr);
  os::HeadlessAlert::Reset();
  os::HeadlessAlert::Script(1);
  page.OnHfcCtrlIntValueChanged(dump, static_cast<int>(0x80000000u));
  auto shown = os::HeadlessAlert::Transcript();
  ASSERT_EQ(shown.size(), 2u);
  // Not connected: the title's text, then why.
  EXPECT_EQ(shown[1].request.explanation,
            "Dump Global Setting Error\nThe synthesizer is not connected, or the current sound does not allow this.");
  EXPECT_EQ(shown[1].request.icon, os::Alert::Icon::kStop);
  h.DestroyPage(page);
}

}  // namespace
