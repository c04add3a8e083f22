#include "tools/skingen/SkinGlyphTouchUps.h"

#include <algorithm>
#include <functional>
#include <set>
#include <utility>

namespace {

using ShapeOfGlyph = std::set<std::pair<int, int>>;

// The strong pixels of a glyph as its cell shows them, columns counted
// from its first strong one and rows from the baseline: two glyphs of one
// shape read alike.
ShapeOfGlyph Shape(const tagSkinGlyph& g, const SkinCell& cell) {
  ShapeOfGlyph shape;
  int first = g.width;
  auto inCell = [&](int y) {
    const int row = cell.baseline - g.top + y;
    return row >= 0 && row < cell.height;
  };
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x)
      if (inCell(y) && g.At(x, y) >= kSkinStrongInk) first = std::min(first, x);
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x)
      if (inCell(y) && g.At(x, y) >= kSkinStrongInk) shape.emplace(x - first, g.top - y);
  return shape;
}

// The printable codes that read like another one.
std::set<int> Confused(const std::vector<tagSkinGlyph>& glyphs, const SkinCell& cell) {
  std::vector<ShapeOfGlyph> shapes(127);
  for (int c = 33; c < 127; ++c) shapes[static_cast<size_t>(c)] = Shape(glyphs[static_cast<size_t>(c)], cell);
  std::set<int> confused;
  for (int a = 33; a < 127; ++a)
    for (int b = a + 1; b < 127; ++b)
      if (shapes[static_cast<size_t>(a)] == shapes[static_cast<size_t>(b)]) {
        confused.insert(a);
        confused.insert(b);
      }
  return confused;
}

// The column holding most strong pixels (the rightmost of equals).
int Stem(const tagSkinGlyph& g) {
  int best = 0;
  int most = -1;
  for (int x = 0; x < g.width; ++x) {
    int n = 0;
    for (int y = 0; y < g.height; ++y) n += g.At(x, y) >= kSkinStrongInk;
    if (n >= most) {
      most = n;
      best = x;
    }
  }
  return best;
}

int LastInkedRow(const tagSkinGlyph& g, int column) {
  for (int y = g.height - 1; y >= 0; --y)
    if (g.At(column, y) >= kSkinStrongInk) return y;
  return g.height - 1;
}

int FirstInkedRow(const tagSkinGlyph& g, int column) {
  for (int y = 0; y < g.height; ++y)
    if (g.At(column, y) >= kSkinStrongInk) return y;
  return 0;
}

// A glyph too faint to be seen anywhere is drawn at full strength.
void Strengthen(tagSkinGlyph& g) {
  const uint8_t most = g.coverage.empty() ? 0 : *std::max_element(g.coverage.begin(), g.coverage.end());
  if (most == 0 || most >= kSkinStrongInk) return;
  for (uint8_t& c : g.coverage) c = static_cast<uint8_t>(std::min(255, c * 255 / most));
}

// A glyph that lies wholly above or below its cell ("_" under a small
// font's last row) is moved to the cell's nearest row.
void MoveIntoCell(tagSkinGlyph& g, const SkinCell& cell) {
  if (g.Empty()) return;
  const int firstRow = cell.baseline - g.top;
  const int lastRow = firstRow + g.height - 1;
  if (firstRow >= cell.height) g.top += firstRow - (cell.height - 1);
  if (lastRow < 0) g.top += lastRow;
}

// The marks that tell a bare bar apart: "J" keeps its hook (its faint
// pixels left of the stem's foot at full strength, or one put there), a
// longer hook when it still reads as another glyph, "l" a foot, "I" bars
// at top and foot.
void HookJ(tagSkinGlyph& g) {
  if (g.Empty()) return;
  int stem = Stem(g);
  if (stem < 2) {
    g.Widen(2 - stem, 0);
    stem = 2;
  }
  // The stem's foot curls left and up: a pixel beside it, one higher
  // beyond; the face's own faint curl goes.
  const int foot = LastInkedRow(g, stem);
  for (int y = std::max(0, foot - 2); y < g.height; ++y)
    for (int x = 0; x < g.width; ++x)
      if (x < stem || y > foot) g.Set(x, y, 0);
  g.Set(stem - 1, foot, 255);
  g.Set(stem - 2, std::max(0, foot - 1), 255);
}

void LongerHook(tagSkinGlyph& g) {
  int stem = Stem(g);
  const int foot = LastInkedRow(g, stem);
  int end = stem;
  while (end > 0 && g.At(end - 1, foot) >= kSkinStrongInk) --end;
  if (end == 0) {
    g.Widen(1, 0);
    ++stem;
    end = 1;
  }
  g.Set(end - 1, foot, 255);
}

void Foot(tagSkinGlyph& g) {
  const int stem = Stem(g);
  if (stem + 1 >= g.width) g.Widen(0, 1);
  g.Set(stem + 1, LastInkedRow(g, stem), 255);
}

void Bars(tagSkinGlyph& g) {
  g.Widen(1, 1);
  const int stem = Stem(g);
  for (int y : {FirstInkedRow(g, stem), LastInkedRow(g, stem)}) {
    g.Set(stem - 1, y, 255);
    g.Set(stem + 1, y, 255);
  }
}

struct Mark {
  char code;
  // A hook a reader needs even where no other glyph is alike.
  bool always;
  std::function<void(tagSkinGlyph&)> touch;
};

}  // namespace

bool SkinReadAlike(const tagSkinGlyph& a, const tagSkinGlyph& b, const SkinCell& cell) {
  return Shape(a, cell) == Shape(b, cell);
}

std::set<int> SkinTellGlyphsApart(std::vector<tagSkinGlyph>& glyphs, const SkinCell& cell) {
  std::set<int> touched;
  for (int c = 33; c < 127; ++c) {
    tagSkinGlyph& g = glyphs[static_cast<size_t>(c)];
    const std::vector<uint8_t> before = g.coverage;
    const int top = g.top;
    Strengthen(g);
    MoveIntoCell(g, cell);
    if (g.coverage != before || g.top != top) touched.insert(c);
  }
  // A mark for a glyph alike to another is kept where it leaves fewer
  // glyphs alike; the hook wherever it confuses none.
  const Mark marks[] = {{'J', true, HookJ}, {'l', false, Foot}, {'I', false, Bars}, {'J', false, LongerHook}};
  for (const Mark& m : marks) {
    const std::set<int> confused = Confused(glyphs, cell);
    if (!m.always && !confused.count(m.code)) continue;
    tagSkinGlyph& g = glyphs[static_cast<unsigned char>(m.code)];
    const tagSkinGlyph kept = g;
    m.touch(g);
    const std::set<int> after = Confused(glyphs, cell);
    const bool keep = m.always ? after.size() <= confused.size() && !after.count(m.code) : after.size() < confused.size();
    if (keep)
      touched.insert(m.code);
    else
      g = kept;
  }
  return touched;
}
