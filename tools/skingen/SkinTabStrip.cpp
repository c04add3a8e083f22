#include "tools/skingen/SkinTabStrip.h"

#include "hfc/CHfcDrawContext.h"
#include "tools/skingen/SkinPaint.h"

namespace skin {

namespace {

constexpr uint32_t kTabRow = 0xFF2F3238;
constexpr uint32_t kTabEdgeOn = 0xFF9096A0;
constexpr uint32_t kTabEdgeOff = 0xFF1C1E22;
constexpr uint32_t kTabOff = 0xFF454951;
constexpr uint32_t kTabOffText = 0xFFD6D9DF;
constexpr uint32_t kTabOnText = 0xFF1B1D22;
// One face and size for every name of every strip: the narrow face holds
// the longest names ("OSC EG/LFO", "Timbre 7-12") at the size of the short
// ones.
constexpr const char* kNameFace = "Helvetica-Narrow-Bold";
constexpr float kNameSize = 10.0f;
// Room kept between a name and its tab's edges.
constexpr int kNameMargin = 4;

}  // namespace

TabStrip MainStrip(std::vector<const char*> labels) { return {76, 33, 5, 2, 9, std::move(labels)}; }
TabStrip SubStrip(std::vector<const char*> labels) { return {76, 34, 5, 2, 4, std::move(labels)}; }

int StripWidth(const TabStrip& s) {
  const int n = static_cast<int>(s.labels.size());
  return s.firstExtra + (n - 1) * (s.tabWidth + s.gap) + s.tabWidth + s.lastExtra;
}

void PaintTabStrip(CHfcDrawContext& dc, const TabStrip& s, int width) {
  const int n = static_cast<int>(s.labels.size());
  const int step = s.tabWidth + s.gap;
  for (int row = 0; row < 2; ++row) {
    const int top = row * s.tabHeight;
    const bool on = row == 0;
    Fill(dc, 0, top, width, s.tabHeight, kTabRow);
    for (int t = 0; t < n; ++t) {
      const int x = t == 0 ? 0 : s.firstExtra + step * t;
      const int w = s.tabWidth + (t == 0 ? s.firstExtra : 0) + (t == n - 1 ? s.lastExtra : 0);
      const int y = top + (on ? 2 : 5);
      const int h = s.tabHeight - (on ? 2 : 5);
      // Rounded-off upper corners, a bright edge on top.
      const uint32_t edge = on ? kTabEdgeOn : kTabEdgeOff;
      Fill(dc, x + 2, y, w - 4, 1, edge);
      Fill(dc, x + 1, y + 1, w - 2, 1, edge);
      Fill(dc, x, y + 2, w, h - 2, edge);
      if (on) {
        VGradient(dc, x + 1, y + 1, w - 2, h - 1, 0xFFF1F2F4, kPage);
        Fill(dc, x + 3, y + 1, w - 6, 2, kAmber);
      } else {
        VGradient(dc, x + 1, y + 1, w - 2, h - 2, 0xFF555962, kTabOff);
      }
      CentredText(dc, x + (t == 0 ? s.firstExtra : 0), y + (on ? 2 : 0), s.tabWidth, h - 2, s.labels[t], kNameFace,
                  kNameSize, on ? kTabOnText : kTabOffText, kNameMargin);
    }
  }
}

}  // namespace skin
