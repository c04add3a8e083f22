#include "host/NRXCFString.h"

#include "platform/NRXException.h"

void NRXCFString::SetUTF8String(const std::string& utf8) {
  CFStringRef s = HostStringCreate(utf8);
  if (!s) throw NRXNullException("get()", nullptr);
  object_.Reset(s);
}

void NRXCFString::GetUTF8String(std::string& out) const { CFStringToUTF8String(get(), out); }

void NRXCFString::CFStringToUTF8String(CFStringRef s, std::string& out) {
  if (!s) {
    out.clear();
    return;
  }
  const std::string& bytes = HostStringBytes(s);
  // Strings only exist as valid UTF-8; a failed conversion would mean a
  // corrupted object.
  if (!HostStringIsUTF8(bytes)) throw NRXIfNotException("result", nullptr);
  out = bytes;
}
