#include "SyncThread.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/SyncThread.cpp 1 10.12.26 17:30 XG $")

namespace xel {

struct TCustomSyncThread::TWorker {
  std::thread Thread;
  // The gate at which the thread waits until it may start (or is told to end unstarted).
  std::mutex Gate;
  std::condition_variable GateChanged;
  bool Known = false;  // Tid is set
  pid_t Tid = 0;
  bool Started = false;
  bool Cancelled = false;
  TNotifyEvent Execute;  // handed over at the gate, so that the worker never reads the component's
  TEvent End{"", true, false};
};

namespace {

// The unit's state, on the main thread only.
Integer gRunning = 0;

// Workers whose component is done with them; each is joined once it has signalled its end,
// which it does as its very last step. The list is never freed, as forms freed at exit
// may still close their workers; the unit joins what is left when it is unloaded.
struct TEndedWorkers {
  std::vector<std::shared_ptr<TCustomSyncThread::TWorker>> List;
  void Reap(bool all) {
    std::erase_if(List, [all](const auto& w) {
      if (!all && w->End.WaitFor(0) != wrSignaled) return false;
      w->Thread.join();
      return true;
    });
  }
};
TEndedWorkers& EndedWorkers() {
  static TEndedWorkers* ended = new TEndedWorkers;
  return *ended;
}
struct TJoinAtUnload {
  ~TJoinAtUnload() { EndedWorkers().Reap(true); }
} gJoinAtUnload;

// Nice values of the host's seven priorities, idle to time-critical. Raising a thread
// above normal needs privileges; without them it stays where it was.
constexpr int kNice[] = {19, 10, 5, 0, -5, -10, -20};

void SyncCall(const std::function<void()>& proc, const void* address) {
  if (IsMainThread()) {
    proc();
    return;
  }
  // The request stays the caller's, who waits for it: what the call raised is freed on
  // this thread, and the main thread keeps no part of it once it has answered.
  struct TRequest {
    std::mutex Lock;
    std::condition_variable Done;
    bool Finished = false;
    std::exception_ptr Error;
  } request;
  TRequest* r = &request;
  QueueMainThreadCall([r, &proc, address] {
    std::exception_ptr error;
    try {
      proc();
    } catch (const std::exception&) {
      error = std::current_exception();
    } catch (...) {
      error = std::make_exception_ptr(EUnknownException(
          "Unspecified error at " + IntToHex(static_cast<Int64>(reinterpret_cast<std::uintptr_t>(address)), 8) + "h"));
    }
    std::lock_guard lock(r->Lock);
    r->Error = std::move(error);
    r->Finished = true;
    r->Done.notify_all();
  });
  InterruptMainThreadWait();
  std::unique_lock lock(request.Lock);
  request.Done.wait(lock, [&] { return request.Finished; });
  if (request.Error) std::rethrow_exception(request.Error);
}

}  // namespace

void Synchronize(const TThreadMethod& method) {
  SyncCall([&method] { method(); }, method.GetMethod().Code);
}

void Synchronize(const std::function<void()>& proc) { SyncCall(proc, nullptr); }

Integer RunningSyncThreads() { return gRunning; }

TCustomSyncThread::TCustomSyncThread(TComponent* owner) : TExComponent(owner) {}

TCustomSyncThread::~TCustomSyncThread() {
  FDestroying = true;
  if (!FRunning) return;
  try {
    Close();
  } catch (const std::exception& e) {
    DebugTrace(Format("SyncThread: %s.Destroy: %s", {ClassName(), String(e.what())}));
  }
}

void TCustomSyncThread::Synchronize(const TThreadMethod& method) { xel::Synchronize(method); }

void TCustomSyncThread::SyncOpenProc() {
  if (!OnExecute) throw TSyncThreadException(ClassName() + ".Open aborted. OnExecute is unassigned");
  bool wasSuspended = FSuspended;
  FSuspended = true;
  EndedWorkers().Reap(false);
  auto worker = std::make_shared<TWorker>();
  try {
    worker->Thread = std::thread(&TCustomSyncThread::ThreadProc, worker, this);
  } catch (const std::system_error&) {
    FSuspended = wasSuspended;
    throw TSyncThreadException(ClassName() + ".Open failed. Thread could not be created");
  }
  {
    std::unique_lock lock(worker->Gate);
    worker->GateChanged.wait(lock, [&] { return worker->Known; });
    FThreadID = static_cast<Cardinal>(worker->Tid);
  }
  FWorker = worker;
  FHandle = static_cast<std::uintptr_t>(worker->Thread.native_handle());
  ++gRunning;
  FRunning = true;
  FEnded = false;
  FFinished = false;
  FTerminated = false;
  ApplyPriority();
  OnOpen(this);
  if (!wasSuspended) Resume();
}

void TCustomSyncThread::OpenProc() { Synchronize(MakeMethod<&TCustomSyncThread::SyncOpenProc>(this)); }

void TCustomSyncThread::SyncCloseProc() {
  if (!FRunning) return;
  bool wasSuspended = FSuspended;
  FClosing = true;
  {
    TFinally closed([this] { FClosing = false; });
    if (FGracefulClose) {
      Terminate();
      WaitEnd();
    } else {
      Suspend();
      bool started;
      {
        std::lock_guard lock(FWorker->Gate);
        started = FWorker->Started;
        FWorker->Cancelled = !started;
      }
      FWorker->GateChanged.notify_all();
      if (started) {
        // It cannot be stopped from outside: it is asked to end, and waited for.
        Terminate();
        WaitEnd();
      } else {
        // It never ran: it ends at its gate, and the component ends it here.
        SyncFinalizeThread();
      }
    }
  }
  FSuspended = wasSuspended;
  if (FFreePending && !FDestroying) delete this;
}

void TCustomSyncThread::Open() {
  Close();
  OpenProc();
}

void TCustomSyncThread::Close() { Synchronize(MakeMethod<&TCustomSyncThread::SyncCloseProc>(this)); }

void TCustomSyncThread::Suspend() {
  // A running worker that is not held has passed its gate and cannot be held any more.
  if (FRunning && !FSuspended) return;
  FSuspended = true;
}

void TCustomSyncThread::Resume() {
  if (FRunning && FSuspended) {
    {
      std::lock_guard lock(FWorker->Gate);
      FWorker->Started = true;
      FWorker->Execute = OnExecute;
    }
    FWorker->GateChanged.notify_all();
  }
  FSuspended = false;
}

void TCustomSyncThread::Terminate() { FTerminated = true; }

void TCustomSyncThread::WaitEnd() {
  if (!FRunning) return;
  Resume();
  // The component may be gone after the wait (free on terminate): only locals from here.
  std::shared_ptr<TWorker> worker = FWorker;
  WaitForSyncObject(worker->End, INFINITE);
  if (IsMainThread()) EndedWorkers().Reap(false);
}

void TCustomSyncThread::SetFreeOnTerminate(bool v) {
  if (v && Owner())
    throw TSyncThreadException(ClassName() +
                               ": \"Free on Terminate\" not possible if you use the formular designer of Delphi. "
                               "You must create the thread manually with Create(nil)");
  if (v && FGracefulClose)
    throw TSyncThreadException(ClassName() + ".FreeOnTerminate can only be set on true if GracefulClose is false");
  FFreeOnTerminate = v;
}

void TCustomSyncThread::SetGracefulClose(bool v) {
  if (v && FFreeOnTerminate)
    throw TSyncThreadException(ClassName() + ": GracefulClose cannot be true if FreeOnTerminate is true");
  FGracefulClose = v;
}

TThreadPriority TCustomSyncThread::GetPriority() const {
  if (!FRunning) return FPriority;
  errno = 0;
  int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(FThreadID));
  if (errno != 0) return tpNormal;
  const int* found = std::find(std::begin(kNice), std::end(kNice), nice);
  return found == std::end(kNice) ? tpNormal : static_cast<TThreadPriority>(found - kNice);
}

void TCustomSyncThread::SetPriority(TThreadPriority v) {
  FPriority = v;
  ApplyPriority();
}

void TCustomSyncThread::ApplyPriority() {
  if (FRunning) setpriority(PRIO_PROCESS, static_cast<id_t>(FThreadID), kNice[FPriority]);
}

void TCustomSyncThread::SetSuspended(bool v) {
  if (v) Suspend();
  else Resume();
}

void TCustomSyncThread::ThreadProc(std::shared_ptr<TWorker> worker, TCustomSyncThread* self) {
  TNotifyEvent execute;
  bool cancelled;
  {
    std::unique_lock lock(worker->Gate);
    worker->Tid = gettid();
    worker->Known = true;
    worker->GateChanged.notify_all();
    worker->GateChanged.wait(lock, [&] { return worker->Started || worker->Cancelled; });
    execute = worker->Execute;
    cancelled = worker->Cancelled;
  }
  // A cancelled worker never ran; the component recorded its end already.
  if (!cancelled) {
    try {
      execute(self);
    } catch (...) {
      self->ReportException(execute.GetMethod().Code);
    }
    // The component is the main thread's: the end is recorded there.
    try {
      SyncCall([self] { self->SyncFinalizeThread(); }, nullptr);
    } catch (const std::exception& e) {
      DebugTrace(Format("SyncThread: %s.Finalize: %s", {self->ClassName(), String(e.what())}));
    }
  }
  // The last step: whoever waits for the end may join the thread now.
  worker->End.Signal();
}

void TCustomSyncThread::HandleException() { ReportException(nullptr); }

void TCustomSyncThread::ReportException(const void* address) {
  try {
    TExceptionFrame frame(this, std::current_exception(), address);
    FExceptionFrame = &frame;
    TFinally clear([this] { FExceptionFrame = nullptr; });
    Synchronize(MakeMethod<&TCustomSyncThread::CallHandleException>(this));
  } catch (const std::exception& e) {
    // The report itself failed; the worker goes on to its end all the same.
    DebugTrace(Format("SyncThread: %s.HandleException: %s", {ClassName(), String(e.what())}));
  }
}

void TCustomSyncThread::CallHandleException() {
  if (FExceptionFrame) TAppHook::HandleExceptionEx(this, *FExceptionFrame);
}

void TCustomSyncThread::SyncFinalizeThread() {
  FFinished = true;
  FRunning = false;
  FEnded = true;
  --gRunning;
  if (FWorker) EndedWorkers().List.push_back(std::move(FWorker));
  FWorker.reset();
  FHandle = 0;
  // OnTerminate is the component's last word; what it raises is reported, not handed to
  // the worker, which must not touch the component any more.
  try {
    OnTerminate(this);
  } catch (...) {
    Application->HandleException(this);
  }
  if (!FFreeOnTerminate || FDestroying) return;
  if (FClosing) FFreePending = true;  // Close frees it when it is done with it
  else delete this;
}

void RegisterSyncThreadClasses() { RegisterClasses({TSyncThread::StaticClass()}); }

}  // namespace xel
