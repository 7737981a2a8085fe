// One hide under Wine against its floor: the same end state (the counter
// raised in the settings, the entry added to the account file and the
// global record, each replaced through a flushed temporary file, and the
// item's hidden and system attributes) reached with raw Win32 calls. The
// two run in turns, in batches, in one fresh prefix; each program batch is
// set against the floor batch just before it and the median ratio is
// reported (Google Benchmark has no build for this compiler).
//   hide_bench [batches] [hides per batch]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/hidden_items.h"
#include "platform/file_system.h"
#include "platform/win32/exact_path.h"
#include "store/data_store.h"
#include "store/records.h"
#include "bench/win32/bench_support.h"

namespace {

namespace records = store::records;

constexpr int kDefaultBatches = 15;
constexpr int kDefaultHides = 20;
constexpr double kTarget = 1.5;
constexpr char kItems[] = "D:\\Items";
constexpr char kFloorFolder[] = "D:\\Floor";

double Now() { return bench_win32::SecondsNow(); }

std::wstring Exact(platform::FileSystem& fs, const std::string& path) {
  return platform::win32::ExactPath(fs.NativePath(path)).value_or(L"");
}

// The floor's replacement of one file: a new temporary file beside it,
// written, flushed and moved over it through the handle that wrote it (the
// cheapest way: the moved file is not opened again by its name).
void RawReplace(const std::wstring& path, const std::string& bytes) {
  const std::wstring temp = path + L".floor";
  const HANDLE file = ::CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::FlushFileBuffers(file);
  const std::size_t name_bytes = path.size() * sizeof(wchar_t);
  std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + name_bytes);
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = TRUE;
  rename->FileNameLength = static_cast<DWORD>(name_bytes);
  std::memcpy(rename->FileName, path.c_str(), name_bytes + sizeof(wchar_t));
  ::SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size()));
  ::CloseHandle(file);
}

// The floor's record files, held in memory: it knows what they hold.
struct Floor {
  std::wstring settings, account, global;
  std::string settings_bytes, account_bytes, global_bytes;
  int counter = 0;

  void Hide(const std::wstring& item, const std::string& path) {
    ++counter;
    const std::string line = std::to_string(counter) + "=" + path + "\r\n";
    account_bytes += line;
    global_bytes += line;
    RawReplace(settings, settings_bytes + std::to_string(counter) + "\r\n");
    RawReplace(account, account_bytes);
    RawReplace(global, global_bytes);
    ::SetFileAttributesW(item.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int batches = argc > 1 ? std::atoi(argv[1]) : kDefaultBatches;
  const int hides = argc > 2 ? std::atoi(argv[2]) : kDefaultHides;
  const std::string folder = bench_win32::NewTempPrefixName();
  std::unique_ptr<platform::FileSystem> owned = platform::MakeFileSystemAt(folder);
  platform::FileSystem& fs = *owned;
  store::InitialiseStore(fs);
  store::AddUserEntry(fs, "Ann", "pw");
  store::CreateAccountFile(fs, "Ann");
  store::HideStoreFolders(fs);
  fs.CreateFolder(kItems);
  fs.CreateFolder(kFloorFolder);
  const int total = batches * hides + hides;  // one batch of warm-up
  std::vector<std::string> items;
  std::vector<std::string> floor_items;
  for (int i = 0; i < total; ++i) {
    items.push_back(std::string(kItems) + "\\item" + std::to_string(i));
    floor_items.push_back(std::string(kFloorFolder) + "\\item" + std::to_string(i));
    fs.ReplaceFile(items.back(), "x");
    fs.ReplaceFile(floor_items.back(), "x");
  }
  Floor floor;
  for (const char* name : {"settings.INI", "Ann.INI", "biefei.INI"}) {
    fs.ReplaceFile(std::string(kFloorFolder) + "\\" + name, "");
  }
  floor.settings = Exact(fs, std::string(kFloorFolder) + "\\settings.INI");
  floor.account = Exact(fs, std::string(kFloorFolder) + "\\Ann.INI");
  floor.global = Exact(fs, std::string(kFloorFolder) + "\\biefei.INI");
  floor.settings_bytes = fs.ReadFile(records::kSettingsFile).bytes;
  floor.account_bytes = "[guanlishezhi]\r\n1=1\r\n[weijianyincang]\r\n";
  floor.global_bytes = "[weijianyincang]\r\n";
  std::vector<std::wstring> floor_exact;
  for (const std::string& item : floor_items) floor_exact.push_back(Exact(fs, item));

  std::vector<double> ratios;
  std::vector<double> program_ms;
  std::vector<double> floor_ms;
  for (int batch = 0; batch <= batches; ++batch) {
    const int first = batch * hides;
    const double floor_start = Now();
    for (int i = first; i < first + hides; ++i) floor.Hide(floor_exact[i], floor_items[i]);
    const double floor_time = Now() - floor_start;
    const double program_start = Now();
    for (int i = first; i < first + hides; ++i) engine::HideItem(fs, "Ann", items[i]);
    const double program_time = Now() - program_start;
    if (batch == 0) continue;  // warm-up
    ratios.push_back(program_time / floor_time);
    program_ms.push_back(1000 * program_time / hides);
    floor_ms.push_back(1000 * floor_time / hides);
  }
  const auto median = [](std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  const double ratio = median(ratios);
  std::printf("hide: %.2f ms  floor: %.2f ms  ratio: %.2f (target %.1f)\n", median(program_ms), median(floor_ms),
              ratio, kTarget);
  return ratio <= kTarget ? 0 : 1;
}
