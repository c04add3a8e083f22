#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "fxcatalog/FxTypeLists.h"
#include "model/CParamTable.h"
#include "model/IAccessorI.h"
#include "model/InitChunks.h"
#include "model/RecordBuffer.h"

namespace Oskend {
namespace {

std::string Text(const std::uint8_t* p, std::size_t n) {
  return std::string(reinterpret_cast<const char*>(p), n);
}
bool AllZero(std::span<const std::uint8_t> s) {
  return std::all_of(s.begin(), s.end(), [](std::uint8_t b) { return b == 0; });
}

TEST(InitChunks, SizesAndFixedValues) {
  EXPECT_EQ(INITCHUNK_GLOBAL().size(), 1736u);
  EXPECT_EQ(INITCHUNK_PROG().size(), 1472u);
  EXPECT_EQ(INITCHUNK_COMBI().size(), 1332u);
  EXPECT_EQ(INITCHUNK_PCMOSC().size(), 760u);
  EXPECT_EQ(INITCHUNK_SETUP().size(), 404u);
  EXPECT_EQ(VINITCHUNK_FX().size(), 64u * 64u);
  EXPECT_EQ(VINITCHUNK_FX_MFX1().size(), 5u * 64u);
  EXPECT_EQ(VINITCHUNK_FX_MFX2().size(), 5u * 64u);
  EXPECT_EQ(VINITCHUNK_FX_TFX().size(), 64u);

  EXPECT_EQ(Text(INITCHUNK_PROG().data(), 24), "INIT                    ");
  EXPECT_EQ(CHUNK_PROG_CONST(INITCHUNK_PROG().data()).GetCommon().GetCategory(), 16);
  EXPECT_EQ(Text(INITCHUNK_COMBI().data(), 24), "INIT PERF               ");
  EXPECT_TRUE(AllZero(InitFXEntry(VINITCHUNK_FX(), 0)));  // "no effect"
}

TEST(InitChunks, SetupDefaults) {
  const std::uint8_t* s = INITCHUNK_SETUP().data();
  struct Case {
    std::size_t byte;
    std::uint8_t value;
  };
  const Case cases[] = {{0, 1},    {1, 1},  {2, 0x0F},  {4, 0xFF}, {5, 1},
                        {8, 0xFF}, {15, 0}, {16, 0x01}, {17, 0}};
  for (const Case& c : cases) EXPECT_EQ(s[c.byte], c.value) << "byte " << c.byte;
  const std::string noFile = "(no file. Do \"Select Auto Load File\" menu)";
  EXPECT_EQ(Text(s + 18, 256), noFile + std::string(256 - noFile.size(), ' '));
  EXPECT_EQ(Text(s + 274, 32), std::string(32, ' '));
  EXPECT_EQ(Text(s + 306, 32), std::string(32, ' '));
}

TEST(InitChunks, EffectEntriesAreBoundsChecked) {
  struct Case {
    std::span<const std::uint8_t> table;
    long long type;
    std::size_t size;
  };
  const Case cases[] = {
      {VINITCHUNK_FX(), 0, 64},     {VINITCHUNK_FX(), 63, 64},     {VINITCHUNK_FX(), 64, 0},
      {VINITCHUNK_FX(), -1, 0},     {VINITCHUNK_FX_MFX1(), 4, 64}, {VINITCHUNK_FX_MFX2(), 5, 0},
      {VINITCHUNK_FX_TFX(), 0, 64}, {VINITCHUNK_FX_TFX(), 1, 0},
  };
  for (const Case& c : cases) {
    std::span<const std::uint8_t> e = InitFXEntry(c.table, c.type);
    EXPECT_EQ(e.size(), c.size) << c.type;
    if (!e.empty()) {
      EXPECT_EQ(e.data(), c.table.data() + c.type * 64);
    }
  }
}

TEST(InitChunks, ResetImage) {
  RecordBuffer<ChunkRemoteSynthView> buf;
  std::fill(buf.data(), buf.data() + CHUNK_REMOTESYNTH::kSize, 0xAA);
  CHUNK_REMOTESYNTH img = buf.view();
  InitAllChunk(img);

  EXPECT_TRUE(std::equal(INITCHUNK_GLOBAL().begin(), INITCHUNK_GLOBAL().end(), buf.data()));
  for (int b = 0; b < 4; ++b) {
    for (int n = 0; n < 128; ++n) {
      CHUNK_PROG p = img.GetProg(b, n);
      ASSERT_EQ(Text(p.data(), 24), "INIT                    ");
      ASSERT_EQ(p.GetCommon().GetCategory(), 6);
      // Only the category differs from the initial program.
      ASSERT_TRUE(std::equal(INITCHUNK_PROG().begin(), INITCHUNK_PROG().begin() + 630, p.data()));
      ASSERT_TRUE(
          std::equal(INITCHUNK_PROG().begin() + 631, INITCHUNK_PROG().end(), p.data() + 631));
    }
  }
  for (int n = 0; n < 20; ++n)
    ASSERT_TRUE(
        std::equal(INITCHUNK_COMBI().begin(), INITCHUNK_COMBI().end(), img.GetCombi(n).data()));
  EXPECT_TRUE(std::equal(INITCHUNK_COMBI().begin(), INITCHUNK_COMBI().end(),
                         img.GetCombiEditBuffer().data()));
  EXPECT_TRUE(
      std::equal(INITCHUNK_PROG().begin(), INITCHUNK_PROG().end(), img.GetProgEditBuffer().data()));
  EXPECT_EQ(img.GetProgEditBuffer().GetCommon().GetCategory(), 16);
  EXPECT_TRUE(AllZero(std::span<const std::uint8_t>(buf.data() + RemoteSynthLayout::kTail,
                                               RemoteSynthLayout::kTailSize)));
}

}  // namespace
}  // namespace Oskend

namespace Oskend {
namespace {

// Every effect type's default block reads back each parameter's default.
TEST(InitChunks, EffectBlocksHoldTheirTablesDefaults) {
  struct Set {
    std::span<const std::uint8_t> blocks;
    const TABLEDESC* types;
    int count;
  };
  const Set sets[] = {{VINITCHUNK_FX(), TABLEARRAY_FX, 64},
                      {VINITCHUNK_FX_MFX1(), TABLEARRAY_FX_MFX1, 5},
                      {VINITCHUNK_FX_MFX2(), TABLEARRAY_FX_MFX2, 5},
                      {VINITCHUNK_FX_TFX(), TABLEARRAY_FX_TFX, 1}};
  int checked = 0;
  for (const Set& set : sets) {
    for (int t = 0; t < set.count; ++t) {
      std::span<const std::uint8_t> block = InitFXEntry(set.blocks, t);
      const CParamTable* table = CParamTable::GetInstance(set.types[t], 0);
      for (const SParamDesc& row : table->Rows()) {
        const auto* acc = dynamic_cast<const IAccessorI*>(row.accessor);
        if (acc == nullptr) continue;
        SCOPED_TRACE(testing::Message() << "type " << t << " " << row.name);
        EXPECT_EQ(acc->GetRaw(block.data(), row.offset), row.def);
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 1000);  // the slot types' parameter rows
}

}  // namespace
}  // namespace Oskend
