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

}  // namespace

void HfcFillPolygons(const std::vector<HfcPolygon>& polygons, int width, int height,
                     const std::function<void(int, int, const std::vector<float>&)>& span) {
  if (width <= 0 || height <= 0) {
    return;
  }
  std::vector<Edge> edges;
  float top = 1e30f;
  float bottom = -1e30f;
  float left = 1e30f;
  float right = -1e30f;
  for (const HfcPolygon& poly : polygons) {
    const size_t n = poly.size();
    for (size_t i = 0; i < n; ++i) {
      const tagHfcPathPoint& a = poly[i];
      const tagHfcPathPoint& b = poly[(i + 1) % n];
      if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) {
        return;
      }
      if (a.y == b.y) {
        continue;
      }
      if (a.y < b.y) {
        edges.push_back({a.x, a.y, b.x, b.y, 1});
      } else {
        edges.push_back({b.x, b.y, a.x, a.y, -1});
      }
      top = std::min({top, a.y, b.y});
      bottom = std::max({bottom, a.y, b.y});
      left = std::min({left, a.x, b.x});
      right = std::max({right, a.x, b.x});
    }
  }
  if (edges.empty()) {
    return;
  }
  const int yFirst = std::max(0, static_cast<int>(std::floor(top)));
  const int yLast = std::min(height - 1, static_cast<int>(std::ceil(bottom)));
  // Rows are accumulated only over the polygons' columns, so small shapes
  // in a wide picture cost what they cover.
  const int xFirst = std::max(0, static_cast<int>(std::floor(left)));
  const int xEnd = std::min(width, static_cast<int>(std::ceil(right)) + 1);
  if (xEnd <= xFirst) {
    return;
  }
  const int spanWidth = xEnd - xFirst;
  const float shift = static_cast<float>(xFirst);
  std::vector<float> acc(static_cast<size_t>(spanWidth));
  std::vector<Crossing> crossings;
  // Two vertical edges are an upright rectangle (rectangles, and lines along
  // an axis): every row of it is the same span taken by as many sample rows
  // as fall inside, so the rows are made once per count.
  const bool upright = edges.size() == 2 && edges[0].x0 == edges[0].x1 && edges[1].x0 == edges[1].x1 &&
                       edges[0].y0 == edges[1].y0 && edges[0].y1 == edges[1].y1 && edges[0].dir != edges[1].dir;
  if (upright) {
    const float xa = std::min(edges[0].x0, edges[1].x0) - shift;
    const float xb = std::max(edges[0].x0, edges[1].x0) - shift;
    struct Row {
      int x0 = 0;
      std::vector<float> coverage;
    };
    Row rows[kSubRows + 1];
    for (int n = 1; n <= kSubRows && xa != xb; ++n) {
      std::fill(acc.begin(), acc.end(), 0.0f);
      for (int k = 0; k < n; ++k) AddSpan(acc, spanWidth, xa, xb, 1.0f / kSubRows);
      int x0 = 0;
      while (x0 < spanWidth && acc[x0] <= 0.0f) ++x0;
      int x1 = spanWidth;
      while (x1 > x0 && acc[x1 - 1] <= 0.0f) --x1;
      rows[n].x0 = xFirst + x0;
      rows[n].coverage.assign(acc.begin() + x0, acc.begin() + x1);
      for (float& c : rows[n].coverage) c = std::min(c, 1.0f);
    }
    for (int y = yFirst; y <= yLast; ++y) {
      int n = 0;
      for (int s = 0; s < kSubRows; ++s) {
        const float sy = static_cast<float>(y) + (static_cast<float>(s) + 0.5f) / kSubRows;
        n += sy >= edges[0].y0 && sy < edges[0].y1;
      }
      if (n > 0 && !rows[n].coverage.empty()) span(y, rows[n].x0, rows[n].coverage);
    }
    return;
  }
  std::vector<float> row;
  for (int y = yFirst; y <= yLast; ++y) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    bool touched = false;
    for (int s = 0; s < kSubRows; ++s) {
      const float sy = static_cast<float>(y) + (static_cast<float>(s) + 0.5f) / kSubRows;
      crossings.clear();
      for (const Edge& e : edges) {
        if (sy < e.y0 || sy >= e.y1) {
          continue;
        }
        const float t = (sy - e.y0) / (e.y1 - e.y0);
        crossings.push_back({e.x0 + t * (e.x1 - e.x0), e.dir});
      }
      if (crossings.size() < 2) {
        continue;
      }
      std::sort(crossings.begin(), crossings.end(),
                [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
      int winding = 0;
      for (size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += crossings[i].dir;
        if (winding != 0) {
          AddSpan(acc, spanWidth, crossings[i].x - shift, crossings[i + 1].x - shift, 1.0f / kSubRows);
          touched = true;
        }
      }
    }
    if (!touched) {
      continue;
    }
    int x0 = 0;
    while (x0 < spanWidth && acc[x0] <= 0.0f) ++x0;
    int x1 = spanWidth;
    while (x1 > x0 && acc[x1 - 1] <= 0.0f) --x1;
    if (x0 < x1) {
      row.assign(acc.begin() + x0, acc.begin() + x1);
      for (float& c : row) c = std::min(c, 1.0f);
      span(y, xFirst + x0, row);
    }
  }
}
