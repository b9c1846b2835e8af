#include "Expand.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace xel {

namespace {
std::atomic<bool> Designing{false};
}

bool IsDesigning() { return Designing.load(); }
void SetDesigningHost(bool designing) { Designing.store(designing); }

void DebugTrace(std::string_view line) {
  const char* file = std::getenv("XEL_DEBUG_TRACE");
  if (!file || !*file) return;
  if (std::FILE* f = std::fopen(file, "ab")) {
    std::fwrite(line.data(), 1, line.size(), f);
    std::fwrite("\r\n", 1, 2, f);
    std::fclose(f);
  }
}

}  // namespace xel
