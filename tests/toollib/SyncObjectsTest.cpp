// The synchronisation objects and shared memory: their rules, sharing by name within the
// process and with a second process, and waiting on the main thread.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "AppHook.h"
#include "Forms.h"
#include "SyncThread.h"

extern char** environ;

namespace xel {
namespace {

// A name no other run of the tests uses.
String UniqueName(const String& what) { return "xeltest-" + std::to_string(getpid()) + "-" + what; }

TEST(SyncObjectsTest, AutoResetEventsLetOneWaitThroughManualOnesStaySet) {
  for (bool manual : {false, true}) {
    SCOPED_TRACE(manual ? "manual" : "auto");
    TEvent event("", manual, true);
    EXPECT_FALSE(event.AlreadyExisted());
    EXPECT_EQ(event.Handle(), -1);
    EXPECT_TRUE(event.Test());
    EXPECT_EQ(event.Test(), manual);
    event.Reset();
    EXPECT_FALSE(event.Wait(0));
    event.Signal();
    event.Signal();  // twice is once
    EXPECT_TRUE(event.Wait(0));
    EXPECT_EQ(event.Wait(0), manual);
    // A waiting thread is let through.
    event.Reset();
    std::atomic<bool> through{false};
    std::thread waiter([&] { through = event.Wait(20000); });
    event.Signal();
    waiter.join();
    EXPECT_TRUE(through);
  }
}

TEST(SyncObjectsTest, SemaphoresCountBetweenZeroAndTheirMaximum) {
  TSemaphore s("", 3, 1);
  EXPECT_EQ(s.Value(), 2);
  EXPECT_TRUE(s.Wait(0));
  EXPECT_TRUE(s.Inc());
  EXPECT_FALSE(s.Wait(0));
  EXPECT_EQ(s.Value(), 0);
  EXPECT_TRUE(s.Dec());
  EXPECT_FALSE(s.ReleaseEx(3));  // would pass the maximum: nothing is released
  EXPECT_EQ(s.Value(), 1);
  EXPECT_TRUE(s.ReleaseEx(2));
  EXPECT_EQ(s.Value(), 3);
  EXPECT_FALSE(s.Release());
  EXPECT_FALSE(s.ReleaseEx(0));

  const struct {
    Integer Max, Taken;
  } bad[] = {{0, 0}, {2, 3}, {2, -1}};
  for (const auto& b : bad) {
    try {
      TSyncSemaphore wrong("", b.Max, b.Taken);
      ADD_FAILURE() << b.Max << " " << b.Taken;
    } catch (const EOutOfResources& e) {
      EXPECT_EQ(e.Message(), "Cannot create windows object: TSyncSemaphore (22)");
    }
  }
}

TEST(SyncObjectsTest, MutexesAreOwnedByOneThreadAndLeftAbandonedByAThreadThatEnds) {
  TMutex mutex("", true);
  EXPECT_TRUE(mutex.Get());  // the owner again: it counts
  auto fromOtherThread = [&mutex](auto action) {
    decltype(action()) result{};
    std::thread t([&] { result = action(); });
    t.join();
    return result;
  };
  EXPECT_FALSE(fromOtherThread([&] { return mutex.Wait(10); }));
  EXPECT_FALSE(fromOtherThread([&] { return mutex.Release(); }));
  EXPECT_TRUE(mutex.Release());
  EXPECT_FALSE(fromOtherThread([&] { return mutex.Wait(10); }));  // still owned once
  EXPECT_TRUE(mutex.Release());
  EXPECT_FALSE(mutex.Release());
  // Taken by a thread that ends without giving it back.
  EXPECT_TRUE(fromOtherThread([&] { return mutex.Wait(0); }));
  EXPECT_EQ(mutex.WaitFor(20000), wrAbandoned);
  EXPECT_TRUE(mutex.Release());
  EXPECT_EQ(mutex.WaitFor(0), wrSignaled);
  EXPECT_TRUE(mutex.Release());
}

TEST(SyncObjectsTest, NamedObjectsAreSharedAndGoWithTheirLastUser) {
  const String name = UniqueName("shared");
  {
    TEvent first(name, true, false);
    TSyncEvent second(name, false, true);  // opened: its own arguments do not count
    EXPECT_FALSE(first.AlreadyExisted());
    EXPECT_TRUE(second.AlreadyExisted());
    EXPECT_GE(first.Handle(), 0);
    EXPECT_FALSE(second.Test());
    first.Signal();
    EXPECT_TRUE(second.Test());
    EXPECT_TRUE(second.Test());  // the creator made it manual-reset
    // The name belongs to an event: no other kind of object can have it.
    for (int kind = 0; kind < 3; ++kind) {
      try {
        if (kind == 0) {
          TMutex clash(name, false);
        } else if (kind == 1) {
          TSemaphore clash(name, 1, 0);
        } else {
          TSharedMem clash(name, 8);
        }
        ADD_FAILURE() << kind;
      } catch (const EOutOfResources& e) {
        EXPECT_TRUE(e.Message().ends_with(" (17)")) << e.Message();
      }
    }
    // A mutex that exists is not taken by its opener, whatever it asks.
    TMutex owned(name + ".m", false);
    TMutex opened(name + ".m", true);
    EXPECT_TRUE(opened.AlreadyExisted());
    std::thread other([&] {
      EXPECT_TRUE(owned.Wait(0));
      EXPECT_TRUE(owned.Release());
    });
    other.join();
  }
  // Both are closed: the name is free again.
  TEvent again(name, false, false);
  EXPECT_FALSE(again.AlreadyExisted());
}

TEST(SyncObjectsTest, SharedMemoryKeepsItsCreatorsSize) {
  const String name = UniqueName("memory");
  TSharedMem first(name, 64);
  TSharedMem second(name, 4096);
  EXPECT_FALSE(first.AlreadyExisted());
  EXPECT_TRUE(second.AlreadyExisted());
  EXPECT_EQ(second.Size(), 64);
  EXPECT_EQ(second.Name(), name);
  static_cast<char*>(first.Buffer())[63] = 'x';
  EXPECT_EQ(static_cast<char*>(second.Buffer())[63], 'x');
  TSharedMem unnamed("", 16);
  EXPECT_EQ(std::string(static_cast<char*>(unnamed.Buffer()), 16), std::string(16, '\0'));
  EXPECT_EQ(WaitForSyncObject(unnamed, 0), wrError);  // nothing to wait for
  EXPECT_THROW(TSharedMem("", 0), EOutOfResources);
}

TEST(SyncObjectsTest, NamesAreMadeSafeForThePlatform) {
  const String prefix = "/xel." + std::to_string(getuid()) + ".";
  EXPECT_EQ(TSharedBlock::PlatformName("Local\\My Obj/1"), prefix + "Local%5CMy%20Obj%2F1");
  String longA(300, 'a'), longB = longA + "b";
  String a = TSharedBlock::PlatformName(longA), b = TSharedBlock::PlatformName(longB);
  EXPECT_LE(a.size(), 255u);
  EXPECT_NE(a, b);
  // Such names work.
  TEvent event(longB + "/\\ \xC3\xA4", false, true);
  EXPECT_TRUE(event.Test());
}

TEST(SyncObjectsTest, TheMainThreadWaitsWithTheInterfaceAliveAndWorkersServed) {
  TForm form(nullptr, TCreateNew{});
  form.Show();
  struct TIdleWatch : TObject {
    TForm* Form;
    int Passes = 0, Enabled = 0;
    void Idle(TObject*, bool&) {
      ++Passes;
      if (Form->GetEnabled()) ++Enabled;
    }
  } watch;
  watch.Form = &form;
  TAppHook::InsertOnIdle(MakeMethod<&TIdleWatch::Idle>(&watch));
  TFinally unhook([&] { TAppHook::RemoveOnIdle(MakeMethod<&TIdleWatch::Idle>(&watch)); });

  TSyncEvent done("", true, false);
  bool served = false;
  std::thread worker([&] {
    Synchronize([&served] { served = IsMainThread(); });
    done.Signal();
  });
  // Without serving the worker this would wait in vain.
  EXPECT_TRUE(done.Wait(20000));
  worker.join();
  EXPECT_TRUE(served);
  EXPECT_GT(watch.Passes, 0);
  EXPECT_EQ(watch.Enabled, 0);  // the windows took no input meanwhile
  EXPECT_TRUE(form.GetEnabled());

  // A mutex held by a worker: the main thread's wait goes in steps and gets it at the end.
  TSyncMutex mutex("", false);
  TSyncEvent taken("", true, false), release("", true, false);
  std::thread holder([&] {
    mutex.Get();
    taken.Signal();
    Synchronize([] {});
    release.Wait(20000);
    mutex.Release();
  });
  ASSERT_TRUE(taken.Wait(20000));
  EXPECT_FALSE(mutex.Wait(20));
  release.Signal();
  EXPECT_TRUE(mutex.Wait(20000));
  EXPECT_TRUE(mutex.Release());
  holder.join();

  int passes = watch.Passes;
  NonBlockingSleep(20);
  HandleSynchronizeRequests();
  EXPECT_GT(watch.Passes, passes);
  EXPECT_TRUE(form.GetEnabled());
}

// The second process is the helper program; every wait on it is bounded.
int RunHelper(const char* mode, const String& name, const std::function<void()>& meanwhile) {
  pid_t pid = 0;
  String nameArg = name;
  char* argv[] = {const_cast<char*>(XEL_SYNC_HELPER), const_cast<char*>(mode), nameArg.data(), nullptr};
  if (posix_spawn(&pid, XEL_SYNC_HELPER, nullptr, nullptr, argv, environ) != 0) return -1;
  meanwhile();
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > until) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -2;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

TEST(SyncObjectsTest, TwoProcessesShareASemaphoreAndMemory) {
  const String name = UniqueName("exchange");
  TSemaphore request(name + ".request", 1, 1), answer(name + ".answer", 1, 1);
  TSharedMem memory(name + ".memory", 64);
  auto* data = static_cast<Integer*>(memory.Buffer());
  data[0] = 21;
  bool answered = false;
  int exitCode = RunHelper("exchange", name, [&] {
    EXPECT_TRUE(request.Release());
    answered = answer.Wait(60000);
  });
  EXPECT_EQ(exitCode, 0);
  EXPECT_TRUE(answered);
  EXPECT_EQ(data[1], 42);
}

TEST(SyncObjectsTest, AMutexOfAProcessThatDiedIsAbandoned) {
  const String name = UniqueName("abandon");
  TSemaphore taken(name + ".taken", 1, 1);
  int exitCode = RunHelper("abandon", name, [&] { EXPECT_TRUE(taken.Wait(60000)); });
  EXPECT_EQ(exitCode, 0);
  {
    TMutex mutex(name + ".mutex", false);
    EXPECT_TRUE(mutex.AlreadyExisted());
    EXPECT_EQ(mutex.WaitFor(20000), wrAbandoned);
    EXPECT_TRUE(mutex.Release());
  }
  // The dead process never closed its objects, so their names stay; the test removes them.
  shm_unlink(TSharedBlock::PlatformName(name + ".mutex").c_str());
  shm_unlink(TSharedBlock::PlatformName(name + ".taken").c_str());
}

}  // namespace
}  // namespace xel
