#pragma once
// The system font names the framework asks for, served by the DejaVu
// faces that every installation of ours has, and the single-byte text
// encoding of the framework's strings.
#include <cstdint>

namespace os {

struct SystemFontFace {
  const char* name;  // as asked for, compared without regard to case
  const char* file;  // DejaVu file name inside the font folder
};

// The face for a font name; an unknown or null name gets the plain sans
// face, so text always shows.
const SystemFontFace& FindSystemFont(const char* name);
// Every entry of the table, for inspection.
const SystemFontFace* SystemFontTable(int* count);
// The Unicode code point of a Mac Roman byte.
uint32_t MacRomanToUnicode(uint8_t byte);

}  // namespace os
