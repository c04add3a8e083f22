#pragma once
// Clipping step shared by the blits: a start below 0 is raised to 0, the
// matching start on the other side moves along and the length shrinks.

inline void HfcClipStart(int& start, int& other, int& length) {
  if (start < 0) {
    other -= start;
    length += start;
    start = 0;
  }
}
