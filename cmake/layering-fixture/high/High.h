#pragma once
#include "low/Low.h"
#include <vector>
