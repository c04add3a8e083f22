#include "platform/CHfcSaveFileDialog.h"

#include "platform/HfcDebug.h"

namespace {
constexpr uint32_t kFlagPreserveSaveFileExtension = 0x20000;
}

bool CHfcSaveFileDialog::GetOneFile() {
  // The stored creator is not given to the dialog: files are saved as '****'.
  if (RunSystemDialog(os::FileDialog::Kind::kSave, kFlagPreserveSaveFileExtension, 0,
                      static_cast<uint32_t>(fileType_)))
    return true;
  HfcDebugPrintf("CHfcSaveFileDialog::GetOneFile() - %s", "Failed to call NavDialogRun().");
  return false;
}
