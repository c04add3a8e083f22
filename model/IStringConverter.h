#pragma once
// Turns a parameter's value into display text and typed text back into a
// value, and gives the value range.
#include <cstdint>
#include <string>
#include <utility>

class IStringConverter {
 public:
  virtual ~IStringConverter() = default;
  // A display pair: long form, NUL, short form, NUL.
  virtual std::string Format(int value) const = 0;
  virtual int Parse(const char* text) const = 0;
  // (min, max)
  virtual std::pair<int32_t, int32_t> Range() const = 0;
};
