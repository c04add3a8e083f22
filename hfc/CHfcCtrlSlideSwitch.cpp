#include "hfc/CHfcCtrlSlideSwitch.h"

CHfcCtrlSlideSwitch::~CHfcCtrlSlideSwitch() = default;
