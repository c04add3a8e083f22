#pragma once
// A failure that is caught and not passed on still leaves one line on the
// standard error, so that it can be found afterwards.
#include <string>

namespace os {

// The text of the exception being handled: what() for the std::exception
// family, "unknown error" otherwise. Call it inside a catch block.
std::string CurrentExceptionText() noexcept;

// Writes "vesk: <where>: <text of the exception being handled>" and a line
// end to the standard error. Call it inside a catch block.
void ReportCaughtException(const char* where) noexcept;

}  // namespace os
