#include "Sounds.h"

#include <atomic>
#include <utility>

namespace xel {

namespace {
std::atomic<TBeepProc> gBeepProc{nullptr};
}  // namespace

void MessageBeep() {
  if (TBeepProc proc = gBeepProc.load()) proc();
}

TBeepProc SetBeepProc(TBeepProc proc) { return gBeepProc.exchange(proc); }

}  // namespace xel
