#pragma once
// What the vertical and horizontal slide switches share: a strip of one
// picture per state; while the button is held the state follows the pointer
// along the switch's axis, the first zone being the highest state. Like the
// other switches it reports the state and lets the listener set it.
#include <cstdint>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlSlideSwitchParam {
  int32_t x, y;
  int32_t width;   // 0: the skin's width
  int32_t height;  // 0: the skin's height / number of states
  CHfcBmp* skin;   // required: state s at row s * height
  CHfcBmp* bgBmp;
  int32_t bgX, bgY;
  int32_t states;
  int32_t reserved;
};

class CHfcSlideSwitchBase : public CHfcControl {
 public:
  ~CHfcSlideSwitchBase() override;

  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetIntValue(int value, bool redraw) override;

  // Positions of the switch, one picture each. Any thread that owns the
  // control (the loop thread in the editor).
  int GetNumStates() const { return m_param.states; }

 protected:
  explicit CHfcSlideSwitchBase(bool horizontal) : m_bHorizontal(horizontal) {}

  // Refuses a null record, a null strip and fewer than one state.
  bool CreateSwitch(const tagHfcCtrlSlideSwitchParam* param, int id, int userValue);
  // The state under a control-local offset along the axis.
  int StateAlong(int offset);

  tagHfcCtrlSlideSwitchParam m_param{};

 private:
  void ReportStateAt(int x, int y);

  bool m_bHorizontal;
};
