#pragma once
// The sections of one kind that a sound section owns, sized once by the
// owner; element addresses stay valid for the owner's life.
#include <memory>

#include "model/ISectionList.h"

template <class T>
class CSectionListImplBaseT : public Oskend::ISectionList {
 public:
  explicit CSectionListImplBaseT(unsigned count) : m_items(new T[count]), m_count(count) {}

  unsigned GetCount() override { return m_count; }
  Oskend::ISection* GetAt(unsigned index) override {
    return index < m_count ? &m_items[index] : nullptr;
  }
  T* At(unsigned index) { return index < m_count ? &m_items[index] : nullptr; }

 private:
  std::unique_ptr<T[]> m_items;
  unsigned m_count;
};
