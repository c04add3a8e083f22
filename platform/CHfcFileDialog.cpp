#include "platform/CHfcFileDialog.h"

#include <cstring>

#include "platform/CHfcFileDialogListener.h"
#include "platform/HfcDebug.h"
#include "platform/HfcGuiHooks.h"

namespace {

// Option flags of the dialog.
constexpr uint32_t kFlagDefaults = 0x80;            // what the system starts with
constexpr uint32_t kFlagSupportPackages = 0x400;
constexpr uint32_t kFlagAllFilesInPopup = 0x40;

bool CopyText(const std::string& text, char* buffer, int size) {
  if (!buffer || size <= 0) return false;
  const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return true;
}

}  // namespace

// Turns the system dialog's calls into the framework's notifications.
class CHfcFileDialog::Client : public os::FileDialog::Client {
 public:
  explicit Client(CHfcFileDialog* owner) : owner_(owner) {}
  void OnStart() override { Send(kNavMsgStart, {}); }
  void OnFileTypeSelected(int index) override {
    HfcNavCBRec rec;
    rec.menuType = index;
    Send(kNavMsgPopupMenuSelect, rec);
  }
  bool OnFilter(const std::string& path, bool isFolder) override {
    return MacNavObjectFilterProc(path, isFolder, owner_);
  }
  void OnUserAction(int action) override {
    HfcNavCBRec rec;
    rec.userAction = action;
    Send(kNavMsgUserAction, rec);
  }
  // The owner may be deleted in here.
  void OnTerminate() override { Send(kNavMsgTerminate, {}); }

 private:
  void Send(uint32_t message, HfcNavCBRec rec) {
    rec.message = message;
    MacNavEventProc(message, &rec, owner_);
  }
  CHfcFileDialog* owner_;
};

CHfcFileDialog::CHfcFileDialog() : client_(std::make_unique<Client>(this)) {}

CHfcFileDialog::~CHfcFileDialog() { runState_->alive = false; }

bool CHfcFileDialog::Create(CHfcWindow* parent, CHfcFileDialogListener* listener,
                            void* userData) {
  itemCount_ = 0;
  listener_ = listener;
  userData_ = userData;
  // Texts, pop-up names, filter types and the proposed name set before
  // Create are kept, so callers may describe the dialog in any order.
  options_.flags = (kFlagDefaults | kFlagSupportPackages) ^ kFlagAllFilesInPopup;
  options_.modality = os::FileDialog::kApplicationModal;
  options_.parentWindow = nullptr;
  if (parent) {
    // A sheet needs a window to hang on; a window without one gets an
    // application-modal dialog.
    void* window = HfcWindowSystemWindow(parent);
    if (window) {
      options_.parentWindow = window;
      if (sheet_) options_.modality = os::FileDialog::kSheet;
    }
  }
  return true;
}

int CHfcFileDialog::Destroy() {
  reply_ = os::FileDialog::Reply{};
  options_.fileTypes.clear();
  typeList_.clear();
  listener_ = nullptr;
  return 0;
}

void CHfcFileDialog::MacNavEventProc(uint32_t message, HfcNavCBRec* rec, void* dialog) {
  auto* d = static_cast<CHfcFileDialog*>(dialog);
  if (!d || !rec) return;
  switch (message) {
    case kNavMsgEvent: d->OnMacNavCBEvent(rec); break;
    case kNavMsgCustomize: d->OnMacNavCBCustomize(rec); break;
    case kNavMsgStart: d->OnMacNavCBStart(rec); break;
    case kNavMsgTerminate: d->OnMacNavCBTerminate(rec); break;
    case kNavMsgAdjustRect: d->OnMacNavCBAdjustRect(rec); break;
    case kNavMsgNewLocation: d->OnMacNavCBNewLocation(rec); break;
    case kNavMsgShowDesktop: d->OnMacNavCBShowDesktop(rec); break;
    case kNavMsgSelectEntry: d->OnMacNavCBSelectEntry(rec); break;
    case kNavMsgPopupMenuSelect: d->OnMacNavCBPopupMenuSelect(rec); break;
    case kNavMsgAccept: d->OnMacNavCBAccept(rec); break;
    case kNavMsgCancel: d->OnMacNavCBCancel(rec); break;
    case kNavMsgAdjustPreview: d->OnMacNavCBAdjustPreview(rec); break;
    case kNavMsgUserAction: d->OnMacNavCBUserAction(rec); break;
    case kNavMsgOpenSelection: d->OnMacNavCBOpenSelection(rec); break;
    default: break;
  }
}

bool CHfcFileDialog::MacNavObjectFilterProc(const std::string& path, bool isFolder,
                                            void* dialog) {
  auto* d = static_cast<CHfcFileDialog*>(dialog);
  if (!d || !d->listener_) return true;
  FSRef ref{path};
  return d->listener_->OnHfcFileDialogBrowseFilterFSRef(d, &ref, isFolder, d->userData_);
}

void CHfcFileDialog::OnMacNavCBStart(HfcNavCBRec* rec) {
  if (fileTypeIndex_ >= 0 && dialog_) dialog_->SelectFileType(fileTypeIndex_);
}

void CHfcFileDialog::OnMacNavCBPopupMenuSelect(HfcNavCBRec* rec) {
  fileTypeIndex_ = rec->menuType;
  if (listener_) listener_->OnHfcFileDialogFileTypeChanged(this, fileTypeIndex_, userData_);
}

void CHfcFileDialog::OnMacNavCBUserAction(HfcNavCBRec* rec) {
  int accepted = 0;
  switch (rec->userAction) {
    case os::FileDialog::kActionOpen:
    case os::FileDialog::kActionSaveAs:
    case os::FileDialog::kActionChoose:
      if (dialog_) {
        reply_ = dialog_->GetReply();
        if (reply_.valid) itemCount_ = static_cast<int>(reply_.selection.size());
      }
      runState_->valid = reply_.valid;
      runState_->count = itemCount_;
      HfcDebugPrintf("Selected items = %d", itemCount_);
      HfcDebugPrintf("Filename = %s", reply_.saveFileName.c_str());
      accepted = 1;
      break;
    default:
      break;
  }
  if (listener_) listener_->OnHfcFileDialogAction(this, accepted, userData_);
}

void CHfcFileDialog::OnMacNavCBTerminate(HfcNavCBRec* rec) {
  // The system dialog is running this call; it touches nothing of itself
  // once the call returns, so it may go now.
  dialog_.reset();
  if (listener_) listener_->OnHfcFileDialogTerminate(this, userData_);
}

bool CHfcFileDialog::RunSystemDialog(os::FileDialog::Kind kind, uint32_t setFlags,
                                     uint32_t clearFlags, uint32_t saveFileType) {
  if (dialog_) return false;  // one run at a time
  options_.kind = kind;
  options_.flags = (options_.flags | setFlags) & ~clearFlags;
  options_.filterTypes = typeList_;
  options_.saveFileType = saveFileType;
  itemCount_ = 0;
  reply_ = os::FileDialog::Reply{};
  *runState_ = RunState{};
  dialog_ = os::FileDialog::Create();
  if (!dialog_) return false;
  os::FileDialog* d = dialog_.get();
  Client* client = client_.get();
  // The run may end with this object deleted by its listener; only a run
  // that did not happen leaves it certainly alive.
  const bool ran = d->Run(options_, *client);
  if (!ran) dialog_.reset();
  return ran;
}

bool CHfcFileDialog::SetTitle(char* text) {
  if (!text) return false;
  options_.title = text;
  return true;
}

bool CHfcFileDialog::SetClientName(char* text) {
  if (!text) return false;
  options_.clientName = text;
  return true;
}

bool CHfcFileDialog::SetMessage(char* text) {
  if (!text) return false;
  options_.message = text;
  return true;
}

bool CHfcFileDialog::GetTitle(char* buffer, int size) { return CopyText(options_.title, buffer, size); }

bool CHfcFileDialog::GetClientName(char* buffer, int size) {
  return CopyText(options_.clientName, buffer, size);
}

bool CHfcFileDialog::GetMessage(char* buffer, int size) {
  return CopyText(options_.message, buffer, size);
}

bool CHfcFileDialog::AddFileType(const char* name, const char* pattern) {
  if (!name) return false;
  options_.fileTypes.push_back(name);
  return true;
}

bool CHfcFileDialog::AddFilterType(long type, char* unused) {
  typeList_.push_back(static_cast<uint32_t>(type));
  return true;
}

void CHfcFileDialog::SetFileTypeIndex(int index) { fileTypeIndex_ = index; }

int CHfcFileDialog::SetFilePath(char* name) {
  options_.saveFileName = name ? name : "";
  return 0;
}

bool CHfcFileDialog::GetSaveFileName(char* buffer, int size) {
  return CopyText(reply_.saveFileName, buffer, size);
}

OSStatus CHfcFileDialog::SetSaveFileNameToDialog(char* name) {
  if (!dialog_ || !name) return kOsParamErr;
  dialog_->SetSaveFileName(name);
  return kOsNoErr;
}

bool CHfcFileDialog::GetItemPath(int n, char* path, int size) {
  if (itemCount_ <= 0 || n < 0 || n >= static_cast<int>(reply_.selection.size())) return false;
  const std::string& chosen = reply_.selection[static_cast<size_t>(n)];
  if (!path || size <= 0 || chosen.size() + 1 > static_cast<size_t>(size)) return false;
  std::memcpy(path, chosen.c_str(), chosen.size() + 1);
  return true;
}

bool CHfcFileDialog::GetItemPath(char* path, int size) { return GetItemPath(0, path, size); }

OSErr CHfcFileDialog::MacGetItemFSSpec(int n, FSSpec* spec) {
  FSRef ref;
  const OSErr err = MacGetItemFSRef(n, &ref);
  if (err != kOsNoErr || !spec) return err != kOsNoErr ? err : kOsParamErr;
  const size_t slash = ref.path.find_last_of('/');
  if (slash == std::string::npos) {
    *spec = FSSpec{"", ref.path};
  } else {
    *spec = FSSpec{ref.path.substr(0, slash == 0 ? 1 : slash), ref.path.substr(slash + 1)};
  }
  return kOsNoErr;
}

OSErr CHfcFileDialog::MacGetItemFSRef(int n, FSRef* ref) {
  if (itemCount_ <= 0 || !ref || n < 0 || n >= static_cast<int>(reply_.selection.size()))
    return kOsParamErr;
  ref->path = reply_.selection[static_cast<size_t>(n)];
  return kOsNoErr;
}
