// The worker-thread component and Synchronize: calls and exceptions handed between the
// threads, opening held, closing gracefully or not, freeing a running worker.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <numeric>
#include <thread>

#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "SyncThread.h"

namespace xel {
namespace {

struct TSyncEnvironment : testing::Environment {
  void SetUp() override {
    if (!WidgetSet()) InstallHeadlessWidgetSet();
  }
};
[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new TSyncEnvironment);

// Waits on the main thread, serving the workers, until the condition holds; bounded, so
// that a fault fails the test instead of hanging it.
bool Eventually(const std::function<bool()>& condition) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > until) return false;
    NonBlockingSleep(5);
  }
  return true;
}

// Worker functions and the component's events; what the worker writes the main thread
// reads only after a Synchronize or the end, which order the two.
struct TWork : TObject {
  // OnExecute variants.
  void Count(TObject* sender) {
    auto* thread = static_cast<TCustomSyncThread*>(sender);
    for (Next = 0; Next < 10000; ++Next) thread->Synchronize(MakeMethod<&TWork::Step>(this));
    try {
      Synchronize(MakeMethod<&TWork::Fail>(this));
    } catch (const EListError& e) {
      HandedBack = e.ClassName() + String(": ") + e.Message();
    }
    try {
      Synchronize(MakeMethod<&TWork::ThrowNumber>(this));
    } catch (const EUnknownException& e) {
      HandedBack += String(" | ") + e.ClassName() + ": " + e.Message();
    }
  }
  void Raise(TObject*) { throw EConvertError("the worker failed"); }
  void Mark(TObject*) { Ran = true; }
  // Runs until asked to end, calling the main thread now and then.
  void UntilTerminated(TObject* sender) {
    Ran = true;
    auto* thread = static_cast<TCustomSyncThread*>(sender);
    for (int i = 0; !thread->Terminated(); ++i) {
      if (i % 10 == 0) thread->Synchronize(MakeMethod<&TWork::Tick>(this));
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Done = true;
  }

  // Run through Synchronize.
  void Step() {
    OnMainThread = OnMainThread && IsMainThread();
    Seen.push_back(Next);
  }
  void Fail() { throw EListError("List index out of bounds (7)"); }
  void ThrowNumber() { throw 7; }
  void Tick() { ++Ticks; }

  // The component's events, on the main thread.
  void Opened(TObject* sender) {
    ++Opens;
    OpenedHeld = static_cast<TCustomSyncThread*>(sender)->GetSuspended();
  }
  void Terminated(TObject*) {
    ++Terminations;
    OnMainThread = OnMainThread && IsMainThread();
  }
  void Report(TObject* sender, const Exception& e) {
    auto* thread = static_cast<TCustomSyncThread*>(sender);
    Reports.push_back(String(e.ClassName()) + ": " + e.Message() + (IsMainThread() ? " (main)" : " (worker)") +
                      (thread->ExceptionFrame() ? " framed" : ""));
  }

  TThreadMethod Method() { return MakeMethod<&TWork::Tick>(this); }

  int Next = 0;
  std::vector<int> Seen;
  bool OnMainThread = true;
  String HandedBack;
  std::atomic<bool> Ran{false}, Done{false};
  std::atomic<int> Ticks{0};
  int Opens = 0, Terminations = 0;
  bool OpenedHeld = false;
  std::vector<String> Reports;
};

// Freed by itself: tells when it goes.
struct TSelfFreeing : TSyncThread {
  explicit TSelfFreeing(bool* freed) : TSyncThread(nullptr), Freed(freed) {}
  ~TSelfFreeing() override { *Freed = true; }
  bool* Freed;
};

TSyncThread* NewThread(TComponent* owner, TWork& work) {
  auto* thread = new TSyncThread(owner);
  thread->OnOpen = MakeMethod<&TWork::Opened>(&work);
  thread->OnTerminate = MakeMethod<&TWork::Terminated>(&work);
  return thread;
}

TEST(SyncThreadTest, AWorkerSynchronisesTenThousandCallsInOrderAndGetsTheirExceptionsBack) {
  TWork work;
  std::unique_ptr<TSyncThread> thread(NewThread(nullptr, work));
  thread->OnExecute = MakeMethod<&TWork::Count>(&work);
  Integer before = RunningSyncThreads();
  thread->Open();
  EXPECT_TRUE(thread->Running());
  EXPECT_NE(thread->Handle(), 0u);
  EXPECT_NE(thread->ThreadID(), 0u);
  EXPECT_EQ(RunningSyncThreads(), before + 1);
  ASSERT_TRUE(Eventually([&] { return thread->Ended(); }));
  std::vector<int> expected(10000);
  std::iota(expected.begin(), expected.end(), 0);
  EXPECT_EQ(work.Seen, expected);
  EXPECT_TRUE(work.OnMainThread);
  // The class and message come back; an object that is no exception comes back as one.
  EXPECT_TRUE(work.HandedBack.starts_with(
      "EListError: List index out of bounds (7) | EUnknownException: Unspecified error at "))
      << work.HandedBack;
  EXPECT_TRUE(work.HandedBack.ends_with("h"));
  EXPECT_TRUE(thread->Finished());
  EXPECT_FALSE(thread->Running());
  EXPECT_EQ(thread->Handle(), 0u);
  EXPECT_EQ(work.Opens, 1);
  EXPECT_EQ(work.Terminations, 1);
  EXPECT_EQ(RunningSyncThreads(), before);
}

TEST(SyncThreadTest, SynchronizeOnTheMainThreadCallsAtOnce) {
  TWork work;
  Synchronize(work.Method());
  EXPECT_EQ(work.Ticks, 1);
  EXPECT_THROW(Synchronize(MakeMethod<&TWork::Fail>(&work)), EListError);
  bool ran = false;
  Synchronize([&ran] { ran = true; });
  EXPECT_TRUE(ran);
}

TEST(SyncThreadTest, AWorkerThatRaisesReportsOnTheMainThreadOnce) {
  TWork work;
  Application->OnException = MakeMethod<&TWork::Report>(&work);
  TFinally unhook([] { Application->OnException = nullptr; });
  std::unique_ptr<TSyncThread> thread(NewThread(nullptr, work));
  thread->OnExecute = MakeMethod<&TWork::Raise>(&work);
  thread->Open();
  ASSERT_TRUE(Eventually([&] { return thread->Ended(); }));
  EXPECT_EQ(work.Reports, (std::vector<String>{"EConvertError: the worker failed (main) framed"}));
  EXPECT_EQ(thread->ExceptionFrame(), nullptr);
  EXPECT_EQ(work.Terminations, 1);
  EXPECT_TRUE(thread->Finished());
}

TEST(SyncThreadTest, PropertyRulesAndOpeningWithoutOnExecute) {
  TComponent owner(nullptr);
  TWork work;
  auto* owned = NewThread(&owner, work);
  std::unique_ptr<TSyncThread> free(NewThread(nullptr, work));
  const struct {
    std::function<void()> Action;
    const char* Message;
  } cases[] = {
      {[&] { owned->Open(); }, "TSyncThread.Open aborted. OnExecute is unassigned"},
      {[&] { owned->SetFreeOnTerminate(true); },
       "TSyncThread: \"Free on Terminate\" not possible if you use the formular designer of Delphi. You must "
       "create the thread manually with Create(nil)"},
      {[&] { free->SetFreeOnTerminate(true); },
       "TSyncThread.FreeOnTerminate can only be set on true if GracefulClose is false"},
      {[&] {
         free->SetGracefulClose(false);
         free->SetFreeOnTerminate(true);
         free->SetGracefulClose(true);
       },
       "TSyncThread: GracefulClose cannot be true if FreeOnTerminate is true"},
  };
  for (const auto& c : cases) {
    try {
      c.Action();
      ADD_FAILURE() << "no exception: " << c.Message;
    } catch (const TSyncThreadException& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
  }
  EXPECT_FALSE(owned->Running());
  EXPECT_TRUE(free->GetFreeOnTerminate());
  EXPECT_FALSE(free->GetGracefulClose());
  // Not running, the properties are only stored.
  free->SetPriority(tpHighest);
  EXPECT_EQ(free->GetPriority(), tpHighest);
  free->SetSuspended(true);
  EXPECT_TRUE(free->GetSuspended());
  free->SetSyncEvents(false);
  EXPECT_FALSE(free->GetSyncEvents());
  EXPECT_EQ(work.Opens, 0);
}

TEST(SyncThreadTest, AWorkerOpenedSuspendedWaitsUntilResume) {
  TWork work;
  std::unique_ptr<TSyncThread> thread(NewThread(nullptr, work));
  thread->OnExecute = MakeMethod<&TWork::UntilTerminated>(&work);
  thread->SetSuspended(true);
  thread->Open();
  EXPECT_TRUE(thread->Running());
  EXPECT_TRUE(work.OpenedHeld);
  NonBlockingSleep(50);
  EXPECT_FALSE(work.Ran);
  thread->Resume();
  EXPECT_FALSE(thread->GetSuspended());
  ASSERT_TRUE(Eventually([&] { return work.Ticks > 0; }));
  // A worker past its gate cannot be held again.
  thread->Suspend();
  EXPECT_FALSE(thread->GetSuspended());
  // A worker's priority is the system's (lowering it needs no rights, unless the process
  // runs lower already).
  if (getpriority(PRIO_PROCESS, 0) <= 10) {
    thread->SetPriority(tpLowest);
    EXPECT_EQ(thread->GetPriority(), tpLowest);
    thread->SetPriority(tpIdle);
    EXPECT_EQ(thread->GetPriority(), tpIdle);
  }
  thread->Close();
  EXPECT_TRUE(work.Done);
  EXPECT_EQ(work.Terminations, 1);
  EXPECT_EQ(work.Opens, 1);
}

TEST(SyncThreadTest, CloseEndsWorkersGracefullyOrNot) {
  const struct {
    bool Graceful, Held;
    bool Ran;  // OnExecute ran
  } cases[] = {{true, false, true}, {true, true, true}, {false, false, true}, {false, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "graceful " << c.Graceful << ", held " << c.Held);
    TWork work;
    std::unique_ptr<TSyncThread> thread(NewThread(nullptr, work));
    thread->OnExecute = MakeMethod<&TWork::UntilTerminated>(&work);
    thread->SetGracefulClose(c.Graceful);
    thread->SetSuspended(c.Held);
    thread->Open();
    if (!c.Held) {
      ASSERT_TRUE(Eventually([&] { return work.Ticks > 0; }));
    }
    thread->Close();
    EXPECT_EQ(work.Ran, c.Ran);
    EXPECT_EQ(work.Done, c.Ran);  // a worker that ran was waited for until its end
    EXPECT_EQ(work.Terminations, 1);
    EXPECT_FALSE(thread->Running());
    EXPECT_TRUE(thread->Ended());
    // Close remembers Suspended for the next Open.
    EXPECT_EQ(thread->GetSuspended(), c.Held);
  }
}

TEST(SyncThreadTest, FreeingARunningWorkerEndsIt) {
  Integer before = RunningSyncThreads();
  for (bool viaOwner : {false, true}) {
    TWork work;
    auto owner = std::make_unique<TComponent>(nullptr);
    TSyncThread* thread = NewThread(viaOwner ? owner.get() : nullptr, work);
    thread->OnExecute = MakeMethod<&TWork::UntilTerminated>(&work);
    thread->Open();
    ASSERT_TRUE(Eventually([&] { return work.Ticks > 0; }));
    if (viaOwner) owner.reset();
    else delete thread;
    EXPECT_TRUE(work.Done);
    EXPECT_EQ(work.Terminations, 1);
    EXPECT_EQ(RunningSyncThreads(), before);
  }
}

TEST(SyncThreadTest, FreeOnTerminateFreesTheComponentWhenItsWorkerEnds) {
  for (bool close : {false, true}) {
    bool freed = false;
    TWork work;
    auto* thread = new TSelfFreeing(&freed);
    thread->OnTerminate = MakeMethod<&TWork::Terminated>(&work);
    thread->OnExecute = MakeMethod<&TWork::Mark>(&work);
    thread->SetGracefulClose(false);
    thread->SetFreeOnTerminate(true);
    thread->SetSuspended(close);
    thread->Open();
    // Held, it ends through Close, unstarted; else by itself.
    if (close) thread->Close();
    ASSERT_TRUE(Eventually([&] { return freed; }));
    EXPECT_EQ(work.Ran, !close);
    EXPECT_EQ(work.Terminations, 1);
  }
}

}  // namespace
}  // namespace xel
