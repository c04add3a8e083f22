// A sample page of linked controls drawn through the harness, for a person
// to look at: <build>/tests/pages/shell_sample_page.png.
#include <gtest/gtest.h>

#include <memory>

#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcBmp.h"
#include "tests/editor/shell/ShellTestKit.h"
#include "tests/support/pageharness/PageHarness.h"

namespace {

using namespace shelltest;
using vesk::test::PageHarness;

// The light grey of the edit pages with a darker band for the title.
std::unique_ptr<CHfcBmp> PageBackground() {
  auto bmp = std::make_unique<CHfcBmp>();
  bmp->Create(PageHarness::kWidth, PageHarness::kHeight);
  uint32_t* px = bmp->LockPixels();
  for (int y = 0; y < PageHarness::kHeight; ++y)
    for (int x = 0; x < PageHarness::kWidth; ++x)
      px[y * PageHarness::kWidth + x] = y < 28 ? 0xFFC9CCD2u : 0xFFDCDEE2u;
  bmp->UnlockPixels();
  return bmp;
}

TEST(SamplePageRenderTest, ALinkedPageIsDrawnWithItsStoredValues) {
  PageHarness h;
  auto back = PageBackground();
  TestEditPage page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  CHfcBmp* b = back.get();
  page.Put(MakeLabel(-1, 16, 8, 300, "Program Edit - Sample Page", b));
  struct KnobRow {
    int pid;
    const char* name;
  } knobs[] = {{0x107, "OSC1 Volume"}, {0x10E, "Riff Transpose"}, {0x20A, "IFX1 Pan"},
               {0xD0D, "Hold Bottom"}, {0xD0E, "Hold Top"}};
  int x = 24;
  for (const KnobRow& k : knobs) {
    page.Put(MakeLabel(k.pid + XESynthLayer::kLabelIdOffset, x - 12, 52, 72, k.name, b));
    page.Put(MakeKnob(k.pid, x, 68, b), k.pid);
    x += 96;
  }
  int y = 150;
  for (int pid = 0x205; pid <= 0x209; ++pid, y += 22) {
    page.Put(MakeCheckBox(pid, 24, y, b), pid);
    page.Put(MakeLabel(pid + XESynthLayer::kLabelIdOffset, 44, y + 2, 100,
                       "IFX" + std::to_string(pid - 0x204) + " On/Off", b));
  }
  page.Put(MakeLabel(-1, 200, 152, 120, "Selector (unlinked)", b));
  XESoundSelector* s = page.Put(MakeSelector(0x300, 3, 200, 168, b));
  s->SetPtrValue(const_cast<char*>("A000: Sample Program"), false);
  auto* box = new XEControlContainer;
  box->m_pOwner = &page;
  box->m_iX = 12;
  box->m_iY = 144;
  box->m_iWidth = 160;
  box->m_iHeight = 116;
  box->m_bFramed = true;
  page.AddContainer(box);
  page.SetActiveContainerIndex(0);
  h.Idle();
  EXPECT_EQ(h.WindowPixel(12, 200), XEControlContainer::kFrameColor);
  const std::string path = h.RenderWindow("shell_sample_page");
  EXPECT_NE(path, "");
  // The knob of OSC1 Volume shows the stored value.
  auto* volume = static_cast<XEKnob*>(page.GetControlById(0x107));
  EXPECT_EQ(volume->GetIntValue(), page.GetParamValue(eMode_ProgEdit, 0x107));
  h.DestroyPage(page);
}

}  // namespace
