// Walks every registered class and checks every published property at once: a broken
// table entry anywhere in the framework shows up here.
#include <gtest/gtest.h>

#include <set>

#include "Classes.h"
#include "Fixtures.h"
#include "RegistryCheck.h"

namespace xel::test {
namespace {

TEST(RegistryWideTest, EveryPublishedPropertyOfEveryRegisteredClassWorks) {
  RegisterCoreClasses();
  RegisterFixtureClasses();
  EXPECT_GT(CheckRegisteredClasses(), 20);
}

TEST(RegistryWideTest, RegistrationIncludesAncestorsAndRefusesNameClashes) {
  RegisterClass(TPlainWidget::StaticClass());
  EXPECT_EQ(GetClass("TWidget"), TWidget::StaticClass());
  EXPECT_EQ(GetClass("TPersistent"), TPersistent::StaticClass());
  RegisterClass(TPlainWidget::StaticClass());  // again: no effect
  // Another class that calls itself TWidget cannot take the name.
  static const TMetaClass fake("TWidget", TComponent::StaticClass(), "Fake", nullptr, true, nullptr);
  EXPECT_THROW(RegisterClass(&fake), EFilerError);
}

}  // namespace
}  // namespace xel::test
