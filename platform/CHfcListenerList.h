#pragma once
// The registered listeners (sinks) of one source, in the order they were
// added. A listener may add or remove listeners, itself included, while it
// is being notified: a removed listener is not called again, not even later
// in the same notice, and an added one first hears the next notice. Notices
// may nest (a listener's call causes another notice). The list's recursive
// lock is held while listeners are called, so a listener removed on one
// thread is never called afterwards from another.
#include <cstddef>
#include <vector>

#include "platform/CHfcCriticalSection.h"

template <typename T>
class CHfcListenerList {
 public:
  CHfcListenerList() = default;
  CHfcListenerList(const CHfcListenerList&) = delete;
  CHfcListenerList& operator=(const CHfcListenerList&) = delete;

  // False for null and for a listener already in the list.
  bool Add(T* listener) {
    if (listener == nullptr) return false;
    CHfcCriticalSectionLock lock(lock_);
    if (Find(listener) != kNotFound) return false;
    entries_.push_back(listener);
    return true;
  }

  // Adds even a listener already in the list (it is then called once per
  // entry); false for null.
  bool Append(T* listener) {
    if (listener == nullptr) return false;
    CHfcCriticalSectionLock lock(lock_);
    entries_.push_back(listener);
    return true;
  }

  // Removes the first entry of the listener; false for null and for a
  // listener not in the list.
  bool Remove(T* listener) {
    if (listener == nullptr) return false;
    CHfcCriticalSectionLock lock(lock_);
    const std::size_t i = Find(listener);
    if (i == kNotFound) return false;
    if (depth_ > 0) {
      // A walk is on: keep the places of the others, drop the hole later.
      entries_[i] = nullptr;
      holes_ = true;
    } else {
      entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return true;
  }

  void Clear() {
    CHfcCriticalSectionLock lock(lock_);
    if (depth_ > 0) {
      for (T*& e : entries_) e = nullptr;
      holes_ = true;
    } else {
      entries_.clear();
    }
  }

  bool Contains(const T* listener) const {
    CHfcCriticalSectionLock lock(lock_);
    return listener != nullptr && Find(listener) != kNotFound;
  }

  std::size_t Size() const {
    CHfcCriticalSectionLock lock(lock_);
    std::size_t n = 0;
    for (const T* e : entries_) n += e != nullptr;
    return n;
  }

  // The listeners, first added first.
  std::vector<T*> Snapshot() const {
    CHfcCriticalSectionLock lock(lock_);
    std::vector<T*> out;
    for (T* e : entries_)
      if (e != nullptr) out.push_back(e);
    return out;
  }

  // Calls call(listener) for each listener, first added first.
  template <typename Call>
  void ForEach(Call&& call) {
    ForEachUntil([&](T* listener) {
      call(listener);
      return false;
    });
  }

  // Like ForEach, but stops after the first call that returns true; returns
  // whether one did.
  template <typename Call>
  bool ForEachUntil(Call&& call) {
    CHfcCriticalSectionLock lock(lock_);
    Walk walk(*this);
    const std::size_t count = entries_.size();
    for (std::size_t i = 0; i < count; ++i) {
      T* listener = entries_[i];
      if (listener != nullptr && call(listener)) return true;
    }
    return false;
  }

 private:
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

  // Marks a walk; the outermost one drops the holes of removed listeners.
  class Walk {
   public:
    explicit Walk(CHfcListenerList& list) : list_(list) { ++list_.depth_; }
    ~Walk() {
      if (--list_.depth_ == 0 && list_.holes_) {
        std::erase(list_.entries_, nullptr);
        list_.holes_ = false;
      }
    }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

   private:
    CHfcListenerList& list_;
  };

  std::size_t Find(const T* listener) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i] == listener) return i;
    return kNotFound;
  }

  mutable CHfcCriticalSection lock_;
  std::vector<T*> entries_;
  int depth_ = 0;
  bool holes_ = false;
};
