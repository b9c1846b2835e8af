// Calls that other threads hand to the main thread. They wait in a queue until the main
// thread's loop drains it: Application->ProcessMessages does, and a widget set whose loop
// sleeps is woken when a call arrives.
#pragma once

#include <functional>

#include "TypInfo.h"

namespace xel {

// The seven priorities a thread of the host may have.
XEL_ENUM(TThreadPriority, tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical)

// The thread that loaded the framework, which runs the user interface.
bool IsMainThread();
// Any thread may queue; the calls run on the main thread in the order they were queued.
void QueueMainThreadCall(std::function<void()> call);
// Runs the queued calls, also those queued meanwhile; true when one ran. Does nothing on
// another thread. An exception of a call passes on; the calls behind it stay queued.
bool CheckSynchronize();
// How the widget set wakes its loop when a call is queued; it is called on the queueing
// thread. An empty function removes it.
void SetWakeMainThread(std::function<void()> wake);

}  // namespace xel
