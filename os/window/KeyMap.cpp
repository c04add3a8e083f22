#include "os/window/KeyMap.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace os {

// Arrow characters are the framework's 28..31 (left, right, up, down);
// forward delete's character is 127.
const KeyMapping kKeyMappings[] = {
    {XK_BackSpace, 8, 8},
    {XK_Tab, 9, 0},
    {XK_ISO_Left_Tab, 9, 0},
    {XK_Return, 13, 0},
    {XK_KP_Enter, 13, 13},
    {XK_Escape, 27, 27},
    {XK_Delete, 127, 46},
    {XK_KP_Delete, 127, 46},
    {XK_Left, 28, 37},
    {XK_KP_Left, 28, 37},
    {XK_Up, 30, 38},
    {XK_KP_Up, 30, 38},
    {XK_Right, 29, 39},
    {XK_KP_Right, 29, 39},
    {XK_Down, 31, 40},
    {XK_KP_Down, 31, 40},
    {XK_Home, 1, 0},
    {XK_End, 4, 0},
    {XK_Page_Up, 11, 0},
    {XK_Page_Down, 12, 0},
    {XK_KP_Space, ' ', 0},
    {XK_KP_Multiply, '*', 0},
    {XK_KP_Add, '+', 0},
    {XK_KP_Subtract, '-', 0},
    {XK_KP_Decimal, '.', 0},
    {XK_KP_Divide, '/', 0},
    {XK_KP_Equal, '=', 0},
    {XK_KP_0, '0', 0},
    {XK_KP_1, '1', 0},
    {XK_KP_2, '2', 0},
    {XK_KP_3, '3', 0},
    {XK_KP_4, '4', 0},
    {XK_KP_5, '5', 0},
    {XK_KP_6, '6', 0},
    {XK_KP_7, '7', 0},
    {XK_KP_8, '8', 0},
    {XK_KP_9, '9', 0},
};
const int kKeyMappingCount = sizeof(kKeyMappings) / sizeof(kKeyMappings[0]);

const ModifierMapping kModifierMappings[] = {
    {ShiftMask, 1},    // Shift
    {ControlMask, 2},  // Control plays Command
    {Mod1Mask, 4},     // Alt plays Option
    {Mod4Mask, 8},     // Super plays Control
};
const int kModifierMappingCount = sizeof(kModifierMappings) / sizeof(kModifierMappings[0]);

void TranslateKeysym(uint32_t keysym, int* chr, int* key) {
  for (int i = 0; i < kKeyMappingCount; ++i) {
    if (kKeyMappings[i].keysym == keysym) {
      *chr = kKeyMappings[i].chr;
      *key = kKeyMappings[i].key;
      return;
    }
  }
  *key = 0;
  // Unicode key symbols below 0x100 stand for the Latin-1 character.
  if (keysym >= 0x01000000u && keysym < 0x01000100u) keysym -= 0x01000000u;
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
    *chr = static_cast<int8_t>(static_cast<uint8_t>(keysym));
  else
    *chr = 0;
}

int TranslateModifiers(uint32_t x11State) {
  int flags = 0;
  for (int i = 0; i < kModifierMappingCount; ++i)
    if (x11State & kModifierMappings[i].x11Mask) flags |= kModifierMappings[i].flag;
  return flags;
}

}  // namespace os
