#include "hfc/CHfcCtrlHorizontalSlideSwitch.h"

CHfcCtrlHorizontalSlideSwitch::~CHfcCtrlHorizontalSlideSwitch() = default;
