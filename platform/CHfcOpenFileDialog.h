#pragma once
// The framework's open dialog: one file is chosen.
#include "platform/CHfcFileDialog.h"

class CHfcOpenFileDialog : public CHfcFileDialog {
 public:
  // Runs the dialog; the choice arrives through the listener. False when
  // the dialog cannot be shown.
  bool GetOneFile();
  // Runs the dialog and waits: 1 when at least one file was chosen, 2 when
  // cancelled or failed.
  int DoModal();
  int GetFiles() { return 0; }
};
