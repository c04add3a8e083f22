#pragma once
// An enumeration over a bit field: the parameter's value is a position in
// the list of raw values that the field stores.
#include <utility>
#include <vector>

template <class T>
class CAccessorMapped : public T {
 public:
  CAccessorMapped(unsigned low, unsigned high, std::vector<int> rawValues)
      : T(low, high), m_raw(std::move(rawValues)) {}

  int Get(const void* block, unsigned offset) const override {
    return IndexOf(this->GetRaw(block, offset));
  }

  int Put(void* block, unsigned offset, int index) const override {
    int raw = index >= 0 && static_cast<size_t>(index) < m_raw.size() ? m_raw[index] : 0;
    return IndexOf(this->PutRaw(block, offset, raw));
  }

  const std::vector<int>& RawValues() const { return m_raw; }

 private:
  // An unlisted raw value reads as the first entry.
  int IndexOf(int raw) const {
    for (size_t i = 0; i < m_raw.size(); ++i)
      if (m_raw[i] == raw) return static_cast<int>(i);
    return 0;
  }

  std::vector<int> m_raw;
};
