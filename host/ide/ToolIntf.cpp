#include "ToolIntf.h"

#include <atomic>

#include "DesignHost.h"

namespace xel {

namespace {
TIToolServices* Services = nullptr;
std::atomic<int> LiveInterfaces{0};
}  // namespace

TInterface::TInterface() { ++LiveInterfaces; }
TInterface::~TInterface() { --LiveInterfaces; }

int TInterface::Release() {
  const int count = --FRefCount;
  if (count == 0) delete this;
  return count;
}

TIToolServices* ToolServices() { return Services; }

void SetToolServices(TIToolServices* services) {
  Services = services;
  SetDesignHostActive(services != nullptr);
}

int LiveInterfaceCount() { return LiveInterfaces.load(); }

}  // namespace xel
