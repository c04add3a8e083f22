#pragma once
// The utility library's exception family: a message (what()) and a detail
// text. Thrown by value, caught by reference at the boundary that reports it.
#include <exception>
#include <string>

class NRXException : public std::exception {
 public:
  NRXException();
  NRXException(const char* message, const char* detail);
  ~NRXException() override;
  const char* what() const noexcept override;
  void getErrorMessage(std::string& out) const;

 protected:
  std::string message_;
  std::string detail_;
};

// "<name> is NULL"
class NRXNullException : public NRXException {
 public:
  NRXNullException(const char* name, const char* detail);
};

// "(<condition>) is not"
class NRXIfNotException : public NRXException {
 public:
  NRXIfNotException(const char* condition, const char* detail);
};

// "MacOS Error ID=<code>"; the code stays readable.
class NRXMacOSException : public NRXException {
 public:
  NRXMacOSException(long code, const char* detail);
  long code() const { return code_; }

 private:
  long code_;
};
