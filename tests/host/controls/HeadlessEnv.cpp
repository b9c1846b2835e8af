// Every test of this program runs on the headless widget set.
#include <gtest/gtest.h>

#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"
#include "StdCtrls.h"

namespace {
struct THeadlessEnvironment : testing::Environment {
  void SetUp() override {
    xel::RegisterCoreClasses();
    xel::RegisterControlClasses();
    xel::InstallHeadlessWidgetSet();
  }
};
[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new THeadlessEnvironment);
}  // namespace
