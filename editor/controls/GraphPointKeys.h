#pragma once
// The arrow keys of the point graphs (envelope, filter): left and right move
// the focused point's time by the time step, up and down its level by one.
// False, with nothing changed, for any other key.
inline bool GraphPointKeyStep(int key, int timeStep, int* time, int* level) {
  switch (key) {
    case 28: *time -= timeStep; return true;
    case 29: *time += timeStep; return true;
    case 30: *level += 1; return true;
    case 31: *level -= 1; return true;
    default: return false;
  }
}
