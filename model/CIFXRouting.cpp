#include "model/CIFXRouting.h"

#include "fxcatalog/FxTypeLists.h"
#include "model/CSectionImplBaseT.h"

namespace {

constexpr int kPan = 0x0A, kBus = 0x0F, kSend1 = 0x14, kSend2 = 0x19, kCtlBus = 0x1E;
constexpr int kType = 0x00, kOnOff = 0x05, kChainOn = 0x28, kChainTo = 0x2C, kChannel = 0x2F;

// The slot (0-4) whose pan, bus or send row the offset is, or -1.
int OutputSlot(int offset) {
  for (int first : {kPan, kBus, kSend1, kSend2})
    if (offset >= first && offset < first + 5) return offset - first;
  return -1;
}

constexpr int kMFX1Sent = 134;  // the synthesizer's numbers of the master types
constexpr int kMFX2Sent = 138;

// Chain destinations travel relative to the slot after the source.
int ChainDestinationBias(int off) {
  return off >= kChainTo && off <= kChainTo + 2 ? off - kChainTo + 2 : 0;
}

}  // namespace

void CIFXRouting::DisableByChainTo(const Reader& type, int base, int destination, SParamDesc* row) {
  if (destination < 2 || destination > 5) return;
  int t = type(base + kType + destination - 2);
  if (Oskend::GetFXSize(static_cast<Oskend::eFxType>(t)) == 1) row->flags |= 3;
}

void CIFXRouting::Apply(const Reader& type, SParamDesc* row, int ruleId, int base, int mfxBase) {
  int off = ruleId - base;
  auto prevDouble = [&](int slot) { return slot > 0 && IsDouble(type(base + kType + slot - 1)); };
  if (off >= kOnOff + 1 && off <= kOnOff + 4) {
    if (prevDouble(off - kOnOff)) row->flags |= 6;
    return;
  }
  int slot = OutputSlot(off);
  if (off == kCtlBus + 4 || off == kChannel + 4) slot = 4;
  if (slot >= 0) {
    if (prevDouble(slot)) {
      row->flags |= 7;
    } else if (slot <= 2) {
      if (type(base + kChainOn + slot) == 1)
        DisableByChainTo(type, base, type(base + kChainTo + slot), row);
    } else if (slot == 3) {
      if (type(base + kChainOn + 3) == 1 && !IsDouble(type(base + kType + 3))) row->flags |= 3;
    }
    return;
  }
  // Rows of the slot after a double-size effect: its control bus, chain
  // switch, chain destination and channel.
  for (int k = 1; k <= 3; ++k) {
    if (off == kCtlBus + k || off == kChainOn + k || (k <= 2 && off == kChainTo + k) ||
        off == kChannel + k) {
      if (prevDouble(k)) row->flags |= 7;
      return;
    }
  }
  // Rows of the second master effect and the master chain follow the
  // first master effect's size.
  switch (ruleId - mfxBase) {
    case 0x03:
      if (IsDouble(type(mfxBase))) row->flags |= 6;
      break;
    case 0x05:
      if (IsDouble(type(mfxBase))) row->flags |= 7;
      break;
    case 0x06:
    case 0x08:
    case 0x0A:
      if (IsDouble(type(mfxBase))) row->flags |= 3;
      break;
    default: break;
  }
}

std::vector<int> CIFXRouting::TypeChangedIds(int typeId, int base, bool withChannel) {
  int n = typeId - base + 1;
  std::vector<int> ids{typeId + 1, typeId + 6};
  if (n < 3) ids.push_back(typeId + 45);
  if (n < 4) ids.push_back(typeId + 41);
  for (int d : {11, 16, 21, 26, 31}) ids.push_back(typeId + d);
  if (withChannel) ids.push_back(typeId + 48);
  return ids;
}

std::vector<int> CIFXRouting::ChainChangedIds(int id, int base) {
  int off = id - base;
  int slot = -1;
  if (off >= kChainOn && off <= kChainOn + 3) slot = off - kChainOn;
  if (off >= kChainTo && off <= kChainTo + 2) slot = off - kChainTo;
  if (slot < 0) return {};
  return {base + kPan + slot, base + kBus + slot, base + kSend1 + slot, base + kSend2 + slot};
}

int CIFXRouting::SentValue(const SParamDesc& row, int raw, int base, int mfxBase) {
  if (row.id == mfxBase && raw != 0) return raw + kMFX1Sent;
  if (row.id == mfxBase + 1 && raw != 0) return raw + kMFX2Sent;
  if (int bias = ChainDestinationBias(row.id - base)) return raw - bias;
  return sectionrow::SentBusValue(row.flags, raw);
}

int CIFXRouting::ReceivedValue(int id, int value, std::uint32_t flags, int base, int mfxBase) {
  int off = id - base;
  if (int bias = ChainDestinationBias(off)) return value + bias;
  if (id == mfxBase) return value != 0 ? value - kMFX1Sent : 0;
  if (id == mfxBase + 1) return value != 0 ? value - kMFX2Sent : 0;
  // On/off switches of IFX2-5 and MFX2 share their byte with other fields.
  if ((off >= kOnOff + 1 && off <= kOnOff + 4) || id == mfxBase + 3) return value;
  return sectionrow::ReceivedBusValue(flags, value);
}
