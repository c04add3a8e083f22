#include "tools/skingen/SkinRouting.h"

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinPaint.h"

namespace skin {

namespace {

constexpr uint32_t kLine = 0xFF1B1D22;
constexpr int kWidth = 2;  // of every line

void Across(CHfcDrawContext& dc, int x0, int x1, int y) { Fill(dc, x0, y, x1 - x0, kWidth, kLine); }
void Down(CHfcDrawContext& dc, int x, int y0, int y1) { Fill(dc, x, y0, kWidth, y1 - y0 + kWidth, kLine); }
// A line to the right whose head's tip stands at x1 - 1.
void ArrowRight(CHfcDrawContext& dc, int x0, int x1, int y) {
  Across(dc, x0, x1 - 4, y);
  for (int i = 0; i < 4; ++i) Fill(dc, x1 - 4 + i, y - 3 + i, 1, 8 - 2 * i, kLine);
}
void Joint(CHfcDrawContext& dc, int x, int y) { Fill(dc, x - 1, y - 1, kWidth + 2, kWidth + 2, kLine); }
// Where a signal comes from, named at the line's start: the name from x 0,
// the arrow from after it to x1.
void Source(CHfcDrawContext& dc, const char* name, int nameWidth, int x1, int y) {
  CentredText(dc, 0, y - 6, nameWidth, 13, name, "Helvetica-Narrow-Bold", 8.0f, kLine, 0);
  ArrowRight(dc, nameWidth + 3, x1, y);
}

// Where the pages put the boxes, relative to the routing picture: the
// effect boxes' left and right ends and the rows of their middles.
constexpr int kFxLeft = 53;
constexpr int kFxRight = 253;
constexpr int kRow1 = 18;
constexpr int kRow2 = 47;
constexpr int kEqLeft = 398;
constexpr int kInsertLeft = 127;
constexpr int kInsertRight = 327;
constexpr int kInsertRow = 48;
constexpr int kSendLeft = 398;
constexpr int kSendRow = 66;  // by the first send knob's caption

}  // namespace

void PaintInsertFxRouting(CHfcDrawContext& dc, int, int top, int, int) {
  Source(dc, "Program", 40, kInsertLeft - 1, top + kInsertRow);
  const int bend = kSendLeft - 16;
  Across(dc, kInsertRight, bend, top + kInsertRow);
  Down(dc, bend, top + kInsertRow, top + kSendRow);
  ArrowRight(dc, bend, kSendLeft - 1, top + kSendRow);
}

void PaintMasterFxRouting(CHfcDrawContext& dc, int, int top, int, int) {
  Source(dc, "Send 1", 28, kFxLeft - 1, top + kRow1);
  Source(dc, "Send 2", 28, kFxLeft - 1, top + kRow2);
  const int join = kFxRight + 10;
  Across(dc, kFxRight, join, top + kRow1);
  Down(dc, join, top + kRow1, top + kRow2);
  Joint(dc, join, top + kRow2);
  ArrowRight(dc, kFxRight, kEqLeft - 1, top + kRow2);
}

}  // namespace skin
