// The INI store on record files of 10, 1,000 and 100,000 entries, each
// figure beside its baseline in the same run:
//   reads (ReadString, ReadSection) beside reading the file's bytes once;
//   WriteString beside one durable atomic rewrite of the same bytes.
// A record file is the size of a global record after that many hides.

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>

#include "bench/bench_prefix.h"
#include "store/ini_cache.h"
#include "store/ini_file.h"

namespace {

constexpr char kFolder[] = "C:\\bench";
constexpr char kSection[] = "weijianyincang";
constexpr char kValueA[] = "C:\\Users\\Ann\\Documents\\Private folder A";
constexpr char kValueB[] = "C:\\Users\\Ann\\Documents\\Private folder B";

std::string RecordFileBytes(int entries) {
  std::string bytes = std::string("[") + kSection + "]\r\n";
  for (int i = 1; i <= entries; ++i) {
    bytes += std::to_string(i) + "=C:\\Users\\Ann\\Documents\\Private folder " + std::to_string(i) + "\r\n";
  }
  return bytes;
}

// The files of every size, made once for the whole run.
class Files {
 public:
  static Files& Get() {
    static Files files;
    return files;
  }
  platform::FileSystem& fs() { return prefix_.fs(); }
  std::string Path(const std::string& role, int entries) const {
    return std::string(kFolder) + "\\" + role + std::to_string(entries) + ".INI";
  }
  const std::string& Bytes(int entries) { return bytes_[entries]; }

 private:
  Files() {
    fs().CreateFolder(kFolder);
    for (int entries : {10, 1000, 100000}) {
      bytes_[entries] = RecordFileBytes(entries);
      for (const char* role : {"read", "write", "baseline"}) fs().ReplaceFile(Path(role, entries), bytes_[entries]);
    }
    // The cache trusts a file's stamp only once the file has been still for
    // longer than the file system's timestamp granularity; a program reads
    // files that old nearly always, so the reads are measured on them.
    std::this_thread::sleep_for(store::kStampGranularity + std::chrono::milliseconds(200));
  }

  bench_support::BenchPrefix prefix_;
  std::map<int, std::string> bytes_;
};

std::string MiddleKey(int entries) { return std::to_string(entries / 2 + 1); }

void BM_ReadBytesBaseline(benchmark::State& state) {
  Files& files = Files::Get();
  const std::string path = files.Path("read", static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(files.fs().ReadFile(path));
}

void BM_ReadStringCached(benchmark::State& state) {
  Files& files = Files::Get();
  const int entries = static_cast<int>(state.range(0));
  store::IniFile file(files.fs(), files.Path("read", entries));
  const std::string key = MiddleKey(entries);
  for (auto _ : state) benchmark::DoNotOptimize(file.ReadString(kSection, key, ""));
}

void BM_ReadStringCold(benchmark::State& state) {
  Files& files = Files::Get();
  const int entries = static_cast<int>(state.range(0));
  store::IniFile file(files.fs(), files.Path("read", entries));
  const std::string key = MiddleKey(entries);
  for (auto _ : state) {
    store::IniCache::Instance().Clear();
    benchmark::DoNotOptimize(file.ReadString(kSection, key, ""));
  }
}

void BM_ReadSection(benchmark::State& state) {
  Files& files = Files::Get();
  store::IniFile file(files.fs(), files.Path("read", static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(file.ReadSection(kSection));
}

void BM_ReplaceBytesBaseline(benchmark::State& state) {
  Files& files = Files::Get();
  const int entries = static_cast<int>(state.range(0));
  const std::string path = files.Path("baseline", entries);
  const std::string& bytes = files.Bytes(entries);
  for (auto _ : state) benchmark::DoNotOptimize(files.fs().ReplaceFile(path, bytes));
}

void BM_WriteString(benchmark::State& state) {
  Files& files = Files::Get();
  const int entries = static_cast<int>(state.range(0));
  store::IniFile file(files.fs(), files.Path("write", entries));
  const std::string key = MiddleKey(entries);
  bool flip = false;
  for (auto _ : state) {
    file.WriteString(kSection, key, (flip = !flip) ? kValueA : kValueB);
  }
}

void Sizes(benchmark::internal::Benchmark* bench) { bench->Arg(10)->Arg(1000)->Arg(100000); }

BENCHMARK(BM_ReadBytesBaseline)->Apply(Sizes);
BENCHMARK(BM_ReadStringCached)->Apply(Sizes);
BENCHMARK(BM_ReadStringCold)->Apply(Sizes);
BENCHMARK(BM_ReadSection)->Apply(Sizes);
BENCHMARK(BM_ReplaceBytesBaseline)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteString)->Apply(Sizes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
