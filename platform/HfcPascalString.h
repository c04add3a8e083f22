#pragma once
// Counted (Pascal) strings: a length byte, then up to 255 characters.

// Text longer than 255 characters is cut to 255. The target holds 256 bytes.
void HfcMacC2PStringCopy(unsigned char* pascal, const char* text);
// The target holds the counted characters and a terminator.
void HfcMacP2CStringCopy(char* text, const unsigned char* pascal);
