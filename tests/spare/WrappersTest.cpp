#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "os/DialogTemplate.h"
#include "os/Menu.h"
#include "os/Scrap.h"
#include "spare/CHfcClipboard.h"
#include "spare/CHfcDialog.h"
#include "spare/CHfcMenu.h"
#include "spare/CHfcResourceFile.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kDialogId = 7100;

void DefineDialog() {
  os::DialogTemplate t;
  t.title = "Settings";
  t.width = 240;
  t.height = 120;
  using K = os::DialogItem::Kind;
  t.items = {{K::kButton, 150, 90, 70, 20, "OK"},
             {K::kButton, 70, 90, 70, 20, "Cancel"},
             {K::kButton, 10, 90, 50, 20, "Help"},
             {K::kCheckBox, 10, 10, 120, 16, "Loop", 1, 0, 1},
             {K::kEditText, 10, 40, 120, 16, "Untitled"}};
  os::DialogTemplates::Define(kDialogId, t);
}

TEST(CHfcDialog, ModalLoopEndsOnlyAtTheDefaultOrCancelItem) {
  DefineDialog();
  os::ModalDialogHits::Reset();
  CHfcDialog dialog;
  EXPECT_EQ(dialog.DoModal(), 0);  // not created
  ASSERT_TRUE(dialog.Create(kDialogId, nullptr));
  EXPECT_FALSE(dialog.Create(kDialogId, nullptr));  // keeps the first
  os::ModalDialogHits::Script(3);
  os::ModalDialogHits::Script(4);
  os::ModalDialogHits::Script(2);
  EXPECT_EQ(dialog.DoModal(), 2);
  EXPECT_EQ(dialog.DoModal(), 1);  // nothing scripted: the default item
  EXPECT_EQ(dialog.OnMacEvent({HfcFourCC("cmds"), 1, HfcFourCC("help")}), kHfcEventNotHandledErr);
  EXPECT_EQ(dialog.OnMacEvent({HfcFourCC("cmds"), 1, HfcFourCC("not!")}), 0);
  EXPECT_TRUE(dialog.Destroy());
  EXPECT_FALSE(dialog.Destroy());
  CHfcDialog missing;
  EXPECT_FALSE(missing.Create(kDialogId + 1, nullptr));
}

TEST(CHfcDialog, ItemsAndValues) {
  DefineDialog();
  CHfcDialog dialog;
  char text[16];
  EXPECT_FALSE(dialog.GetItemText(5, text, sizeof text));
  ASSERT_TRUE(dialog.Create(kDialogId, nullptr));
  EXPECT_TRUE(dialog.SetTitle("Other"));
  EXPECT_EQ(*dialog.GetTitle(), "Other");
  EXPECT_FALSE(dialog.SetItemText(5, "Song 1"));  // false, and yet it is set
  ASSERT_TRUE(dialog.GetItemText(5, text, sizeof text));
  EXPECT_STREQ(text, "Song 1");
  EXPECT_EQ(dialog.GetItemValue(4), 1);
  EXPECT_TRUE(dialog.SetItemValue(4, 0));
  EXPECT_TRUE(dialog.SetItemValueMax(4, 3));
  EXPECT_EQ(dialog.GetItemValue(4), 0);
  EXPECT_EQ(dialog.GetItemValueMax(4), 3);
  // A text item has no control.
  EXPECT_FALSE(dialog.SetItemValue(5, 1));
  EXPECT_EQ(dialog.GetItemValue(5), 0);
  EXPECT_EQ(dialog.GetItemValue(99), 0);
}

TEST(CHfcMenu, ItemOperations) {
  CHfcMenu menu;
  EXPECT_FALSE(menu.CheckItem(1, true));
  EXPECT_FALSE(menu.IsItemEnabled(1));
  ASSERT_TRUE(menu.Create(300, "Edit"));
  EXPECT_FALSE(menu.Create(301, "Other"));
  menu.GetMenu()->Insert(0, {"Undo"});
  menu.GetMenu()->Insert(1, {"Redo"});
  EXPECT_TRUE(menu.IsItemEnabled(1));
  EXPECT_FALSE(menu.DisableItem(1));  // answers false, acts all the same
  EXPECT_FALSE(menu.IsItemEnabled(1));
  EXPECT_FALSE(menu.EnableItem(1));
  EXPECT_TRUE(menu.IsItemEnabled(1));
  EXPECT_TRUE(menu.CheckItem(2, true));
  EXPECT_NE(menu.GetMenu()->items()[1].mark, 0);
  EXPECT_FALSE(menu.SetItemText(2, "Again"));
  char text[256];
  menu.GetItemText(2, text);
  EXPECT_STREQ(text, "Again");
  EXPECT_FALSE(menu.IsItemEnabled(3));
  EXPECT_TRUE(menu.Destroy());
  EXPECT_FALSE(menu.Destroy());
  EXPECT_FALSE(menu.Load(-12345));
}

TEST(CHfcClipboard, FlavorsRoundTrip) {
  const uint32_t text = HfcFourCC("TEXT");
  const uint32_t pict = HfcFourCC("PICT");
  CHfcClipboard clip;
  ASSERT_TRUE(clip.Empty());
  EXPECT_FALSE(clip.IsFormatAvailable(text));
  EXPECT_EQ(clip.GetSize(text), 0u);
  char buffer[8] = {};
  EXPECT_FALSE(clip.GetData(text, buffer, sizeof buffer));
  ASSERT_TRUE(clip.SetData(pict, "xy", 2));
  ASSERT_TRUE(clip.SetData(text, "hello", 5));
  EXPECT_FALSE(clip.IsFormatAvailable(pict));  // a set clears the others
  EXPECT_EQ(clip.GetSize(text), 5u);
  ASSERT_TRUE(clip.GetData(text, buffer, 3));
  EXPECT_EQ(std::string(buffer, 3), "hel");
  EXPECT_EQ(std::string(buffer + 3), "");
  EXPECT_STREQ(CHfcClipboard::RegisterType("myty"), "myty");
}

TEST(CHfcResourceFile, ReadsResourcesAndNeverWrites) {
  vesk::test::TempDir bundle;
  vesk::test::ScopedEnv env("VESK_BUNDLE_DIR", bundle.path());
  std::filesystem::create_directories(bundle.path() + "/Contents/Resources");
  {
    FILE* f = std::fopen((bundle.path() + "/Contents/Resources/notes.txt").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("resource bytes", f);
    std::fclose(f);
  }
  CHfcResourceFile file;
  char buffer[32] = {};
  EXPECT_EQ(file.Read(buffer, 4), 0);
  EXPECT_FALSE(file.SetPos(0, 2));
  EXPECT_FALSE(file.Open("missing.txt", "TEXT", 1));
  EXPECT_FALSE(file.Open("../notes.txt", nullptr, 1));
  ASSERT_TRUE(file.Open("notes.txt", nullptr, 3));
  EXPECT_EQ(file.Write(buffer, 4), 0);
  ASSERT_EQ(file.Read(buffer, 8), 8);
  EXPECT_EQ(std::string(buffer, 8), "resource");
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(file.Close());
}

}  // namespace
