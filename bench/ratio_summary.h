#pragma once

// A console reporter that also keeps every run, and prints at the end one
// table of the commands: the min and median time of a run, the floor's
// beside them in the same run, the median of the pairs' ratios, and what an
// item costs at 100,000 beside 10,000 (and at 10,000 beside 1,000).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench_support {

// Counter names that the benchmarks report.
inline constexpr char kFloorMs[] = "floor_ms";  // the floor's median
inline constexpr char kFloorMinMs[] = "floor_min_ms";
inline constexpr char kMinMs[] = "min_ms";
inline constexpr char kMedianMs[] = "median_ms";
inline constexpr char kRatio[] = "per_floor";
inline constexpr char kPeakMb[] = "peak_MB";
inline constexpr char kLimitMb[] = "limit_MB";

inline double Min(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

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
    std::printf("\n%-26s %7s %9s %9s %9s %9s %7s %8s\n", "command", "items", "min_ms", "median_ms",
                "floor_min", "floor_med", "ratio", "per_item");
    for (const auto& [family, sizes] : families_) {
      for (const auto& [size, figures] : sizes) {
        const auto peak = figures.counters.find(kPeakMb);
        if (peak != figures.counters.end()) {
          std::printf("%-26s %7d peak %.0f MB, limit (2N + 50 MB) %.0f MB\n", family.c_str(), size,
                      peak->second, figures.counters.at(kLimitMb));
          continue;
        }
        std::printf("%-26s %7d %9.2f %9.2f", family.c_str(), size, Counter(figures, kMinMs, figures.ms),
                    Median(figures));
        if (figures.counters.count(kFloorMs) != 0) {
          std::printf(" %9.2f %9.2f %7.2f", Counter(figures, kFloorMinMs, 0), figures.counters.at(kFloorMs),
                      figures.counters.at(kRatio));
        } else {
          std::printf(" %9s %9s %7s", "", "", "");
        }
        // An item's cost here beside its cost at a tenth of the size.
        const auto tenth = sizes.find(size / 10);
        if (size >= 10000 && tenth != sizes.end() && Median(tenth->second) > 0) {
          std::printf(" %7.2fx", Median(figures) / (10 * Median(tenth->second)));
        }
        std::printf("\n");
      }
    }
  }

 private:
  struct Figures {
    double ms = 0;
    std::map<std::string, double> counters;
  };

  static double Counter(const Figures& figures, const char* name, double otherwise) {
    const auto found = figures.counters.find(name);
    return found != figures.counters.end() ? found->second : otherwise;
  }
  static double Median(const Figures& figures) { return Counter(figures, kMedianMs, figures.ms); }

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
