// What a defined property needs of the reader's pending references when it reads a
// collection that the same stream may give twice.
#pragma once

#include "Filer.h"

namespace xel {

// Drops the pending references of the container and of what it holds (the items of a
// collection and their sub-collections). A defined property that clears its collection
// before reading it again calls it first: the references of the freed items would
// otherwise be resolved into freed memory when the stream ends.
void ForgetReferencesWithin(TReader* reader, const TPersistent* container);

}  // namespace xel
