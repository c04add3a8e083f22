#pragma once
// Anti-aliased filling of polygons (non-zero winding) into per-pixel
// coverage, the software stand-in for the platform's path filling. Shapes
// build their outlines as polygons and blend the coverage themselves.
#include <functional>
#include <vector>

struct tagHfcPathPoint {
  float x;
  float y;
};

using HfcPolygon = std::vector<tagHfcPathPoint>;

// Calls span(y, x0, coverage) once per pixel row touched inside
// 0 <= x < width, 0 <= y < height, with coverage[i] (0..1) for pixel x0 + i.
void HfcFillPolygons(const std::vector<HfcPolygon>& polygons, int width, int height,
                     const std::function<void(int y, int x0, const std::vector<float>& coverage)>& span);
