#include "SyncObjects.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <new>
#include <optional>
#include <vector>

#include "Forms.h"
#include "Format.h"
#include "MainThread.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/SyncObjects.cpp 1 10.12.26 17:05 XG $")

namespace xel {

namespace {

struct TEventState {
  std::int32_t ManualReset;
  std::int32_t Signaled;
};

struct TSemaphoreState {
  std::int32_t Count;
  std::int32_t Max;
};

[[noreturn]] void FailCreate(TClass cls, int code) {
  throw EOutOfResources(Format("Cannot create windows object: %s (%d)", {cls->ClassName(), code}));
}

// The object a wait of the main thread is on, for the workers to end its step early.
std::mutex gMainWaitLock;
THandledObject* gMainWait = nullptr;

// The application's windows take no input while the main thread waits; those that were
// enabled are enabled again, unless they went meanwhile.
class TDisabledWindows {
public:
  TDisabledWindows() {
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* f = Screen->Forms(i);
      if (f->GetEnabled()) {
        f->SetEnabled(false);
        FForms.push_back(f);
      }
    }
  }
  ~TDisabledWindows() {
    for (TCustomForm* f : FForms)
      for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i) == f) f->SetEnabled(true);
  }
  TDisabledWindows(const TDisabledWindows&) = delete;
  TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
  std::vector<TCustomForm*> FForms;
};

}  // namespace

// ---------------------------------------------------------------- THandledObject

TWaitResult THandledObject::WaitFor(Integer) { return wrError; }

bool THandledObject::Wait(Integer timeout) {
  TWaitResult r = DoWait(timeout);
  return r == wrSignaled || r == wrAbandoned;
}

void THandledObject::OpenBlock(TClass cls, const String& name, TSharedBlock::TKind kind, size_t payloadSize,
                               const std::function<void(void*, bool)>& init) {
  TOpenedBlock opened = OpenSharedBlock(name, kind, payloadSize, cls->ClassName(), init);
  FBlock = std::move(opened.Block);
  FAlreadyExisted = opened.AlreadyExisted;
}

TWaitResult THandledObject::WaitBlock(Integer timeout, const std::function<bool()>& ready) {
  std::optional<timespec> deadline;
  if (timeout >= 0) deadline = DeadlineAfter(timeout);
  // Only a step of WaitForSyncObject on this object ends early; the main thread alone
  // sets gMainWait, so it reads it without the lock.
  const bool interruptible = IsMainThread() && gMainWait == this;
  FBlock->Lock();
  TWaitResult result = wrTimeout;
  for (;;) {
    if (ready()) {
      result = wrSignaled;
      break;
    }
    if (timeout == 0 || (interruptible && FInterrupted.load())) break;
    if (!FBlock->Wait(deadline ? &*deadline : nullptr)) {
      if (ready()) result = wrSignaled;
      break;
    }
  }
  FBlock->Unlock();
  return result;
}

void THandledObject::Interrupt() {
  FInterrupted = true;
  if (!FBlock) return;
  // Under the lock: the waiter is either before its check of the flag or inside its wait.
  FBlock->Lock();
  FBlock->Broadcast();
  FBlock->Unlock();
}

// ---------------------------------------------------------------- TEvent

TEvent::TEvent(const String& name, bool manualReset, bool initialState)
    : TEvent(StaticClass(), name, manualReset, initialState) {}

TEvent::TEvent(TClass cls, const String& name, bool manualReset, bool initialState) {
  OpenBlock(cls, name, TSharedBlock::bkEvent, sizeof(TEventState), [=](void* payload, bool) {
    auto* s = static_cast<TEventState*>(payload);
    s->ManualReset = manualReset;
    s->Signaled = initialState;
  });
}

TWaitResult TEvent::WaitFor(Integer timeout) {
  auto* s = State<TEventState>();
  return WaitBlock(timeout, [s] {
    if (!s->Signaled) return false;
    if (!s->ManualReset) s->Signaled = 0;
    return true;
  });
}

void TEvent::Reset() {
  FBlock->Lock();
  State<TEventState>()->Signaled = 0;
  FBlock->Unlock();
}

void TEvent::Signal() {
  FBlock->Lock();
  State<TEventState>()->Signaled = 1;
  // Every waiter looks; of an auto-reset event's waiters the first to look takes it.
  FBlock->Broadcast();
  FBlock->Unlock();
}

// ---------------------------------------------------------------- TMutex

// The lock is not recursive: the owner's repeated waits are counted here instead, so that
// the system only ever sees one lock and one unlock per ownership. Whether the calling
// thread owns it the lock itself tells (EDEADLK), as a thread identifier may be reused.
namespace {

struct TMutexState {
  pthread_mutex_t Lock;
  std::atomic<pid_t> Owner;
  std::int32_t Count;  // the owner's alone
};

bool OwnedByCaller(TMutexState* s) {
  if (s->Owner.load() != gettid()) return false;
  int r = pthread_mutex_trylock(&s->Lock);
  if (r == EDEADLK) return true;
  if (r == 0 || r == EOWNERDEAD) {
    // The identifier was a dead owner's: the lock was free, and is given back.
    if (r == EOWNERDEAD) pthread_mutex_consistent(&s->Lock);
    pthread_mutex_unlock(&s->Lock);
  }
  return false;
}

void TakeOwnership(TMutexState* s) {
  s->Owner = gettid();
  s->Count = 1;
}

}  // namespace

TMutex::TMutex(const String& name, bool initialOwner) : TMutex(StaticClass(), name, initialOwner) {}

TMutex::TMutex(TClass cls, const String& name, bool initialOwner) {
  OpenBlock(cls, name, TSharedBlock::bkMutex, sizeof(TMutexState), [=](void* payload, bool shared) {
    auto* s = new (payload) TMutexState();
    InitRobustMutex(&s->Lock, shared);
    // Before anyone else can see it, so nobody takes it in between; a try, as it cannot
    // fail and must not count as waiting for a lock while the block is being opened.
    if (initialOwner && pthread_mutex_trylock(&s->Lock) == 0) TakeOwnership(s);
  });
}

TMutex::~TMutex() {
  // The lock lives in the block; a thread must not hold it when the block goes, so the
  // last of the process's objects gives up what the calling thread holds.
  auto* s = State<TMutexState>();
  if (FBlock.use_count() == 1 && OwnedByCaller(s)) {
    s->Count = 0;
    s->Owner = 0;
    pthread_mutex_unlock(&s->Lock);
  }
}

TWaitResult TMutex::WaitFor(Integer timeout) {
  auto* s = State<TMutexState>();
  if (OwnedByCaller(s)) {
    ++s->Count;
    return wrSignaled;
  }
  switch (LockRobustMutex(&s->Lock, timeout)) {
    case 0: TakeOwnership(s); return wrSignaled;
    case EOWNERDEAD: TakeOwnership(s); return wrAbandoned;
    case ETIMEDOUT: return wrTimeout;
    default: return wrError;
  }
}

bool TMutex::Release() {
  auto* s = State<TMutexState>();
  if (!OwnedByCaller(s)) return false;
  if (--s->Count > 0) return true;
  s->Owner = 0;
  return pthread_mutex_unlock(&s->Lock) == 0;
}

// ---------------------------------------------------------------- TSemaphore

TSemaphore::TSemaphore(const String& name, Integer maxCount, Integer taken)
    : TSemaphore(StaticClass(), name, maxCount, taken) {}

TSemaphore::TSemaphore(TClass cls, const String& name, Integer maxCount, Integer taken) {
  if (maxCount < 1 || taken < 0 || taken > maxCount) FailCreate(cls, EINVAL);
  OpenBlock(cls, name, TSharedBlock::bkSemaphore, sizeof(TSemaphoreState), [=](void* payload, bool) {
    auto* s = static_cast<TSemaphoreState*>(payload);
    s->Count = maxCount - taken;
    s->Max = maxCount;
  });
}

TWaitResult TSemaphore::WaitFor(Integer timeout) {
  auto* s = State<TSemaphoreState>();
  return WaitBlock(timeout, [s] {
    if (s->Count <= 0) return false;
    --s->Count;
    return true;
  });
}

bool TSemaphore::ReleaseEx(Integer count) {
  auto* s = State<TSemaphoreState>();
  FBlock->Lock();
  bool ok = count > 0 && count <= s->Max - s->Count;
  if (ok) {
    s->Count += count;
    FBlock->Broadcast();
  }
  FBlock->Unlock();
  return ok;
}

Integer TSemaphore::Value() const {
  FBlock->Lock();
  Integer v = State<TSemaphoreState>()->Count;
  FBlock->Unlock();
  return v;
}

// ---------------------------------------------------------------- TSharedMem

TSharedMem::TSharedMem(const String& name, Integer size) : FName(name) {
  if (size < 1) FailCreate(StaticClass(), EINVAL);
  OpenBlock(StaticClass(), name, TSharedBlock::bkMemory, static_cast<size_t>(size), [](void*, bool) {});
}

// ---------------------------------------------------------------- waiting

TWaitResult TSyncEvent::DoWait(Integer timeout) { return WaitForSyncObject(*this, timeout); }
TWaitResult TSyncMutex::DoWait(Integer timeout) { return WaitForSyncObject(*this, timeout); }
TWaitResult TSyncSemaphore::DoWait(Integer timeout) { return WaitForSyncObject(*this, timeout); }

TWaitResult WaitForSyncObject(THandledObject& object, Integer timeout) {
  if (!IsMainThread()) return object.WaitFor(timeout);
  using Clock = std::chrono::steady_clock;
  // The clock stands in for a one-shot timer: it runs out on every widget set alike.
  std::optional<Clock::time_point> until;
  if (timeout >= 0) until = Clock::now() + std::chrono::milliseconds(timeout);
  TDisabledWindows disabled;
  THandledObject* outer;
  {
    std::lock_guard lock(gMainWaitLock);
    outer = std::exchange(gMainWait, &object);
  }
  TFinally restore([outer] {
    std::lock_guard lock(gMainWaitLock);
    gMainWait = outer;
  });
  TWaitResult result;
  for (;;) {
    object.FInterrupted = false;
    Application->ProcessMessages();
    Integer step = object.CanInterrupt() ? 100 : 10;
    if (until) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*until - Clock::now()).count();
      step = static_cast<Integer>(std::clamp<long long>(left, 0, step));
    }
    result = object.WaitFor(step);
    if (result != wrTimeout || (until && Clock::now() >= *until)) break;
  }
  return result;
}

void InterruptMainThreadWait() {
  std::lock_guard lock(gMainWaitLock);
  if (gMainWait) gMainWait->Interrupt();
}

void NonBlockingSleep(Integer ms) {
  TSyncEvent never("", false, false);
  never.Wait(ms);
}

void HandleSynchronizeRequests() {
  if (!IsMainThread()) return;
  TDisabledWindows disabled;
  Application->ProcessMessages();
}

}  // namespace xel
