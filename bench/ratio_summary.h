#pragma once

// A console reporter that also keeps every run, and prints at the end one
// table of the commands: time per run, the floor beside it in the same run,
// their ratio, and how much 10,000 items cost beside 1,000.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench_support {

// Counter names that the benchmarks report.
inline constexpr char kFloorMs[] = "floor_ms";
inline constexpr char kRatio[] = "per_floor";
inline constexpr char kPeakMb[] = "peak_MB";
inline constexpr char kLimitMb[] = "limit_MB";

class RatioSummary : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      Figures& figures = families_[run.run_name.function_name][Size(run.run_name.args)];
      figures.ms = run.GetAdjustedRealTime() * Milliseconds(run.time_unit);
      for (const auto& [name, counter] : run.counters) figures.counters[name] = counter.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The table, after every benchmark has run.
  void PrintSummary() const {
    std::printf("\n%-26s %7s %10s %10s %8s %9s\n", "command", "items", "time_ms", "floor_ms", "ratio",
                "10k/1k");
    for (const auto& [family, sizes] : families_) {
      const auto one = sizes.find(1000);
      const auto ten = sizes.find(10000);
      const bool linear = one != sizes.end() && ten != sizes.end() && one->second.ms > 0;
      for (const auto& [size, figures] : sizes) {
        const auto floor = figures.counters.find(kFloorMs);
        const auto ratio = figures.counters.find(kRatio);
        const auto peak = figures.counters.find(kPeakMb);
        if (peak != figures.counters.end()) {
          std::printf("%-26s %7d peak %.0f MB, limit (2N + 50 MB) %.0f MB\n", family.c_str(), size,
                      peak->second, figures.counters.at(kLimitMb));
          continue;
        }
        std::printf("%-26s %7d %10.2f", family.c_str(), size, figures.ms);
        if (floor != figures.counters.end()) {
          std::printf(" %10.2f %8.2f", floor->second, ratio->second);
        } else {
          std::printf(" %10s %8s", "", "");
        }
        if (linear && size == 10000) std::printf(" %9.2f", ten->second.ms / one->second.ms);
        std::printf("\n");
      }
    }
  }

 private:
  struct Figures {
    double ms = 0;
    std::map<std::string, double> counters;
  };

  static int Size(const std::string& args) { return args.empty() ? 0 : std::stoi(args); }

  static double Milliseconds(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kNanosecond:
        return 1e-6;
      case benchmark::kMicrosecond:
        return 1e-3;
      case benchmark::kMillisecond:
        return 1;
      default:
        return 1e3;
    }
  }

  std::map<std::string, std::map<int, Figures>> families_;
};

}  // namespace bench_support
