#include "DesignHook.h"

#include <map>

#include "Forms.h"

namespace xel {

namespace {
std::map<const TWinControl*, TDesignHook*>& Hooks() {
  static std::map<const TWinControl*, TDesignHook*> hooks;
  return hooks;
}
}  // namespace

void SetDesignHook(TWinControl* window, TDesignHook* hook) {
  if (hook) Hooks()[window] = hook;
  else Hooks().erase(window);
}

TDesignHook* FindDesignHook(const TControl* control) {
  if (Hooks().empty() || !control->ComponentState().Contains(csDesigning)) return nullptr;
  auto it = Hooks().find(GetParentForm(control));
  return it == Hooks().end() ? nullptr : it->second;
}

}  // namespace xel
