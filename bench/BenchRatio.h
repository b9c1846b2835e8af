// A console reporter that also prints each benchmark's time as a ratio to a baseline
// measured in the same run: "Name/Direct" pairs with "Name/<other>". The ratio of CPU time
// comes first: the benchmarks run on one thread, and on a machine shared with other work
// the wall-clock time also counts the time spent waiting for a core.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace xel::bench {

class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration)
        FTimes[r.benchmark_name()] = {r.GetAdjustedCPUTime(), r.GetAdjustedRealTime()};
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nRatios to the baseline of the same group (\"/Direct\"), CPU time (wall clock):\n");
    for (const auto& [name, t] : FTimes) {
      size_t slash = name.rfind('/');
      if (slash == std::string::npos || name.substr(slash + 1) == "Direct") continue;
      auto base = FTimes.find(name.substr(0, slash) + "/Direct");
      if (base == FTimes.end() || base->second.Cpu <= 0 || base->second.Real <= 0) continue;
      std::printf("  %-40s %6.2fx (%.2fx)\n", name.c_str(), t.Cpu / base->second.Cpu, t.Real / base->second.Real);
    }
  }

private:
  struct TTimes {
    double Cpu, Real;
  };
  std::map<std::string, TTimes> FTimes;
};

inline int RunWithRatios(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace xel::bench
