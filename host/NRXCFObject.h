#pragma once
// Holds one string reference and releases it at the end.
#include "host/HostString.h"

class NRXCFObject {
 public:
  NRXCFObject() = default;
  explicit NRXCFObject(CFStringRef ref) : ref_(ref) {}
  ~NRXCFObject() { Reset(); }
  NRXCFObject(const NRXCFObject&) = delete;
  NRXCFObject& operator=(const NRXCFObject&) = delete;

  CFStringRef get() const { return ref_; }
  // Takes over `ref` (no retain) and releases the former one.
  void Reset(CFStringRef ref = nullptr) {
    if (ref_) HostStringRelease(ref_);
    ref_ = ref;
  }

 private:
  CFStringRef ref_ = nullptr;
};
