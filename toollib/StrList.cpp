#include "StrList.h"

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/StrList.cpp 1 11.12.26 4:25 XG $")

namespace xel {

TStrList::TStrList(TComponent* owner) : TExComponent(owner), FStrings(std::make_unique<TStringList>()) {
  FStrings->OnChange = MakeMethod<&TStrList::StringsChange>(this);
}

TStrList::~TStrList() { FStrings->OnChange = {}; }

void RegisterStrListClasses() { RegisterClasses({TStrList::StaticClass()}); }

}  // namespace xel
