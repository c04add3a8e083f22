#pragma once
// Owns one string reference; converts to and from UTF-8 text.
#include <string>

#include "host/NRXCFObject.h"

class NRXCFString {
 public:
  NRXCFString() = default;
  explicit NRXCFString(CFStringRef owned) { object_.Reset(owned); }  // takes ownership as given
  explicit NRXCFString(const std::string& utf8) { SetUTF8String(utf8); }

  CFStringRef get() const { return object_.get(); }
  // Throws NRXNullException "get()" when the bytes are not UTF-8.
  void SetUTF8String(const std::string& utf8);
  void GetUTF8String(std::string& out) const;
  static void CFStringToUTF8String(CFStringRef s, std::string& out);

 private:
  NRXCFObject object_;
};
