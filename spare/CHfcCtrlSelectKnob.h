#pragma once
// A rotary selector with a fixed number of positions drawn from a film
// strip: the pointer's angle over a configurable sweep becomes a step
// index, with the knob's three drag modes (absolute circular, relative
// circular, linear vertical). It reports; the listener sets the value.
#include "hfc/CHfcControl.h"

struct tagHfcCtrlSelectKnobParam {
  int x, y;
  int width, height;  // 0: the strip's width, its height / positions
  CHfcBmp* strip;     // one frame per position; required
  CHfcBmp* background;
  int backgroundX, backgroundY;
  int positions;
  int reserved;
  int linearStep;  // pixels of vertical drag per position
  float startAngle;  // degrees
  float sweep;       // degrees; negative runs the other way
};

class CHfcCtrlSelectKnob : public CHfcControl {
 public:
  // False without a strip, with fewer than two positions, or with a zero
  // sweep (positions would divide by zero).
  virtual bool Create(const tagHfcCtrlSelectKnobParam* param, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override {
    return OnHfcMouseLButtonDown(m, x, y, mods);
  }
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Draw(CHfcDrawContext* dc) override;
  void SetIntValue(int value, bool redraw) override;

  float ValueFromPoint(int x, int y) const;
  float PointToValueRelativeCircular(tagHfcPoint p0, tagHfcPoint p1) const;
  int Quantize(float v) const { return QuantizeToInt(v, m_param.positions, 0); }
  static int QuantizeToInt(float v, int n, int offset);
  static float RegulateFromInt(int value, int n, int offset);
  static long InternalDiv(long a, long b) { return b == 0 ? 0 : a / b; }
  static long InternalRoundTo(long a, long b) { return b == 0 ? a : a - a % b; }
  int GetDragMode() const { return dragMode_; }

 private:
  tagHfcCtrlSelectKnobParam m_param{};
  float start_ = 0, sweep_ = 0, dead_ = 0, invSweep_ = 0, centre_ = 0;
  int dragMode_ = 0;
  tagHfcPoint last_{0, 0};
  int linearAcc_ = 0;
  float relative_ = 0;
  float lastAbsolute_ = 0;
  int lastReported_ = 0;
};
