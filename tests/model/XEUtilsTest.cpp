#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/XEUtils.h"

namespace {

using Oskend::eBankID;
using Oskend::SSoundIndex;

TEST(XEUtils, Int2BankProgLimitsPerMode) {
  struct Case {
    int n;
    eMode mode;
    bool ok;
    int bank, program;
  };
  const Case cases[] = {
      {0, eMode_ProgPlay, true, 0, 0},    {511, eMode_ProgPlay, true, 3, 127},
      {512, eMode_ProgPlay, false, 0, 0}, {300, eMode_ProgEdit, true, 2, 44},
      {512, eMode_ProgEdit, false, 0, 0}, {127, eMode_Combi, true, 0, 127},
      {128, eMode_Combi, false, 0, 0},    {128, eMode_CombiNoDump, false, 0, 0},
      {128, eMode_Multi, false, 0, 0},    {129, eMode_Global, true, 1, 1},
      {-1, eMode_ProgPlay, false, 0, 0},  {-128, eMode_Global, false, 0, 0},
  };
  for (const Case& c : cases) {
    eBankID bank = static_cast<eBankID>(-7);
    int program = -7;
    EXPECT_EQ(XEUtils::Int2BankProg(c.n, &bank, &program, c.mode), c.ok)
        << c.n << " mode " << c.mode;
    if (c.ok) {
      EXPECT_EQ(bank, c.bank) << c.n;
      EXPECT_EQ(program, c.program) << c.n;
    } else {  // outputs untouched
      EXPECT_EQ(bank, -7) << c.n;
      EXPECT_EQ(program, -7) << c.n;
    }
  }
}

TEST(XEUtils, SoundIndexRoundTrip) {
  struct Case {
    int bank, program;
    std::uint8_t bankByte, numberByte;
    bool valid;
  };
  const Case cases[] = {
      {0, 0, 0, 0, true},     {3, 127, 3, 127, true},   {-1, -1, 0xFF, 0xFF, false},
      {2, 254, 2, 254, true}, {1, 255, 1, 0xFF, false}, {1, 300, 1, 0xFF, false},
  };
  for (const Case& c : cases) {
    for (eMode mode : {eMode_Combi, eMode_ProgEdit}) {
      const SSoundIndex idx =
          XEUtils::BankProg2SoundIndex(static_cast<eBankID>(c.bank), c.program, mode, true);
      EXPECT_EQ(idx.bank, c.bankByte) << c.bank;
      EXPECT_EQ(idx.number, c.numberByte) << c.program;
      eBankID bank{};
      int program = 0;
      EXPECT_EQ(XEUtils::SoundIndex2BankProg(idx, &bank, &program, mode), c.valid);
      EXPECT_EQ(bank, c.bankByte);
      EXPECT_EQ(program, c.numberByte);
    }
  }
  EXPECT_FALSE(XEUtils::SoundIndex2BankProg(SSoundIndex{0xFF, 0}, nullptr, nullptr, eMode_Combi));
}

TEST(XEUtils, BankLetters) {
  const struct {
    int bank;
    const char* program;
    const char* combi;
  } cases[] = {{0, "A", "A"}, {1, "B", ""}, {2, "C", ""}, {3, "D", ""},
               {4, "", ""},   {5, "", ""},  {-1, "", ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(XEUtils::GetProgramBankString(static_cast<eBankID>(c.bank)), c.program) << c.bank;
    EXPECT_EQ(XEUtils::GetCombiBankString(static_cast<eBankID>(c.bank)), c.combi) << c.bank;
  }
}

TEST(XEUtils, CategoryNames) {
  const char* names[] = {"A.PIANO", "E.PIANO", "ORGAN", "STRINGS", "BRASS", "SYNTH", "USER"};
  std::string out = "x";
  for (int i = 0; i < 7; ++i) {
    EXPECT_TRUE(XEUtils::GetCategoryName(out, nullptr, 3, i, true));
    EXPECT_EQ(out, names[i]);
    EXPECT_TRUE(XEUtils::GetCategoryName(out, nullptr, 3, i, false));
    EXPECT_EQ(out, "-----");
  }
  for (int i : {7, 31, -1}) {
    EXPECT_TRUE(XEUtils::GetCategoryName(out, nullptr, 2, i, true));
    EXPECT_EQ(out, "-----") << i;
  }
}

TEST(XEUtils, MIDIPortNames) {
  const std::uint8_t ref1[] = {1, 0, 0, 0}, ref2[] = {2, 0, 0, 0}, ref3[] = {3, 0, 0, 0};
  const MIDIDevKey a(kDevTypeTarget, "Vesk:Port 1", ref1, 4);
  const MIDIDevKey other(kDevTypeUnknown, "Other", ref2, 4);
  const MIDIDevKey b(kDevTypeTarget, "Vesk:Port 2", ref3, 4);
  const MIDIDevKey sameNameOtherRef(kDevTypeTarget, "Vesk:Port 1", ref2, 4);

  EXPECT_EQ(XEUtils::GetMIDIPortName({}, a), "");
  EXPECT_EQ(XEUtils::GetMIDIPortName({a}, a), "USB-MIDI");
  EXPECT_EQ(XEUtils::GetMIDIPortName({other, a}, a), "USB-MIDI");
  const std::vector<MIDIDevKey> two = {a, other, b};
  EXPECT_EQ(XEUtils::GetMIDIPortName(two, a), "USB-MIDI #1");
  EXPECT_EQ(XEUtils::GetMIDIPortName(two, b), "USB-MIDI #2");
  EXPECT_EQ(XEUtils::GetMIDIPortName(two, other), "Unknown");
  EXPECT_EQ(XEUtils::GetMIDIPortName(two, sameNameOtherRef), "");
}

TEST(MIDIDevKey, EqualityAndCopy) {
  const std::uint8_t r[] = {9, 8, 7, 6};
  const MIDIDevKey k(kDevTypeTarget, "Vesk:In", r, 4);
  const MIDIDevKey copy(k);
  EXPECT_TRUE(copy == k);
  EXPECT_EQ(copy.inst, std::vector<std::uint8_t>(r, r + 4));
  struct Case {
    const char* what;
    MIDIDevKey key;
    bool equal;
  };
  const Case cases[] = {
      {"other type", MIDIDevKey(kDevTypeUnknown, "Vesk:In", r, 4), false},
      {"other name", MIDIDevKey(kDevTypeTarget, "Vesk:Out", r, 4), false},
      {"shorter reference", MIDIDevKey(kDevTypeTarget, "Vesk:In", r, 3), false},
      {"other reference byte", MIDIDevKey(kDevTypeTarget, "Vesk:In", "\x09\x08\x07\x05", 4), false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.key == k, c.equal) << c.what;
  // Null name and empty references.
  EXPECT_TRUE(MIDIDevKey(kDevTypeUnknown, nullptr, r, 0) == MIDIDevKey());
  EXPECT_TRUE(MIDIDevKey(kDevTypeUnknown, "", nullptr, 4) == MIDIDevKey());
}

TEST(XEUtils, ScaleCopyTables) {
  const signed char major[] = {40, -35, 50, 80, 5, 35, -40, 45, -30, 0, 85, 10};
  const signed char majorOffset[] = {0, -30, 45, -40, 35, 5, 80, 50, -35, 40, 10, 85};
  const signed char minor[] = {40, 125, 50, 80, 5, 35, 120, 45, 75, 0, 85, 10};
  const signed char minorOffset[] = {0, 75, 45, 120, 35, 5, 80, 50, 125, 40, 10, 85};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(XEUtils::CopyScale_GetMajor(i), major[i]) << i;
    EXPECT_EQ(XEUtils::CopyScale_GetMajorOffset(i), majorOffset[i]) << i;
    EXPECT_EQ(XEUtils::CopyScale_GetMinor(i), minor[i]) << i;
    EXPECT_EQ(XEUtils::CopyScale_GetMinorOffset(i), minorOffset[i]) << i;
  }
  for (int i : {-1, 12}) {
    EXPECT_EQ(XEUtils::CopyScale_GetMajor(i), 0);
    EXPECT_EQ(XEUtils::CopyScale_GetMinorOffset(i), 0);
  }

  const signed char rom[6][12] = {
      {0, 0, 0, 0, -52, 0, 0, 0, 0, 0, 0, -52},
      {0, 14, 4, -6, 8, -2, 12, 2, 16, 6, -4, 10},
      {0, -10, -8, -6, -10, -2, -12, -4, -8, -12, -4, -8},
      {0, -9, -7, -6, -13, -2, -9, -3, -8, -10, -4, -12},
      {0, 0, 63, 0, 0, -14, 0, 39, 0, 75, 0, 0},
      {0, 0, -33, 0, 12, 37, 0, -17, 0, 35, 0, 0},
  };
  for (int n = 3; n <= 8; ++n) {
    const signed char* t = XEUtils::CopyScale_GetRomScaleTable(n);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(std::vector<signed char>(t, t + 12),
              std::vector<signed char>(rom[n - 3], rom[n - 3] + 12))
        << n;
  }
  EXPECT_EQ(XEUtils::CopyScale_GetRomScaleTable(2), nullptr);
  EXPECT_EQ(XEUtils::CopyScale_GetRomScaleTable(9), nullptr);
}

TEST(XEUtils, StretchTableFollowsItsRuns) {
  // The runs of the stretch curve: value and the last note that has it.
  std::vector<signed char> want;
  auto run = [&](int value, int lastNote) {
    while (static_cast<int>(want.size()) <= lastNote)
      want.push_back(static_cast<signed char>(value));
  };
  for (int v = -12; v <= -3; ++v) run(v, (v + 12) * 4 + 3);
  run(-2, 44);
  run(-1, 52);
  run(0, 61);
  for (int v : {-1, 1, 0, 1, 1, 0, 1, 0, 0}) want.push_back(static_cast<signed char>(v));
  run(1, 76);
  run(2, 80);
  run(3, 83);
  run(4, 86);
  run(5, 89);
  run(6, 93);
  for (int v = 7; v <= 14; ++v) run(v, 94 + (v - 7) * 4 + 3);
  run(15, 127);
  ASSERT_EQ(want.size(), 128u);
  const signed char* t = XEUtils::CopyScale_GetStretchTable();
  EXPECT_EQ(std::vector<signed char>(t, t + 128), want);
}

}  // namespace
