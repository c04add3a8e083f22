#include "host/MidiEntry.h"

namespace {

void Put32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

MidiEntry::Record MidiEntry::Serialize() const {
  Record r{};
  // Offsets 0, 4 and 8 held the names' addresses, which mean nothing in a
  // file: they stay 0.
  r[12] = enable;
  Put32(&r[16], static_cast<uint32_t>(portKind));
  Put32(&r[20], static_cast<uint32_t>(deviceKey));
  Put32(&r[24], static_cast<uint32_t>(entryClass));
  Put32(&r[28], static_cast<uint32_t>(uniqueID));
  Put32(&r[32], endpoint);
  Put32(&r[36], reservedA);
  Put32(&r[40], reservedB);
  return r;
}

MidiEntry MidiEntry::Parse(const uint8_t* r) {
  MidiEntry e;
  e.enable = r[12];
  e.portKind = static_cast<int32_t>(Get32(r + 16));
  e.deviceKey = static_cast<int32_t>(Get32(r + 20));
  e.entryClass = static_cast<int32_t>(Get32(r + 24));
  e.uniqueID = static_cast<int32_t>(Get32(r + 28));
  e.endpoint = Get32(r + 32);
  e.reservedA = Get32(r + 36);
  e.reservedB = Get32(r + 40);
  return e;
}

bool MidiEntry::IsNoPort(const uint8_t* r) {
  for (size_t i = 0; i < kRecordSize; ++i)
    if (r[i]) return false;
  return true;
}
