#include <gtest/gtest.h>

#include <string>

#include "model/CStringConverterCont.h"
#include "model/CStringConverterEnum.h"
#include "model/CStringConverterPool.h"
#include "model/CStringConverterStr.h"
#include "model/mathutl.h"

namespace {

std::string Pair(const char* l, const char* s = nullptr) { return mathutl::makemultisz(l, s); }

struct FormatCase {
  const char* rules;
  int min, max;
  int value;
  std::string shown;
};

TEST(CStringConverterCont, Formats) {
  const FormatCase cases[] = {
      {"-1\tAll\n0~127\t%.0f,v", -1, 127, -1, Pair("All")},
      {"-1\tAll\n0~127\t%.0f,v", -1, 127, 64, Pair("64")},
      {"-1\tAll\n0~127\t%.0f,v", -1, 127, 200, Pair("200")},
      {"1~49\t20~980\t%.0f,v", 10, 20, 25, Pair("500")},
      {"%03.0f,v", 0, 127, 7, Pair("007")},
      {"%+03.0f,v", -64, 63, 5, Pair("+05")},
      {"%+03.0f,v", -64, 63, -5, Pair("-05")},
      {"0~10\tliteral", 0, 10, 4, Pair("")},                 // no expression
      {"%.0f,v", 0, 0, 0, Pair("0")},                        // a range of one value
      {"3\t%.0f%%,v*2", 0, 10, 3, Pair("6%")},
      {"3\t100%,v", 0, 10, 3, Pair("100%")},                // no conversion: a name
      {"0~10\t5~5\t%.0f,v", 0, 10, 4, Pair("")},             // one shown value
      {"0\tOff|O\n1~99\t%.0f,v", 0, 99, 0, Pair("Off", "O")},
      {"0x40\tCenter\n0~127\t%.0f,v-64", 0, 127, 64, Pair("Center")},
      {"0~127\t%.0f,v-64", 0, 127, 0, Pair("-64")},
      {"0~100\t%.1f%%,v/10", 0, 100, 55, Pair("5.5%")},
      {"0~10\t%.0f:%.0f,v,v*2", 0, 10, 3, Pair("3:6")},
      {"0~10\t%.0f:%.0f,v", 0, 10, 3, Pair("3:0")},           // missing argument
      {"0~10\t%d %s %n %.0f,v", 0, 10, 3, Pair("%d %s %n 3")},  // only float conversions print
      {"0~10\t%.0f,bad", 0, 10, 3, Pair("0")},                // failing expression gives 0
      {"0~10\t%.0f,(v<5)*100", 0, 10, 3, Pair("100")},
      {"0~10\t%999999.0f,v", 0, 10, 3, Pair(std::string(126, ' ').append("3").c_str())},
      {"", 0, 10, 3, Pair("3")},
      {"-100000000~100000000\t%.0f,v", 0, 0, 99999999, Pair("99999999")},  // double precision
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(std::string(c.rules) + " @ " + std::to_string(c.value));
    CStringConverterCont conv(0, c.min, c.max, c.rules);
    EXPECT_EQ(conv.Format(c.value), c.shown);
  }
}

struct ParseCase {
  const char* rules;
  int min, max;
  const char* text;
  int value;
};

TEST(CStringConverterCont, Parses) {
  const ParseCase cases[] = {
      {"-1\tAll\n0~127\t%.0f,v", -1, 127, "all", -1},
      {"-1\tAll\n0~127\t%.0f,v", -1, 127, "ALL", -1},
      {"-1\tAll\n0~127\t%.0f,v", -1, 127, "", -1},
      {"-1\tAll\n0~127\t%.0f,v", -1, 127, nullptr, -1},
      {"-1\tAll\n0~127\t%.0f,v", -1, 127, "a", -1},
      {"-1\tAll\n0~127\t%.0f,v", -1, 127, "64", 64},
      {"-1\tAll\n0~127\t%.0f,v", -1, 127, "300", 300},
      {"1~49\t20~980\t%.0f,v", 10, 20, "500", 25},
      {"1~49\t20~980\t%.0f,v", 10, 20, "990", 990},
      {"1~49\t20~980\t%.0f,v", 10, 20, "509.9", 25},
      {"1~49\t20~980\t%.0f,v", 10, 20, "510", 26},   // 25.5 rounds away from zero
      {"-10~10\t%.0f,v", -10, 10, "-2.5", -3},
      {"0~10\tliteral", 0, 10, "4", 4},              // rule refuses, leading integer
      {"0~10\t%.0f,v", 0, 10, "0x10", 16},
      {"0~10\t%.0f,v", 0, 10, "zz", 0},
      {"0~10\t%.0f,v", 0, 10, "1e300", 1},
      {"0~10\t%.0f,v", 0, 10, "99999999999", INT32_MAX},
      {"0~10\t%.0f,v", 0, 10, "nan", 0},
      {"-100000000~100000000\t%.0f,v", 0, 0, "99999999", 99999999},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(std::string(c.rules) + " <- " + (c.text ? c.text : "null"));
    CStringConverterCont conv(0, c.min, c.max, c.rules);
    EXPECT_EQ(conv.Parse(c.text), c.value);
  }
}

TEST(CStringConverterCont, RuleGrammarAndRange) {
  CStringConverterCont conv(0, 10, 20, "1~49\t20~980\t%.0f,v");
  EXPECT_EQ(conv.Range(), std::make_pair(1, 49));
  ASSERT_EQ(conv.Entries().size(), 1u);
  EXPECT_EQ(conv.Entries()[0].shownLow, 20.f);
  EXPECT_EQ(conv.Entries()[0].shownHigh, 980.f);

  // One piece: the row's own range; unreadable R or S: the row's range too.
  CStringConverterCont parts(0, -5, 5, "%.0f,v\nx\t%.0f,v\n0x40\t7\t%.0f,v,v,v\n3~4\ty\tF,v\tignored");
  ASSERT_EQ(parts.Entries().size(), 4u);
  const auto& e = parts.Entries();
  EXPECT_EQ(std::make_pair(e[0].rawLow, e[0].rawHigh), std::make_pair(-5, 5));
  EXPECT_EQ(std::make_pair(e[1].rawLow, e[1].rawHigh), std::make_pair(-5, 5));
  EXPECT_EQ(std::make_pair(e[2].rawLow, e[2].rawHigh), std::make_pair(64, 64));
  EXPECT_EQ(e[2].shownLow, 7.f);
  EXPECT_EQ(e[2].shownHigh, 7.f);
  EXPECT_EQ(e[2].expressions.size(), 3u);
  EXPECT_EQ(e[3].shownLow, -5.f);
  EXPECT_EQ(e[3].shownHigh, 5.f);
  EXPECT_EQ(e[3].format, "F");
  EXPECT_EQ(parts.Range(), std::make_pair(-5, 64));

  CStringConverterCont none(0, 3, 4, "");
  EXPECT_TRUE(none.Entries().empty());
  EXPECT_EQ(none.Range(), std::make_pair(3, 4));
}

TEST(CStringConverterEnum, NamesByPosition) {
  CStringConverterEnum conv(0, 0, 0, "0\tOff\n1\tOn");
  EXPECT_EQ(conv.Parse("o"), 0);
  EXPECT_EQ(conv.Parse("ON"), 1);
  EXPECT_EQ(conv.Parse("x"), 0);
  EXPECT_EQ(conv.Parse(nullptr), 0);
  EXPECT_EQ(conv.Format(1), Pair("On"));
  EXPECT_EQ(conv.Format(2), Pair(""));
  EXPECT_EQ(conv.Format(-1), Pair(""));
  EXPECT_EQ(conv.Range(), std::make_pair(0, 1));

  CStringConverterEnum shorts(0, 0, 0, "L/R\nIFX1|I1");
  EXPECT_EQ(shorts.Format(1), Pair("IFX1", "I1"));
  EXPECT_EQ(shorts.Parse("ifx"), 1);

  CStringConverterEnum empty(0, 0, 0, "");
  EXPECT_EQ(empty.Range(), std::make_pair(0, -1));
  EXPECT_EQ(empty.Format(0), Pair(""));
  EXPECT_EQ(empty.Parse("x"), 0);
}

TEST(CStringConverterStr, Decimal) {
  CStringConverterStr conv;
  EXPECT_EQ(conv.Format(-5), Pair("-5"));
  EXPECT_EQ(conv.Parse("0x10"), 16);
  EXPECT_EQ(conv.Parse("010"), 8);
  EXPECT_EQ(conv.Parse(nullptr), 0);
  EXPECT_EQ(conv.Range(), std::make_pair(0, 0));
}

TEST(CStringConverterPool, KeysOnVariantKindRangeAndFormat) {
  EXPECT_EQ((CStringConverterPool::SCDESC{0, PTYPE_CONT, -1, 127, "-1\tAll\n0~127\t%.0f,v"}.tostring()),
            "0,5,-1,127,-1\tAll\n0~127\t%.0f,v");
  CStringConverterPool& pool = CStringConverterPool::Instance();
  IStringConverter* a = pool.Get(0, PTYPE_CONT, 0, 127, "%.0f,v");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(pool.Get(0, PTYPE_CONT, 0, 127, "%.0f,v"), a);
  EXPECT_NE(pool.Get(1, PTYPE_CONT, 0, 127, "%.0f,v"), a);
  EXPECT_NE(pool.Get(0, PTYPE_CONT10, 0, 127, "%.0f,v"), a);
  EXPECT_NE(pool.Get(0, PTYPE_CONT, 0, 126, "%.0f,v"), a);
  EXPECT_NE(pool.Get(0, PTYPE_CONT, 1, 127, "%.0f,v"), a);
  EXPECT_NE(pool.Get(0, PTYPE_CONT, 0, 127, "%.1f,v"), a);

  EXPECT_NE(dynamic_cast<CStringConverterEnum*>(pool.Get(0, PTYPE_ONOFF, 0, 1, "Off\nOn")), nullptr);
  EXPECT_NE(dynamic_cast<CStringConverterStr*>(pool.Get(0, PTYPE_STRING, 0, 0, "")), nullptr);
  EXPECT_NE(dynamic_cast<CStringConverterCont*>(pool.Get(0, PTYPE_CONTRANGE, 0, 1, "")), nullptr);
  EXPECT_EQ(pool.Get(0, PTYPE_NONE, 0, 1, ""), nullptr);
  EXPECT_EQ(pool.Get(0, PTYPE_FRAME, 0, 1, ""), nullptr);
  EXPECT_EQ(pool.Get(0, static_cast<PTYPE>(11), 0, 1, ""), nullptr);
  EXPECT_NE(pool.Get(0, PTYPE_CONT, 0, 1, nullptr), nullptr);
}

}  // namespace
