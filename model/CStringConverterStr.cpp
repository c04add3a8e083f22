#include "model/CStringConverterStr.h"

#include "model/mathutl.h"

std::string CStringConverterStr::Format(int value) const {
  std::string text = mathutl::formatstring("%d", value);
  return mathutl::makemultisz(text.c_str(), text.c_str());
}

int CStringConverterStr::Parse(const char* text) const { return mathutl::strtoint(text); }
