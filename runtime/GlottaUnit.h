// What a C++ program unit needs for translations of its own, without a form: the expert's
// Unit command writes one TUnitInitialization that calls InitGlotta, and the program runs
// it once its resources and classes are there, as Pascal runs a unit's initialization.
#pragma once

#include "Glotta.h"

namespace xel {

class TUnitInitialization {
public:
  // Queued until InitializeUnits; made after that (a library loaded later), it runs at once.
  explicit TUnitInitialization(void (*proc)());
  TUnitInitialization(const TUnitInitialization&) = delete;
  TUnitInitialization& operator=(const TUnitInitialization&) = delete;
};

// Runs the queued initializations in the order they were made, each once; the first error
// propagates and leaves the rest queued. RegisterGlottaClasses calls it.
void InitializeUnits();

}  // namespace xel
