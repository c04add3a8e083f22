#include "editor/shell/CAutomationTabPageLayer.h"

#include <typeinfo>

#include "hfc/CHfcControl.h"
#include "hfc/CHfcCtrlHorizontalSlideSwitch.h"
#include "hfc/CHfcCtrlSlideSwitch.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "model/ISection.h"

void CAutomationTabPageLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (!control) return;
  if (typeid(*control) == typeid(CHfcCtrlSwitch)) {
    if (value < 0) value = (value & 0x7FFFFFFF) == 0 ? 1 : 0;
  } else if (typeid(*control) == typeid(CHfcCtrlSlideSwitch) ||
             typeid(*control) == typeid(CHfcCtrlHorizontalSlideSwitch)) {
    value = control->GetMaxIntValue() - value;
  }
  // Every edit here is one the host may record as automation.
  const SParamIdInfo link = GetParameterIdByControl(control);
  if (link.section && link.pid != -1)
    link.section->PutParamIEx(link.pid, value, Oskend::ISection::kPlainWrite, eChgSource_Reported);
}
