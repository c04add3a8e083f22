#pragma once
// The layering check's own test: a lower library that reaches up.
#include "high/High.h"
#include "Beside.h"
