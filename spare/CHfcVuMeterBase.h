#pragma once
// What the level meters share: a new level shows at once, falls back at the
// fall rate on idle, and the highest level stays marked for the hold time.
// Each meter keeps its own record; the base reads the scale from it.
#include "hfc/CHfcControl.h"

struct tagHfcVuMeterScale {
  float minimum;
  float maximum;
  float conversion;  // 0: values are amplitudes shown in decibels
  float fallRate;    // scale units per second
  int peakHold;      // ms
};

class CHfcVuMeterBase : public CHfcControl {
 public:
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override {
    return OnHfcMouseLButtonDown(m, x, y, mods);
  }
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  void SetFloatValue(float v, bool redraw) override;

  float GetPeak() const { return m_fPeak; }
  int GetPeakHoldLeft() const { return m_iHoldLeft; }

 protected:
  explicit CHfcVuMeterBase(float peak) : m_fPeak(peak) {}

  virtual tagHfcVuMeterScale Scale() const = 0;
  // The scale of a meter just created: level and peak at its minimum.
  void StartAtMinimum();
  // One idle step: the peak's hold runs down and the level falls.
  void Fall(int elapsed);

  float m_fPeak;
  int m_iHoldLeft = 0;
};
