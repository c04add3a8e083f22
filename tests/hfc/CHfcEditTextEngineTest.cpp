#include "hfc/CHfcEditTextEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hfc/CHfcOffscreenContext.h"
#include "tests/hfc/HfcControlRig.h"

namespace {

using hfctest::CellColour;
using Log = std::vector<std::string>;

struct Recorder : CHfcEditTextEngineListener {
  Log log;
  void OnHfcEditTextEngineBufferIsModified(CHfcEditTextEngine*) override { log.push_back("mod"); }
  void OnHfcEditTextEngineCursorPositionIsChanged(CHfcEditTextEngine*, int p) override {
    log.push_back("cur " + std::to_string(p));
  }
  void OnHfcEditTextEngineSelectionIsChanged(CHfcEditTextEngine*, int a, int b) override {
    log.push_back("sel " + std::to_string(a) + "," + std::to_string(b));
  }
  void OnHfcEditTextEngineNeedRedrawn(CHfcEditTextEngine*) override { log.push_back("redraw"); }
  void OnHfcEditTextEngineReturn(CHfcEditTextEngine*) override { log.push_back("return"); }
  void OnHfcEditTextEngineEsc(CHfcEditTextEngine*) override { log.push_back("esc"); }
  Log Take() {
    Log out;
    out.swap(log);
    return out;
  }
};

constexpr int L = CHfcEditTextEngine::kKeyLeft;
constexpr int R = CHfcEditTextEngine::kKeyRight;
constexpr int U = CHfcEditTextEngine::kKeyUp;
constexpr int D = CHfcEditTextEngine::kKeyDown;
constexpr int BS = CHfcEditTextEngine::kKeyBackspace;
constexpr int DEL = CHfcEditTextEngine::kKeyDelete;
constexpr int SHIFT = CHfcEditTextEngine::kModShift;

struct Stroke {
  int key;  // an editing key, or 0 to type ch
  int mods;
  char ch = 0;
};

struct KeyCase {
  const char* name;
  std::vector<Stroke> strokes;  // after typing "abc"
  const char* text;
  int cursor, start, end;
};

TEST(EditTextEngine, EditingKeysMoveTheCursorAndTheSelection) {
  const KeyCase cases[] = {
      {"shift-left twice", {{L, SHIFT}, {L, SHIFT}}, "abc", 1, 1, 3},
      {"and typing replaces it", {{L, SHIFT}, {L, SHIFT}, {0, 0, 'x'}}, "ax", 2, 1, 1},
      {"shift-left then shift-right shrinks", {{L, SHIFT}, {L, SHIFT}, {R, SHIFT}}, "abc", 2, 2, 3},
      {"left collapses to the start", {{L, SHIFT}, {L, SHIFT}, {L, 0}}, "abc", 1, 1, 1},
      {"right collapses to the end", {{L, SHIFT}, {L, SHIFT}, {R, 0}}, "abc", 3, 3, 3},
      {"left at 0 stays", {{U, 0}, {L, 0}}, "abc", 0, 0, 0},
      {"right at the end stays", {{R, 0}}, "abc", 3, 0, 0},
      {"shift-up selects to the start", {{L, 0}, {U, SHIFT}}, "abc", 0, 0, 2},
      {"shift-down selects to the end", {{U, 0}, {R, 0}, {D, SHIFT}}, "abc", 3, 1, 3},
      {"backspace in the middle", {{L, 0}, {BS, 0}}, "ac", 1, 2, 2},
      {"backspace over a selection", {{L, SHIFT}, {L, SHIFT}, {BS, 0}}, "a", 1, 1, 1},
      {"delete at the start", {{U, 0}, {DEL, 0}}, "bc", 0, 0, 0},
      {"typing in the middle", {{L, 0}, {0, 0, 'z'}}, "abzc", 3, 2, 2},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    CHfcEditTextEngine engine(nullptr, 0);
    for (char ch : std::string("abc")) engine.Input(ch);
    for (const Stroke& s : c.strokes) {
      if (s.key)
        engine.KeyDown(s.key, s.mods);
      else
        engine.Input(s.ch);
    }
    EXPECT_STREQ(engine.GetText(), c.text);
    EXPECT_EQ(engine.GetCursorPosition(), c.cursor);
    EXPECT_EQ(engine.GetSelectionStart(), c.start);
    EXPECT_EQ(engine.GetSelectionEnd(), c.end);
  }
}

TEST(EditTextEngine, ReportsWhatChangedToItsListener) {
  Recorder r;
  CHfcEditTextEngine engine(&r, 16);
  engine.SetText("abc");
  EXPECT_EQ(r.Take(), (Log{"mod", "redraw"}));
  // Backspace at 0 without a selection changes nothing: only redraws.
  engine.KeyDown(U, 0);
  r.Take();
  engine.KeyDown(BS, 0);
  EXPECT_STREQ(engine.GetText(), "abc");
  EXPECT_EQ(r.Take(), (Log{"redraw", "redraw"}));
  // Forward delete at the end reports a modification all the same.
  engine.KeyDown(D, 0);
  r.Take();
  engine.KeyDown(DEL, 0);
  EXPECT_EQ(r.Take(), (Log{"mod", "redraw", "redraw"}));
  // The right arrow without Shift moves and asks for a redraw.
  engine.KeyDown(U, 0);
  r.Take();
  engine.KeyDown(R, 0);
  EXPECT_EQ(engine.GetCursorPosition(), 1);
  EXPECT_EQ(r.Take(), (Log{"redraw"}));
  // Deleting a selection: the fixed order of notices.
  engine.SetSelection(0, 2);
  r.Take();
  engine.DeleteSelection();
  EXPECT_EQ(r.Take(), (Log{"redraw", "mod", "redraw", "sel 0,0", "redraw"}));
  EXPECT_STREQ(engine.GetText(), "c");
  // Return and escape are only passed on.
  engine.KeyDown(13, 0);
  engine.KeyDown(27, 0);
  engine.KeyDown(65, 0);
  EXPECT_EQ(r.Take(), (Log{"return", "esc"}));
}

TEST(EditTextEngine, SelectionsAndCursorOutsideTheTextAreRefused) {
  Recorder r;
  CHfcEditTextEngine engine(&r, 0);
  engine.SetText("hello");
  r.Take();
  engine.SetSelection(2, 2);
  engine.SetSelection(3, 1);
  engine.SetSelection(-1, 2);
  engine.SetSelection(5, 6);
  engine.SetCursorPosition(6);
  engine.SetCursorPosition(-1);
  EXPECT_EQ(r.Take(), Log{});
  engine.SetSelection(0, 5);
  EXPECT_EQ(r.Take(), (Log{"sel 0,5", "redraw"}));
  engine.SetSelection(0, 5);  // unchanged: nothing
  EXPECT_EQ(r.Take(), Log{});
  // Replacing the text reports the selection it ends.
  engine.SetText("hi");
  EXPECT_EQ(r.Take(), (Log{"mod", "redraw", "sel 2,2", "redraw"}));
}

TEST(EditTextEngine, TheBufferGrowsToHoldLongTexts) {
  CHfcEditTextEngine engine(nullptr, 100);
  EXPECT_EQ(engine.GetCapacity(), 1024u);
  const std::string longText(1100, 'q');
  engine.SetText(longText.c_str());
  EXPECT_EQ(engine.GetCapacity(), 2048u);
  EXPECT_EQ(std::string(engine.GetText()), longText);
  // Typing at the edge of the capacity doubles it and keeps every byte.
  const std::string edge(2047, 'e');
  engine.SetText(edge.c_str());
  engine.Input('!');
  EXPECT_EQ(engine.GetCapacity(), 4096u);
  EXPECT_EQ(std::string(engine.GetText()), edge + "!");
}

TEST(EditTextEngine, TheFilterDropsCharactersSilently) {
  Recorder r;
  CHfcEditTextEngine engine(&r, 0);
  engine.SetInputFilter("0123456789");
  engine.Input('a');
  engine.Input(10);
  engine.Input(-23);  // a character above 127 as a signed byte
  EXPECT_EQ(r.Take(), Log{});
  EXPECT_FALSE(engine.InputFilter(0));
  engine.Input('7');
  EXPECT_STREQ(engine.GetText(), "7");
  engine.SetInputFilter("");
  engine.Input('a');
  EXPECT_STREQ(engine.GetText(), "7a");
}

TEST(EditTextEngine, TheCursorBlinksEveryTwentyFiveTicks) {
  Recorder r;
  CHfcEditTextEngine engine(&r, 0);
  std::vector<int> redraws;
  for (int tick = 1; tick <= 50; ++tick) {
    engine.Idle(16);
    if (!r.Take().empty()) redraws.push_back(tick);
  }
  // Visible from the first tick; hidden after 12.5 ticks' worth of units.
  EXPECT_EQ(redraws, (std::vector<int>{1, 13, 26, 38}));
}

struct DrawRig {
  std::unique_ptr<CHfcBmp> font = hfctest::MakeCodedFont(6, 8);
  CHfcOffscreenContext dc{60, 20};
  uint32_t At(int x, int y) { return dc.GetBmp()->GetPixel(x, y); }
};

TEST(EditTextEngine, FixedCellsAreDrawnWhileHalfOfTheCellFits) {
  DrawRig rig;
  CHfcEditTextEngine engine(nullptr, 0);
  engine.SetDrawParameters(rig.font.get(), 0xFF3F3F7F, 0xFFFFFFFF, 0, 0, 0);
  EXPECT_EQ(engine.GetCharWidth(), 6);
  EXPECT_EQ(engine.GetCharHeight(), 8);
  engine.SetText("ABCD");
  engine.Draw(&rig.dc, 2, 4, 20, 0);
  EXPECT_EQ(rig.At(2, 5), CellColour('A'));
  EXPECT_EQ(rig.At(13, 5), CellColour('B'));
  EXPECT_EQ(rig.At(19, 5), CellColour('C'));
  // Two pixels of the fourth cell would fit: under half, not drawn.
  EXPECT_EQ(rig.At(20, 5), 0u);
  EXPECT_EQ(rig.At(21, 5), 0u);
}

TEST(EditTextEngine, CodesAbove127DrawAndMeasureAsThePlaceholder) {
  DrawRig rig;
  tagHfcBmpFontInfo info = hfctest::MakeCodedFontInfo(rig.font.get(), 5, 8);
  info.advance[127] = 9;
  CHfcEditTextEngine engine(nullptr, 0);
  engine.SetDrawParameters(rig.font.get(), 0xFF3F3F7F, 0xFFFFFFFF, 0, 0, 4);
  engine.SetText("\xE9x");
  engine.Draw(&rig.dc, 0, 0, 40, 0);
  EXPECT_EQ(rig.At(1, 1), CellColour(127));
  engine.SetProportional(true);
  engine.SetProportionalFont(&info);
  // The cursor after the first character sits at the placeholder's advance.
  EXPECT_EQ(engine.MousePositionToCursorPosition(9), 0);
  EXPECT_EQ(engine.MousePositionToCursorPosition(10), 1);
}

TEST(EditTextEngine, AFontWithoutCellsIsRefused) {
  CHfcBmp empty;  // never created: 0 x 0
  DrawRig rig;
  CHfcEditTextEngine engine(nullptr, 0);
  engine.SetDrawParameters(&empty, 0xFF3F3F7F, 0xFFFFFFFF, 0, 0, 0);
  engine.SetText("abc");
  engine.Draw(&rig.dc, 0, 0, 40, 0);
  EXPECT_EQ(rig.At(1, 1), 0u);
  EXPECT_EQ(engine.MousePositionToCursorPosition(25), 0);
}

TEST(EditTextEngine, SelectionAndCursorAreDrawn) {
  DrawRig rig;
  CHfcEditTextEngine engine(nullptr, 0);
  engine.SetDrawParameters(rig.font.get(), 0xFF112233, 0xFFFFFFFF, 0, 0, 0);
  // Proportional glyphs tinted with colour 0 leave the fill visible.
  tagHfcBmpFontInfo info = hfctest::MakeCodedFontInfo(rig.font.get(), 5, 8);
  engine.SetProportional(true);
  engine.SetProportionalFont(&info);
  engine.SetText("abc");
  engine.SetSelection(1, 2);
  engine.Draw(&rig.dc, 0, 0, 40, 0);
  EXPECT_NE(rig.At(4, 1), 0xFF112233u);
  EXPECT_EQ(rig.At(5, 1), 0xFF112233u);
  EXPECT_EQ(rig.At(9, 7), 0xFF112233u);
  EXPECT_NE(rig.At(10, 1), 0xFF112233u);
  // No selection and a visible blink phase: a cursor line left of cell 1.
  CHfcOffscreenContext dc(60, 20);
  engine.SetProportional(false);
  engine.KeyDown(L, 0);
  engine.Idle(0);
  ASSERT_TRUE(engine.IsCursorShown());
  engine.Draw(&dc, 0, 0, 40, 0);
  EXPECT_EQ(dc.GetBmp()->GetPixel(5, 3), 0xFFFFFFFFu);
}

struct HitCase {
  int alignment;
  int x;
  int position;
};

TEST(EditTextEngine, MousePositionsFindTheNearestBoundary) {
  DrawRig rig;
  CHfcEditTextEngine engine(nullptr, 0);
  engine.SetDrawParameters(rig.font.get(), 0, 0, 0, 0, 10);
  engine.SetText("abcd");
  // Fixed cells of 6: the nearest boundary, clamped to the text.
  const HitCase fixed[] = {{0, -5, 0}, {0, 2, 0}, {0, 3, 1}, {0, 14, 2}, {0, 40, 4}};
  for (const HitCase& c : fixed) EXPECT_EQ(engine.MousePositionToCursorPosition(c.x), c.position) << c.x;
  // Proportional, advance 5, ten visible cells of 6 (60 pixels) for a
  // 20-pixel text.
  tagHfcBmpFontInfo info = hfctest::MakeCodedFontInfo(rig.font.get(), 5, 8);
  engine.SetProportional(true);
  engine.SetProportionalFont(&info);
  const HitCase prop[] = {
      {0, 0, 0}, {0, 5, 0}, {0, 6, 1}, {0, 20, 3}, {0, 21, 4},  // on the right end: length - 1
      {1, 20, 0}, {1, 26, 1},                                     // centred: 20 pixels in
      {2, 40, 0}, {2, 46, 1},                                     // right-aligned: 40 pixels in
  };
  for (const HitCase& c : prop) {
    engine.SetAlignment(c.alignment);
    EXPECT_EQ(engine.MousePositionToCursorPosition(c.x), c.position) << c.alignment << " " << c.x;
  }
}

TEST(EditTextEngine, MouseDragSelectsFromTheAnchor) {
  Recorder r;
  DrawRig rig;
  CHfcEditTextEngine engine(&r, 0);
  engine.SetDrawParameters(rig.font.get(), 0, 0, 0, 0, 10);
  engine.SetText("abcdef");
  engine.MouseLButtonDown(nullptr, 13, 0, 0);  // boundary 2
  EXPECT_EQ(engine.GetCursorPosition(), 2);
  engine.MouseMove(nullptr, 31, 0, 0);  // boundary 5
  EXPECT_EQ(engine.GetSelectionStart(), 2);
  EXPECT_EQ(engine.GetSelectionEnd(), 5);
  engine.MouseMove(nullptr, 1, 0, 0);  // left of the anchor
  EXPECT_EQ(engine.GetSelectionStart(), 0);
  EXPECT_EQ(engine.GetSelectionEnd(), 2);
  // Back onto the anchor: the last non-empty selection stays.
  engine.MouseMove(nullptr, 12, 0, 0);
  EXPECT_EQ(engine.GetSelectionEnd(), 2);
  EXPECT_EQ(engine.GetCursorPosition(), 2);
  engine.MouseLostCapture(nullptr);
  r.Take();
  engine.MouseMove(nullptr, 31, 0, 0);
  EXPECT_EQ(r.Take(), Log{});
  // A new press clears the selection it finds.
  engine.MouseLButtonDown(nullptr, 30, 0, 0);
  EXPECT_EQ(r.Take(), (Log{"cur 5", "redraw", "sel 5,5", "redraw"}));
}

}  // namespace
