#pragma once
// The layering check's own test: a lower library that reaches up.
#include "Beside.h"
#include "high/High.h"
