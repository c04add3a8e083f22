#pragma once
// The framework's rotary knob: an integer value shown as one frame of a
// vertical film strip and changed by dragging in the knob mode the host
// chose (CHfcControl::sm_iGlobalKnobMode: 0 circular, 1 circular relative,
// 2 linear). Like the switches it reports values and lets its listener set
// them.
#include <cstdint>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlKnobParam {
  int32_t x, y;
  int32_t width;   // 0: the skin's width
  int32_t height;  // 0: the skin's height / number of frames
  CHfcBmp* skin;
  CHfcBmp* bgBmp;
  int32_t bgX, bgY;
  int32_t frames;
  int32_t reserved;
  int32_t minimum, maximum;
  int32_t step;  // value change per pixel in the linear mode
};

class CHfcCtrlKnob : public CHfcControl {
 public:
  CHfcCtrlKnob() = default;
  ~CHfcCtrlKnob() override;

  bool Create(tagHfcCtrlKnobParam* param, int id, int userValue);

  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetBackBmp(CHfcBmp* bmp, bool redraw) override;
  void SetIntValue(int value, bool redraw) override;
  virtual void SetKnobMode(int) {}
  virtual void SetOffsetMode(int mode) { m_iOffsetMode = mode; }

  // The frame Draw shows for the current value.
  int GetFrameIndex();
  // Circular position of a control-local point, 0.0 to 1.0.
  float ValueFromPoint(int x, int y) const;
  int PointToValueRelativeCircular(tagHfcPoint from, tagHfcPoint to);
  int GetDragMode() const { return m_iDragMode; }

  static long InternalDiv(long a, long b) { return b == 0 ? 0 : a / b; }
  static long InternalRoundTo(long a, long b) { return b == 0 ? a : a - a % b; }

 private:
  int CircularValue(float fraction) const;

  tagHfcCtrlKnobParam m_param{};
  tagHfcPoint m_ptPress{0, 0};
  int32_t m_iAccumulator = 0;
  float m_fStartValue = 0.0f;
  int32_t m_iLastReported = 0;
  int32_t m_iOffsetMode = 0;
  int32_t m_iDragMode = 0;
  float m_fStartAngle = 0.0f;
  float m_fSweep = 0.0f;
  float m_fDeadZone = 0.0f;
  float m_fScale = 0.0f;
  float m_fRadius = 0.0f;
  float m_fLastFraction = 0.0f;
};
