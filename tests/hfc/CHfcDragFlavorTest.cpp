#include "hfc/CHfcDragFlavor.h"

#include <gtest/gtest.h>

#include <cstring>

#include "hfc/CHfcDrag.h"
#include "os/Scrap.h"
#include "os/window/HeadlessWindow.h"
#include "tests/support/TestEnvironment.h"

namespace {

TEST(CHfcDragFlavor, ItemsAreNumberedAndReadBackByIndex) {
  CHfcDragFlavor flavor;
  ASSERT_TRUE(flavor.Create(32, 32));
  EXPECT_FALSE(flavor.Create(32, 32));
  const uint8_t one[4] = {1, 2, 3, 4};
  const uint8_t two[2] = {5, 6};
  EXPECT_TRUE(flavor.AddData(0x54455854u, one, 4, -1));
  EXPECT_TRUE(flavor.AddData(0x54455854u, two, 2, 7));
  EXPECT_TRUE(flavor.AddData(0x41424344u, one, 4, -1));
  EXPECT_TRUE(flavor.AddFilePath("/tmp/x.VSKpr", -1));
  EXPECT_EQ(flavor.GetIndex(0), 0);
  EXPECT_EQ(flavor.GetIndex(1), 7);
  EXPECT_EQ(flavor.GetIndex(2), 2);
  EXPECT_EQ(flavor.GetIndex(3), 3);
  EXPECT_EQ(flavor.GetType(2), 0x41424344u);
  EXPECT_EQ(flavor.GetType(3), CHfcDragFlavor::kFileType);
  EXPECT_EQ(flavor.GetDataSize(3), 0);
  std::string path;
  EXPECT_TRUE(flavor.GetFilePath(3, &path));
  EXPECT_EQ(path, "/tmp/x.VSKpr");
  // Out of range: 0 and false, destination untouched.
  EXPECT_EQ(flavor.GetType(5), 0u);
  EXPECT_EQ(flavor.GetDataSize(-1), 0);
  uint8_t dest[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  EXPECT_FALSE(flavor.GetData(5, dest, 4));
  EXPECT_FALSE(flavor.GetData(-1, dest, 4));
  EXPECT_EQ(dest[0], 9);
  flavor.SetData(1, two, 2, -1);
  EXPECT_EQ(flavor.GetCount(), 1);
  flavor.Destroy();
  EXPECT_EQ(flavor.GetCount(), 0);
  EXPECT_FALSE(flavor.IsCreated());
}

TEST(CHfcDragFlavor, DataIsCopiedWithinTheItemsSizeAndNullDataIsRefused) {
  CHfcDragFlavor flavor;
  flavor.Create(8, 8);
  const uint8_t two[2] = {5, 6};
  flavor.AddData(1, two, 2, -1);
  uint8_t dest[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  // Asking for more than the item holds copies only what it holds.
  EXPECT_TRUE(flavor.GetData(0, dest, 8));
  EXPECT_EQ(dest[0], 5);
  EXPECT_EQ(dest[1], 6);
  EXPECT_EQ(dest[2], 9);
  EXPECT_FALSE(flavor.GetData(0, nullptr, 2));
  EXPECT_FALSE(flavor.GetData(0, dest, -1));
  EXPECT_FALSE(flavor.AddData(1, nullptr, 4, -1));
  EXPECT_FALSE(flavor.AddData(1, two, -2, -1));
  EXPECT_FALSE(flavor.SetData(1, nullptr, 4, -1));
  EXPECT_EQ(flavor.GetCount(), 1);  // a refused SetData keeps what was there
  EXPECT_TRUE(flavor.AddData(1, nullptr, 0, -1));  // an empty item is fine
  EXPECT_TRUE(flavor.GetData(1, dest, 4));
}

TEST(CHfcDragFlavor, ImageOfNoSizeIsRefused) {
  CHfcDragFlavor flavor;
  EXPECT_FALSE(flavor.Create(0, 32));
  EXPECT_FALSE(flavor.Create(32, 0));
  EXPECT_FALSE(flavor.IsCreated());
}

TEST(CHfcDragFlavor, TrackDragMapsTheDropActionCopyFirst) {
  vesk::test::TestEnvironment env;
  auto window = os::HeadlessWindow::Create(20, 20);
  window->InjectClick(os::MouseButton::kLeft, 3, 3);
  env.loop().RunPending();  // the window of the last press runs the drag
  CHfcDragFlavor flavor;
  flavor.Create(8, 8);
  EXPECT_EQ(flavor.TrackDrag(1, 1), 0);  // no items
  const uint8_t data[3] = {7, 8, 9};
  flavor.AddData(0x54455854u, data, 3, -1);
  struct Case {
    uint32_t actions;
    int result;
  };
  const Case cases[] = {
      {os::kDragActionCopy | os::kDragActionMove, 2},
      {os::kDragActionMove | os::kDragActionLink, 1},
      {os::kDragActionLink, 3},
      {os::kDragActionNone, 0},
  };
  for (const Case& c : cases) {
    window->SetDragTargetAnswer(c.actions);
    EXPECT_EQ(flavor.TrackDrag(1, 1), c.result) << c.actions;
  }
  ASSERT_EQ(window->LastDraggedItems().size(), 1u);
  EXPECT_EQ(window->LastDraggedItems()[0].data, (std::vector<uint8_t>{7, 8, 9}));
  // A flavor that came from an incoming drag is never dragged out again.
  window->SetDragTargetAnswer(os::kDragActionCopy);
  flavor.SetReceived(true);
  EXPECT_EQ(flavor.TrackDrag(1, 1), 0);
}

TEST(CHfcDrag, InitializeAndUninitializeCountStarts) {
  EXPECT_FALSE(CHfcDrag::Uninitialize());
  EXPECT_TRUE(CHfcDrag::Initialize());
  EXPECT_TRUE(CHfcDrag::Initialize());
  EXPECT_TRUE(CHfcDrag::Uninitialize());
  EXPECT_NE(CHfcDrag::sm_pInstance, nullptr);
  EXPECT_TRUE(CHfcDrag::Uninitialize());
  EXPECT_EQ(CHfcDrag::sm_pInstance, nullptr);
}

TEST(CHfcDrag, IsFormatAvailableAsksTheClipboard) {
  constexpr unsigned int kText = 0x54455854u;
  os::Scrap::Clear();
  EXPECT_FALSE(CHfcDrag::IsFormatAvailable(kText));
  const char text[] = "Init Prog";
  ASSERT_TRUE(os::Scrap::Put(kText, text, sizeof text - 1));
  EXPECT_TRUE(CHfcDrag::IsFormatAvailable(kText));
  EXPECT_FALSE(CHfcDrag::IsFormatAvailable(0x50494354u));
  os::Scrap::Clear();
  EXPECT_FALSE(CHfcDrag::IsFormatAvailable(kText));
}

}  // namespace
