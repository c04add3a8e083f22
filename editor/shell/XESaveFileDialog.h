#pragma once
// The editor's save-file dialog (saving data files).
#include "platform/CHfcSaveFileDialog.h"

class XESaveFileDialog : public CHfcSaveFileDialog {
 public:
  XESaveFileDialog() = default;
  ~XESaveFileDialog() override;
};
