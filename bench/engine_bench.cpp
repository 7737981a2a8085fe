// The hiding engine against account files of 1,000 and 10,000 entries (the
// global record twice as large): list load, one hide, a restore of half the
// rows, and the restore's floor (the attribute changes plus one rewrite of
// each record file).
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_prefix.h"
#include "engine/hidden_items.h"
#include "platform/file_system.h"
#include "store/data_store.h"
#include "store/records.h"

namespace {

namespace records = store::records;
constexpr char kAccount[] = "Ann";
constexpr int kItemsPerFolder = 100;

// An initialised store whose account holds `entries` hidden items (real
// files, a hundred to a folder), every second one to be restored; the global
// record holds them and as many entries of another account.
class BenchStore {
 public:
  explicit BenchStore(int entries) {
    store::InitialiseStore(fs());
    std::string account = "[guanlishezhi]\r\n1=1\r\n[weijianyincang]\r\n";
    std::string global = "[weijianyincang]\r\n";
    account_after_ = account;
    global_after_ = global;
    for (int i = 0; i < entries; ++i) {
      std::string folder = "C:\\items\\d" + std::to_string(i / kItemsPerFolder);
      std::string path = prefix_.MakeFile(folder, "f" + std::to_string(i));
      std::string other = "C:\\other\\f" + std::to_string(i);
      std::string mine = std::to_string(2 * i + 1) + "=" + path + "\r\n";
      std::string theirs = std::to_string(2 * i + 2) + "=" + other + "\r\n";
      account += mine;
      global += mine + theirs;
      bool restored = i % 2 == 1;
      rows_.push_back({path, !restored});
      if (restored) {
        restored_.push_back(path);
      } else {
        account_after_ += mine;
        global_after_ += mine;
      }
      global_after_ += theirs;
    }
    account_ = account;
    global_ = global;
    Reset();
  }

  platform::FileSystem& fs() { return prefix_.fs(); }
  const std::vector<engine::ListRow>& rows() const { return rows_; }
  const std::vector<std::string>& restored() const { return restored_; }
  const std::string& first_item() const { return rows_.front().path; }

  // Puts the record files and the items to be restored back as they were.
  void Reset() {
    fs().ReplaceFile(records::AccountFile(kAccount), account_);
    fs().ReplaceFile(records::kGlobalRecordFile, global_);
    for (const std::string& path : restored_) fs().SetAttributes(path, platform::kAttrHiddenSystem);
  }

  // The record files as a restore of every second row leaves them.
  void WriteRestoredFiles() {
    fs().ReplaceFile(records::AccountFile(kAccount), account_after_);
    fs().ReplaceFile(records::kGlobalRecordFile, global_after_);
  }

 private:
  bench_support::BenchPrefix prefix_;
  std::vector<engine::ListRow> rows_;
  std::vector<std::string> restored_;
  std::string account_, global_, account_after_, global_after_;
};

// One store per size, shared by the benchmarks (making 10,000 items takes a
// while); each benchmark starts from the store's first state.
BenchStore& StoreOfSize(const benchmark::State& state) {
  static std::map<int, std::unique_ptr<BenchStore>> stores;
  int entries = static_cast<int>(state.range(0));
  std::unique_ptr<BenchStore>& store = stores[entries];
  if (!store) store = std::make_unique<BenchStore>(entries);
  store->Reset();
  return *store;
}

void BM_LoadList(benchmark::State& state) {
  BenchStore& bench = StoreOfSize(state);
  for (auto _ : state) benchmark::DoNotOptimize(engine::LoadList(bench.fs(), kAccount));
}

void BM_HideItem(benchmark::State& state) {
  BenchStore& bench = StoreOfSize(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(engine::HideItem(bench.fs(), kAccount, bench.first_item()));
  }
}

// Seconds that `work` takes.
template <typename Work>
double Seconds(Work work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// What no restore can beat: clearing the same items' attributes and one
// rewrite of each record file.
void RestoreFloor(BenchStore& bench) {
  for (const std::string& path : bench.restored()) {
    bench.fs().SetAttributes(path, platform::kAttrNone);
  }
  bench.WriteRestoredFiles();
}

// The restore of every second row, timed; its floor runs beside it in every
// iteration (in turn first and second, so that a slow spell of the disk hits
// both alike) and is reported as the counters floor_ms and restore_per_floor.
void BM_RestoreHalf(benchmark::State& state) {
  BenchStore& bench = StoreOfSize(state);
  double restore_total = 0;
  double floor_total = 0;
  bool floor_first = false;
  for (auto _ : state) {
    auto restore = [&] {
      bench.Reset();
      double taken = Seconds([&] {
        benchmark::DoNotOptimize(engine::Restore(bench.fs(), kAccount, bench.rows()));
      });
      state.SetIterationTime(taken);
      restore_total += taken;
    };
    auto floor = [&] {
      bench.Reset();
      floor_total += Seconds([&] { RestoreFloor(bench); });
    };
    if (floor_first) floor();
    restore();
    if (!floor_first) floor();
    floor_first = !floor_first;
  }
  state.counters["floor_ms"] = floor_total * 1000 / static_cast<double>(state.iterations());
  state.counters["restore_per_floor"] = restore_total / floor_total;
}

BENCHMARK(BM_LoadList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HideItem)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
// Every run first puts 500 or 5,000 items back to hidden, untimed.
BENCHMARK(BM_RestoreHalf)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
