#pragma once
// The drawn form of the system's open and save dialogs: the folder shown,
// its entries (folders first; files by their stored type when the dialog
// lists types, then by the client's filter), a name field when saving, the
// file-type pop-up and OK / Cancel. Runs modally on the main loop and
// answers through the client as the system's dialog does.
#include <string>
#include <vector>

#include "editor/controls/DrawnForm.h"
#include "os/FileDialog.h"

class DrawnFileDialog : public os::FileDialog, private DrawnForm {
 public:
  static constexpr int kWidth = 480;
  static constexpr int kHeight = 392;
  static constexpr int kListLeft = 16;
  static constexpr int kListTop = 74;
  static constexpr int kRowHeight = 18;
  static constexpr int kRows = 12;
  static constexpr int kFieldTop = kListTop + kRows * kRowHeight + 12;
  static constexpr int kFieldHeight = 20;
  // The file-type pop-up, left of the name field.
  static constexpr int kPopupLeft = 16;
  static constexpr int kPopupWidth = 200;
  // OK and Cancel along the bottom, OK at the right.
  static constexpr int kButtonWidth = 80;
  static constexpr int kButtonHeight = 22;
  static constexpr int kButtonTop = kHeight - 16 - kButtonHeight;
  static constexpr int kOkLeft = kWidth - 16 - kButtonWidth;
  static constexpr int kCancelLeft = kOkLeft - 10 - kButtonWidth;

  // The folder the next dialog opens in; later dialogs open where the
  // last one was left. Empty: the home folder.
  static void SetStartFolder(const std::string& folder);

  bool Run(const Options& options, Client& client) override;
  void SelectFileType(int index) override;
  void SetSaveFileName(const std::string& name) override;
  Reply GetReply() const override { return mReply; }

  // While it runs: the folder shown and the names listed, in order.
  const std::string& folder() const { return mFolder; }
  std::vector<std::string> ListedNames() const;

  void OnWindowMouse(const os::MouseEvent& e) override;
  bool OnWindowKey(const os::KeyEvent& e) override;
  void OnWindowClose() override;

 private:
  struct Entry {
    std::string name;  // ".." for the parent
    bool isFolder;
  };
  void Paint() override;
  void List(const std::string& folder);
  void Select(int index);
  void Activate(int index);  // double click or Enter on an entry
  void Accept();
  void Finish(int action);
  void ChooseFileType();
  bool Saving() const { return mOptions.kind == Kind::kSave; }

  Options mOptions;
  Client* mClient = nullptr;
  bool mRunning = false;
  Reply mReply;
  std::string mFolder;
  std::vector<Entry> mEntries;
  int mSelected = -1;
  int mTop = 0;  // first row shown
  int mFileType = 0;
  int mAction = kActionNone;
  bool mInMenu = false;
};
