// A tab page built from a form: which items become controls, which are
// linked, which report to the page, where the skin comes from, and the
// graph managers the graph items get.
#include <gtest/gtest.h>

#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/UI_FORMINFO.h"
#include "editor/controls/XESplitKeyBar.h"
#include "editor/shell/CTabPageLayer.h"
#include "hfc/CHfcVstEditor.h"
#include "model/ISection.h"
#include "tests/editor/shell/ShellTestKit.h"
#include "tests/support/pageharness/PageHarness.h"

namespace {

using vesk::test::PageHarness;

constexpr UI_FORMINFO Item(const char* cls, const char* image, int id, int pid, int x, int y,
                           int w, int h) {
  return {cls, "", image, id, pid, x, y, w, h, 0, nullptr};
}

// Design ids of the items (the kinds the page reads).
constexpr int kText = 0x402;
constexpr int kSubTabBase = 0x408;
constexpr int kNoListener = 0x40A;

const UI_FORMINFO kItems[] = {
    Item("checkbox", "", kText, 0x205, 210, 10, 13, 13),  // before any skin item
    Item("bmp", "Container_SubTab_Base", kSubTabBase, -1, 0, 0, 195, 230),
    Item("knob", "", kText, 0x107, 20, 20, 40, 40),
    Item("knob", "", kNoListener, 0x10E, 90, 20, 40, 40),
    Item("nosuchclass", "", kText, 0x20A, 10, 60, 40, 13),
    Item("popupmenu", "", kText, 0x20B, 10, 80, 20, 13),  // too narrow: no control
    Item("keytrk", "", kText, 0x12501, 10, 100, 0, 0),
    Item("keytrk", "", kText, 0x12500, 300, 100, 0, 0),
    Item("splitbarM", "", kText, 0x12700, 5, 190, 0, 0),
};
const UI_FORMINFO kForm{"Layer", "", "", 0x7001, -1, 0, 0, 559, 230,
                        static_cast<int32_t>(std::size(kItems)), kItems};

TEST(CTabPageFormTest, AFormPageMakesLinksAndListensAsItsItemsSay) {
  PageHarness h;
  shelltest::TestPage page(h.synth());
  ASSERT_TRUE(page.Create(kForm, &h.window(), ""));
  // "Background_SubTab" gives the page its size.
  EXPECT_EQ(page.GetWidth(), 559);
  EXPECT_EQ(page.GetHeight(), 230);
  ASSERT_NE(page.GetBackgroundBmp(), nullptr);

  CHfcControl* box = page.GetControlById(0x205);
  CHfcControl* knob = page.GetControlById(0x107);
  CHfcControl* quiet = page.GetControlById(0x10E);
  ASSERT_NE(box, nullptr);
  ASSERT_NE(knob, nullptr);
  ASSERT_NE(quiet, nullptr);
  EXPECT_EQ(page.GetControlById(0x20A), nullptr);
  EXPECT_EQ(page.GetControlById(0x20B), nullptr);
  // Linked and showing the stored values.
  EXPECT_EQ(page.GetParameterIdByControl(box).pid, 0x205);
  EXPECT_EQ(box->GetIntValue(), page.GetParamValue(eMode_ProgEdit, 0x205));
  EXPECT_EQ(knob->GetIntValue(), page.GetParamValue(eMode_ProgEdit, 0x107));
  EXPECT_EQ(box->GetListener(), &page);
  EXPECT_EQ(knob->GetListener(), &page);
  EXPECT_EQ(quiet->GetListener(), nullptr);  // created and shown, but reports to no one
  EXPECT_TRUE(quiet->IsVisible());
  EXPECT_EQ(page.GetParameterIdByControl(quiet).pid, 0x10E);

  // The key-tracking graph is not linked itself; its manager binds base
  // 0x2F00 and, for an odd item id, the extra id 0xD00.
  auto* graph = dynamic_cast<CXBCtrlKeyTrkGraph*>(page.GetControlById(0x12501));
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(page.GetParameterIdByControl(graph).pid, -1);
  Oskend::ISection* base = page.GetParamSection(eMode_ProgEdit, 0x2F00);
  Oskend::ISection* extra = page.GetParamSection(eMode_ProgEdit, 0xD00);
  std::list<ControlId> ids;
  for (int pid : {0x2F00, 0x2F01, 0x2F02, 0x2F03, 0x2F06}) {
    page.GetCtrlIdListByParamId(ids, SParamIdInfo{base, pid});
    EXPECT_EQ(ids.size(), 1u) << std::hex << pid;
  }
  page.GetCtrlIdListByParamId(ids, SParamIdInfo{extra, 0xD00});
  EXPECT_EQ(ids.size(), 1u);
  // The even item binds base 0x1F00 and no extra id.
  for (int pid : {0x1F00, 0x1F06}) {
    page.GetCtrlIdListByParamId(ids, SParamIdInfo{base, pid});
    EXPECT_EQ(ids.size(), 1u) << std::hex << pid;
  }
  // The split bar is linked itself and gets a manager of 0x107 and 0x108.
  EXPECT_NE(dynamic_cast<Oskend::XESplitKeyBar*>(page.GetControlById(0x12700)), nullptr);
  EXPECT_EQ(page.GetGraphManagerCount(), 3u);

  page.Show(false);
  page.RequestRedraw();
  h.Idle();
  EXPECT_NE(h.RenderLayer(page, "shell_form_page"), "");
  h.DestroyPage(page);
}

TEST(CTabPageFormTest, AFormPageThatCannotBeCreatedMakesNoControls) {
  PageHarness h(PageHarness::Options{false, false});
  shelltest::TestPage page(h.synth());
  const UI_FORMINFO empty{"Layer", "", "", 1, -1, 0, 0, 0, 0,
                          static_cast<int32_t>(std::size(kItems)), kItems};
  // A missing background leaves the form's size, here none at all.
  EXPECT_FALSE(page.Create(empty, &h.window(), "NoSuchBackground"));
  EXPECT_TRUE(page.GetControls().empty());
}

}  // namespace
