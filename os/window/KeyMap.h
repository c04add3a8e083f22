#pragma once
// Translation of X11 key symbols and modifier state into the framework's
// key events. The framework was made for a keyboard with Command, Option
// and Control keys; on Linux Control plays Command (the shortcut key), Alt
// plays Option and Super plays Control.
#include <cstdint>

namespace os {

// One row of the key table: an X11 key symbol and the framework's
// character code and key code for it.
struct KeyMapping {
  uint32_t keysym;
  int chr;
  int key;
};

// One row of the modifier table: an X11 state mask bit and its flag.
struct ModifierMapping {
  uint32_t x11Mask;
  int flag;
};

// The tables themselves (data, in KeyMap.cpp).
extern const KeyMapping kKeyMappings[];
extern const int kKeyMappingCount;
extern const ModifierMapping kModifierMappings[];
extern const int kModifierMappingCount;

// Character and key code for a key symbol: table rows first, then
// printable Latin-1 symbols give their character (sign-extended byte, so
// 0xE9 gives -23) with key 0; anything else gives 0, 0.
void TranslateKeysym(uint32_t keysym, int* chr, int* key);
// Framework modifier flags from an X11 modifier state.
int TranslateModifiers(uint32_t x11State);

}  // namespace os
