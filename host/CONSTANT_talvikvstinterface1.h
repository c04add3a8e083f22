#pragma once
// The value sets that host and component exchange for the controllers'
// LEDs and LCD lines. The component numbers them; the host maps the numbers
// to the hardware's (see TalvikControllerMessages).
class CONSTANT_talvikvstinterface1 {
 public:
  enum LED_ID : int {};       // 0..44 name the controllers' LEDs
  enum LED_STATE : int {};    // 0 on, 1 off, 2 and 3 blink patterns
  enum LCD_ID : int {};       // 1..8 name the display lines
  enum LCD_COLOR : int {};    // backlight colour 0..7
  enum LED_ONDR_ID : int {};  // the Ondrix's LED numbers, passed through
};
