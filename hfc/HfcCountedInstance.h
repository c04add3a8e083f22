#pragma once
// The process-wide hubs are counted: the first start makes the instance,
// the last stop deletes it, and a stop without a start is refused.

// Returns whether the instance exists after the start.
template <typename T, typename Make>
bool HfcCountedStart(T*& instance, int& count, Make make) {
  if (count == 0) instance = make();
  ++count;
  return instance != nullptr;
}

// True when the stop matched a start.
template <typename T>
bool HfcCountedStop(T*& instance, int& count) {
  if (count <= 0) return false;
  if (--count == 0) {
    delete instance;
    instance = nullptr;
  }
  return true;
}
