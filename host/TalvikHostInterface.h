#pragma once
// The host's side of the handshake: the interface the component calls,
// with the value sets it uses.
#include "host/CONSTANT_talvikvstinterface1.h"
#include "host/HostedComponent.h"
#include "host/ITALVIKHOST_talvikvstinterface1.h"
#include "host/TalvikComponentInterface.h"

class TalvikHostInterface : public ITALVIKHOST_talvikvstinterface1,
                            public CONSTANT_talvikvstinterface1 {
 public:
  // Offers `host` to the unit; the component's table, or null when the unit
  // refuses the property (the host then runs without it).
  static TalvikComponentInterface* InitializeForHost(HostedComponent* unit,
                                                     TalvikHostInterface* host);
};
