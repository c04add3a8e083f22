#pragma once
// Puts the drawn forms of the system's alert, progress window, menu
// tracking and file dialogs in place of the headless ones, for programs
// that show them to a person; Uninstall goes back to the headless forms.
void HfcInstallDrawnForms();
void HfcUninstallDrawnForms();
