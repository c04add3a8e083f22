#pragma once
// Start and stop of the editor's counted singletons (image cache, form and
// font registries): the first start makes the instance, every start counts
// one more user, and the stop of the last user destroys it.

template <typename T, typename Make>
bool CountedSingletonStart(T*& instance, int& count, Make make) {
  if (count == 0 && instance == nullptr) {
    instance = make();
  }
  if (instance == nullptr) {
    return false;
  }
  ++count;
  return true;
}

template <typename T, typename Destroy>
void CountedSingletonStop(T*& instance, int& count, Destroy destroy) {
  if (count <= 0) {
    return;
  }
  if (--count == 0) {
    destroy(instance);
    instance = nullptr;
  }
}
