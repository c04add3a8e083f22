#include "plugin/CParameter.h"

namespace {
int Clamp(int v, int low, int high) { return v < low ? low : (v > high ? high : v); }
}  // namespace

int CParameter::QuantizeToInt(float f, int n, int base) {
  if (n < 1) return base;
  const float x = static_cast<float>(n) * f - 1.0f / (2.0f * static_cast<float>(n));
  // Clamp before the conversion: a value far outside 0..1 must not overflow.
  if (!(x >= 0.0f)) return base;
  if (x >= static_cast<float>(n - 1)) return base + n - 1;
  return base + Clamp(static_cast<int>(x), 0, n - 1);
}

float CParameter::RegulateFromInt(int v, int n, int base) {
  // A row whose minimum equals its maximum has one step: its only value is 0.
  if (n <= 1) return 0.0f;
  return static_cast<float>(Clamp(v - base, 0, n - 1)) / static_cast<float>(n - 1);
}

int CParameter::Quantize(float f, int n, int base) {
  if (n < 1) return base;
  const float x = static_cast<float>(n) * f;
  if (!(x >= 0.0f)) return base;
  if (x >= static_cast<float>(n - 1)) return base + n - 1;
  return base + Clamp(static_cast<int>(x), 0, n - 1);
}

float CParameter::Regulate(float v, float low, float high) {
  return high == low ? 0.0f : (v - low) / (high - low);
}

float CParameter::Convert(float f, float low, float high) { return low + (high - low) * f; }
