#pragma once
// The horizontal form of the slide switch: while the button is held its
// position follows the pointer along the width, the leftmost zone being the
// highest position. It reports the position and lets the listener set it.
#include "hfc/CHfcSlideSwitchBase.h"

using tagHfcCtrlHorizontalSlideSwitchParam = tagHfcCtrlSlideSwitchParam;

class CHfcCtrlHorizontalSlideSwitch : public CHfcSlideSwitchBase {
 public:
  CHfcCtrlHorizontalSlideSwitch() : CHfcSlideSwitchBase(true) {}
  ~CHfcCtrlHorizontalSlideSwitch() override;

  // Refuses a null record, a null strip and fewer than one position.
  bool Create(tagHfcCtrlHorizontalSlideSwitchParam* param, int id, int idHigh) {
    return CreateSwitch(param, id, idHigh);
  }

  // The position under a control-local x.
  int PositionAt(int x) { return StateAlong(x); }
  const tagHfcCtrlHorizontalSlideSwitchParam& GetParam() const { return m_param; }
};
