#pragma once
// Evaluator of the display rules' arithmetic: one variable v, numbers,
// parentheses, arithmetic, comparison and logic, strictly left to right
// (no precedence: 1+2*3 is 9).

namespace mathexp {

// On success stores the value and returns true; on failure returns false
// and leaves *result alone.
bool eval(const char* text, float v, float* result);
bool eval(const char* text, double v, double* result);

}  // namespace mathexp
