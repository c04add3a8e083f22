#include "host/FailureReporter.h"

#include <cstdio>
#include <mutex>

#include "host/HostAlerts.h"
#include "host/StatusText.h"
#include "host/TalvikException.h"
#include "os/Lock.h"
#include "os/MainLoop.h"
#include "platform/NRXException.h"

namespace {

os::Lock& LogLock() {
  static os::Lock lock;
  return lock;
}

FailureReporter::LogSink& TheLog() {
  static FailureReporter::LogSink log;
  return log;
}

void WriteLog(const std::string& text) {
  FailureReporter::LogSink log;
  {
    std::lock_guard guard(LogLock());
    log = TheLog();
  }
  if (log)
    log(text);
  else
    std::fprintf(stderr, "Vesk Editor: %s\n", text.c_str());
}

}  // namespace

void FailureReporter::SetLog(LogSink log) {
  std::lock_guard guard(LogLock());
  TheLog() = std::move(log);
}

void FailureReporter::Report(const std::string& what, const std::string& why) {
  os::MainLoop* loop = os::MainLoop::Current();
  if (loop && !loop->IsMainThread()) {
    loop->Post([what, why] { Report(what, why); });
    return;
  }
  WriteLog(why.empty() ? what : what + " " + why);
  try {
    ShowErrorAlert(what, why);
  } catch (const std::exception& e) {
    WriteLog("The alert could not be shown: " + ReasonOf(e));
  }
}

void FailureReporter::Log(const std::string& text) { WriteLog(text); }

void FailureReporter::ReportCurrent(const std::string& what) { Report(what, CurrentReason()); }

std::string FailureReporter::ReasonOf(const std::exception& e) {
  if (const auto* t = dynamic_cast<const TalvikException*>(&e)) {
    const std::string key = HostStringBytes(t->GetLocalizeKey());
    return t->GetSecondMessage().empty() ? key : key + " " + t->GetSecondMessage();
  }
  std::string detail;
  if (const auto* n = dynamic_cast<const NRXException*>(&e)) n->getErrorMessage(detail);
  if (const auto* m = dynamic_cast<const NRXMacOSException*>(&e)) {
    const std::string status = StatusText(m->code());
    return detail.empty() ? "The system answered: " + status + "."
                          : "Failed while " + CallText(detail) + ": " + status + ".";
  }
  const std::string what = e.what();
  return detail.empty() ? what : what + " (" + detail + ")";
}

std::string FailureReporter::CurrentReason() {
  try {
    throw;
  } catch (const std::exception& e) {
    return ReasonOf(e);
  } catch (...) {
    return "An unexpected error occurred.";
  }
}
