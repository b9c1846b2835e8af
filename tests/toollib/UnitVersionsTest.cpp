#include <gtest/gtest.h>

#include "VersionControl.h"

namespace xel {
namespace {

TEST(UnitVersionsTest, EveryUnitOfThePackageRegisteredItsHeader) {
  TStringList versions;
  GetUnitVersions(&versions);
  ASSERT_GT(versions.Count(), 0);
  TUnitHeader first;
  ASSERT_TRUE(ExtractHeader(versions[0], first));
  EXPECT_EQ(first.Path, "/toollib/VersionControl.cpp");  // the registry's own unit comes first

  const char* units[] = {XEL_PACKAGE_UNITS};
  for (const char* unit : units) {
    int found = 0;
    for (int i = 0; i < versions.Count(); ++i) {
      TUnitHeader h;
      if (ExtractHeader(versions[i], h) && h.Path == unit) ++found;
    }
    EXPECT_EQ(found, 1) << unit;
  }
}

}  // namespace
}  // namespace xel
