// The initial blocks seen through the sections bound to them: every numeric
// row reads back its table's default.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "model/CParamTable.h"
#include "model/CSectionImplBaseT.h"
#include "model/ChunkProg.h"
#include "model/IAccessorI.h"
#include "model/ISectionList.h"
#include "model/InitChunks.h"
#include "model/SectionTables.h"
#include "tests/model/SectionFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using sectiontest::SectionSet;

struct Checked {
  int rows = 0;
  std::vector<std::string> mismatches;
};

// Rows of `section` whose stored value differs from their default; rows kept
// outside the image and text rows are not the blocks' business. `fixedId`
// names a row whose value the initial block fixes over the default.
void CheckDefaults(Oskend::ISection *section, const std::string &what, Checked &out,
                   int fixedId = -1) {
  ASSERT_NE(section, nullptr) << what;
  for (int i = 0; i < section->GetParamCount(); ++i) {
    SParamDesc row{};
    ASSERT_TRUE(section->GetParamDescByIndex(static_cast<unsigned>(i), &row));
    if (row.ptype == PTYPE_STRING || row.accessor == nullptr || row.data == nullptr ||
        (row.flags & (PFLAG_OWNSTORAGE | PFLAG_PROGEDITBLOCK)) || row.id == fixedId)
      continue;
    ++out.rows;
    int value = sectionrow::Raw(row);
    if (value != row.def) {
      char id[16];
      std::snprintf(id, sizeof id, "%04X", static_cast<unsigned>(row.id) & 0xFFFFu);
      out.mismatches.push_back(what + " " + id + " " + row.name + ": " + std::to_string(value) +
                               " != " + std::to_string(row.def));
    }
  }
}

TEST(InitBlockDefaults, SectionsOverAResetImageReadTheirDefaults) {
  vesk::test::TestEnvironment env;
  SectionSet s;
  Checked c;
  CheckDefaults(&s.global, "global", c);
  CheckDefaults(&s.progEdit, "prog", c, 0x0101);
  EXPECT_EQ(s.progEdit.GetParamI(0x0101), Oskend::kInitProgCategory);
  CheckDefaults(s.progEdit.GetOSC(), "osc", c);
  for (Oskend::ISection *fx :
       {s.progEdit.GetIFX1(), s.progEdit.GetIFX2(), s.progEdit.GetIFX3(), s.progEdit.GetIFX4(),
        s.progEdit.GetIFX5(), s.progEdit.GetMFX1(), s.progEdit.GetMFX2(), s.progEdit.GetTFX()})
    CheckDefaults(fx, "prog fx", c);
  CheckDefaults(&s.combi, "combi", c);
  for (unsigned t = 0; t < 16; ++t)
    CheckDefaults(s.combi.GetTrack()->GetAt(t), "timbre " + std::to_string(t), c);
  for (Oskend::ISection *fx :
       {s.combi.GetIFX1(), s.combi.GetIFX2(), s.combi.GetIFX3(), s.combi.GetIFX4(),
        s.combi.GetIFX5(), s.combi.GetMFX1(), s.combi.GetMFX2(), s.combi.GetTFX()})
    CheckDefaults(fx, "combi fx", c);
  for (const std::string &m : c.mismatches) ADD_FAILURE() << m;
  EXPECT_GT(c.rows, 1000);
}

// The oscillator block: the oscillator rows' defaults where they lie within
// its 760 bytes, at the same places as in the initial program's tail.
TEST(InitBlockDefaults, OscillatorBlockHoldsTheOscillatorDefaults) {
  const CParamTable *table = CParamTable::GetInstance(Oskend::TABLEDESC_PROGEDITPCM, 0);
  const std::uint8_t *osc = Oskend::INITCHUNK_PCMOSC().data();
  const std::uint8_t *tail = Oskend::INITCHUNK_PROG().data() + Oskend::ProgLayout::kCommon;
  int inside = 0, nonZero = 0;
  for (const SParamDesc &row : table->Rows()) {
    const auto *acc = dynamic_cast<const IAccessorI *>(row.accessor);
    // The oscillator rows are 8- or 16-bit fields.
    const bool wide = row.atype == ATYPE_UBF16L || row.atype == ATYPE_SBF16L ||
                      row.atype == ATYPE_UBF16B || row.atype == ATYPE_SBF16B;
    if (acc == nullptr || row.offset + (wide ? 2u : 1u) > Oskend::kInitChunkPCMOSCSize) continue;
    SCOPED_TRACE(row.name);
    EXPECT_EQ(acc->GetRaw(osc, row.offset), row.def);
    EXPECT_EQ(acc->GetRaw(tail, row.offset), row.def);
    ++inside;
    nonZero += row.def != 0;
  }
  EXPECT_GT(inside, 500);
  EXPECT_GT(nonZero, 20);
}

// Each effect slot of the initial program and combination holds, byte for
// byte, the default block of the type its type row gives (type 0 of each
// slot kind).
TEST(InitBlockDefaults, EffectSlotsHoldTheirTypesDefaultBlocks) {
  for (const std::uint8_t *sound :
       {Oskend::INITCHUNK_PROG().data(), Oskend::INITCHUNK_COMBI().data()}) {
    Oskend::CHUNK_PROGANCESTER_CONST rec(sound);
    struct Slot {
      int fx;
      std::span<const std::uint8_t> defaults;
    };
    const Slot slots[] = {{Oskend::eFX_IFX1, Oskend::VINITCHUNK_FX()},
                          {Oskend::eFX_IFX5, Oskend::VINITCHUNK_FX()},
                          {Oskend::eFX_MFX1, Oskend::VINITCHUNK_FX_MFX1()},
                          {Oskend::eFX_MFX2, Oskend::VINITCHUNK_FX_MFX2()},
                          {Oskend::eFX_EQ, Oskend::VINITCHUNK_FX_TFX()}};
    for (const Slot &slot : slots) {
      std::span<const std::uint8_t> expected = Oskend::InitFXEntry(slot.defaults, 0);
      EXPECT_TRUE(std::equal(expected.begin(), expected.end(), rec.GetFX(slot.fx).data()))
          << "slot " << slot.fx;
    }
  }
}

}  // namespace
