#pragma once
// Failure of the data-file reader; the text is a constant naming the step.
#include <exception>

namespace Oskend {

class fileioerror : public std::exception {
 public:
  explicit fileioerror(const char* text) noexcept : text_(text) {}
  const char* what() const noexcept override { return text_; }

 private:
  const char* text_;
};

}  // namespace Oskend
