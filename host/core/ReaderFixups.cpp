#include "ReaderFixups.h"

#include <vector>

namespace xel {

void ForgetReferencesWithin(TReader* reader, const TPersistent* container) {
  const auto& pending = reader->PendingReferences();
  if (pending.empty()) return;
  // The reader shows its own list read-only; a non-empty one is the reader's vector.
  auto& fixups = const_cast<std::vector<TReader::TReferenceFixup>&>(pending);
  std::erase_if(fixups, [container](const TReader::TReferenceFixup& f) {
    for (const TPersistent* p = f.Instance; p; p = p->GetOwner())
      if (p == container) return true;
    return false;
  });
}

}  // namespace xel
