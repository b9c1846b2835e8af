// The unit version registry: every unit registers its version header line at start-up.
#pragma once

#include "Classes.h"
#include "DateTime.h"

namespace xel {

// Appends a header ("$Header: /path/File.pas 12 05.07.99 9:03 AB $") to the registry; the
// text must outlive the program (a literal does).
void UnitVersion(const char* header);
// Registers a unit's header when its module loads: XEL_UNIT_VERSION("$Header: ... $").
#define XEL_UNIT_VERSION(header)                                    \
  namespace {                                                       \
  [[maybe_unused]] const bool kUnitVersionRegistered = [] {         \
    ::xel::UnitVersion(header);                                     \
    return true;                                                    \
  }();                                                              \
  }

// Appends every registered header, in registration order.
void GetUnitVersions(TStrings* strings);

struct TUnitHeader {
  String Path, FileName, Revision, Author, DateText, TimeText;
  TDateTime DateTime;
};
// Takes a header apart; false (and the fields found so far) when it is malformed.
bool ExtractHeader(std::string_view header, TUnitHeader& out);

}  // namespace xel
