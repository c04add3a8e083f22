#pragma once
// The horizontal form of the slide switch: while the button is held its
// position follows the pointer along the width, the leftmost zone being the
// highest position. It reports the position and lets the listener set it.
#include <cstdint>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlHorizontalSlideSwitchParam {
  int32_t x, y;
  int32_t width;   // 0: the strip's width
  int32_t height;  // 0: the strip's height / number of positions
  CHfcBmp* skin;   // required: position p at row p * height
  CHfcBmp* bgBmp;
  int32_t bgX, bgY;
  int32_t states;
  int32_t reserved;
};

class CHfcCtrlHorizontalSlideSwitch : public CHfcControl {
 public:
  CHfcCtrlHorizontalSlideSwitch() = default;
  ~CHfcCtrlHorizontalSlideSwitch() override;

  // Refuses a null record, a null strip and fewer than one position.
  bool Create(tagHfcCtrlHorizontalSlideSwitchParam* param, int id, int idHigh);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetIntValue(int value, bool redraw) override;

  // The position under a control-local x.
  int PositionAt(int x);
  const tagHfcCtrlHorizontalSlideSwitchParam& GetParam() const { return m_param; }

 private:
  void ReportPositionAt(int x);

  tagHfcCtrlHorizontalSlideSwitchParam m_param{};
};
