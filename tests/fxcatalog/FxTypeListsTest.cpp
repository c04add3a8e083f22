// The per-slot lists of effect types: sizes, order, names, and that they are
// already filled while other translation units run their static initialisers.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include "fxcatalog/FxTypeLists.h"
#include "tests/fxcatalog/FxCatalogCases.h"

namespace {

// Read during this file's dynamic initialisation, before main: the lists
// must not depend on the order in which translation units are initialised.
const uint32_t gRotaryRowsSeenAtStartup = Oskend::TABLEARRAY_FX[63].count;
const char* const gMfx2NameSeenAtStartup = Oskend::TABLEARRAY_FX_MFX2[1].rows[1].name;

struct SlotCase {
  const char* key;
  const char* displayName;
  uint32_t rows;
};

void ExpectList(const TABLEDESC* list, size_t size, std::initializer_list<SlotCase> expected) {
  ASSERT_EQ(size, expected.size());
  size_t i = 0;
  for (const SlotCase& e : expected) {
    SCOPED_TRACE(testing::Message() << "element " << i << " " << e.key);
    const fxtest::TableCase* table = fxtest::FindTable(e.key);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(list[i].rows, table->desc->rows);
    EXPECT_EQ(list[i].count, table->desc->count);
    EXPECT_EQ(list[i].count, e.rows);
    EXPECT_STREQ(list[i].rows[1].name, e.displayName);
    ++i;
  }
}

TEST(FxTypeListsTest, ListsHoldTheTypesInSlotOrder) {
  ExpectList(Oskend::TABLEARRAY_FX, std::size(Oskend::TABLEARRAY_FX),
             {{"nofx", "No Effect", 5},
              {"cmp", "Stereo Compressor", 24},
              {"redcomp", "Red Comp", 12},
              {"lmt", "Stereo Limiter", 35},
              {"blmt", "Multiband Limiter", 25},
              {"mlmt", "Stereo Mastering Limiter", 12},
              {"gate", "Stereo Gate", 26},
              {"peq", "Stereo Parametric 4-Band EQ", 46},
              {"geq", "Stereo Graphic 7-Band EQ", 21},
              {"xct", "Stereo Exciter", 31},
              {"isolator", "Stereo Isolator", 35},
              {"wah", "Stereo Wah/Auto Wah", 38},
              {"vcwah", "Stereo Vintage/Custom Wah", 48},
              {"qorwah", "QOR Wah", 22},
              {"rflt", "Stereo Random Filter", 47},
              {"mmf", "Stereo Multi Mode Filter", 43},
              {"osc", "Stereo Sub Oscillator", 27},
              {"talk", "Talking Modulator", 38},
              {"deci", "Stereo Decimator", 44},
              {"rec", "Stereo Analog Record", 35},
              {"od", "Overdrive/Hi-Gain Wah", 47},
              {"gcab", "Stereo Guitar Cabinet", 11},
              {"bcab", "Stereo Bass Cabinet", 11},
              {"bamp", "Bass Amp Model", 29},
              {"bampcab", "Bass Amp Model + Cabinet", 34},
              {"treblebooster", "Treble Booster", 12},
              {"tubepre", "Tube PreAmp Modeling", 26},
              {"stubepre", "Stereo Tube PreAmp Modeling", 26},
              {"micpre", "Mic Modeling + PreAmp", 22},
              {"phs", "Stereo Phaser", 41},
              {"smallphase", "Small Phaser", 11},
              {"orangephase", "Orange Phaser", 13},
              {"blackphase", "Black Phaser", 13},
              {"uvibe", "U-VIBE", 12},
              {"rphs", "Stereo Random Phaser", 44},
              {"ephs", "Stereo Envelope Phaser", 30},
              {"reso", "2-Voice Resonator", 47},
              {"trml", "Stereo Tremolo", 37},
              {"textrem", "TEX Tremolo", 13},
              {"etrml", "Stereo Envelope Tremolo", 31},
              {"pan", "Stereo Auto Pan", 37},
              {"phtr", "Stereo Phaser + Tremolo", 48},
              {"ring", "Stereo Ring Modulator", 43},
              {"peq_xct", "Parametric 4-Band EQ - Exciter", 43},
              {"peq_wah", "Parametric 4-Band EQ - Wah", 57},
              {"peq_phs", "Parametric 4-Band EQ - Phaser", 56},
              {"cmp_wah", "Compressor - Wah/Auto Wah", 46},
              {"cmp_amp", "Compressor - Amp Simulation", 30},
              {"cmp_od", "Compressor - Overdrive/Hi-Gain", 49},
              {"cmp_peq", "Compressor - Parametric 4-Band EQ", 49},
              {"cmp_phs", "Compressor - Phaser", 45},
              {"lmt_peq", "Limiter - Parametric 4-Band EQ", 51},
              {"lmt_phs", "Limiter - Phaser", 42},
              {"xct_cmp", "Exciter - Compressor", 31},
              {"xct_lmt", "Exciter - Limiter", 33},
              {"xct_phs", "Exciter - Phaser", 39},
              {"od_amp", "Overdrive/Hi-Gain - Amp Simulation", 40},
              {"od_phs", "Overdrive/Hi-Gain - Phaser", 54},
              {"wah_amp", "Wah - Amp Simulation", 37},
              {"deci_amp", "Decimator - Amp Simulation", 29},
              {"deci_cmp", "Decimator - Compressor", 33},
              {"amp_trml", "Amp Simulation - Tremolo", 21},
              {"organ_vibchs", "Organ Vibrato/Chorus", 32},
              {"rot", "Rotary Speaker", 38}});
  ExpectList(Oskend::TABLEARRAY_FX_MFX1, std::size(Oskend::TABLEARRAY_FX_MFX1),
             {{"nofx", "No Effect", 5},
              {"mfx1chorus", "Stereo Chorus", 6},
              {"mfx1flanger", "Stereo Flanger", 6},
              {"mfx1classicchoflg", "Vintage Chorus/Flanger", 6},
              {"mfx1phaser", "Stereo Phaser", 6}});
  ExpectList(Oskend::TABLEARRAY_FX_MFX2, std::size(Oskend::TABLEARRAY_FX_MFX2),
             {{"nofx", "No Effect", 5},
              {"mfx2hall", "Hall", 9},
              {"mfx2plate", "Plate", 9},
              {"mfx2room", "Room", 9},
              {"mfx2delay", "Delay", 9}});
  ExpectList(Oskend::TABLEARRAY_FX_TFX, std::size(Oskend::TABLEARRAY_FX_TFX), {{"tfxeq", "Stereo EQ", 28}});

  // Same name, different tables.
  EXPECT_NE(Oskend::TABLEARRAY_FX_MFX1[4].rows, Oskend::TABLEARRAY_FX[29].rows);
}

TEST(FxTypeListsTest, ListsAreFilledBeforeAnyStaticInitialiserRuns) {
  EXPECT_EQ(gRotaryRowsSeenAtStartup, 38u);
  ASSERT_NE(gMfx2NameSeenAtStartup, nullptr);
  EXPECT_STREQ(gMfx2NameSeenAtStartup, "Hall");
}

TEST(FxTypeListsTest, EveryTypeTakesOneSlot) {
  for (int type : {0, 1, 29, 63, 64, 200})
    EXPECT_EQ(Oskend::GetFXSize(static_cast<Oskend::eFxType>(type)), 1) << type;
}

}  // namespace
