#include "host/TalvikHostInterface.h"

#include "host/TalvikHostHandshake.h"

TalvikComponentInterface* TalvikHostInterface::InitializeForHost(HostedComponent* unit,
                                                                 TalvikHostInterface* host) {
  if (!unit) return nullptr;
  TalvikHostHandshake record;
  record.host = host;
  record.component = nullptr;
  record.version = TalvikHostHandshake::kVersion;
  TalvikHostHandshake* address = &record;
  const int32_t err = unit->SetProperty(TalvikHostHandshake::kProperty,
                                        HostedComponent::kGlobalScope, 0, &address,
                                        sizeof address);
  if (err != 0) return nullptr;
  return record.component;
}
