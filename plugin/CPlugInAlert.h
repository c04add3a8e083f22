#pragma once
// Alerts of the plug-in inside a host. With a display the drawn alert asks
// the user; without one nobody could answer, so the alert takes its default
// button at once and says so in one line on the standard error.
#include "os/Alert.h"

class CPlugInAlert : public os::Alert {
 public:
  // Loop thread: an alert is a modal run of the loop.
  int Run(const Request& request) override;

  // Loop thread, at start-up and shutdown: installs the factory that picks
  // the drawn or the answering form; Uninstall goes back to the headless form.
  static void Install();
  static void Uninstall();
  // Any thread.
  static bool HasDisplay();
};
