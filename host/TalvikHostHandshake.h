#pragma once
// The record through which host and component swap their operation tables:
// the host sets the property 'Tlvk' (global scope, element 0) to the address
// of a pointer to this record; a component that knows the property fills in
// its table while it handles the call.
#include <cstdint>

#include "host/ITALVIKHOST_talvikvstinterface1.h"
#include "host/TalvikComponentInterface.h"

struct TalvikHostHandshake {
  static constexpr uint32_t kProperty = 0x546C766B;  // 'Tlvk'
  static constexpr uint32_t kVersion = 0x10005;

  ITALVIKHOST_talvikvstinterface1* host = nullptr;
  TalvikComponentInterface* component = nullptr;
  uint32_t version = kVersion;

  // The component's side, for its property handler: checks the value and
  // the version, writes `table` into the record and hands out the host's
  // interface. Returns 0, or the status the component answers with.
  static int32_t AcceptOnComponent(const void* data, uint32_t size,
                                   TalvikComponentInterface* table,
                                   ITALVIKHOST_talvikvstinterface1** hostOut);
};
