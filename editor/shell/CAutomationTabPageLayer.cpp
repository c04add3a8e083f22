#include "editor/shell/CAutomationTabPageLayer.h"

void CAutomationTabPageLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  CTabPageLayer::OnHfcCtrlIntValueChanged(control, value);
}
