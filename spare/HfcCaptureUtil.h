#pragma once
// Whether a control holds the mouse capture of the framework's mouse hub.
#include "hfc/CHfcControl.h"
#include "hfc/CHfcMouse.h"

inline bool HfcHoldsCapture(CHfcControl* control) {
  return CHfcMouse::sm_pInstance &&
         CHfcMouse::sm_pInstance->GetCapture() == static_cast<CHfcMouseListener*>(control);
}
