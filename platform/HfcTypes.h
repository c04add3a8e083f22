#pragma once
// The framework's integer point and rectangle. A rectangle's right and
// bottom edges lie outside it.
#include <cstdint>

struct tagHfcPoint {
  int32_t x;
  int32_t y;
};

struct tagHfcRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};
