// The single-instance lock: per user, in a private folder, naming its
// holder to whoever is refused.
#include "plugin/CAtomicInstance.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/TempDir.h"

namespace vesk::test {
namespace {

class AtomicInstance : public testing::Test {
 protected:
  TempDir tmp;
  ScopedEnv lockDir{"VESK_LOCK_DIR", ""};
  ScopedEnv runtime{"XDG_RUNTIME_DIR", ""};
  ScopedEnv tmpdir{"TMPDIR", tmp.path()};
  std::string Private() const { return tmp.File("vesk-" + std::to_string(::getuid())); }
};

TEST_F(AtomicInstance, WithoutARuntimeFolderTheLockLivesInAPrivateFolderOfTheUser) {
  CAtomicInstance lock;
  ASSERT_TRUE(lock.Validate()) << lock.Reason();
  EXPECT_EQ(lock.Path(), Private() + "/" + CAtomicInstance::kLockFileName);
  struct stat st {};
  ASSERT_EQ(::lstat(Private().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(st.st_uid, ::getuid());
}

TEST_F(AtomicInstance, TheRuntimeFolderIsUsedWhenThereIsOne) {
  TempDir runtimeDir;
  ScopedEnv set{"XDG_RUNTIME_DIR", runtimeDir.path()};
  CAtomicInstance lock;
  ASSERT_TRUE(lock.Validate()) << lock.Reason();
  EXPECT_EQ(lock.Path(), runtimeDir.File(CAtomicInstance::kLockFileName));
}

TEST_F(AtomicInstance, AFolderOthersCanEnterIsNotUsedAndTheReasonSaysSo) {
  ASSERT_EQ(::mkdir(Private().c_str(), 0777), 0);
  ASSERT_EQ(::chmod(Private().c_str(), 0777), 0);
  CAtomicInstance lock;
  EXPECT_FALSE(lock.Validate());
  EXPECT_EQ(lock.Reason(), "the folder " + Private() + " is not a private folder of this user");
}

TEST_F(AtomicInstance, TheRefusedSecondInstanceNamesTheHolderAndTheLockFreesOnRelease) {
  EXPECT_EQ(CAtomicInstance::Holder(), 0);
  {
    CAtomicInstance first;
    ASSERT_TRUE(first.Validate());
    EXPECT_EQ(CAtomicInstance::Holder(), ::getpid());
    CAtomicInstance second;
    EXPECT_FALSE(second.Validate());
    EXPECT_EQ(second.Reason(), "Another copy of Vesk Plug-In Editor is running (process id " +
                                   std::to_string(::getpid()) + "). Close it first.");
    // Asking who holds it takes nothing away from the holder.
    EXPECT_TRUE(first.Validate());
    EXPECT_FALSE(CAtomicInstance().Validate());
  }
  EXPECT_EQ(CAtomicInstance::Holder(), 0);
  EXPECT_TRUE(CAtomicInstance().Validate());
}

}  // namespace
}  // namespace vesk::test
