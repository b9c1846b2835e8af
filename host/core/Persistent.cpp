#include "Persistent.h"

#include "Format.h"

namespace xel {

void TPersistent::Assign(TPersistent* source) {
  if (source) source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const {
  String src = source ? source->ClassName() : String("nil");
  throw EConvertError(Format(SConst::AssignError, {src, ClassName()}));
}

String TPersistent::GetNamePath() const {
  String result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    String path = owner->GetNamePath();
    if (!path.empty()) result = path + "." + result;
  }
  return result;
}

void TPersistent::DefineProperties(TFiler*) {}

}  // namespace xel
