#include "WidgetSet.h"

namespace xel {

namespace {
// Never freed at exit: windows that static objects free late still reach their backend.
TWidgetSet*& Current() {
  static TWidgetSet* current = nullptr;
  return current;
}
}  // namespace

TWidgetSet* WidgetSet() { return Current(); }

void SetWidgetSet(std::unique_ptr<TWidgetSet> widgetSet) { delete std::exchange(Current(), widgetSet.release()); }

void TWidgetSet::RegisterBackend(TClass cls, std::unique_ptr<TWSWinControl> backend) {
  FLookup.clear();  // cached ancestors may now have a nearer backend
  FOwned[cls] = std::move(backend);
}

TWSWinControl* TWidgetSet::Backend(TClass cls) {
  if (auto it = FLookup.find(cls); it != FLookup.end()) return it->second;
  for (TClass c = cls; c; c = c->ClassParent()) {
    if (auto it = FOwned.find(c); it != FOwned.end()) {
      FLookup[cls] = it->second.get();
      return it->second.get();
    }
  }
  throw EInvalidOperation(Format("The widget set %s has no window for %s", {Name(), cls->ClassName()}));
}

}  // namespace xel
