#pragma once
// The process-wide hubs and registries are counted: the first start makes
// the instance, every start counts one more user, the last stop deletes it.
// A start that could not make the instance counts nothing, and a stop
// without a start is refused.

// Returns whether the instance exists after the start.
template <typename T, typename Make>
bool HfcCountedStart(T*& instance, int& count, Make make) {
  if (count == 0 && instance == nullptr) instance = make();
  if (instance == nullptr) return false;
  ++count;
  return true;
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
