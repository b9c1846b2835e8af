// A shared library with a resource table of its own, as a package carries one.
#include "Resources.h"

extern "C" const void* ResModuleInstance() { return xel::HInstance(); }
