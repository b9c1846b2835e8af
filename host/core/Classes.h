// The host's Classes unit: everything of the component model in one include.
#pragma once

#include "ClassRegistry.h"
#include "Collection.h"
#include "Component.h"
#include "Lists.h"
#include "Persistent.h"
#include "StringList.h"
#include "Streams.h"
#include "Filer.h"

namespace xel {

// Registers the streamable classes of the core (explicitly, at start-up, not through
// static initialisers).
void RegisterCoreClasses();

}  // namespace xel
