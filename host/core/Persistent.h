// TPersistent: objects that can be assigned from one another and stored in form streams.
#pragma once

#include "PropTable.h"

namespace xel {

class TFiler;
class TReader;
class TWriter;

class TPersistent : public TObject {
  XEL_CLASS(TPersistent, TObject)
public:
  // Copies the source's state; the default asks the source (AssignTo) and fails with
  // "Cannot assign a X to a Y" when neither side knows the other.
  virtual void Assign(TPersistent* source);
  // The owner in design-time name paths (a collection for its items, a component for its
  // sub-objects); none by default.
  virtual TPersistent* GetOwner() const { return nullptr; }
  virtual String GetNamePath() const;
  // Stores data that are not published properties under names of their own.
  virtual void DefineProperties(TFiler* filer);

protected:
  virtual void AssignTo(TPersistent* dest);
  [[noreturn]] void AssignError(const TPersistent* source) const;
};

}  // namespace xel
