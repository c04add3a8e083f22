#include "platform/HfcPascalString.h"

#include <cstring>

void HfcMacC2PStringCopy(unsigned char* pascal, const char* text) {
  size_t n = text ? std::strlen(text) : 0;
  if (n > 255) n = 255;
  pascal[0] = static_cast<unsigned char>(n);
  if (n) std::memcpy(pascal + 1, text, n);
}

void HfcMacP2CStringCopy(char* text, const unsigned char* pascal) {
  const size_t n = pascal[0];
  std::memcpy(text, pascal + 1, n);
  text[n] = '\0';
}
