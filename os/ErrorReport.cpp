#include "os/ErrorReport.h"

#include <cstdio>
#include <exception>

namespace os {

std::string CurrentExceptionText() noexcept {
  try {
    const std::exception_ptr caught = std::current_exception();
    if (!caught) return "no exception";
    std::rethrow_exception(caught);
  } catch (const std::exception& e) {
    try {
      return e.what();
    } catch (...) {
      // No memory for the text: the short form below says as much.
    }
  } catch (...) {
    // Not of the std::exception family: nothing to ask it for.
  }
  return "unknown error";  // short enough to need no memory
}

void ReportCaughtException(const char* where) noexcept {
  const std::string what = CurrentExceptionText();
  std::fprintf(stderr, "vesk: %s: %s\n", where != nullptr ? where : "?", what.c_str());
}

}  // namespace os
