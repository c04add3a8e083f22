#pragma once
// The one way the program tells a failure: a stop alert titled with the
// program's name whose first line says what failed (the program's own
// text) and whose second line says why, and the same text once in the
// program's log (the standard error unless a log is set). A report from a
// thread other than the main loop's is posted to the main thread and the
// call returns at once; the alert and the log line follow there.
#include <exception>
#include <functional>
#include <string>

class FailureReporter {
 public:
  using LogSink = std::function<void(const std::string& text)>;
  // An empty log writes to the standard error.
  static void SetLog(LogSink log);

  static void Report(const std::string& what, const std::string& why);
  // Report with the reason of the exception being handled (call it inside
  // a catch block).
  static void ReportCurrent(const std::string& what);
  // The log alone, where nobody could answer an alert (the exit).
  static void Log(const std::string& text);

  // Words for an exception: the failed step and why, no bare code.
  static std::string ReasonOf(const std::exception& e);
  // The same for the exception being handled; inside a catch block.
  static std::string CurrentReason();
};
