#include "os/window/KeyMap.h"

#include <gtest/gtest.h>
// The X headers come after the test framework, whose names they would shadow.
#include <X11/X.h>
#include <X11/keysym.h>

namespace {

TEST(KeyMap, KeySymbolsGiveTheFrameworkCharacterAndKeyCodes) {
  struct Case {
    uint32_t keysym;
    int chr;
    int key;
  };
  const Case cases[] = {
      {XK_BackSpace, 8, 8},  {XK_Return, 13, 0},  {XK_KP_Enter, 13, 13}, {XK_Escape, 27, 27},
      {XK_Delete, 127, 46},  {XK_Left, 28, 37},   {XK_Up, 30, 38},       {XK_Right, 29, 39},
      {XK_Down, 31, 40},     {XK_KP_Left, 28, 37}, {XK_a, 'a', 0},        {XK_A, 'A', 0},
      {XK_space, ' ', 0},    {XK_asciitilde, '~', 0}, {XK_KP_7, '7', 0},
      // Latin-1 above 127 arrives sign-extended, as a negative character.
      {XK_eacute, -23, 0},   {0x010000E9u, -23, 0},
      // Keys the framework has no code for.
      {XK_F1, 0, 0},         {XK_Shift_L, 0, 0},  {0x01000416u, 0, 0},
  };
  for (const Case& c : cases) {
    int chr = -1000, key = -1000;
    os::TranslateKeysym(c.keysym, &chr, &key);
    EXPECT_EQ(chr, c.chr) << std::hex << c.keysym;
    EXPECT_EQ(key, c.key) << std::hex << c.keysym;
  }
}

TEST(KeyMap, ModifierStateGivesFrameworkFlags) {
  struct Case {
    uint32_t state;
    int flags;
  };
  const Case cases[] = {
      {0, 0},
      {ShiftMask, 1},
      {ControlMask, 2},  // Command
      {Mod1Mask, 4},     // Option
      {Mod4Mask, 8},     // Control
      {ShiftMask | ControlMask | Mod1Mask | Mod4Mask, 15},
      // Caps Lock, Num Lock and the mouse buttons carry no flag.
      {LockMask | Mod2Mask | Button1Mask, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(os::TranslateModifiers(c.state), c.flags) << c.state;
}

TEST(KeyMap, EveryKeySymbolAppearsOnce) {
  for (int i = 0; i < os::kKeyMappingCount; ++i)
    for (int j = i + 1; j < os::kKeyMappingCount; ++j)
      EXPECT_NE(os::kKeyMappings[i].keysym, os::kKeyMappings[j].keysym) << i << " " << j;
}

}  // namespace
