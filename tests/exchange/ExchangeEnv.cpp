// The exchange tests run on the headless widget set with every class registered.
#include <gtest/gtest.h>

#include "ExchangeFixtures.h"
#include "HeadlessWidgetSet.h"

namespace {
struct TExchangeEnvironment : testing::Environment {
  void SetUp() override {
    xel::test::RegisterExchangeFixtures();
    xel::InstallHeadlessWidgetSet();
  }
};
[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new TExchangeEnvironment);
}  // namespace
