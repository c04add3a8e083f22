#pragma once
// The insert-effect routing rules that programs and combinations share:
// which pan, bus, send and chain rows a double-size effect or an effect
// chain makes meaningless, and which rows to re-read when an effect type
// or chain setting changes. `base` is the routing page (0x0200 program,
// 0x1200 combination), `mfxBase` the master-effect page (0x0800, 0x1800).
#include <cstdint>
#include <functional>
#include <vector>

#include "model/paramdesc/SParamDesc.h"

class CIFXRouting {
 public:
  // Reads a routing value raw (a received type may lie outside the row's
  // range) and without the section's own rules, which read back.
  using Reader = std::function<int(int id)>;

  // Applies the routing rules to a prepared row. ruleId is the row's id, or
  // for a row kept elsewhere the routing id it stands for.
  static void Apply(const Reader& type, SParamDesc* row, int ruleId, int base, int mfxBase);
  // Locks the row when the slot before destination d (2 to 5) holds a
  // single-size effect.
  static void DisableByChainTo(const Reader& type, int base, int destination, SParamDesc* row);
  // Ids whose properties change with the type of slot typeId - base + 1.
  static std::vector<int> TypeChangedIds(int typeId, int base, bool withChannel);
  // Ids whose properties change with a chain row, empty for other ids.
  static std::vector<int> ChainChangedIds(int id, int base);

  // The value a parameter-change message carries for a row's stored bit
  // field, and the bit field for a received value.
  static int SentValue(const SParamDesc& row, int raw, int base, int mfxBase);
  static int ReceivedValue(int id, int value, std::uint32_t flags, int base, int mfxBase);

  static bool IsDouble(int type) { return type >= 64; }
};
