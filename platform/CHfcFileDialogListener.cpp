#include "platform/CHfcFileDialogListener.h"

#include "platform/CHfcFileDialog.h"

void CHfcFileDialogListener::OnHfcFileDialogTerminate(CHfcFileDialog* dialog, void* userData) {
  if (!dialog) return;
  dialog->Destroy();
  delete dialog;
}
