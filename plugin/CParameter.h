#pragma once
// Conversions between the host's normalised parameter values (0 to 1) and
// stepped integers, in single precision with truncation toward zero. Pure
// functions: any thread, the audio thread too.
class CParameter {
 public:
  // base + clamp(trunc(n * f - 1 / (2n)), 0, n - 1).
  static int QuantizeToInt(float f, int n, int base);
  // clamp(v - base, 0, n - 1) / (n - 1); 0 for a row of one step.
  static float RegulateFromInt(int v, int n, int base);
  static int Quantize(float f, int n, int base);
  static float Regulate(float v, float low, float high);
  static float Convert(float f, float low, float high);
  static bool SwitchOn(float f) { return f >= 0.5f; }
};
