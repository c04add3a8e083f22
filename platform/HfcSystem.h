#pragma once
// The framework's free helpers in one include.
#include "platform/HfcBundle.h"
#include "platform/HfcByteOrder.h"
#include "platform/HfcDebug.h"
#include "platform/HfcGeometry.h"
#include "platform/HfcMemory.h"
#include "platform/HfcMessageBox.h"
#include "platform/HfcPascalString.h"
#include "platform/HfcResource.h"
#include "platform/HfcTempFile.h"
#include "platform/HfcTime.h"
