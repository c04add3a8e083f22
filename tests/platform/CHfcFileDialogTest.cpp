#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os/FileDialog.h"
#include "platform/CHfcFileDialogListener.h"
#include "platform/CHfcOpenFileDialog.h"
#include "platform/CHfcSaveFileDialog.h"
#include "platform/HfcGuiHooks.h"

namespace {

using Headless = os::HeadlessFileDialog;
using Answer = os::HeadlessFileDialog::Answer;

// Records every call; the end of the dialog goes to the default.
class RecordingListener : public CHfcFileDialogListener {
 public:
  std::vector<std::string> calls;
  bool useDefaultTerminate = true;
  std::string typedName;
  std::string chosenPath;

  void OnHfcFileDialogAction(CHfcFileDialog* d, int accepted, void* userData) override {
    calls.push_back("action " + std::to_string(accepted) + " " + static_cast<const char*>(userData));
    char buf[256];
    if (d->GetSaveFileName(buf, sizeof buf)) typedName = buf;
    if (d->GetItemPath(buf, sizeof buf)) chosenPath = buf;
  }
  void OnHfcFileDialogTerminate(CHfcFileDialog* d, void* userData) override {
    calls.push_back("terminate");
    if (useDefaultTerminate) CHfcFileDialogListener::OnHfcFileDialogTerminate(d, userData);
  }
  void OnHfcFileDialogFileTypeChanged(CHfcFileDialog* d, int index, void* userData) override {
    calls.push_back("type " + std::to_string(index));
  }
  bool OnHfcFileDialogBrowseFilterFSRef(CHfcFileDialog* d, FSRef* ref, bool isFolder,
                                        void* userData) override {
    const std::string& p = ref->path;
    return isFolder || (p.size() > 7 && p.substr(p.size() - 7) == ".VSKall");
  }
};

template <typename Base>
class TrackedDialog : public Base {
 public:
  explicit TrackedDialog(bool* deleted) : deleted_(deleted) {}
  ~TrackedDialog() override { *deleted_ = true; }

 private:
  bool* deleted_;
};

class FileDialog : public ::testing::Test {
 protected:
  void SetUp() override { Headless::Reset(); }
  void TearDown() override {
    Headless::Reset();
    HfcSetGuiHooks({});
  }
  char userData_[8] = "ud";
};

TEST_F(FileDialog, NothingChosenBeforeARun) {
  CHfcOpenFileDialog d;
  char buf[64];
  FSRef ref;
  FSSpec spec;
  EXPECT_FALSE(d.GetItemPath(buf, sizeof buf));
  EXPECT_FALSE(d.GetItemPath(0, buf, sizeof buf));
  EXPECT_EQ(d.MacGetItemFSRef(0, &ref), -50);
  EXPECT_EQ(d.MacGetItemFSSpec(0, &spec), -50);
  EXPECT_EQ(d.GetFiles(), 0);
  EXPECT_EQ(d.GetFullPath(), nullptr);
  EXPECT_EQ(d.GetFileTypeIndex(), -1);
  char name[] = "x";
  EXPECT_EQ(d.SetSaveFileNameToDialog(name), -50);  // no dialog running
}

TEST_F(FileDialog, ModalityFollowsTheParent) {
  char fakeWindow;
  auto* parent = reinterpret_cast<CHfcWindow*>(&fakeWindow);
  CHfcOpenFileDialog a;
  ASSERT_TRUE(a.Create(nullptr, nullptr, nullptr));
  EXPECT_EQ(a.GetModality(), 2);
  CHfcOpenFileDialog b;
  ASSERT_TRUE(b.Create(parent, nullptr, nullptr));
  EXPECT_EQ(b.GetModality(), 3);
  ASSERT_TRUE(b.GetOneFile());
  EXPECT_EQ(Headless::Transcript().at(0).options.parentWindow, parent);

  // A window without a system window cannot carry a sheet.
  HfcGuiHooks hooks;
  hooks.systemWindow = [](CHfcWindow*) -> void* { return nullptr; };
  HfcSetGuiHooks(hooks);
  CHfcOpenFileDialog c;
  ASSERT_TRUE(c.Create(parent, nullptr, nullptr));
  EXPECT_EQ(c.GetModality(), 2);
}

TEST_F(FileDialog, CancelTellsTheListenerAndTheDefaultDeletesTheDialog) {
  bool deleted = false;
  auto* d = new TrackedDialog<CHfcOpenFileDialog>(&deleted);
  RecordingListener l;
  ASSERT_TRUE(d->Create(nullptr, &l, userData_));
  Headless::Script(Answer{});  // cancel
  EXPECT_TRUE(d->GetOneFile());
  EXPECT_EQ(l.calls, (std::vector<std::string>{"action 0 ud", "terminate"}));
  EXPECT_TRUE(deleted);
}

TEST_F(FileDialog, OpenChoosesAFileWithTypesFilterAndStartEntry) {
  CHfcOpenFileDialog d;
  RecordingListener l;
  l.useDefaultTerminate = false;
  char title[] = "Load", message[] = "Choose a data file";
  d.SetTitle(title);
  d.SetMessage(message);
  d.AddFileType("All Data (*.VSKall)", "*.VSKall");
  d.AddFileType("Program (*.VSKpr)", nullptr);
  d.AddFilterType(0x74726120, nullptr);
  d.SetFileTypeIndex(1);
  ASSERT_TRUE(d.Create(nullptr, &l, userData_));
  char buf[64];
  ASSERT_TRUE(d.GetTitle(buf, 5));
  EXPECT_STREQ(buf, "Load");

  Answer a;
  a.action = os::FileDialog::kActionOpen;
  a.selection = {"/data/song.VSKall"};
  a.fileType = 0;
  a.browse = {{"/data/song.VSKall", false}, {"/data/notes.txt", false}, {"/data/sub", true}};
  Headless::Script(a);
  ASSERT_TRUE(d.GetOneFile());

  auto t = Headless::Transcript().at(0);
  EXPECT_EQ(t.options.title, "Load");
  EXPECT_EQ(t.options.message, "Choose a data file");
  EXPECT_EQ(t.options.fileTypes.size(), 2u);
  EXPECT_EQ(t.options.filterTypes, std::vector<uint32_t>{0x74726120});
  EXPECT_EQ(t.options.flags & 0x80, 0u);  // one file only
  EXPECT_EQ(t.fileTypeAtStart, 1);
  EXPECT_EQ(t.listed, (std::vector<std::string>{"/data/song.VSKall", "/data/sub"}));
  EXPECT_EQ(l.calls, (std::vector<std::string>{"type 0", "action 1 ud", "terminate"}));
  EXPECT_EQ(l.chosenPath, "/data/song.VSKall");
  EXPECT_EQ(d.GetFileTypeIndex(), 0);
  EXPECT_EQ(d.GetItemCount(), 1);
  FSSpec spec;
  ASSERT_EQ(d.MacGetItemFSSpec(0, &spec), 0);
  EXPECT_EQ(spec.folder, "/data");
  EXPECT_EQ(spec.name, "song.VSKall");
  EXPECT_FALSE(d.GetItemPath(1, buf, sizeof buf));
  EXPECT_FALSE(d.GetItemPath(0, buf, 5));  // does not fit
}

TEST_F(FileDialog, SaveProposesANameAndReadsTheTypedOne) {
  CHfcSaveFileDialog d;
  RecordingListener l;
  l.useDefaultTerminate = false;
  char proposed[] = "Untitled.VSKall";
  EXPECT_EQ(d.SetFilePath(proposed), 0);
  d.SetFileType(0x74726120, nullptr);
  ASSERT_TRUE(d.Create(nullptr, &l, userData_));
  Answer a;
  a.action = os::FileDialog::kActionSaveAs;
  a.selection = {"/data"};
  a.saveFileName = "Mine.VSKall";
  Headless::Script(a);
  ASSERT_TRUE(d.GetOneFile());
  auto t = Headless::Transcript().at(0);
  EXPECT_EQ(t.options.kind, os::FileDialog::Kind::kSave);
  EXPECT_EQ(t.options.saveFileName, "Untitled.VSKall");
  EXPECT_EQ(t.options.saveFileType, 0x74726120u);
  EXPECT_NE(t.options.flags & 0x20000, 0u);
  EXPECT_EQ(l.typedName, "Mine.VSKall");
  EXPECT_EQ(l.chosenPath, "/data");

  // Nothing typed: the proposed name stands.
  Headless::Script({os::FileDialog::kActionSaveAs, {"/data"}, -1, "", {}});
  ASSERT_TRUE(d.GetOneFile());
  EXPECT_EQ(l.typedName, "Untitled.VSKall");
}

TEST_F(FileDialog, DoModalResults) {
  CHfcOpenFileDialog d;
  Headless::Script({os::FileDialog::kActionOpen, {"/a", "/b"}, -1, "", {}});
  EXPECT_EQ(d.DoModal(), 1);
  EXPECT_EQ(d.GetItemCount(), 2);
  Headless::Script({os::FileDialog::kActionOpen, {}, -1, "", {}});
  EXPECT_EQ(d.DoModal(), 2);  // nothing chosen
  EXPECT_EQ(d.DoModal(), 2);  // cancelled

  // A listener that deletes the dialog does not pull the result away.
  bool deleted = false;
  auto* gone = new TrackedDialog<CHfcOpenFileDialog>(&deleted);
  RecordingListener l;
  gone->Create(nullptr, &l, userData_);
  Headless::Script({os::FileDialog::kActionOpen, {"/a"}, -1, "", {}});
  EXPECT_EQ(gone->DoModal(), 1);
  EXPECT_TRUE(deleted);
}

}  // namespace
