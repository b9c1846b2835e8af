// The worker-thread component, driven by events: OnExecute runs on a thread of its own, and
// everything else (opening, closing, the end, the report of its exceptions) on the main
// thread. Workers reach the main thread through Synchronize, which hands back what the
// call raised.
//
// A thread of this platform cannot be stopped or killed from outside safely, so a thread
// is held only at its start: one opened suspended waits at a gate until Resume, Suspend
// does nothing to a thread that has passed it, and a close that is not graceful "kills"
// only a thread that never ran (its OnTerminate still runs); a running one is asked to end
// (Terminated) and waited for, so that no worker outlives its component.
#pragma once

#include <functional>
#include <memory>

#include "AppHook.h"
#include "Expand.h"
#include "MainThread.h"
#include "SyncObjects.h"

namespace xel {

XEL_EXCEPTION(TSyncThreadException, Exception);
// What Synchronize raises for a thrown object that was no exception.
XEL_EXCEPTION(EUnknownException, Exception);

XEL_EVENT(TThreadMethod);

// Runs the method on the main thread (at once when called there) and waits until it has
// run; what it raised is raised again in the calling thread. The main thread must not wait
// for the caller meanwhile except through WaitForSyncObject, which serves such requests.
void Synchronize(const TThreadMethod& method);
void Synchronize(const std::function<void()>& proc);
// The workers of thread components that exist now.
Integer RunningSyncThreads();

class TCustomSyncThread : public TExComponent {
  XEL_CLASS(TCustomSyncThread, TExComponent)
public:
  explicit TCustomSyncThread(TComponent* owner);
  // Closes a running worker first.
  ~TCustomSyncThread() override;

  virtual void SyncOpenProc();
  virtual void OpenProc();
  virtual void SyncCloseProc();
  // Closes, then starts a new worker (held at its gate when Suspended is set).
  virtual void Open();
  virtual void Close();
  virtual void Suspend();
  virtual void Resume();
  // Only sets Terminated, which OnExecute polls to end early.
  virtual void Terminate();
  // Lets a held worker start, then waits until it has ended.
  virtual void WaitEnd();

  // With this thread as the requester.
  void Synchronize(const TThreadMethod& method);

  // Set while an exception of the worker is being reported.
  const TExceptionFrame* ExceptionFrame() const { return FExceptionFrame; }
  bool Finished() const { return FFinished; }
  bool Running() const { return FRunning; }
  bool Ended() const { return FEnded; }
  bool Terminated() const { return FTerminated; }
  // The worker's thread handle; 0 when there is none.
  std::uintptr_t Handle() const { return FHandle; }
  Cardinal ThreadID() const { return FThreadID; }

  bool GetFreeOnTerminate() const { return FFreeOnTerminate; }
  // Only for a component without owner whose close is not graceful.
  void SetFreeOnTerminate(bool v);
  bool GetGracefulClose() const { return FGracefulClose; }
  void SetGracefulClose(bool v);
  TThreadPriority GetPriority() const;
  void SetPriority(TThreadPriority v);
  bool GetSuspended() const { return FSuspended; }
  void SetSuspended(bool v);
  bool GetSyncEvents() const { return FSyncEvents; }
  void SetSyncEvents(bool v) { FSyncEvents = v; }

  TNotifyEvent OnExecute;
  TNotifyEvent OnOpen;
  TNotifyEvent OnTerminate;

  struct TWorker;

protected:
  // In the worker, inside a catch block: reports the exception on the main thread.
  void HandleException();

private:
  static void ThreadProc(std::shared_ptr<TWorker> worker, TCustomSyncThread* self);
  // The address is that of the code that raised, as far as it is known.
  void ReportException(const void* address);
  void SyncFinalizeThread();
  void CallHandleException();
  void ApplyPriority();

  TExceptionFrame* FExceptionFrame = nullptr;
  bool FFinished = false;
  bool FRunning = false;
  bool FEnded = false;
  bool FFreeOnTerminate = false;
  std::uintptr_t FHandle = 0;
  std::atomic<bool> FTerminated{false};
  Cardinal FThreadID = 0;
  bool FGracefulClose = true;
  TThreadPriority FPriority = tpNormal;
  bool FSuspended = false;
  bool FSyncEvents = true;
  std::shared_ptr<TWorker> FWorker;
  bool FClosing = false;
  bool FFreePending = false;
  bool FDestroying = false;
};

class TSyncThread : public TCustomSyncThread {
  XEL_CLASS(TSyncThread, TCustomSyncThread)
public:
  using TCustomSyncThread::TCustomSyncThread;
  static auto Published() {
    using C = TSyncThread;
    return PropTable<C>(Prop("GracefulClose", &C::GetGracefulClose, &C::SetGracefulClose).Default(true),
                        Prop("Priority", &C::GetPriority, &C::SetPriority).Default(tpNormal),
                        Prop("Suspended", &C::GetSuspended, &C::SetSuspended).Default(false),
                        Prop("SyncEvents", &C::GetSyncEvents, &C::SetSyncEvents).Default(true),
                        Prop("OnExecute", &C::OnExecute, &C::OnExecute), Prop("OnOpen", &C::OnOpen, &C::OnOpen),
                        Prop("OnTerminate", &C::OnTerminate, &C::OnTerminate));
  }
};

void RegisterSyncThreadClasses();

}  // namespace xel
