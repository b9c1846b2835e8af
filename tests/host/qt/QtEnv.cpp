// Every test of this program runs on the Qt widget set.
#include <gtest/gtest.h>

#include "Forms.h"
#include "QtWidgetSet.h"
#include "RegisterControls.h"

namespace {
struct TQtEnvironment : testing::Environment {
  void SetUp() override {
    xel::RegisterCoreClasses();
    xel::RegisterControlClasses();
    xel::InstallQtWidgetSet();
  }
  void TearDown() override { xel::FinalizeQtWidgetSet(); }
};
[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new TQtEnvironment);
}  // namespace
