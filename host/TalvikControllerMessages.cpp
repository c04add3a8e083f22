#include "host/TalvikControllerMessages.h"

namespace {

uint8_t ChannelByte(int ch) { return static_cast<uint8_t>(0x40 | (ch & 0x0F)); }

// F0 42 (40+ch) 6E model
void Header(int model, int channel, TalvikMessage& m) {
  m.assign({0xF0, 0x42, ChannelByte(channel), 0x6E, static_cast<uint8_t>(model & 0x7F)});
}

uint8_t Bits7(const bool* v, int n) {
  uint8_t b = 0;
  for (int i = 0; i < n; ++i)
    if (v[i]) b |= static_cast<uint8_t>(1u << i);
  return b;
}

void Texts(int model, int channel, uint8_t which, const uint8_t* const texts[4],
           TalvikMessage& m) {
  Header(model, channel, m);
  m.insert(m.end(), {0x3F, 0x21, which});
  for (int t = 0; t < 4; ++t)
    for (int i = 0; i < 8; ++i) m.push_back(static_cast<uint8_t>(texts[t][i] & 0x7F));
  m.push_back(0xF7);
}

uint8_t LedBits(int value, int state) {
  return static_cast<uint8_t>((value & 0x1F) | ((state & 3) << 5));
}

}  // namespace

namespace TalvikController {

int MapLedId(int id) {
  if (id >= 0 && id <= 19) return id;
  switch (id) {
    case 20: return 21;
    case 21: return 20;
    case 22: return 22;
    case 23: return 25;
    case 24: return 24;
    case 25: return 29;
    case 26: return 28;
    case 27: return 26;
    case 28: return 27;
    default: break;
  }
  if (id >= 29 && id <= 44) return id + 3;
  return 47;
}

int MapLedState(int state) {
  switch (state) {
    case 0: return 1;
    case 1: return 0;
    case 2: return 2;
    case 3: return 3;
    default: return 0;
  }
}

int MapLcdLine(int id) { return id >= 1 && id <= 8 ? id - 1 : 8; }

}  // namespace TalvikController

void SetMIDIPacketListIdentityRequest(TalvikMessage& m) { m.assign({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}); }

void SetMIDIPacketListPortQuery(TalvikMessage& m) {
  m.assign({0xF0, 0x42, 0x40, 0x6E, 0x7F, 0x1E, 0x00, 0x01, 0xF7});
}

void SetMIDIPacketListExclusiveMode(int model, int channel, int mode, TalvikMessage& m) {
  Header(model, channel, m);
  m.insert(m.end(), {0x00, 0x00, static_cast<uint8_t>(mode ? 1 : 0), 0xF7});
}

void SetMIDIPacketListInitial1(int model, int channel, int a, int b, int c,
                               const bool padEnable[16], const uint8_t padChannel[16],
                               const uint8_t padNote[16], TalvikMessage& m) {
  Header(model, channel, m);
  m.insert(m.end(), {0x3F, 0x27, 0x00});
  const int magnitude = (b < 0 ? -b : b) & 0x1F;
  m.push_back(static_cast<uint8_t>((b < 0 ? 0x20 : 0) | magnitude));
  m.push_back(static_cast<uint8_t>(a & 0x0F));
  m.push_back(static_cast<uint8_t>(c & 0x0F));
  m.push_back(Bits7(padEnable, 7));
  m.push_back(Bits7(padEnable + 7, 7));
  m.push_back(Bits7(padEnable + 14, 2));
  for (int i = 0; i < 16; ++i) m.push_back(static_cast<uint8_t>(padChannel[i] & 0x0F));
  for (int i = 0; i < 16; ++i) m.push_back(static_cast<uint8_t>(padNote[i] & 0x7F));
  m.push_back(0xF7);
}

void SetMIDIPacketListInitial2(int model, int channel, const bool ledPadState[16],
                               const bool f[11], const uint8_t backlight[8], int d,
                               const uint8_t text[8], TalvikMessage& m) {
  Header(model, channel, m);
  m.insert(m.end(), {0x3F, 0x12, 0x01});
  m.push_back(Bits7(ledPadState, 7));
  m.push_back(Bits7(ledPadState + 7, 7));
  uint8_t b3 = Bits7(ledPadState + 14, 2);
  for (int i = 0; i < 5; ++i)
    if (f[i]) b3 |= static_cast<uint8_t>(1u << (2 + i));
  m.push_back(b3);
  uint8_t b4 = 0;
  if (f[5]) b4 |= 1;
  if (f[6]) b4 |= 2;
  for (int i = 0; i < 4; ++i)
    if (f[7 + i]) b4 |= static_cast<uint8_t>(1u << (3 + i));
  m.push_back(b4);
  for (int i = 0; i < 4; ++i)
    m.push_back(static_cast<uint8_t>((backlight[2 * i] & 3) | ((backlight[2 * i + 1] & 3) << 4)));
  m.push_back(static_cast<uint8_t>(d & 3));
  for (int i = 0; i < 8; ++i) m.push_back(static_cast<uint8_t>(text[i] & 0x7F));
  m.push_back(0xF7);
}

void SetMIDIPacketListInitial3(int model, int channel, const uint8_t* const texts[4],
                               TalvikMessage& m) {
  Texts(model, channel, 0x02, texts, m);
}

void SetMIDIPacketListInitial4(int model, int channel, const uint8_t* const texts[4],
                               TalvikMessage& m) {
  Texts(model, channel, 0x03, texts, m);
}

void SetMIDIPacketListLED(int model, int channel, int led, int state, int value,
                          TalvikMessage& m) {
  Header(model, channel, m);
  m.insert(m.end(), {0x01, static_cast<uint8_t>(led & 0x7F), LedBits(value, state), 0xF7});
}

void SetMIDIPacketListDispLCD(int model, int channel, int colour, int line, const uint8_t text[8],
                              TalvikMessage& m) {
  Header(model, channel, m);
  m.insert(m.end(), {0x22, 0x09, static_cast<uint8_t>(((colour & 7) << 4) | (line & 0x0F))});
  for (int i = 0; i < 8; ++i) m.push_back(static_cast<uint8_t>(text[i] & 0x7F));
  m.push_back(0xF7);
}

void SetMIDIPacketListOndrixLED(int led, int state, int value, TalvikMessage& m) {
  m.assign({0xF0, 0x42, 0x40, 0x6E, 0x01, 0x01, static_cast<uint8_t>(led & 0x7F),
            LedBits(value, state), 0xF7});
}
