#include <gtest/gtest.h>

#include <stdexcept>

#include "model/CDirtyFlagSet.h"
#include "model/GetModalCaption.h"

namespace {

TEST(CDirtyFlagSet, AnyMarkMakesItDirtyAndCopiesCarryAllMarks) {
  EXPECT_FALSE(CDirtyFlagSet().isDirty());
  void (*marks[])(CDirtyFlagSet&) = {
      [](CDirtyFlagSet& f) { f.mProgBanks.set(0); }, [](CDirtyFlagSet& f) { f.mProgBanks.set(3); },
      [](CDirtyFlagSet& f) { f.mCombis.set(0); },    [](CDirtyFlagSet& f) { f.mGlobal = true; },
      [](CDirtyFlagSet& f) { f.mCurSound = true; },
  };
  for (auto mark : marks) {
    CDirtyFlagSet f;
    mark(f);
    EXPECT_TRUE(f.isDirty());
    EXPECT_TRUE(CDirtyFlagSet(f).isDirty());
    CDirtyFlagSet g;
    g.assign(f);
    EXPECT_TRUE(g.isDirty());
    g.assign(CDirtyFlagSet());
    EXPECT_FALSE(g.isDirty());
  }
  CDirtyFlagSet all;
  all.mProgBanks.set(2);
  all.mCombis.set(0);
  all.mGlobal = true;
  CDirtyFlagSet copy;
  copy.assign(all);
  EXPECT_EQ(copy.mProgBanks, all.mProgBanks);
  EXPECT_EQ(copy.mCombis, all.mCombis);
  EXPECT_TRUE(copy.mGlobal);
  EXPECT_FALSE(copy.mCurSound);
}

TEST(CDirtyFlagSet, MarksOutsideTheSetAreRefused) {
  CDirtyFlagSet f;
  EXPECT_THROW(f.mProgBanks.set(4), std::out_of_range);
  EXPECT_THROW(f.mCombis.set(1), std::out_of_range);
  EXPECT_FALSE(f.isDirty());
}

TEST(GetModalCaption, StandaloneOrPlugIn) {
  for (unsigned id : {0u, 7u, 0xFFFFFFFFu}) {
    EXPECT_EQ(GetModalCaption(id, true), "Vesk Editor");
    EXPECT_EQ(GetModalCaption(id, false), "Vesk Plug-In Editor");
  }
}

}  // namespace
