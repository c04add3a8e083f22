#include <gtest/gtest.h>

#include "host/TalvikControllerMessages.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace TalvikController;

TEST(ControllerMessagesTest, EveryMessageByteForByte) {
  const uint8_t* texts[4] = {ExclusiveInit_LCDText, ExclusiveInit_LCDText, ExclusiveInit_LCDText,
                             ExclusiveInit_LCDText};
  const bool noFlags[11] = {};
  TalvikMessage identity, query, enter, leave, d1, d2, d3, d4, led, lcd, ondrix;
  SetMIDIPacketListIdentityRequest(identity);
  SetMIDIPacketListPortQuery(query);
  SetMIDIPacketListExclusiveMode(0, 3, 1, enter);
  SetMIDIPacketListExclusiveMode(2, 15, 0, leave);
  SetMIDIPacketListInitial1(0, 3, 1, 0, 1, ExclusiveInit_PadEnable, ExclusiveInit_PadChannel,
                            ExclusiveInit_PadNoteNumber, d1);
  SetMIDIPacketListInitial2(0, 1, ExclusiveInit_LEDPADState, noFlags,
                            ExclusiveInit_LCDBacklitCondition, 3, ExclusiveInit_LCDText, d2);
  SetMIDIPacketListInitial3(2, 1, texts, d3);
  SetMIDIPacketListInitial4(2, 1, texts, d4);
  SetMIDIPacketListLED(0, 1, 47, 1, 5, led);
  const uint8_t text[8] = {'V', 'E', 'S', 'K', ' ', ' ', '0', '1'};
  SetMIDIPacketListDispLCD(2, 4, 5, 8, text, lcd);
  SetMIDIPacketListOndrixLED(12, 3, 31, ondrix);

  const Bytes blanks(8, 0x20);
  auto cat = [](std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
  };
  struct Case {
    const char* name;
    const TalvikMessage& got;
    Bytes want;
    size_t length;
  };
  const Case cases[] = {
      {"identity", identity, {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}, 6},
      {"port query", query, {0xF0, 0x42, 0x40, 0x6E, 0x7F, 0x1E, 0x00, 0x01, 0xF7}, 9},
      {"enter", enter, {0xF0, 0x42, 0x43, 0x6E, 0x00, 0x00, 0x00, 0x01, 0xF7}, 9},
      {"leave", leave, {0xF0, 0x42, 0x4F, 0x6E, 0x02, 0x00, 0x00, 0x00, 0xF7}, 9},
      {"dump 1", d1,
       cat({{0xF0, 0x42, 0x43, 0x6E, 0x00, 0x3F, 0x27, 0x00, 0x00, 0x01, 0x01, 0, 0, 0},
            Bytes(32, 0), {0xF7}}),
       47},
      {"dump 2", d2,
       cat({{0xF0, 0x42, 0x41, 0x6E, 0x00, 0x3F, 0x12, 0x01, 0, 0, 0, 0, 0x22, 0x22, 0x22, 0x22,
             0x03},
            blanks, {0xF7}}),
       26},
      {"dump 3", d3,
       cat({{0xF0, 0x42, 0x41, 0x6E, 0x02, 0x3F, 0x21, 0x02}, blanks, blanks, blanks, blanks,
            {0xF7}}),
       41},
      {"dump 4", d4,
       cat({{0xF0, 0x42, 0x41, 0x6E, 0x02, 0x3F, 0x21, 0x03}, blanks, blanks, blanks, blanks,
            {0xF7}}),
       41},
      {"LED", led, {0xF0, 0x42, 0x41, 0x6E, 0x00, 0x01, 47, 0x25, 0xF7}, 9},
      {"LCD", lcd,
       {0xF0, 0x42, 0x44, 0x6E, 0x02, 0x22, 0x09, 0x58, 'V', 'E', 'S', 'K', ' ', ' ', '0', '1',
        0xF7},
       17},
      {"Ondrix LED", ondrix, {0xF0, 0x42, 0x40, 0x6E, 0x01, 0x01, 12, 0x7F, 0xF7}, 9},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.got.size(), c.length) << c.name;
    EXPECT_EQ(c.got, c.want) << c.name;
  }
}

TEST(ControllerMessagesTest, DumpBitPacking) {
  bool pads[16] = {};
  uint8_t channels[16], notes[16];
  for (int i = 0; i < 16; ++i) {
    pads[i] = i % 3 == 0;  // 0,3,6 | 9,12 | 15
    channels[i] = static_cast<uint8_t>(0x10 + i);
    notes[i] = static_cast<uint8_t>(0x80 + i);
  }
  TalvikMessage m;
  SetMIDIPacketListInitial1(2, 0, 0x1A, -7, 0x25, pads, channels, notes, m);
  ASSERT_EQ(m.size(), 47u);
  EXPECT_EQ(m[8], 0x27);   // sign bit 5 and magnitude 7
  EXPECT_EQ(m[9], 0x0A);   // a & 0F
  EXPECT_EQ(m[10], 0x05);  // c & 0F
  EXPECT_EQ(m[11], 0x49);  // pads 0, 3, 6
  EXPECT_EQ(m[12], 0x24);  // pads 9, 12
  EXPECT_EQ(m[13], 0x02);  // pad 15
  EXPECT_EQ(m[14], 0x00);  // channel & 0F
  EXPECT_EQ(m[29], 0x0F);
  EXPECT_EQ(m[30], 0x00);  // note & 7F
  EXPECT_EQ(m[45], 0x0F);

  bool leds[16] = {};
  leds[0] = leds[13] = leds[14] = true;
  bool flags[11] = {};
  flags[0] = flags[4] = flags[5] = flags[6] = flags[10] = true;
  const uint8_t backlight[8] = {1, 2, 3, 0, 7, 5, 0, 3};
  const uint8_t text[8] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 0xC8};
  SetMIDIPacketListInitial2(0, 0, leds, flags, backlight, 7, text, m);
  ASSERT_EQ(m.size(), 26u);
  EXPECT_EQ(m[8], 0x01);
  EXPECT_EQ(m[9], 0x40);
  EXPECT_EQ(m[10], 0x01 | 0x04 | 0x40);  // pad 14, f1, f5
  EXPECT_EQ(m[11], 0x01 | 0x02 | 0x40);  // f6, f7, bit 2 always clear, f11
  EXPECT_EQ(m[12], 0x21);
  EXPECT_EQ(m[13], 0x03);
  EXPECT_EQ(m[14], 0x13);
  EXPECT_EQ(m[15], 0x30);
  EXPECT_EQ(m[16], 0x03);  // d & 3
  EXPECT_EQ(m[24], 0x48);  // text stays inside the message's 7 bits
}

TEST(ControllerMessagesTest, ComponentNumbersMapToTheHardware) {
  struct Case {
    int in, led;
  };
  for (const Case& c : {Case{0, 0}, Case{19, 19}, Case{20, 21}, Case{21, 20}, Case{22, 22},
                        Case{23, 25}, Case{24, 24}, Case{25, 29}, Case{26, 28}, Case{27, 26},
                        Case{28, 27}, Case{29, 32}, Case{43, 46}, Case{44, 47}, Case{45, 47},
                        Case{-1, 47}})
    EXPECT_EQ(MapLedId(c.in), c.led) << c.in;
  struct State {
    int in, out;
  };
  for (const State& s : {State{0, 1}, State{1, 0}, State{2, 2}, State{3, 3}, State{4, 0}})
    EXPECT_EQ(MapLedState(s.in), s.out) << s.in;
  for (int id = 1; id <= 8; ++id) EXPECT_EQ(MapLcdLine(id), id - 1);
  EXPECT_EQ(MapLcdLine(0), 8);
  EXPECT_EQ(MapLcdLine(9), 8);
}

}  // namespace
