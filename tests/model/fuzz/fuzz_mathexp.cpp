// Any text through the evaluator, in both precisions.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/mathexp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  float f = 0;
  double d = 0;
  mathexp::eval(text.c_str(), 3.5f, &f);
  mathexp::eval(text.c_str(), -1e9, &d);
  return 0;
}
