#pragma once
// A vertical slider made from the film-strip knob: it draws, presses and
// handles the circular drag modes as the knob does, and in the linear mode
// the value follows the pointer's height inside the control.
#include "hfc/CHfcCtrlKnob.h"

class XERTCSlider : public CHfcCtrlKnob {
 public:
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;

 private:
  int m_iLastY = 0;
};
