#include "platform/CHfcOpenFileDialog.h"

#include "platform/HfcDebug.h"

namespace {
constexpr uint32_t kFlagAllowMultipleFiles = 0x80;
}

bool CHfcOpenFileDialog::GetOneFile() {
  if (RunSystemDialog(os::FileDialog::Kind::kOpen, 0, kFlagAllowMultipleFiles, 0)) return true;
  HfcDebugPrintf("CHfcOpenFileDialog::GetOneFile() - %s", "Failed to call NavDialogRun().");
  return false;
}

int CHfcOpenFileDialog::DoModal() {
  auto state = runState_;  // outlives this object if the listener deletes it
  if (!RunSystemDialog(os::FileDialog::Kind::kOpen, 0, 0, 0)) {
    HfcDebugPrintf("CHfcOpenFileDialog::DoModal() - %s", "Failed to call NavDialogRun().");
    return 2;
  }
  HfcDebugPrintf("NavDialogRun() successful.");
  if (!state->valid) return 2;
  return state->count >= 1 ? 1 : 2;
}
