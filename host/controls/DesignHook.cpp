#include "DesignHook.h"

#include <map>

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
  const TControl* top = control;
  while (top->Parent()) top = top->Parent();
  auto it = Hooks().find(dynamic_cast<const TWinControl*>(top));
  return it == Hooks().end() ? nullptr : it->second;
}

}  // namespace xel
