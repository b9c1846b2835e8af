#include "GlottaUnit.h"

#include <cstdio>
#include <deque>

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /runtime/GlottaUnit.cpp 1 11.12.26 4:20 XG $")

namespace xel {

namespace {

// Function-local: the units' constructors run during static initialisation, in any order.
struct TUnitQueue {
  std::deque<void (*)()> Pending;
  bool Started = false;
};

TUnitQueue& Queue() {
  static TUnitQueue queue;
  return queue;
}

}  // namespace

TUnitInitialization::TUnitInitialization(void (*proc)()) {
  TUnitQueue& q = Queue();
  if (!q.Started) {
    q.Pending.push_back(proc);
    return;
  }
  // A library loaded at run time: there is no caller to hand an error to.
  try {
    proc();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "unit initialization: %s\n", e.what());
  }
}

void InitializeUnits() {
  TUnitQueue& q = Queue();
  q.Started = true;
  while (!q.Pending.empty()) {
    void (*proc)() = q.Pending.front();
    q.Pending.pop_front();
    proc();
  }
}

}  // namespace xel
