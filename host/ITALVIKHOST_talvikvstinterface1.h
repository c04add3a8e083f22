#pragma once
// The operations the hosted component may call on the standalone host. The
// slot order of the virtual operations is part of the handshake.
#include "host/CONSTANT_talvikvstinterface1.h"

class ITALVIKHOST_talvikvstinterface1 {
 public:
  virtual void SetLed_talvikvstinterface1(int port, CONSTANT_talvikvstinterface1::LED_ID id,
                                          CONSTANT_talvikvstinterface1::LED_STATE state,
                                          int value) = 0;
  // text: 8 bytes.
  virtual void SetLcd_talvikvstinterface1(int port, CONSTANT_talvikvstinterface1::LCD_ID id,
                                          CONSTANT_talvikvstinterface1::LCD_COLOR colour,
                                          unsigned char* text) = 0;
  virtual void SetLedOndr_talvikvstinterface1(int port,
                                              CONSTANT_talvikvstinterface1::LED_ONDR_ID id,
                                              CONSTANT_talvikvstinterface1::LED_STATE state,
                                              int value) = 0;
  // Each pointer may be null.
  virtual void GetCpuCost_talvikvstinterface1(bool* processing, double* load, bool* reserved1,
                                              double* reserved2, bool* reserved3) = 0;
  virtual void SetCombiMIDIChannel_talvikvstinterface1(int channel) = 0;
  virtual ~ITALVIKHOST_talvikvstinterface1() = default;
};
