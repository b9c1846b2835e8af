// Component resources: forms and language files stored as resources or resource files.
#pragma once

#include "Component.h"

namespace xel {

// Reads the RCDATA resource resName into instance (or a new root when nullptr): first from
// the module that holds the instance's class, then from every module with resources.
// Raises EResNotFound when no module has it.
TComponent* ReadComponentRes(const String& resName, TComponent* instance);
// True when some module has the resource; nothing is read.
bool ComponentResExists(const String& resName, const void* preferredModule = nullptr);
// For each class from just below rootAncestor down to the instance's class, reads the
// resource named by that class, if there is one (the host's way for a form to load its
// own form file). True when any was read.
bool InitInheritedComponent(TComponent* instance, TClass rootAncestor);
// Files holding one component with the 16-bit resource header, named by the class.
TComponent* ReadComponentResFile(const String& fileName, TComponent* instance);
void WriteComponentResFile(const String& fileName, TComponent* instance);

}  // namespace xel
