#include "editor/controls/DrawnFileDialog.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "editor/controls/DrawnMenuTracker.h"
#include "os/FinderInfo.h"
#include "os/Menu.h"
#include "tests/editor/controls/DrawnFormFixture.h"

namespace {

namespace fs = std::filesystem;
using D = DrawnFileDialog;

// Records the calls in order; lists folders and the files that end in the
// extension of the file type chosen last.
struct RecordingClient : os::FileDialog::Client {
  std::vector<std::string> calls;
  std::vector<std::string> extensions{".syx", ".txt"};
  int type = 0;
  void OnStart() override { calls.push_back("start"); }
  void OnFileTypeSelected(int index) override {
    type = index;
    calls.push_back("type " + std::to_string(index));
  }
  bool OnFilter(const std::string& path, bool isFolder) override {
    return isFolder || fs::path(path).extension() == extensions[static_cast<size_t>(type)];
  }
  void OnUserAction(int action) override { calls.push_back("action " + std::to_string(action)); }
  void OnTerminate() override { calls.push_back("end"); }
};

class DrawnFileDialogTest : public DrawnFormFixture {
 protected:
  void SetUp() override {
    DrawnFormFixture::SetUp();
    root = fs::path(testing::TempDir()) / ("drawn_dialog_" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "Banks" / "Factory");
    fs::create_directories(root / "archive");
    for (const char* name : {"a.syx", "C.syx", "b.txt", ".hidden.syx", "Banks/bank1.syx"})
      std::ofstream(root / name) << "x";
    D::SetStartFolder(root.string());
    os::HeadlessMenuTracker::Reset();
  }
  void TearDown() override {
    D::SetStartFolder("");
    fs::remove_all(root);
    DrawnFormFixture::TearDown();
  }
  os::FileDialog::Options Opening() {
    os::FileDialog::Options o;
    o.title = "Open";
    o.message = "Choose a program file";
    o.fileTypes = {"System Exclusive", "Text"};
    return o;
  }
  // Middle of the list row that shows entry i while the list starts at 0.
  static int Row(int i) { return D::kListTop + i * D::kRowHeight + D::kRowHeight / 2; }
  void DoubleClick(int x, int y) {
    Later([this, x, y] { Last()->InjectClick(os::MouseButton::kLeft, x, y, 0, 2); });
  }

  fs::path root;
  RecordingClient client;
};

TEST_F(DrawnFileDialogTest, ListsFoldersFirstFilteredAndOpensADoubleClickedFile) {
  D dialog;
  std::vector<std::string> listed;
  Later([&] {
    listed = dialog.ListedNames();
    Snapshot("drawn_file_dialog");
  });
  DoubleClick(60, Row(3));
  ASSERT_TRUE(dialog.Run(Opening(), client));
  EXPECT_EQ(listed, (std::vector<std::string>{"..", "archive", "Banks", "a.syx", "C.syx"}));
  const auto reply = dialog.GetReply();
  EXPECT_TRUE(reply.valid);
  EXPECT_EQ(reply.selection, std::vector<std::string>{(root / "a.syx").string()});
  EXPECT_EQ(client.calls, (std::vector<std::string>{"start", "action 2", "end"}));
  EXPECT_EQ(specs.back().title, "Open");
}

TEST_F(DrawnFileDialogTest, KeysWalkIntoFoldersAndBackAndEscapeCancels) {
  D dialog;
  std::vector<std::string> inBanks, back;
  for (uint32_t k : {XK_Down, XK_Down, XK_Down, XK_Return}) Key(k);  // ".." "archive" "Banks"
  Then([&] { inBanks = dialog.ListedNames(); });
  for (uint32_t k : {XK_Down, XK_Return}) Key(k);  // ".." leads back up
  Then([&] { back = dialog.ListedNames(); });
  Key(XK_Escape);
  ASSERT_TRUE(dialog.Run(Opening(), client));
  EXPECT_EQ(inBanks, (std::vector<std::string>{"..", "Factory", "bank1.syx"}));
  EXPECT_EQ(back.size(), 5u);
  EXPECT_FALSE(dialog.GetReply().valid);
  EXPECT_EQ(client.calls, (std::vector<std::string>{"start", "action 1", "end"}));
  // Enter on a file opens it, and the next dialog starts where this one was.
  D next;
  std::string folder;
  Later([&] { folder = next.folder(); });
  for (uint32_t k : {XK_Down, XK_Down, XK_Down, XK_Down, XK_Down, XK_Up, XK_Return}) Key(k);
  ASSERT_TRUE(next.Run(Opening(), client));
  EXPECT_EQ(next.GetReply().selection, std::vector<std::string>{(root / "a.syx").string()});
  EXPECT_EQ(folder, root.string());
}

TEST_F(DrawnFileDialogTest, SavingTakesTheTypedNameAndAnswersWithTheFolder) {
  D dialog;
  auto o = Opening();
  o.kind = os::FileDialog::Kind::kSave;
  o.saveFileName = "Untitled";
  Later([&] { Snapshot("drawn_save_dialog"); });
  for (int i = 0; i < 8; ++i) Key(XK_BackSpace);
  for (uint32_t k : {XK_M, XK_y, XK_space, XK_B, XK_slash, XK_Return}) Key(k);
  ASSERT_TRUE(dialog.Run(o, client));
  auto reply = dialog.GetReply();
  EXPECT_TRUE(reply.valid);
  EXPECT_EQ(reply.saveFileName, "My B");
  EXPECT_EQ(reply.selection, std::vector<std::string>{root.string()});
  EXPECT_EQ(client.calls.at(1), "action 3");

  // An empty name cannot be saved: OK does nothing until the client names.
  D second;
  o.saveFileName = "";
  Later([&] { Last()->InjectClick(os::MouseButton::kLeft, D::kWidth - 30, D::kHeight - 26); });
  Then([&] { second.SetSaveFileName("Proposed"); });
  Later([&] { Last()->InjectClick(os::MouseButton::kLeft, D::kWidth - 30, D::kHeight - 26); });
  ASSERT_TRUE(second.Run(o, client));
  EXPECT_EQ(second.GetReply().saveFileName, "Proposed");
}

TEST_F(DrawnFileDialogTest, TheFileTypePopUpTellsTheClientAndRefilters) {
  D dialog;
  std::vector<std::string> listed;
  os::HeadlessMenuTracker::ScriptIndex({1});
  Click(30, D::kFieldTop + 5);
  Then([&] { listed = dialog.ListedNames(); });
  Key(XK_Escape);
  ASSERT_TRUE(dialog.Run(Opening(), client));
  EXPECT_EQ(listed, (std::vector<std::string>{"..", "archive", "Banks", "b.txt"}));
  EXPECT_EQ(client.calls, (std::vector<std::string>{"start", "type 1", "action 1", "end"}));
  const auto shown = os::HeadlessMenuTracker::Transcript();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].items.size(), 2u);
  EXPECT_TRUE(shown[0].items[0].checked);
  os::HeadlessMenuTracker::Reset();
}

TEST_F(DrawnFileDialogTest, FilesTypedOtherwiseAreLeftOut) {
  constexpr uint32_t kSyx = 0x53595820, kText = 0x54455854;
  ASSERT_TRUE(os::SetFinderInfo((root / "C.syx").string(), kText, 0));
  uint32_t type = 0, creator = 0;
  os::GetFinderInfo((root / "C.syx").string(), &type, &creator);
  if (type != kText) GTEST_SKIP() << "no extended attributes here";
  D dialog;
  auto o = Opening();
  o.filterTypes = {kSyx};
  std::vector<std::string> listed;
  Later([&] { listed = dialog.ListedNames(); });
  Key(XK_Escape);
  ASSERT_TRUE(dialog.Run(o, client));
  EXPECT_EQ(listed, (std::vector<std::string>{"..", "archive", "Banks", "a.syx"}));
}

}  // namespace

namespace {

TEST_F(DrawnFileDialogTest, WithTheDrawnMenuThePopUpOpensOverTheFieldInsideTheDialogsRun) {
  os::Menu::SetTracker(&DrawnMenuTracker::Track, &DrawnMenuTracker::Cancel);
  D dialog;
  Click(30, D::kFieldTop + 5);
  Then([this] {
    ASSERT_EQ(made.size(), 2u);
    // The entry chosen now lies over the field.
    EXPECT_EQ(specs[1].x, specs[0].x + 16);
    EXPECT_EQ(specs[1].y, specs[0].y + D::kFieldTop - DrawnMenuTracker::ItemTop(os::Menu(1), 0));
    // Input for the dialog while the menu is up goes nowhere.
    made[0]->InjectClose();
    Last()->InjectKey(os::KeyEvent::Kind::kDown, XK_Down);
    Last()->InjectKey(os::KeyEvent::Kind::kDown, XK_Return);
    Later([this] { made[0]->InjectClick(os::MouseButton::kLeft, 60, Row(3), 0, 2); });
  });
  ASSERT_TRUE(dialog.Run(Opening(), client));
  os::Menu::SetTracker(nullptr);
  EXPECT_EQ(client.calls, (std::vector<std::string>{"start", "type 1", "action 2", "end"}));
  EXPECT_EQ(dialog.GetReply().selection, std::vector<std::string>{(root / "b.txt").string()});
}

}  // namespace
