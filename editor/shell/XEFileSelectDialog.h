#pragma once
// The editor's open-file dialog (loading data files, choosing the file
// loaded at start-up).
#include "platform/CHfcOpenFileDialog.h"

class XEFileSelectDialog : public CHfcOpenFileDialog {
 public:
  XEFileSelectDialog() = default;
  ~XEFileSelectDialog() override;
};
