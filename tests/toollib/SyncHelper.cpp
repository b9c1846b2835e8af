// The second process of the tests that share objects between processes.
//   synchelper exchange NAME   doubles the number the first process left in NAME.memory
//   synchelper abandon NAME    creates and takes NAME.mutex, then dies owning it
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "SyncObjects.h"

using namespace xel;

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const String name = argv[2];
  try {
    if (std::strcmp(argv[1], "exchange") == 0) {
      TSemaphore request(name + ".request", 1, 1), answer(name + ".answer", 1, 1);
      TSharedMem memory(name + ".memory", 64);
      if (!request.AlreadyExisted() || !answer.AlreadyExisted() || !memory.AlreadyExisted()) return 3;
      if (!request.Wait(60000)) return 4;
      auto* data = static_cast<Integer*>(memory.Buffer());
      data[1] = data[0] * 2;
      return answer.Release() ? 0 : 5;
    }
    if (std::strcmp(argv[1], "abandon") == 0) {
      TMutex mutex(name + ".mutex", true);
      TSemaphore taken(name + ".taken", 1, 1);
      if (mutex.AlreadyExisted() || !taken.AlreadyExisted()) return 3;
      taken.Release();
      _exit(0);  // as a crash would: nothing is closed or given back
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "synchelper: %s\n", e.what());
    return 1;
  }
  return 2;
}
