#include "DesignHost.h"

#include <atomic>

namespace xel {

namespace {
std::atomic<bool> Active{false};
}

bool DesignHostActive() { return Active.load(); }
void SetDesignHostActive(bool active) { Active.store(active); }

}  // namespace xel
