// Registers every visual class of the framework with the class registry (forms,
// standard, extra and button controls, menus, dialogs, graphics).
#pragma once

namespace xel {
void RegisterControlClasses();
}
