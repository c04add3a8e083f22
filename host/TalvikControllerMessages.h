#pragma once
// The system-exclusive messages the host sends to the maker's controllers,
// built byte for byte, and the mapping of the component's LED and LCD
// numbers to the hardware's. ch is a MIDI channel 0..15; model is the
// controller's model byte (0 first family, 1 Ondrix, 2 second family).
#include <cstdint>
#include <vector>

using TalvikMessage = std::vector<uint8_t>;

namespace TalvikController {

constexpr uint8_t kModelFirstFamily = 0;
constexpr uint8_t kModelOndrix = 1;
constexpr uint8_t kModelSecondFamily = 2;

// The set-up every controller gets when it enters exclusive mode.
extern const bool ExclusiveInit_PadEnable[16];
extern const uint8_t ExclusiveInit_PadChannel[16];
extern const uint8_t ExclusiveInit_PadNoteNumber[16];
extern const bool ExclusiveInit_LEDPADState[16];
extern const uint8_t ExclusiveInit_LCDBacklitCondition[8];
extern const uint8_t ExclusiveInit_LCDText[8];

// LED_ID to the hardware's LED number; LED_STATE to the hardware's state.
int MapLedId(int id);
int MapLedState(int state);
// LCD_ID 1..8 to lines 0..7; anything else to line 8.
int MapLcdLine(int id);

}  // namespace TalvikController

void SetMIDIPacketListIdentityRequest(TalvikMessage& list);
void SetMIDIPacketListPortQuery(TalvikMessage& list);
void SetMIDIPacketListExclusiveMode(int model, int channel, int mode, TalvikMessage& list);
void SetMIDIPacketListInitial1(int model, int channel, int a, int b, int c,
                               const bool padEnable[16], const uint8_t padChannel[16],
                               const uint8_t padNote[16], TalvikMessage& list);
void SetMIDIPacketListInitial2(int model, int channel, const bool ledPadState[16],
                               const bool flags[11], const uint8_t backlight[8], int d,
                               const uint8_t text[8], TalvikMessage& list);
void SetMIDIPacketListInitial3(int model, int channel, const uint8_t* const texts[4],
                               TalvikMessage& list);
void SetMIDIPacketListInitial4(int model, int channel, const uint8_t* const texts[4],
                               TalvikMessage& list);
void SetMIDIPacketListLED(int model, int channel, int led, int state, int value,
                          TalvikMessage& list);
void SetMIDIPacketListDispLCD(int model, int channel, int colour, int line, const uint8_t text[8],
                              TalvikMessage& list);
void SetMIDIPacketListOndrixLED(int led, int state, int value, TalvikMessage& list);
