// Synchronisation objects that threads of one process or of several share by name (events,
// mutexes, semaphores) and shared memory; their "Sync" variants wait without blocking the
// user interface when the main thread waits.
#pragma once

#include <atomic>
#include <memory>

#include "Classes.h"
#include "SharedBlock.h"

namespace xel {

XEL_ENUM(TWaitResult, wrSignaled, wrTimeout, wrAbandoned, wrError)

// A wait without limit.
inline constexpr Integer INFINITE = -1;

class THandledObject : public TObject {
  XEL_CLASS(THandledObject, TObject)
public:
  // The descriptor of the object's shared memory; -1 for an unnamed object, which lives in
  // this process alone.
  int Handle() const { return FBlock ? FBlock->Handle() : -1; }
  // The named object existed before this one asked for it; it was opened, not created.
  bool AlreadyExisted() const { return FAlreadyExisted; }
  // The system's wait, which processes no messages; wrError for objects one cannot wait on.
  virtual TWaitResult WaitFor(Integer timeout);

protected:
  THandledObject() = default;
  // Wait and Get of the objects one waits on: true unless the wait timed out (or failed).
  bool Wait(Integer timeout);
  bool Get() { return Wait(INFINITE); }
  // How Wait waits: the system's wait here, the responsive one in the "Sync" classes.
  virtual TWaitResult DoWait(Integer timeout) { return WaitFor(timeout); }
  void OpenBlock(TClass cls, const String& name, TSharedBlock::TKind kind, size_t payloadSize,
                 const std::function<void(void*, bool)>& init);
  // The payload as the object's state, under the block's lock.
  template <class T>
  T* State() const {
    return static_cast<T*>(FBlock->Payload());
  }
  // Waits under the block's lock until ready() (which may take what it waits for) says yes.
  // In a step of WaitForSyncObject, a request of a worker (Interrupt) ends the wait early
  // as a time-out.
  TWaitResult WaitBlock(Integer timeout, const std::function<bool()>& ready);
  std::shared_ptr<TSharedBlock> FBlock;

private:
  friend TWaitResult WaitForSyncObject(THandledObject& object, Integer timeout);
  friend void InterruptMainThreadWait();
  // Only waits through WaitBlock can be ended early; the others wait in short slices.
  virtual bool CanInterrupt() const { return false; }
  void Interrupt();

  bool FAlreadyExisted = false;
  std::atomic<bool> FInterrupted{false};
};

class TEvent : public THandledObject {
  XEL_CLASS(TEvent, THandledObject)
public:
  // An auto-reset event lets one wait through per Signal; a manual-reset one stays set.
  TEvent(const String& name, bool manualReset, bool initialState);
  using THandledObject::Get;
  using THandledObject::Wait;
  bool Test() { return Wait(0); }
  void Reset();
  void Signal();
  TWaitResult WaitFor(Integer timeout) override;

protected:
  TEvent(TClass cls, const String& name, bool manualReset, bool initialState);

private:
  bool CanInterrupt() const override { return true; }
};

// Owned by one thread at a time, any number of times over; a thread that ends while it
// owns it leaves it abandoned, and the next wait takes it with wrAbandoned.
class TMutex : public THandledObject {
  XEL_CLASS(TMutex, THandledObject)
public:
  // The initial owner gets it only when the mutex is created, not when it existed.
  TMutex(const String& name, bool initialOwner);
  ~TMutex() override;
  using THandledObject::Get;
  using THandledObject::Wait;
  // False when the calling thread does not own it.
  bool Release();
  TWaitResult WaitFor(Integer timeout) override;

protected:
  TMutex(TClass cls, const String& name, bool initialOwner);
};

class TSemaphore : public THandledObject {
  XEL_CLASS(TSemaphore, THandledObject)
public:
  // Starts with maxCount - taken free; a count below 1 or taken outside 0..maxCount fails.
  TSemaphore(const String& name, Integer maxCount, Integer taken);
  using THandledObject::Get;
  using THandledObject::Wait;
  bool Release() { return ReleaseEx(1); }
  // False, and nothing released, when the count would pass the maximum.
  bool ReleaseEx(Integer count);
  // The free count now.
  Integer Value() const;
  bool Inc() { return Get(); }
  bool Dec() { return Release(); }
  TWaitResult WaitFor(Integer timeout) override;

protected:
  TSemaphore(TClass cls, const String& name, Integer maxCount, Integer taken);

private:
  bool CanInterrupt() const override { return true; }
};

class TSharedMem : public THandledObject {
  XEL_CLASS(TSharedMem, THandledObject)
public:
  // Zero-filled when created. A block that existed keeps its creator's size, which Size
  // then tells.
  TSharedMem(const String& name, Integer size);
  void* Buffer() const { return FBlock->Payload(); }
  const String& Name() const { return FName; }
  Integer Size() const { return static_cast<Integer>(FBlock->PayloadSize()); }

private:
  String FName;
};

class TSyncEvent : public TEvent {
  XEL_CLASS(TSyncEvent, TEvent)
public:
  TSyncEvent(const String& name, bool manualReset, bool initialState)
      : TEvent(StaticClass(), name, manualReset, initialState) {}

protected:
  TWaitResult DoWait(Integer timeout) override;
};

class TSyncMutex : public TMutex {
  XEL_CLASS(TSyncMutex, TMutex)
public:
  TSyncMutex(const String& name, bool initialOwner) : TMutex(StaticClass(), name, initialOwner) {}

protected:
  TWaitResult DoWait(Integer timeout) override;
};

class TSyncSemaphore : public TSemaphore {
  XEL_CLASS(TSyncSemaphore, TSemaphore)
public:
  TSyncSemaphore(const String& name, Integer maxCount, Integer taken)
      : TSemaphore(StaticClass(), name, maxCount, taken) {}

protected:
  TWaitResult DoWait(Integer timeout) override;
};

// On a worker thread the system's wait. On the main thread the other windows are disabled
// and the wait goes in steps of at most 100 ms, with pending messages (and the requests of
// workers) handled before each; a negative timeout waits without limit.
TWaitResult WaitForSyncObject(THandledObject& object, Integer timeout);
// Waits that long, with the user interface kept alive on the main thread.
void NonBlockingSleep(Integer ms);
// On the main thread: runs what is pending, the requests of workers too, while the other
// windows take no input.
void HandleSynchronizeRequests();
// A worker queued a request for the main thread: a wait of the main thread ends its step
// early, so that the request is served at once.
void InterruptMainThreadWait();

}  // namespace xel
