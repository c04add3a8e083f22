#pragma once
// A vertically dragged wheel drawn from a film strip. A spring-back wheel
// (pitch bend) reports its rest value when let go; the listener sets every
// position with SetIntValue.
#include <cstdint>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlWheelParam {
  int32_t x, y;
  int32_t width;   // 0: the skin's width
  int32_t height;  // 0: the skin's height / number of frames
  CHfcBmp* skin;
  CHfcBmp* bgBmp;  // null: the rectangle is filled black
  int32_t bgX, bgY;
  int32_t frames;
  int32_t minimum, maximum;
  int32_t step;  // value change per pixel
  int32_t springValue;
  int32_t springBack;
};

class CHfcCtrlWheel : public CHfcControl {
 public:
  CHfcCtrlWheel() = default;
  ~CHfcCtrlWheel() override;

  bool Create(tagHfcCtrlWheelParam* param, int id, int userValue);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetIntValue(int value, bool redraw) override;

  int GetFrameIndex();

 private:

  tagHfcCtrlWheelParam m_param{};
  tagHfcPoint m_ptPress{0, 0};
  int32_t m_iAccumulator = 0;
  float m_fStartValue = 0.0f;
  int32_t m_iLastReported = 0;
};
