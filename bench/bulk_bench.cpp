// The commands over many items, each timed beside its floor in the same run:
// the same end state on disk reached with raw system calls alone (one
// attribute call per item, one temporary file and rename per .hidden, one
// temporary file, fsync and rename per record file). Every iteration runs
// the command and its floor in turn, each from the same starting state, and
// reports the floor (floor_ms) and the command's multiple of it (per_floor).
// At the end a table gives each command at every size, and what 10,000 items
// cost beside 1,000.
//
//   Restore of hidden items in 50 folders; restore of entries whose items
//   are gone, beside 5,000 other files; Find on a folder of hidden entries;
//   the list load; one hide beside records of that many entries; and the
//   peak memory of a hide and of a restore on a 200 MB global record, each
//   in a process of its own.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_prefix.h"
#include "bench/raw_calls.h"
#include "bench/ratio_summary.h"
#include "engine/find_listing.h"
#include "engine/hidden_items.h"
#include "platform/file_system.h"
#include "store/data_store.h"
#include "store/ini_cache.h"
#include "store/ini_file.h"
#include "store/records.h"

extern char** environ;

namespace {

namespace raw = bench_support::raw;
namespace records = store::records;
using bench_support::kFloorMs;
using bench_support::kRatio;

constexpr char kAccount[] = "Ann";
constexpr int kFolders = 50;
constexpr int kCrowd = 5000;
constexpr char kAccountHead[] = "[guanlishezhi]\r\n1=1\r\n[weijianyincang]\r\n";
constexpr char kGlobalHead[] = "[weijianyincang]\r\n";
// A line of every .hidden that no command here takes out.
constexpr char kOtherLine[] = ".other\n";
constexpr char kPeakChild[] = "--peak-child";

// Seconds that `work` takes.
template <typename Work>
double Seconds(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Entry(int key, const std::string& path) { return std::to_string(key) + "=" + path + "\r\n"; }

// An initialised store with the account Ann.
class Store {
 public:
  Store() {
    store::InitialiseStore(fs());
    account_ = fs().NativePath(records::AccountFile(kAccount));
    global_ = fs().NativePath(records::kGlobalRecordFile);
  }
  platform::FileSystem& fs() { return prefix_.fs(); }
  bench_support::BenchPrefix& prefix() { return prefix_; }
  const std::string& account() const { return account_; }
  const std::string& global() const { return global_; }
  std::string Native(const std::string& path) { return fs().NativePath(path); }

  // Gives both record files these entries (the same in each).
  void WriteRecords(const std::string& entries) {
    raw::ReplaceCheaply(account_, kAccountHead + entries);
    raw::ReplaceCheaply(global_, kGlobalHead + entries);
  }

 private:
  bench_support::BenchPrefix prefix_;
  std::string account_, global_;
};

// Runs `command` and `floor` once each per iteration, each after `reset`,
// in turn first and second so that a slow spell of the disk hits both alike;
// reports the min and median of the command's times and of the floor's
// beside them, and the median of the pairs' ratios.
template <typename Reset, typename Command, typename Floor>
void Alternate(benchmark::State& state, Reset reset, Command command, Floor floor) {
  std::vector<double> command_times;
  std::vector<double> floor_times;
  std::vector<double> ratios;
  bool floor_first = false;
  for (auto _ : state) {
    double command_time = 0;
    double floor_time = 0;
    auto timed_command = [&] {
      reset();
      command_time = Seconds(command);
      state.SetIterationTime(command_time);
    };
    auto timed_floor = [&] {
      reset();
      floor_time = Seconds(floor);
    };
    if (floor_first) timed_floor();
    timed_command();
    if (!floor_first) timed_floor();
    floor_first = !floor_first;
    command_times.push_back(command_time);
    floor_times.push_back(floor_time);
    ratios.push_back(command_time / floor_time);
  }
  state.counters[bench_support::kMinMs] = bench_support::Min(command_times) * 1000;
  state.counters[bench_support::kMedianMs] = bench_support::Median(command_times) * 1000;
  state.counters[bench_support::kFloorMinMs] = bench_support::Min(floor_times) * 1000;
  state.counters[kFloorMs] = bench_support::Median(floor_times) * 1000;
  state.counters[kRatio] = bench_support::Median(ratios);
}

// Restore of every item of the account: `items` hidden files, spread over
// 50 folders, each folder's .hidden listing them and one line more.
void BM_RestoreHiddenItems(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  Store scene;
  std::vector<engine::ListRow> rows;
  std::vector<std::string> natives;
  std::vector<std::string> hidden_files(kFolders);
  std::vector<std::string> hidden_lines(kFolders, kOtherLine);
  std::string entries;
  for (int i = 0; i < items; ++i) {
    const std::string folder = "C:\\items\\d" + std::to_string(i % kFolders);
    const std::string name = "f" + std::to_string(i);
    rows.push_back({scene.prefix().MakeFile(folder, name), false});
    natives.push_back(scene.Native(rows.back().path));
    hidden_files[i % kFolders] = scene.Native(folder) + "/.hidden";
    hidden_lines[i % kFolders] += name + "\n";
    entries += Entry(i + 1, rows.back().path);
  }
  auto reset = [&] {
    for (const std::string& native : natives) raw::SetHidden(native);
    for (int f = 0; f < kFolders; ++f) raw::ReplaceCheaply(hidden_files[f], hidden_lines[f]);
    scene.WriteRecords(entries);
  };
  Alternate(
      state, reset, [&] { benchmark::DoNotOptimize(engine::Restore(scene.fs(), kAccount, rows)); },
      [&] {
        for (const std::string& native : natives) raw::ClearHidden(native);
        for (const std::string& file : hidden_files) raw::ReplaceCheaply(file, kOtherLine);
        raw::ReplaceDurably(scene.account(), kAccountHead);
        raw::ReplaceDurably(scene.global(), kGlobalHead);
      });
}

// Restore of `items` entries whose items are gone, from a folder that holds
// 5,000 other files: each name is looked for ignoring letter case.
void BM_RestoreGoneItems(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  Store scene;
  for (int i = 0; i < kCrowd; ++i) scene.prefix().MakeFile("C:\\crowd", "other" + std::to_string(i));
  const std::string crowd = scene.Native("C:\\crowd");
  std::vector<engine::ListRow> rows;
  std::vector<std::string> natives;
  std::string entries;
  for (int i = 0; i < items; ++i) {
    const std::string name = "gone" + std::to_string(i);
    rows.push_back({"C:\\crowd\\" + name, false});
    natives.push_back(crowd + "/" + name);
    entries += Entry(i + 1, rows.back().path);
  }
  Alternate(
      state, [&] { scene.WriteRecords(entries); },
      [&] { benchmark::DoNotOptimize(engine::Restore(scene.fs(), kAccount, rows)); },
      [&] {
        // The drive is there, and each item is not.
        benchmark::DoNotOptimize(raw::Gone(crowd));
        for (const std::string& native : natives) benchmark::DoNotOptimize(raw::Gone(native));
        raw::ReplaceDurably(scene.global(), kGlobalHead);
        raw::ReplaceDurably(scene.account(), kAccountHead);
      });
}

// Find on a folder of `items` hidden files, whose .hidden also lists a
// dot name that Find leaves alone.
void BM_FindHiddenEntries(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  Store scene;
  std::vector<std::string> natives;
  std::string lines = kOtherLine;
  for (int i = 0; i < items; ++i) {
    const std::string name = "f" + std::to_string(i);
    natives.push_back(scene.Native(scene.prefix().MakeFile("C:\\find", name)));
    lines += name + "\n";
  }
  const std::string folder = scene.Native("C:\\find");
  const std::string hidden_file = folder + "/.hidden";
  auto reset = [&] {
    for (const std::string& native : natives) raw::SetHidden(native);
    raw::ReplaceCheaply(hidden_file, lines);
  };
  Alternate(
      state, reset, [&] { benchmark::DoNotOptimize(engine::ShowFolderEntries(scene.fs(), "C:\\find")); },
      [&] {
        for (const std::string& name : raw::Names(folder)) raw::ReadAndClearHidden(folder + "/" + name);
        raw::ReplaceCheaply(hidden_file, kOtherLine);
      });
}

// The list load of an account file of `items` entries, read afresh (no
// parsed copy kept from before), beside one reading of the file and the
// least scan that gives the same list of values.
void BM_LoadList(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  Store scene;
  std::string entries;
  for (int i = 0; i < items; ++i) entries += Entry(i + 1, "C:\\Users\\Ann\\Documents\\Private folder " + std::to_string(i));
  scene.WriteRecords(entries);
  Alternate(
      state, [] { store::IniCache::Instance().Clear(); },
      [&] { benchmark::DoNotOptimize(engine::LoadList(scene.fs(), kAccount)); },
      [&] { benchmark::DoNotOptimize(raw::ValuesAfterEquals(raw::Read(scene.account()))); });
}

// One hide beside an account file and a global record of `items` entries
// each: the floor rewrites the three record files, marks the item and
// appends its line to .hidden.
void BM_HideBesideRecords(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  Store scene;
  std::string entries;
  for (int i = 0; i < items; ++i) entries += Entry(i + 1, "C:\\Users\\Ann\\Documents\\Private folder " + std::to_string(i));
  scene.WriteRecords(entries);
  const std::string settings = scene.Native(records::kSettingsFile);
  // A new item for every hide, the command's and the floor's.
  int next = 0;
  auto new_item = [&] { return scene.prefix().MakeFile("C:\\pool", "p" + std::to_string(next++)); };
  std::string path, native, settings_bytes, account_bytes, global_bytes;
  auto reset = [&] {
    path = new_item();
    native = scene.Native(path);
    settings_bytes = raw::Read(settings);
    account_bytes = raw::Read(scene.account()) + Entry(next, path);
    global_bytes = raw::Read(scene.global()) + Entry(next, path);
  };
  Alternate(
      state, reset, [&] { benchmark::DoNotOptimize(engine::HideItem(scene.fs(), kAccount, path)); },
      [&] {
        raw::ReplaceDurably(settings, settings_bytes);
        raw::ReplaceDurably(scene.account(), account_bytes);
        raw::ReplaceDurably(scene.global(), global_bytes);
        raw::SetHidden(native);
        raw::Append(std::filesystem::path(native).parent_path().string() + "/.hidden",
                    std::filesystem::path(native).filename().string() + "\n");
      });
}

// The peak memory of one command in a process of its own, on a store whose
// global record holds `megabytes` MB of other accounts' entries besides
// the one item of Ann's.
void BM_PeakMemory(benchmark::State& state, const char* command) {
  const long megabytes = state.range(0);
  Store scene;
  const std::string item = scene.prefix().MakeFile("C:\\peak", "item");
  scene.fs().SetAttributes(item, platform::kAttrHiddenSystem);
  raw::ReplaceCheaply(scene.account(), kAccountHead + Entry(1, item));
  // Past every key of the record, so that the hide adds an entry.
  constexpr char kHighCounter[] = "999999999";
  store::IniFile(scene.fs(), records::kSettingsFile).WriteString(records::kCounterSection, records::kCounterKey, kHighCounter);
  {
    std::ofstream global(scene.global(), std::ios::binary | std::ios::trunc);
    global << kGlobalHead << Entry(1, item);
    for (int key = 2; global.tellp() < megabytes * 1024 * 1024; ++key) {
      global << Entry(key, "C:\\Users\\Bob\\Documents\\Private folder " + std::to_string(key));
    }
  }
  const double record_mb = static_cast<double>(std::filesystem::file_size(scene.global())) / (1024 * 1024);
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string prefix = scene.prefix().prefix_folder();
  const std::string desktop = scene.prefix().desktop_folder();
  long peak_kb = 0;
  for (auto _ : state) {
    std::vector<std::string> args = {self, kPeakChild, command, prefix, desktop, item};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, self.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("the child process could not be started");
      return;
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the command failed in the child process");
      return;
    }
    peak_kb = usage.ru_maxrss;
  }
  state.counters[bench_support::kPeakMb] = static_cast<double>(peak_kb) / 1024;
  state.counters[bench_support::kLimitMb] = 2 * record_mb + 50;
  state.counters["record_MB"] = record_mb;
}

// What the child process does: one command on the prefix, then it ends.
int PeakChild(char** argv) {
  const std::string command = argv[2];
  std::unique_ptr<platform::FileSystem> fs = platform::MakeFileSystemAt(argv[3], argv[4]);
  const std::string item = argv[5];
  const std::string global = fs->NativePath(records::kGlobalRecordFile);
  const auto before = std::filesystem::file_size(global);
  try {
    if (command == "hide") engine::HideItem(*fs, kAccount, item);
    if (command == "restore") engine::Restore(*fs, kAccount, {{item, false}});
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", command.c_str(), error.what());
    return 1;
  }
  // Each command rewrites the global record: by one entry more or less.
  return std::filesystem::file_size(global) == before ? 1 : 0;
}

// Commands over thousands of files run ten times, the quick ones forty, so
// that one cold run (caches, the first allocations) does not make the median.
constexpr int kBulkRuns = 10;
constexpr int kQuickRuns = 40;

void Sizes(benchmark::internal::Benchmark* bench, int runs) {
  bench->Arg(1000)->Arg(10000)->Arg(100000)->Iterations(runs)->UseManualTime()->Unit(benchmark::kMillisecond);
}
void BulkSizes(benchmark::internal::Benchmark* bench) { Sizes(bench, kBulkRuns); }
void QuickSizes(benchmark::internal::Benchmark* bench) { Sizes(bench, kQuickRuns); }

BENCHMARK(BM_RestoreHiddenItems)->Apply(BulkSizes)->Arg(5000);
BENCHMARK(BM_RestoreGoneItems)->Apply(BulkSizes)->Arg(5000);
BENCHMARK(BM_FindHiddenEntries)->Apply(BulkSizes);
BENCHMARK(BM_LoadList)->Apply(QuickSizes);
BENCHMARK(BM_HideBesideRecords)->Apply(QuickSizes);
BENCHMARK_CAPTURE(BM_PeakMemory, hide, "hide")->Arg(200)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_PeakMemory, restore, "restore")->Arg(200)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 6 && std::strcmp(argv[1], kPeakChild) == 0) return PeakChild(argv);
  benchmark::Initialize(&argc, argv);
  bench_support::RatioSummary summary;
  benchmark::RunSpecifiedBenchmarks(&summary);
  summary.PrintSummary();
  benchmark::Shutdown();
  return 0;
}
