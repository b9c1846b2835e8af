#include "Classes.h"

namespace xel {

void RegisterCoreClasses() {
  RegisterClasses({TPersistent::StaticClass(), TComponent::StaticClass(), TStrings::StaticClass(),
                   TStringList::StaticClass(), TCollection::StaticClass(), TOwnedCollection::StaticClass(),
                   TCollectionItem::StaticClass(), TDataModule::StaticClass()});
}

}  // namespace xel
