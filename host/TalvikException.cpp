#include "host/TalvikException.h"

TalvikException::TalvikException(CFStringRef localizeKey, const char* secondMessage)
    : NRXException(), key_(localizeKey), second_(secondMessage ? secondMessage : "") {}

TalvikException::~TalvikException() = default;

const char* TalvikException::what() const noexcept { return NRXException::what(); }
