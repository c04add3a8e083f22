#pragma once
// The standalone program's own failures: they carry a localisation key
// (shown as an alert built from the localised text and the second message).
#include <string>

#include "host/HostString.h"
#include "platform/NRXException.h"

class TalvikException : public NRXException {
 public:
  // The key is kept as given: neither retained nor released.
  TalvikException(CFStringRef localizeKey, const char* secondMessage);
  ~TalvikException() override;
  const char* what() const noexcept override;

  CFStringRef GetLocalizeKey() const { return key_; }
  const std::string& GetSecondMessage() const { return second_; }

 private:
  CFStringRef key_;
  std::string second_;
};

// A buffer size the output device refused, told apart from other failures.
class TalvikSetBufferSizeException : public TalvikException {
 public:
  using TalvikException::TalvikException;
};
