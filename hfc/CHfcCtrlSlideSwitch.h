#pragma once
// A vertical slide switch: while the button is held its state follows the
// pointer's height, the top zone being the highest state. Like the other
// switches it reports the state and lets the listener set it.
#include "hfc/CHfcSlideSwitchBase.h"

class CHfcCtrlSlideSwitch : public CHfcSlideSwitchBase {
 public:
  CHfcCtrlSlideSwitch() : CHfcSlideSwitchBase(false) {}
  ~CHfcCtrlSlideSwitch() override;

  bool Create(tagHfcCtrlSlideSwitchParam* param, int id, int userValue) {
    return CreateSwitch(param, id, userValue);
  }

  // The state under a control-local height.
  int StateAt(int y) { return StateAlong(y); }
};
