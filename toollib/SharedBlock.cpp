#include "SharedBlock.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <map>
#include <mutex>
#include <new>
#include <thread>

#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/SharedBlock.cpp 1 10.12.26 16:40 XG $")

namespace xel {

struct TSharedBlock::THeader {
  std::atomic<std::uint32_t> Ready;
  std::uint32_t Kind;
  std::uint64_t PayloadSize;
  std::int32_t Refs;  // processes that opened it
  std::int32_t Dead;  // the last one closed it; the name is gone
  pthread_mutex_t Lock;
  pthread_cond_t Cond;
};

namespace {

constexpr std::uint32_t kReady = 0x584C4231;  // set last, when everything else is in place
constexpr size_t kPayloadOffset = (sizeof(TSharedBlock::THeader) + 63) & ~size_t{63};
// How long an opener waits for a creator in another process to finish setting a block up.
constexpr auto kSetUpTime = std::chrono::seconds(2);

[[noreturn]] void Fail(const String& className, int code) {
  throw EOutOfResources(Format("Cannot create windows object: %s (%d)", {className, code}));
}

void InitCondition(pthread_cond_t* cond, bool shared) {
  pthread_condattr_t attr;
  pthread_condattr_init(&attr);
  pthread_condattr_setclock(&attr, CLOCK_MONOTONIC);
  if (shared) pthread_condattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
  pthread_cond_init(cond, &attr);
  pthread_condattr_destroy(&attr);
}

bool WaitUntil(const std::function<bool()>& done) {
  auto until = std::chrono::steady_clock::now() + kSetUpTime;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// The process's mappings by name. Never freed: objects may still be made while the
// program's last forms go at exit.
struct TOpened {
  std::mutex Lock;
  std::map<String, std::weak_ptr<TSharedBlock>> Blocks;
};
TOpened& Opened() {
  static TOpened* opened = new TOpened;
  return *opened;
}

}  // namespace

void InitRobustMutex(pthread_mutex_t* mutex, bool shared) {
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST);
  // Error-checking: a lock by its owner and an unlock by another fail instead of hanging.
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_ERRORCHECK);
  if (shared) pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
  pthread_mutex_init(mutex, &attr);
  pthread_mutexattr_destroy(&attr);
}

int LockRobustMutex(pthread_mutex_t* mutex, Integer timeout) {
  int r;
  if (timeout < 0) {
    r = pthread_mutex_lock(mutex);
  } else {
    // Tries in short steps rather than with pthread_mutex_timedlock: ThreadSanitizer does
    // not count a timed lock that inherits a dead owner's mutex as taken.
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout);
    while ((r = pthread_mutex_trylock(mutex)) == EBUSY && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::microseconds(500));
    if (r == EBUSY) r = ETIMEDOUT;
  }
  if (r == EOWNERDEAD) pthread_mutex_consistent(mutex);
  return r;
}

timespec DeadlineAfter(Integer ms) {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  t.tv_sec += ms / 1000;
  t.tv_nsec += static_cast<long>(ms % 1000) * 1000000L;
  if (t.tv_nsec >= 1000000000L) t.tv_sec += 1, t.tv_nsec -= 1000000000L;
  return t;
}

String TSharedBlock::PlatformName(const String& name) {
  static const char kHex[] = "0123456789ABCDEF";
  String safe;
  for (unsigned char c : name) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
        c == '.') {
      safe += static_cast<char>(c);
    } else {
      safe += '%';
      safe += kHex[c >> 4];
      safe += kHex[c & 15];
    }
  }
  // The platform takes names of up to 255 bytes; the hash keeps long ones apart.
  if (safe.size() > 160) {
    std::uint64_t hash = 1469598103934665603ULL;
    for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ULL;
    safe = safe.substr(0, 140) + "~" + IntToHex(static_cast<Int64>(hash), 16);
  }
  return "/xel." + std::to_string(getuid()) + "." + safe;
}

std::shared_ptr<TSharedBlock> TSharedBlock::Open(const String& name, TKind kind, size_t payloadSize,
                                                 const String& className,
                                                 const std::function<void(void*, bool)>& init, bool& existed) {
  std::shared_ptr<TSharedBlock> block(new TSharedBlock());
  existed = false;
  const size_t total = kPayloadOffset + payloadSize;
  auto setUp = [&](bool shared) {
    auto* h = new (block->FMemory) THeader();
    h->Kind = kind;
    h->PayloadSize = payloadSize;
    h->Refs = 1;
    InitRobustMutex(&h->Lock, shared);
    InitCondition(&h->Cond, shared);
    init(block->Payload(), shared);
    h->Ready.store(kReady, std::memory_order_release);
  };
  if (name.empty()) {
    void* mem = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mem == MAP_FAILED) Fail(className, errno);
    block->FMemory = mem;
    block->FMapped = total;
    setUp(false);
    return block;
  }
  const String platformName = PlatformName(name);
  for (int attempt = 0; attempt < 100; ++attempt) {
    int fd = shm_open(platformName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      block->FFile = fd;
      if (ftruncate(fd, static_cast<off_t>(total)) != 0) {
        int error = errno;
        shm_unlink(platformName.c_str());
        Fail(className, error);
      }
      void* mem = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
      if (mem == MAP_FAILED) {
        int error = errno;
        shm_unlink(platformName.c_str());
        Fail(className, error);
      }
      block->FMemory = mem;
      block->FMapped = total;
      block->FName = platformName;
      setUp(true);
      return block;
    }
    if (errno != EEXIST) Fail(className, errno);
    fd = shm_open(platformName.c_str(), O_RDWR | O_CLOEXEC, 0);
    if (fd < 0) {
      if (errno == ENOENT) continue;  // its last user closed it meanwhile
      Fail(className, errno);
    }
    block->FFile = fd;
    struct stat st {};
    if (!WaitUntil([&] { return fstat(fd, &st) == 0 && st.st_size >= static_cast<off_t>(kPayloadOffset); }))
      Fail(className, ETIMEDOUT);
    void* mem = mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mem == MAP_FAILED) Fail(className, errno);
    block->FMemory = mem;
    block->FMapped = static_cast<size_t>(st.st_size);
    THeader* h = block->Header();
    if (!WaitUntil([h] { return h->Ready.load(std::memory_order_acquire) == kReady; })) Fail(className, ETIMEDOUT);
    LockRobustMutex(&h->Lock, -1);
    bool dead = h->Dead != 0, other = h->Kind != kind;
    if (!dead && !other) ++h->Refs;
    pthread_mutex_unlock(&h->Lock);
    if (other) Fail(className, EEXIST);  // another kind of object has the name
    if (!dead) {
      block->FName = platformName;
      existed = true;
      return block;
    }
    // Gone as we came: start again with a fresh block.
    munmap(block->FMemory, block->FMapped);
    close(block->FFile);
    block->FMemory = nullptr;
    block->FFile = -1;
  }
  Fail(className, EAGAIN);
}

TSharedBlock::~TSharedBlock() { Release(); }

void TSharedBlock::Release() {
  if (FMemory && !FName.empty()) {
    THeader* h = Header();
    LockRobustMutex(&h->Lock, -1);
    if (--h->Refs == 0) {
      h->Dead = 1;
      shm_unlink(FName.c_str());
    }
    pthread_mutex_unlock(&h->Lock);
  }
  if (FMemory) munmap(FMemory, FMapped);
  if (FFile >= 0) close(FFile);
  FMemory = nullptr;
  FFile = -1;
}

TSharedBlock::TKind TSharedBlock::Kind() const { return static_cast<TKind>(Header()->Kind); }

void* TSharedBlock::Payload() const { return static_cast<char*>(FMemory) + kPayloadOffset; }

size_t TSharedBlock::PayloadSize() const { return static_cast<size_t>(Header()->PayloadSize); }

void TSharedBlock::Lock() { LockRobustMutex(&Header()->Lock, -1); }

void TSharedBlock::Unlock() { pthread_mutex_unlock(&Header()->Lock); }

bool TSharedBlock::Wait(const timespec* deadline) {
  THeader* h = Header();
  int r = deadline ? pthread_cond_timedwait(&h->Cond, &h->Lock, deadline) : pthread_cond_wait(&h->Cond, &h->Lock);
  if (r == EOWNERDEAD) pthread_mutex_consistent(&h->Lock);
  return r != ETIMEDOUT;
}

void TSharedBlock::Broadcast() { pthread_cond_broadcast(&Header()->Cond); }

TOpenedBlock OpenSharedBlock(const String& name, TSharedBlock::TKind kind, size_t payloadSize,
                             const String& className, const std::function<void(void*, bool)>& init) {
  bool existed = false;
  if (name.empty()) return {TSharedBlock::Open(name, kind, payloadSize, className, init, existed), false};
  TOpened& opened = Opened();
  std::lock_guard lock(opened.Lock);
  std::erase_if(opened.Blocks, [](const auto& entry) { return entry.second.expired(); });
  auto it = opened.Blocks.find(name);
  if (it != opened.Blocks.end()) {
    std::shared_ptr<TSharedBlock> block = it->second.lock();
    if (block && block->Kind() != kind) Fail(className, EEXIST);
    if (block) return {block, true};
  }
  auto block = TSharedBlock::Open(name, kind, payloadSize, className, init, existed);
  opened.Blocks[name] = block;
  return {block, existed};
}

}  // namespace xel
