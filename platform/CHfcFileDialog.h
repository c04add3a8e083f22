#pragma once
// The framework's open and save dialogs (bases of CHfcOpenFileDialog and
// CHfcSaveFileDialog) over the system dialog of os/FileDialog.h. Set the
// title, message, file-type pop-up and proposed name, Create, then run
// through a subclass; the listener hears the user's action, the pop-up
// choice, the end of the dialog and filters what the browser lists.
//
// The system's notifications arrive through MacNavEventProc with these
// messages: 0 event, 1 customize, 2 start, 3 terminate, 4 adjust rect,
// 5 new location, 6 show desktop, 7 select entry, 8 pop-up menu select,
// 9 accept, 10 cancel, 11 adjust preview, 12 user action, 0x80000000 open
// selection; others are ignored.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "os/FileDialog.h"
#include "os/MacTypes.h"

class CHfcWindow;
class CHfcFileDialogListener;

// One notification of the system dialog.
struct HfcNavCBRec {
  uint32_t message = 0;
  int userAction = 0;  // user action messages
  int menuType = 0;    // pop-up menu select
};

class CHfcFileDialog {
 public:
  static constexpr uint32_t kNavMsgEvent = 0, kNavMsgCustomize = 1, kNavMsgStart = 2,
                            kNavMsgTerminate = 3, kNavMsgAdjustRect = 4,
                            kNavMsgNewLocation = 5, kNavMsgShowDesktop = 6,
                            kNavMsgSelectEntry = 7, kNavMsgPopupMenuSelect = 8,
                            kNavMsgAccept = 9, kNavMsgCancel = 10, kNavMsgAdjustPreview = 11,
                            kNavMsgUserAction = 12, kNavMsgOpenSelection = 0x80000000u;

  CHfcFileDialog();
  virtual ~CHfcFileDialog();
  CHfcFileDialog(const CHfcFileDialog&) = delete;
  CHfcFileDialog& operator=(const CHfcFileDialog&) = delete;

  // Without a parent the dialog is application-modal; with one it is a
  // sheet on the parent's system window.
  virtual bool Create(CHfcWindow* parent, CHfcFileDialogListener* listener, void* userData);
  virtual int Destroy();

  virtual void OnMacNavCBEvent(HfcNavCBRec* rec) {}
  virtual void OnMacNavCBCustomize(HfcNavCBRec* rec) {}
  virtual void OnMacNavCBStart(HfcNavCBRec* rec);
  virtual void OnMacNavCBTerminate(HfcNavCBRec* rec);
  virtual void OnMacNavCBAdjustRect(HfcNavCBRec* rec) {}
  virtual void OnMacNavCBNewLocation(HfcNavCBRec* rec) {}
  virtual void OnMacNavCBShowDesktop(HfcNavCBRec* rec) {}
  virtual void OnMacNavCBSelectEntry(HfcNavCBRec* rec) {}
  virtual void OnMacNavCBPopupMenuSelect(HfcNavCBRec* rec);
  virtual void OnMacNavCBAccept(HfcNavCBRec* rec) {}
  virtual void OnMacNavCBCancel(HfcNavCBRec* rec) {}
  virtual void OnMacNavCBAdjustPreview(HfcNavCBRec* rec) {}
  virtual void OnMacNavCBUserAction(HfcNavCBRec* rec);
  virtual void OnMacNavCBOpenSelection(HfcNavCBRec* rec) {}

  static void MacNavEventProc(uint32_t message, HfcNavCBRec* rec, void* dialog);
  // Whether the browser lists an item.
  static bool MacNavObjectFilterProc(const std::string& path, bool isFolder, void* dialog);

  // Texts are UTF-8; false for a null text or a buffer of no size.
  bool SetTitle(char* text);
  bool SetClientName(char* text);
  bool SetMessage(char* text);
  bool GetTitle(char* buffer, int size);
  bool GetClientName(char* buffer, int size);
  bool GetMessage(char* buffer, int size);
  // Appends a name to the file-type pop-up; the pattern is not used.
  bool AddFileType(const char* name, const char* pattern);
  // Appends a four-character file type that the browser lists.
  bool AddFilterType(long type, char* unused);
  // The pop-up entry selected at start (-1: none); afterwards the user's.
  void SetFileTypeIndex(int index);
  int GetFileTypeIndex() const { return fileTypeIndex_; }
  // The proposed file name (save).
  int SetFilePath(char* name);
  // The name typed in the save dialog, once the user has acted.
  bool GetSaveFileName(char* buffer, int size);
  // Replaces the typed name while a save dialog runs.
  OSStatus SetSaveFileNameToDialog(char* name);

  // POSIX path of the n-th chosen item (the folder, for a save dialog);
  // false before anything was chosen.
  bool GetItemPath(int n, char* path, int size);
  bool GetItemPath(char* path, int size);
  char* GetFullPath() { return nullptr; }
  OSErr MacGetItemFSSpec(int n, FSSpec* spec);
  OSErr MacGetItemFSRef(int n, FSRef* ref);
  OSErr MacSetLocationWithFSSpec(FSSpec* spec) { return 0; }

  int GetModality() const { return options_.modality; }
  int GetItemCount() const { return itemCount_; }

 protected:
  // Runs the system dialog of the given kind; false when it cannot be shown.
  // The dialog object may be gone when this returns true (see the
  // listener's OnHfcFileDialogTerminate): touch no member afterwards.
  bool RunSystemDialog(os::FileDialog::Kind kind, uint32_t setFlags, uint32_t clearFlags,
                       uint32_t saveFileType);
  // What the last run left, valid even when the dialog object is gone.
  struct RunState {
    bool alive = true;
    bool valid = false;
    int count = 0;
  };
  std::shared_ptr<RunState> runState_ = std::make_shared<RunState>();

  bool sheet_ = true;

 private:
  class Client;

  int itemCount_ = 0;
  CHfcFileDialogListener* listener_ = nullptr;
  int fileTypeIndex_ = -1;
  void* userData_ = nullptr;
  os::FileDialog::Options options_;
  os::FileDialog::Reply reply_;
  std::vector<uint32_t> typeList_;
  std::unique_ptr<os::FileDialog> dialog_;
  std::unique_ptr<Client> client_;
};
