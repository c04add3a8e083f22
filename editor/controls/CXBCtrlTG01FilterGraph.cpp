#include "editor/controls/CXBCtrlTG01FilterGraph.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "hfc/CHfcDrawContext.h"

namespace {

void Coef(double e, double q, double* a, double* p) {
  const double f = std::pow(2.0, e) * 0.010901041666666667;
  const double w = f > 1.0 ? M_PI / 2 : f * M_PI / 2;
  const double g = std::min(1.0, std::sin(w) / 0.92);
  const double t = 1 - q * q * g;
  const double h = 0.42 * t * t + 0.5;
  *a = 2 * h * g;
  *p = 2 * q * q * h;
}

}  // namespace

void CXBCtrlTG01FilterGraph::GenMMFCoef(double cutoff, double resonance, double* a, double* p) {
  Coef((cutoff - 0.3) * 10.0, 1 - 0.9668 * resonance, a, p);
}

void CXBCtrlTG01FilterGraph::ControlCoef(int cutoff, int resonance, double* a, double* p) {
  double e;
  if (cutoff < 0)
    e = -3.0;
  else if (cutoff > 99)
    e = 6.999999999990001;
  else
    e = (cutoff * 0.010101010101 - 0.3) * 10.0;
  Coef(e, 1 + (resonance * -0.010101010101) * 0.9668, a, p);
}

void CXBCtrlTG01FilterGraph::GetBXCoef(int type, double x, double* b0, double* b1, double* b2) {
  switch (type) {
    case 0: *b0 = x * x; *b1 = 0; *b2 = 0; break;
    case 1: *b0 = 1; *b1 = -2; *b2 = 1; break;
    case 2: *b0 = x; *b1 = -x; *b2 = 0; break;
    case 3: *b0 = 1; *b1 = x * x - 2; *b2 = 1; break;
    default: *b0 = *b1 = *b2 = 0; break;
  }
}

void CXBCtrlTG01FilterGraph::DrawCurve(CHfcDrawContext* dc, int cutoff, int resonance, int type) {
  double a;
  double p;
  ControlCoef(cutoff, resonance, &a, &p);
  double b0;
  double b1;
  double b2;
  GetBXCoef(type, a, &b0, &b1, &b2);
  const double c = p * a;
  const double d1 = c - 2 + a * a;
  const double d2 = 1 - c;
  const int W = m_param.width;
  const int H = m_param.height;
  const uint32_t pen = dc->GetPenColor();
  const float penWidth = dc->GetPenWidth();
  CurvePen plot;
  for (int i = 0; i < W; ++i) {
    const double fr = std::pow(1000.0, W > 1 ? static_cast<double>(i) / (W - 1) : 0.0) * 0.0005000000237487257;
    const double x1 = 2 * M_PI * fr;
    const std::complex<double> z1 = std::polar(1.0, -x1);
    const std::complex<double> z2 = std::polar(1.0, -2 * x1);
    const double R = std::norm(b0 + b1 * z1 + b2 * z2) / std::norm(1.0 + d1 * z1 + d2 * z2);
    const double level = 10 * std::log(R);
    float x;
    if (W < 51)
      x = static_cast<float>((std::log10(fr * W) + 2.05) * 12);
    else
      x = static_cast<float>((std::log10(fr * W) + 1.6) * 20);
    const float y = static_cast<float>(level * H * -0.005 + H * 0.6);
    PlotCurveSample(dc, plot, i == 0, level, x, y);
  }
  dc->SetPenColor(pen);
  dc->SetPenWidth(penWidth);
}
