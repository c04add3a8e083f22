#include "platform/NRXException.h"

NRXException::NRXException() : message_("NRXException") {}

NRXException::NRXException(const char* message, const char* detail) {
  if (message) message_ = message;
  if (detail) detail_ = detail;
}

NRXException::~NRXException() = default;

const char* NRXException::what() const noexcept { return message_.c_str(); }

void NRXException::getErrorMessage(std::string& out) const { out = detail_; }

NRXNullException::NRXNullException(const char* name, const char* detail)
    : NRXException((std::string(name ? name : "") + " is NULL").c_str(), detail) {}

NRXIfNotException::NRXIfNotException(const char* condition, const char* detail)
    : NRXException(std::string("(").append(condition ? condition : "").append(") is not").c_str(), detail) {}

NRXMacOSException::NRXMacOSException(long code, const char* detail)
    : NRXException(("MacOS Error ID=" + std::to_string(code)).c_str(), detail), code_(code) {}
