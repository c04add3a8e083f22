#pragma once
// What a data load changed in the image: the four program banks, the
// combinations (one flag for all 20), the global block and the current sound.
// A load only sets marks; whoever made the record decides from it what to
// send to the synthesizer.
#include <bitset>

class CDirtyFlagSet {
 public:
  CDirtyFlagSet() = default;
  CDirtyFlagSet(const CDirtyFlagSet&) = default;
  CDirtyFlagSet& operator=(const CDirtyFlagSet&) = default;

  void assign(const CDirtyFlagSet& other);
  bool isDirty() const;

  // set(i)/test(i) throw std::out_of_range for an index outside the set.
  std::bitset<4> mProgBanks;  // banks A-D by index 0-3
  std::bitset<1> mCombis;     // index 0: all combinations
  bool mGlobal = false;
  bool mCurSound = false;
};
