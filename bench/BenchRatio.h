// A console reporter that also prints each benchmark's time as a ratio to a baseline
// measured in the same run: "Name/Direct" pairs with "Name/<other>"; in a group without
// "/Direct" whose runs end in sizes ("Name/1000", "Name/20000") the smallest size is the
// baseline of the larger ones. The ratio of CPU time comes first: the benchmarks run on one
// thread, and on a machine shared with other work the wall clock also counts the time spent
// waiting for a core.
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
    std::printf("\nRatios to the baseline of the same group (\"/Direct\" or the smallest size), CPU time (wall clock):\n");
    for (const auto& [name, t] : FTimes) {
      size_t slash = name.rfind('/');
      if (slash == std::string::npos || name.substr(slash + 1) == "Direct") continue;
      std::string base = BaselineOf(name.substr(0, slash));
      if (base.empty() || base == name) continue;
      const TTimes& b = FTimes.at(base);
      if (b.Cpu <= 0 || b.Real <= 0) continue;
      std::printf("  %-40s %6.2fx (%.2fx)  (to %s)\n", name.c_str(), t.Cpu / b.Cpu, t.Real / b.Real, base.c_str());
    }
  }

private:
  struct TTimes {
    double Cpu, Real;
  };

  static bool IsSize(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
  }

  std::string BaselineOf(const std::string& group) const {
    if (FTimes.count(group + "/Direct")) return group + "/Direct";
    std::string best;
    unsigned long long smallest = 0;
    for (const auto& [name, t] : FTimes) {
      if (name.size() <= group.size() + 1 || name.compare(0, group.size() + 1, group + "/") != 0) continue;
      std::string last = name.substr(group.size() + 1);
      if (!IsSize(last)) continue;
      unsigned long long n = std::stoull(last);
      if (best.empty() || n < smallest) {
        best = name;
        smallest = n;
      }
    }
    return best;
  }

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
