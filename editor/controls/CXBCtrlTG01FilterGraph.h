#pragma once
// The small multimode filter graph: the filter graph with its response
// computed from a two-pole filter model and the cutoff used as it is.
#include "editor/controls/CXBCtrlFilterGraph.h"

class CXBCtrlTG01FilterGraph : public CXBCtrlFilterGraph {
 public:
  CXBCtrlTG01FilterGraph() = default;

  void DrawCurve(CHfcDrawContext* dc, int cutoff, int resonance, int type) override;
  int ConvertCutoffValue(int value) override { return value; }

  // Pole coefficient a and feedback p for cutoff and resonance as fractions.
  static void GenMMFCoef(double cutoff, double resonance, double* a, double* p);
  // Numerator of a type: 0 low pass, 1 high pass, 2 band pass, 3 band
  // reject; others give zeros.
  static void GetBXCoef(int type, double x, double* b0, double* b1, double* b2);
  // The coefficients DrawCurve uses for integer cutoff and resonance.
  static void ControlCoef(int cutoff, int resonance, double* a, double* p);
};
