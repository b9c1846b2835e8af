#include "MainThread.h"

#include <deque>
#include <mutex>
#include <thread>

namespace xel {

namespace {

// Made when the library is loaded, which happens on the thread that starts the program.
const std::thread::id gMainThread = std::this_thread::get_id();

struct TQueue {
  std::mutex Lock;
  std::deque<std::function<void()>> Calls;
  std::function<void()> Wake;
};

// Never freed: forms freed at exit may still wait for workers through it.
TQueue& Queue() {
  static TQueue* queue = new TQueue;
  return *queue;
}

}  // namespace

bool IsMainThread() { return std::this_thread::get_id() == gMainThread; }

void QueueMainThreadCall(std::function<void()> call) {
  TQueue& q = Queue();
  std::lock_guard lock(q.Lock);
  q.Calls.push_back(std::move(call));
  // Under the lock, so that the widget set cannot remove its hook (and go) meanwhile.
  if (q.Wake) q.Wake();
}

bool CheckSynchronize() {
  if (!IsMainThread()) return false;
  TQueue& q = Queue();
  bool ran = false;
  // One at a time: a call may run a loop of its own that drains the queue further.
  for (;;) {
    std::function<void()> call;
    {
      std::lock_guard lock(q.Lock);
      if (q.Calls.empty()) return ran;
      call = std::move(q.Calls.front());
      q.Calls.pop_front();
    }
    ran = true;
    call();
  }
}

void SetWakeMainThread(std::function<void()> wake) {
  TQueue& q = Queue();
  std::lock_guard lock(q.Lock);
  q.Wake = std::move(wake);
}

}  // namespace xel
