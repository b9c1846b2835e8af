// The memory that the synchronisation objects and shared memory live in. A named block is
// a POSIX shared memory object that every process opening the name maps; an unnamed one
// belongs to the process alone. A block's header holds a robust lock (one whose holder
// may die without blocking the others) and a condition, and counts the processes that
// opened it: the last one to close it removes the name, as named objects of the host go
// with their last handle.
#pragma once

#include <pthread.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "SysUtils.h"

namespace xel {

class TSharedBlock {
public:
  enum TKind : std::uint32_t { bkEvent = 1, bkMutex, bkSemaphore, bkMemory };
  struct THeader;
  ~TSharedBlock();
  TSharedBlock(const TSharedBlock&) = delete;
  TSharedBlock& operator=(const TSharedBlock&) = delete;

  // The descriptor of the shared memory object; -1 for an unnamed block.
  int Handle() const { return FFile; }
  TKind Kind() const;
  void* Payload() const;
  // As the block was made: a block that existed keeps the size its creator gave it.
  size_t PayloadSize() const;

  void Lock();
  void Unlock();
  // With the lock held: waits for a Broadcast up to the deadline (CLOCK_MONOTONIC, or none
  // when null); false when the deadline passed. May return early for no reason.
  bool Wait(const timespec* deadline);
  void Broadcast();

  // The name as the platform takes it: "/xel.<user id>.<name>", with every byte other than
  // letters, digits, "_", "-" and "." written as "%XX", and long names shortened by a hash.
  static String PlatformName(const String& name);

private:
  friend struct TOpenedBlock OpenSharedBlock(const String&, TKind, size_t, const String&,
                                             const std::function<void(void*, bool)>&);
  TSharedBlock() = default;
  static std::shared_ptr<TSharedBlock> Open(const String& name, TKind kind, size_t payloadSize,
                                            const String& className, const std::function<void(void*, bool)>& init,
                                            bool& existed);
  THeader* Header() const { return static_cast<THeader*>(FMemory); }
  void Release();

  void* FMemory = nullptr;
  size_t FMapped = 0;
  int FFile = -1;
  String FName;  // the platform's name; empty when unnamed
};

struct TOpenedBlock {
  std::shared_ptr<TSharedBlock> Block;
  bool AlreadyExisted = false;
};
// Opens the named block, or creates it when there is none; init then sets up the payload
// (shared tells whether other processes may map it) before anyone else sees it. An
// unnamed block is always new. Objects of this process share one mapping per name, so
// that they all use one lock at one address. A failure raises EOutOfResources
// "Cannot create windows object: <className> (<error code>)"; a name that another kind of
// object has fails with EEXIST.
TOpenedBlock OpenSharedBlock(const String& name, TSharedBlock::TKind kind, size_t payloadSize,
                             const String& className, const std::function<void(void* payload, bool shared)>& init);

// The robust mutex of the blocks and of the mutex objects: a holder that dies leaves it
// usable, and the next one to lock it hears so (EOWNERDEAD).
void InitRobustMutex(pthread_mutex_t* mutex, bool shared);
// Locks, waiting timeout milliseconds at most (a negative one: no limit); 0, EOWNERDEAD
// (locked; its holder had died), ETIMEDOUT or another error code.
int LockRobustMutex(pthread_mutex_t* mutex, Integer timeout);

// The deadline ms milliseconds from now on CLOCK_MONOTONIC.
timespec DeadlineAfter(Integer ms);

}  // namespace xel
