// The runtime tests run on the headless widget set with every class registered.
#include <gtest/gtest.h>

#include "Forms.h"
#include "Glotta.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"
#include "StdCtrls.h"

namespace {
struct TRuntimeEnvironment : testing::Environment {
  void SetUp() override {
    xel::RegisterCoreClasses();
    xel::RegisterControlClasses();
    xel::RegisterGlottaClasses();
    xel::InstallHeadlessWidgetSet();
  }
};
[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new TRuntimeEnvironment);
}  // namespace
