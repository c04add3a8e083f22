#pragma once
// The filter record of bank chunks lives with the editor settings that
// build it.
#include "model/FXBFILTERINFO.h"
