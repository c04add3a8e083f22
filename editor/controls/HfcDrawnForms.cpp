#include "editor/controls/HfcDrawnForms.h"

#include "editor/controls/DrawnAlert.h"
#include "editor/controls/DrawnFileDialog.h"
#include "editor/controls/DrawnMenuTracker.h"
#include "editor/controls/DrawnProgressWindow.h"

void HfcInstallDrawnForms() {
  os::Alert::SetFactory([] { return std::make_unique<DrawnAlert>(); });
  os::ProgressWindow::SetFactory([] { return std::make_unique<DrawnProgressWindow>(); });
  os::Menu::SetTracker(&DrawnMenuTracker::Track, &DrawnMenuTracker::Cancel);
  os::FileDialog::SetFactory([] { return std::make_unique<DrawnFileDialog>(); });
}

void HfcUninstallDrawnForms() {
  os::Alert::SetFactory(nullptr);
  os::ProgressWindow::SetFactory(nullptr);
  os::Menu::SetTracker(nullptr);
  os::FileDialog::SetFactory(nullptr);
}
