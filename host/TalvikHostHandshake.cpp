#include "host/TalvikHostHandshake.h"

#include <cstring>

#include "host/HostedComponent.h"

int32_t TalvikHostHandshake::AcceptOnComponent(const void* data, uint32_t size,
                                               TalvikComponentInterface* table,
                                               ITALVIKHOST_talvikvstinterface1** hostOut) {
  if (!data || size != sizeof(TalvikHostHandshake*) || !table)
    return HostedComponent::kErrInvalidPropertyValue;
  TalvikHostHandshake* record;
  std::memcpy(&record, data, sizeof record);
  if (!record || record->version != kVersion || !record->host)
    return HostedComponent::kErrInvalidPropertyValue;
  record->component = table;
  if (hostOut) *hostOut = record->host;
  return 0;
}
