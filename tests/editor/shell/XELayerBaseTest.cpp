// The layer base, its control registry and refresh, the containers, and
// the modal and About layers, in the harness's window.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "editor/controls/XEStaticText.h"
#include "editor/shell/AboutLayer.h"
#include "editor/shell/ModalLayer.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XELayerBase.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "os/window/HeadlessWindow.h"
#include "tests/editor/shell/ShellTestKit.h"
#include "tests/support/pageharness/PageHarness.h"

namespace {

using namespace shelltest;
using vesk::test::PageHarness;

class CountingLayer : public XELayerBase {
 public:
  int refreshes = 0;
  void OnRefresh() override {
    ++refreshes;
    XELayerBase::OnRefresh();
  }
};

class XELayerBaseTest : public ::testing::Test {
 protected:
  XELayerBaseTest() : h(PageHarness::Options{false, false}) {}
  void TearDown() override {
    layer.RemoveAllControls(true);
    h.window().RemoveLayer(&layer, false);
    layer.Destroy();
  }
  void Open() {
    ASSERT_TRUE(layer.Create(0, 0, 200, 100, &h.window()));
    layer.Show(false);
  }
  uint32_t LayerPixel(int x, int y) { return layer.GetOffscreen()->GetBmp()->GetPixel(x, y); }

  PageHarness h;
  CountingLayer layer;
};

TEST_F(XELayerBaseTest, TheRegistryFindsControlsByIdAndRefusesTheSamePointerTwice) {
  Open();
  CHfcCtrlSwitch* a = MakeCheckBox(0x205, 10, 10);
  CHfcCtrlSwitch* b = MakeCheckBox(0x205, 40, 10);
  CHfcCtrlSwitch* unnamed = MakeCheckBox(-1, 70, 10);
  EXPECT_TRUE(layer.AddControl(a, false));
  EXPECT_FALSE(layer.AddControl(a, false));
  EXPECT_EQ(layer.GetControls().size(), 1u);
  EXPECT_EQ(layer.GetControlById(0x205), a);
  // A second control of the same key takes the registry entry.
  EXPECT_TRUE(layer.AddControl(b, false));
  EXPECT_EQ(layer.GetControlById(0x205), b);
  // Removing the first leaves the second findable.
  layer.RemoveControl(a, false);
  EXPECT_EQ(layer.GetControlById(0x205), b);
  a->Destroy();
  delete a;
  // Id -1 is in the layer but never found.
  EXPECT_TRUE(layer.AddControl(unnamed, false));
  // Listed twice it would be deleted twice when the layer goes.
  EXPECT_FALSE(layer.AddControl(unnamed, false));
  EXPECT_EQ(layer.GetControlById(-1, 0), nullptr);
  EXPECT_EQ(layer.GetControlById(0x205, 1), nullptr);
  std::vector<CHfcControl*> order;
  layer.GetControlVec(order);
  EXPECT_EQ(order.size(), 2u);
}

TEST_F(XELayerBaseTest, AKeyJoinsTheIdAndTheSignExtendedGroup) {
  EXPECT_EQ(XELayerBase::MakeControlKey(0x205, 0), int64_t{0x205} << 32);
  EXPECT_EQ(XELayerBase::MakeControlKey(1, -1), -1);  // the high word becomes all ones
  EXPECT_EQ(XELayerBase::MakeControlKey(-1, 0), static_cast<int64_t>(0xFFFFFFFF00000000ull));
}

TEST_F(XELayerBaseTest, ARedrawRequestIsServedOnceOnTheNextIdle) {
  Open();
  h.Idle();
  EXPECT_EQ(layer.refreshes, 0);
  layer.RequestRedraw();
  h.Idle();
  EXPECT_EQ(layer.refreshes, 1);
  EXPECT_FALSE(layer.IsRedrawRequested());
  h.Idle();
  EXPECT_EQ(layer.refreshes, 1);
  // Without a picture the layer is filled with the half-transparent white.
  EXPECT_EQ(LayerPixel(100, 50), XELayerBase::kFillColor);
}

// Model notices may ask for a redraw from another thread while the GUI
// thread idles; no request may be lost (and none may race: the ThreadSanitizer
// run sees the flag from both threads).
TEST_F(XELayerBaseTest, ARedrawAskedForFromAnotherThreadIsServed) {
  Open();
  h.Idle();
  std::atomic<bool> done{false};
  std::thread notices([&] {
    for (int i = 0; i < 200; ++i) layer.RequestRedraw();
    done = true;
  });
  while (!done) layer.Idle(0);
  notices.join();
  layer.Idle(0);
  EXPECT_GE(layer.refreshes, 1);
  EXPECT_FALSE(layer.IsRedrawRequested());
  const int served = layer.refreshes;
  layer.Idle(0);
  EXPECT_EQ(layer.refreshes, served);
}

TEST_F(XELayerBaseTest, AContainerDrawsOnlyWhenShownAndFramesOnlyWhenActiveAndFramed) {
  Open();
  auto bmp = std::make_unique<CHfcBmp>();
  ASSERT_TRUE(bmp->Create(40, 20));
  uint32_t* px = bmp->LockPixels();
  for (int i = 0; i < 40 * 20; ++i) px[i] = 0xFF112233u;
  bmp->UnlockPixels();
  XEControlContainer c;
  c.m_pOwner = &layer;
  c.m_iX = 20;
  c.m_iY = 20;
  c.m_iWidth = 40;
  c.m_iHeight = 20;
  c.m_pBackground = bmp.get();
  CHfcOffscreenContext* dc = layer.GetOffscreen();
  dc->ClearRect(0, 0, 200, 100);
  c.Hide(false);
  c.OnRefresh();
  EXPECT_EQ(LayerPixel(30, 30), 0u);
  c.Show(false);
  c.m_bActive = true;
  c.OnRefresh();
  EXPECT_EQ(LayerPixel(30, 30), 0xFF112233u);
  EXPECT_EQ(LayerPixel(20, 20), 0xFF112233u);  // active but not framed: no frame
  c.m_bFramed = true;
  c.OnRefresh();
  EXPECT_EQ(LayerPixel(20, 20), XEControlContainer::kFrameColor);
  // A fill colour without a picture.
  XEControlContainer filled;
  filled.m_pOwner = &layer;
  filled.m_iX = 100;
  filled.m_iY = 10;
  filled.m_iWidth = 10;
  filled.m_iHeight = 10;
  filled.m_uFillColor = 0xFF445566u;
  filled.OnRefresh();
  EXPECT_EQ(LayerPixel(105, 15), 0xFF445566u);
}

class ModalLayerTest : public ::testing::Test {
 protected:
  ModalLayerTest() : h(PageHarness::Options{false, false}) {}
  PageHarness h;
};

TEST_F(ModalLayerTest, AClickOnAControlGoesToItAndAClickBesideClosesTheLayer) {
  ModalLayer modal;
  ASSERT_TRUE(modal.Create(0, 0, PageHarness::kWidth, PageHarness::kHeight, &h.window()));
  modal.Show(false);
  CHfcCtrlSwitch* box = MakeCheckBox(1, 100, 100);
  modal.AddControl(box, false);
  box->SetListener(&modal);
  box->Show(false);
  h.Click(box->GetFrame().left + 2, box->GetFrame().top + 2);
  EXPECT_FALSE(modal.IsDone());
  EXPECT_TRUE(box->IsVisible());
  h.Click(400, 400);
  EXPECT_TRUE(modal.IsDone());
  EXPECT_FALSE(box->IsVisible());
  // The veil: black at half opacity.
  modal.RequestRedraw();
  h.Idle();
  EXPECT_EQ(modal.GetOffscreen()->GetBmp()->GetPixel(5, 5), ModalLayer::kVeilColor);
  modal.RemoveAllControls(true);
  h.window().RemoveLayer(&modal, false);
  modal.Destroy();
}

// Under the veil: a layer that takes every kind of mouse event it is given.
class MouseLog : public CHfcWindowLayer {
 public:
  std::vector<std::string> got;
  bool OnHfcMouseRButtonDown(CHfcMouse*, int, int, int) override { return Got("right down"); }
  bool OnHfcMouseMButtonDown(CHfcMouse*, int, int, int) override { return Got("middle down"); }
  bool OnHfcMouseMove(CHfcMouse*, int, int, int) override { return Got("move"); }
  using CHfcWindowLayer::OnHfcMouseWheelMoved;
  bool OnHfcMouseWheelMoved(CHfcMouse*, int, int, int, int, int) override { return Got("wheel"); }

 private:
  bool Got(const char* what) {
    got.emplace_back(what);
    return true;
  }
};

// Whatever the mouse does over the veil (beside its controls), the pages
// under it get nothing; once the veil is gone they get each event again.
TEST_F(ModalLayerTest, NoMouseEventGetsThroughTheVeilToThePagesUnderIt) {
  MouseLog page;
  ASSERT_TRUE(page.Create(0, 0, PageHarness::kWidth, PageHarness::kHeight, &h.window()));
  page.Show(false);
  auto event = [](os::MouseEvent::Kind kind, os::MouseButton button) {
    os::MouseEvent e;
    e.kind = kind;
    e.button = button;
    e.clickCount = 1;
    e.x = 300;
    e.y = 200;
    e.wheelDelta = kind == os::MouseEvent::Kind::kWheel ? -1 : 0;
    return e;
  };
  using K = os::MouseEvent::Kind;
  using B = os::MouseButton;
  const std::vector<os::MouseEvent> events = {
      event(K::kDown, B::kRight),
      event(K::kDown, B::kMiddle),
      event(K::kMove, B::kNone),
      event(K::kWheel, B::kNone),
  };
  auto sendAll = [&] {
    page.got.clear();
    for (const os::MouseEvent& e : events) {
      static_cast<os::HeadlessWindow*>(h.window().GetPlatformWindow())->InjectMouse(e);
      h.env().loop().RunPending();
    }
  };
  {
    ModalLayer modal;
    ASSERT_TRUE(modal.Create(0, 0, PageHarness::kWidth, PageHarness::kHeight, &h.window()));
    modal.Show(false);
    sendAll();
    EXPECT_TRUE(page.got.empty()) << page.got.front();
    h.window().RemoveLayer(&modal, false);
    modal.Destroy();
  }
  sendAll();
  EXPECT_EQ(page.got, (std::vector<std::string>{"right down", "middle down", "move", "wheel"}));
  h.window().RemoveLayer(&page, false);
  page.Destroy();
}

TEST_F(ModalLayerTest, TheAboutBoxShowsNameAndVersionAndClosesOnAnyClick) {
  AboutLayer about("Vesk Plug-In Editor", "1.0.5");
  ASSERT_TRUE(about.Create(0, 0, PageHarness::kWidth, PageHarness::kHeight, &h.window()));
  about.Show(false);
  EXPECT_EQ(about.GetCaption(), "Vesk Plug-In Editor Ver. 1.0.5");
  ASSERT_EQ(about.GetControls().size(), 1u);
  auto* text = dynamic_cast<XEStaticText*>(about.GetControls()[0]);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->GetText(), "Vesk Plug-In Editor Ver. 1.0.5");
  EXPECT_EQ(text->GetTextColor(), AboutLayer::kTextColor);
  EXPECT_EQ(text->GetId(), -1);
  about.RequestRedraw();
  h.Idle();
  EXPECT_NE(h.RenderWindow("shell_about"), "");
  // Even a click on the text closes the box.
  h.Click(text->GetFrame().left + 3, text->GetFrame().top + 3);
  EXPECT_TRUE(about.IsDone());
  h.window().RemoveLayer(&about, false);
  about.Destroy();
}

}  // namespace
