#pragma once
// A drawing context that draws as usual and also keeps the pen strokes,
// arcs and alpha blits asked of it, so tests can check geometry that
// anti-aliased pixels would blur.
#include <memory>
#include <vector>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

namespace sparetest {

struct Stroke {
  bool draw;  // false: a move
  float x, y;
  uint32_t colour;
};
struct Arc {
  float cx, cy, r, start, sweep, penWidth;
  uint32_t colour;
};
struct AlphaBlit {
  int x, y, w, h;
  float alpha;
  int sx, sy;
};

// Made before the context, so the context is given a live port.
struct PortHolder {
  PortHolder(int w, int h) : port_(std::make_unique<CHfcBmp>()) { port_->Create(w, h); }
  std::unique_ptr<CHfcBmp> port_;
};

class RecordingContext : private PortHolder, public CHfcDrawContext {
 public:
  RecordingContext(int w, int h) : PortHolder(w, h), CHfcDrawContext(port_.get()) {}

  void MoveTo(float x, float y) override {
    strokes.push_back({false, x, y, GetPenColor()});
    CHfcDrawContext::MoveTo(x, y);
  }
  void MoveTo(int x, int y) override { MoveTo(static_cast<float>(x), static_cast<float>(y)); }
  void LineTo(float x, float y) override {
    strokes.push_back({true, x, y, GetPenColor()});
    CHfcDrawContext::LineTo(x, y);
  }
  void LineTo(int x, int y) override { LineTo(static_cast<float>(x), static_cast<float>(y)); }
  using CHfcDrawContext::CopyBmpAlpha;
  using CHfcDrawContext::FrameArc;
  void FrameArc(float cx, float cy, float r, float start, float sweep) override {
    arcs.push_back({cx, cy, r, start, sweep, GetPenWidth(), GetPenColor()});
    CHfcDrawContext::FrameArc(cx, cy, r, start, sweep);
  }
  void CopyBmpAlpha(int x, int y, int w, int h, CHfcBmp* bmp, float alpha, int sx, int sy) override {
    alphaBlits.push_back({x, y, w, h, alpha, sx, sy});
    CHfcDrawContext::CopyBmpAlpha(x, y, w, h, bmp, alpha, sx, sy);
  }
  uint32_t Pixel(int x, int y) { return port_->GetPixel(x, y); }
  // The drawn strokes (moves left out) of one colour.
  std::vector<Stroke> Lines(uint32_t colour) const {
    std::vector<Stroke> out;
    for (const Stroke& s : strokes)
      if (s.draw && s.colour == colour) out.push_back(s);
    return out;
  }

  std::vector<Stroke> strokes;
  std::vector<Arc> arcs;
  std::vector<AlphaBlit> alphaBlits;
};

}  // namespace sparetest
