// The editor registers its compiled-in forms at start-up; these tests do
// the same once for the whole run.
#include <gtest/gtest.h>

#include "editor/controls/UIFormManager.h"

namespace {

class FormsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { UIFormManager::Initialize(); }
  void TearDown() override { UIFormManager::Uninitialize(); }
};

[[maybe_unused]] ::testing::Environment* const kForms = ::testing::AddGlobalTestEnvironment(new FormsEnvironment);

}  // namespace
