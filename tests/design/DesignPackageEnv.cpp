// The classes the designer's forms name, and the headless widget set.
#include <gtest/gtest.h>

#include "Glotta.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"

namespace {

struct TDesignPackageEnvironment : testing::Environment {
  void SetUp() override {
    xel::RegisterCoreClasses();
    xel::RegisterControlClasses();
    xel::RegisterGlottaClasses();
    xel::InstallHeadlessWidgetSet();
  }
};
[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new TDesignPackageEnvironment);

}  // namespace
