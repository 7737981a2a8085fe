// The Find listing of a folder of 10,000 entries against a bare loop that
// clears the same entries' attributes.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_prefix.h"
#include "engine/find_listing.h"
#include "platform/file_system.h"

namespace {

constexpr char kFolder[] = "C:\\many";
constexpr int kEntries = 10000;

// A folder of kEntries files and the Windows paths of its entries.
struct BigFolder {
  BigFolder() {
    for (int i = 0; i < kEntries; ++i) {
      paths.push_back(prefix.MakeFile(kFolder, "f" + std::to_string(i)));
    }
  }
  bench_support::BenchPrefix prefix;
  std::vector<std::string> paths;
};

void BM_ShowFolderEntries(benchmark::State& state) {
  BigFolder folder;
  for (auto _ : state) {
    benchmark::DoNotOptimize(engine::ShowFolderEntries(folder.prefix.fs(), kFolder));
  }
}

void BM_BareSetAttributes(benchmark::State& state) {
  BigFolder folder;
  for (auto _ : state) {
    for (const std::string& path : folder.paths) {
      benchmark::DoNotOptimize(folder.prefix.fs().SetAttributes(path, platform::kAttrNone));
    }
  }
}

BENCHMARK(BM_ShowFolderEntries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSetAttributes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
