#pragma once
// A vertical slide switch: while the button is held its state follows the
// pointer's height, the top zone being the highest state. Like the other
// switches it reports the state and lets the listener set it.
#include <cstdint>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlSlideSwitchParam {
  int32_t x, y;
  int32_t width;   // 0: the skin's width
  int32_t height;  // 0: the skin's height / number of states
  CHfcBmp* skin;
  CHfcBmp* bgBmp;
  int32_t bgX, bgY;
  int32_t states;
  int32_t reserved;
};

class CHfcCtrlSlideSwitch : public CHfcControl {
 public:
  CHfcCtrlSlideSwitch() = default;
  ~CHfcCtrlSlideSwitch() override;

  bool Create(tagHfcCtrlSlideSwitchParam* param, int id, int userValue);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetIntValue(int value, bool redraw) override;

  // The state under a control-local height.
  int StateAt(int y);

 private:
  void ReportStateAt(int y);

  tagHfcCtrlSlideSwitchParam m_param{};
};
