#pragma once
// The framework's save dialog. The chosen item is the folder; the typed
// name is read with GetSaveFileName.
#include "platform/CHfcFileDialog.h"

class CHfcSaveFileDialog : public CHfcFileDialog {
 public:
  // Runs the dialog; the choice arrives through the listener. False when
  // the dialog cannot be shown.
  bool GetOneFile();
  void SetFileCreator(long creator) { fileCreator_ = creator; }
  void SetFileType(long type, char* unused) { fileType_ = type; }

 private:
  long fileCreator_ = 0x20202020;
  long fileType_ = 0x20202020;
};
