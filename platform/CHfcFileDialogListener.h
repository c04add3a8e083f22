#pragma once
// What a file dialog tells its owner. Every call carries the user data that
// was given to the dialog's Create.
#include "os/MacTypes.h"

class CHfcFileDialog;

class CHfcFileDialogListener {
 public:
  virtual ~CHfcFileDialogListener() = default;
  // accepted is 1 when the user opened, saved or chose, 0 otherwise.
  virtual void OnHfcFileDialogAction(CHfcFileDialog* dialog, int accepted, void* userData) {}
  // The dialog has ended. By default the dialog is destroyed and deleted,
  // so a listener that keeps this default must have made it with new.
  virtual void OnHfcFileDialogTerminate(CHfcFileDialog* dialog, void* userData);
  virtual void OnHfcFileDialogFileTypeChanged(CHfcFileDialog* dialog, int index, void* userData) {}
  // Whether the browser lists an item; all are listed by default.
  virtual bool OnHfcFileDialogBrowseFilterFSRef(CHfcFileDialog* dialog, FSRef* ref, bool isFolder,
                                                void* userData) {
    return true;
  }
  virtual bool OnHfcFileDialogBrowseFilterFSSpec(CHfcFileDialog* dialog, FSSpec* spec,
                                                 bool isFolder, void* userData) {
    return true;
  }
};
