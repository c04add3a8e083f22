// The insert-effect routing rules that program and combination share, over
// stored routing values given directly (a received type may be a
// double-size one, which no editor write can store).
#include <gtest/gtest.h>

#include <map>

#include "model/CIFXRouting.h"

namespace {

struct Rule {
  int id;
  std::uint32_t flags;  // the flags the rule adds
};

std::uint32_t Apply(const std::map<int, int>& stored, int id, int base, int mfxBase) {
  CIFXRouting::Reader read = [&](int x) {
    auto it = stored.find(x);
    return it == stored.end() ? 0 : it->second;
  };
  SParamDesc row{};
  row.id = id;
  CIFXRouting::Apply(read, &row, id, base, mfxBase);
  return row.flags;
}

TEST(IFXRouting, ADoubleSizeEffectTakesOverTheNextSlot) {
  for (int base : {0x0200, 0x1200}) {
    SCOPED_TRACE(base);
    std::map<int, int> ifx1Double{{base + 0x00, 64}};
    const Rule rules[] = {
        {base + 0x06, 6}, {base + 0x0B, 7}, {base + 0x10, 7}, {base + 0x15, 7}, {base + 0x1A, 7},
        {base + 0x1F, 7}, {base + 0x29, 7}, {base + 0x2D, 7}, {base + 0x0A, 0}, {base + 0x07, 0},
        {base + 0x0C, 0}, {base + 0x2F, 0}, {base + 0x30, 7},
    };
    for (const Rule& r : rules)
      EXPECT_EQ(Apply(ifx1Double, r.id, base, base + 0x600), r.flags) << std::hex << r.id;
    std::map<int, int> ifx4Double{{base + 0x03, 70}};
    for (int id : {base + 0x0E, base + 0x13, base + 0x18, base + 0x1D, base + 0x22, base + 0x33})
      EXPECT_EQ(Apply(ifx4Double, id, base, base + 0x600), 7u) << std::hex << id;
    EXPECT_EQ(Apply(ifx4Double, base + 0x09, base, base + 0x600), 6u);
  }
}

TEST(IFXRouting, AChainLocksTheSourcesOutputs) {
  // IFX1 chained to IFX3: every type fits one slot, so the outputs lock.
  std::map<int, int> chain{{0x1228, 1}, {0x122C, 3}};
  for (int id : {0x120A, 0x120F, 0x1214, 0x1219})
    EXPECT_EQ(Apply(chain, id, 0x1200, 0x1800), 3u) << std::hex << id;
  chain[0x122C] = 7;  // no such destination
  EXPECT_EQ(Apply(chain, 0x120A, 0x1200, 0x1800), 0u);
  // IFX4's chain locks its outputs unless IFX4 is double-size.
  std::map<int, int> chain4{{0x022B, 1}};
  EXPECT_EQ(Apply(chain4, 0x020D, 0x0200, 0x0800), 3u);
}

TEST(IFXRouting, ADoubleSizeFirstMasterEffectTakesOverTheSecond) {
  std::map<int, int> mfx1Double{{0x0800, 64}};
  EXPECT_EQ(Apply(mfx1Double, 0x0803, 0x0200, 0x0800), 6u);
  EXPECT_EQ(Apply(mfx1Double, 0x0805, 0x0200, 0x0800), 7u);
  EXPECT_EQ(Apply(mfx1Double, 0x0806, 0x0200, 0x0800), 3u);
  EXPECT_EQ(Apply(mfx1Double, 0x0804, 0x0200, 0x0800), 0u);
  EXPECT_EQ(Apply({}, 0x0803, 0x0200, 0x0800), 0u);
}

TEST(IFXRouting, ValuesOnTheWire) {
  SParamDesc row{};
  struct Case {
    int id;
    std::uint32_t flags;
    int stored, wire;
  } cases[] = {{0x0800, 0, 3, 137},    {0x0800, 0, 0, 0},       {0x0801, 0, 4, 142},
               {0x022C, 0, 3, 1},      {0x022E, 0, 5, 1},       {0x0104, 0x2000, 6, 12},
               {0x020F, 0x1000, 1, 7}, {0x0110, 0x4000, 7, 13}, {0x0214, 0, 99, 99}};
  for (const Case& c : cases) {
    row.id = c.id;
    row.flags = c.flags;
    EXPECT_EQ(CIFXRouting::SentValue(row, c.stored, 0x0200, 0x0800), c.wire) << std::hex << c.id;
    EXPECT_EQ(CIFXRouting::ReceivedValue(c.id, c.wire, c.flags, 0x0200, 0x0800), c.stored)
        << std::hex << c.id;
  }
  // On/off switches share their byte: taken as they come.
  EXPECT_EQ(CIFXRouting::ReceivedValue(0x0207, 5, 0x1000, 0x0200, 0x0800), 5);
  EXPECT_EQ(CIFXRouting::ReceivedValue(0x0110, 9, 0x4000, 0x0200, 0x0800), 7);
}

}  // namespace
