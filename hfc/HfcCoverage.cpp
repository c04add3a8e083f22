#include "hfc/HfcCoverage.h"

#include <algorithm>
#include <cmath>

namespace {

// Vertical samples per pixel row; horizontal coverage is exact.
constexpr int kSubRows = 8;

struct Edge {
  float x0, y0, x1, y1;
  int dir;
};

struct Crossing {
  float x;
  int dir;
};

void AddSpan(std::vector<float>& acc, int width, float xa, float xb, float weight) {
  xa = std::max(xa, 0.0f);
  xb = std::min(xb, static_cast<float>(width));
  if (xb <= xa) {
    return;
  }
  const int ia = static_cast<int>(xa);
  const int ib = std::min(static_cast<int>(xb), width - 1);
  if (ia == ib) {
    acc[ia] += (xb - xa) * weight;
    return;
  }
  acc[ia] += (static_cast<float>(ia + 1) - xa) * weight;
  for (int i = ia + 1; i < ib; ++i) {
    acc[i] += weight;
  }
  acc[ib] += (xb - static_cast<float>(ib)) * weight;
}

using SpanFn = std::function<void(int, int, const std::vector<float>&)>;

// The polygons' edges, each pointing down with its winding direction, and
// the box they span; false for a point that is not finite.
struct Outline {
  std::vector<Edge> edges;
  float top = 1e30f;
  float bottom = -1e30f;
  float left = 1e30f;
  float right = -1e30f;
};

bool MakeOutline(const std::vector<HfcPolygon>& polygons, Outline& out) {
  for (const HfcPolygon& poly : polygons) {
    const size_t n = poly.size();
    for (size_t i = 0; i < n; ++i) {
      const tagHfcPathPoint& a = poly[i];
      const tagHfcPathPoint& b = poly[(i + 1) % n];
      if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) {
        return false;
      }
      if (a.y == b.y) {
        continue;
      }
      if (a.y < b.y) {
        out.edges.push_back({a.x, a.y, b.x, b.y, 1});
      } else {
        out.edges.push_back({b.x, b.y, a.x, a.y, -1});
      }
      out.top = std::min({out.top, a.y, b.y});
      out.bottom = std::max({out.bottom, a.y, b.y});
      out.left = std::min({out.left, a.x, b.x});
      out.right = std::max({out.right, a.x, b.x});
    }
  }
  return true;
}

// The rows and columns the outline touches inside the picture; rows are
// accumulated only over those columns, so small shapes in a wide picture
// cost what they cover.
struct Area {
  int yFirst;
  int yLast;
  int xFirst;
  int spanWidth;
};

// The covered part of an accumulated row, each pixel at most full, handed
// to span; nothing for an empty row.
void Emit(int y, int xFirst, const std::vector<float>& acc, std::vector<float>& row, const SpanFn& span) {
  const int spanWidth = static_cast<int>(acc.size());
  int x0 = 0;
  while (x0 < spanWidth && acc[x0] <= 0.0f) ++x0;
  int x1 = spanWidth;
  while (x1 > x0 && acc[x1 - 1] <= 0.0f) --x1;
  if (x0 >= x1) return;
  row.assign(acc.begin() + x0, acc.begin() + x1);
  for (float& c : row) c = std::min(c, 1.0f);
  span(y, xFirst + x0, row);
}

// Two vertical edges are an upright rectangle (rectangles, and lines along
// an axis): every row of it is the same span taken by as many sample rows
// as fall inside, so the rows are made once per count.
bool IsUpright(const std::vector<Edge>& e) {
  return e.size() == 2 && e[0].x0 == e[0].x1 && e[1].x0 == e[1].x1 && e[0].y0 == e[1].y0 && e[0].y1 == e[1].y1 &&
         e[0].dir != e[1].dir;
}

void FillUpright(const std::vector<Edge>& edges, const Area& area, const SpanFn& span) {
  const float shift = static_cast<float>(area.xFirst);
  const float xa = std::min(edges[0].x0, edges[1].x0) - shift;
  const float xb = std::max(edges[0].x0, edges[1].x0) - shift;
  struct Row {
    int x0 = 0;
    std::vector<float> coverage;
  };
  Row rows[kSubRows + 1];
  std::vector<float> acc(static_cast<size_t>(area.spanWidth));
  for (int n = 1; n <= kSubRows && xa != xb; ++n) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    for (int k = 0; k < n; ++k) AddSpan(acc, area.spanWidth, xa, xb, 1.0f / kSubRows);
    Emit(0, area.xFirst, acc, rows[n].coverage, [&](int, int x0, const std::vector<float>&) { rows[n].x0 = x0; });
  }
  for (int y = area.yFirst; y <= area.yLast; ++y) {
    int n = 0;
    for (int s = 0; s < kSubRows; ++s) {
      const float sy = static_cast<float>(y) + (static_cast<float>(s) + 0.5f) / kSubRows;
      n += sy >= edges[0].y0 && sy < edges[0].y1;
    }
    if (n > 0 && !rows[n].coverage.empty()) span(y, rows[n].x0, rows[n].coverage);
  }
}

// One sample row: the spans between crossings where the winding is not
// zero, added to the pixel row; false when it covers nothing.
bool SampleRow(const std::vector<Edge>& edges, float sy, float shift, std::vector<Crossing>& crossings,
               std::vector<float>& acc) {
  crossings.clear();
  for (const Edge& e : edges) {
    if (sy < e.y0 || sy >= e.y1) continue;
    const float t = (sy - e.y0) / (e.y1 - e.y0);
    crossings.push_back({e.x0 + t * (e.x1 - e.x0), e.dir});
  }
  if (crossings.size() < 2) return false;
  std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
  bool touched = false;
  int winding = 0;
  for (size_t i = 0; i + 1 < crossings.size(); ++i) {
    winding += crossings[i].dir;
    if (winding != 0) {
      AddSpan(acc, static_cast<int>(acc.size()), crossings[i].x - shift, crossings[i + 1].x - shift, 1.0f / kSubRows);
      touched = true;
    }
  }
  return touched;
}

void FillRows(const std::vector<Edge>& edges, const Area& area, const SpanFn& span) {
  const float shift = static_cast<float>(area.xFirst);
  std::vector<float> acc(static_cast<size_t>(area.spanWidth));
  std::vector<Crossing> crossings;
  std::vector<float> row;
  for (int y = area.yFirst; y <= area.yLast; ++y) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    bool touched = false;
    for (int s = 0; s < kSubRows; ++s) {
      const float sy = static_cast<float>(y) + (static_cast<float>(s) + 0.5f) / kSubRows;
      touched = SampleRow(edges, sy, shift, crossings, acc) || touched;
    }
    if (touched) Emit(y, area.xFirst, acc, row, span);
  }
}

}  // namespace

void HfcFillPolygons(const std::vector<HfcPolygon>& polygons, int width, int height, const SpanFn& span) {
  Outline outline;
  if (width <= 0 || height <= 0 || !MakeOutline(polygons, outline) || outline.edges.empty()) {
    return;
  }
  const int xFirst = std::max(0, static_cast<int>(std::floor(outline.left)));
  const int xEnd = std::min(width, static_cast<int>(std::ceil(outline.right)) + 1);
  if (xEnd <= xFirst) {
    return;
  }
  const Area area{std::max(0, static_cast<int>(std::floor(outline.top))),
                  std::min(height - 1, static_cast<int>(std::ceil(outline.bottom))), xFirst, xEnd - xFirst};
  if (IsUpright(outline.edges))
    FillUpright(outline.edges, area, span);
  else
    FillRows(outline.edges, area, span);
}
