// Whether a unit registered its version header: the suites of each folder ask it for
// their units.
#pragma once

#include "VersionControl.h"

namespace xel::test {

// path as the header names it, such as "/design/SourceParser.cpp".
inline bool UnitVersionRegistered(const char* path) {
  TStringList versions;
  GetUnitVersions(&versions);
  for (int i = 0; i < versions.Count(); ++i) {
    TUnitHeader h;
    if (ExtractHeader(versions[i], h) && h.Path == path) return true;
  }
  return false;
}

}  // namespace xel::test
