#pragma once
// The operations the standalone host calls on the hosted component, in the
// table order both sides agree on (position 11 is never called). The host
// never frees the table.
#include <cstdint>

#include "os/midi/Types.h"

class TalvikComponentInterface {
 public:
  using Endpoint = os::midi::EndpointId;

  virtual void QueryControllerChannel(unsigned char* channel) = 0;                  // 0
  virtual void ControllerAttached(int model, Endpoint source) = 0;                  // 1
  virtual void ControllerDetached(Endpoint source) = 0;                             // 2
  virtual void ControllerMessage3(Endpoint source, int id, int value) = 0;          // 3
  virtual void ControllerMessage4(Endpoint source, int a, int b) = 0;               // 4
  virtual void ControllerMessage5(Endpoint source, int a, int b, int c) = 0;        // 5
  virtual void ControllerMessage7(Endpoint source, bool flag, int value) = 0;       // 6
  virtual void ControllerMessage8(Endpoint source, int id, bool flag) = 0;          // 7
  virtual void ControllerMessage11(Endpoint source, int a, int b) = 0;              // 8
  virtual void ControllerMessage6(Endpoint source, bool flag, int value) = 0;       // 9
  virtual void BankOpen() = 0;                                                      // 10
  virtual void Reserved11() {}                                                      // 11
  virtual void BankSaveAs() = 0;                                                    // 12
  virtual void PresetImport() = 0;                                                  // 13
  virtual void PresetExport() = 0;                                                  // 14
  virtual void SetKnobMode(int knobMode) = 0;                                       // 15

 protected:
  ~TalvikComponentInterface() = default;
};
