// The Windows browser and hidden-item list under Wine against their floor:
// a bare Win32 virtual list view (LVS_OWNERDATA, one LVM_SETITEMCOUNT, rows
// drawn on demand) in a window of the same size, showing the same names
// read by one FindFirstFileExW pass. Each case runs as interleaved pairs
// (floor then program, program then floor), each timed from the call to
// the list painted; min and median of each, the median of the pairs'
// ratios, and the cost per row of the larger size against the smaller.
// Google Benchmark has no build for this compiler.
//   list_bench [pairs] [picture folder: where the window's pictures go,
//                        as browser.bmp and hidden.bmp, after the runs]

#include "toolkit/win32/windows_api.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/shell.h"
#include "platform/win32/exact_path.h"
#include "toolkit/borderless_window.h"
#include "toolkit/check_list_view.h"
#include "toolkit/test_driver.h"
#include "toolkit/shell_list_view.h"
#include "toolkit/win32/backend.h"
#include "toolkit/win32/peers.h"
#include "bench/win32/bench_support.h"

namespace {

constexpr int kDefaultPairs = 9;
constexpr double kRatioTarget = 1.5;
constexpr double kGrowthTarget = 1.2;
constexpr int kWidth = 560;
constexpr int kHeight = 420;
constexpr app::Rect kListPlace{0, 0, kWidth, kHeight};
constexpr int kFolderSizes[] = {2000, 20000};
constexpr int kHiddenSizes[] = {2000, 10000};

double Now() { return bench_win32::SecondsNow(); }

// Handles whatever is waiting, untimed, so that no run pays for another.
void Settle() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// Paints every part of the window that waits for it, now.
void PaintNow(HWND top) { ::RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                           static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(std::max(length, 0)));
  return wide;
}

// The floor: a bare virtual list view of two columns in a window of the
// program's list's size, its rows held as the text it shows.
struct FloorRow {
  std::wstring name;
  bool folder = false;
};

class FloorList {
 public:
  explicit FloorList(bool checkboxes) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = &FloorList::Proc;
    window_class.hInstance = ::GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"QuillomarListFloor";
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&window_class);
    top_ = ::CreateWindowExW(0, window_class.lpszClassName, L"floor", WS_POPUP | WS_VISIBLE, 40 + kWidth, 40,
                             kWidth, kHeight, nullptr, nullptr, window_class.hInstance, nullptr);
    ::SetWindowLongPtrW(top_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL, 0, 0, kWidth,
                              kHeight, top_, nullptr, window_class.hInstance, nullptr);
    const DWORD extended = LVS_EX_FULLROWSELECT | (checkboxes ? LVS_EX_CHECKBOXES : 0);
    ::SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    for (int column = 0; column < 2; ++column) {
      LVCOLUMNW header{};
      header.mask = LVCF_WIDTH | LVCF_TEXT;
      header.cx = column == 0 ? 260 : 200;
      header.pszText = const_cast<wchar_t*>(L"");
      ::SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
    }
    checkboxes_ = checkboxes;
  }
  ~FloorList() { ::DestroyWindow(top_); }

  HWND top() const { return top_; }

  // Shows the rows, drawn on demand.
  void Show(std::vector<FloorRow> rows) {
    rows_ = std::move(rows);
    ::SendMessageW(list_, LVM_SETITEMCOUNT, rows_.size(), 0);
    PaintNow(top_);
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<FloorList*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NOTIFY && self != nullptr &&
        reinterpret_cast<NMHDR*>(lparam)->code == LVN_GETDISPINFOW) {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lparam)->item;
      const FloorRow& row = self->rows_[static_cast<std::size_t>(item.iItem)];
      if ((item.mask & LVIF_TEXT) != 0) {
        const wchar_t* text = item.iSubItem == 0 ? row.name.c_str() : (row.folder ? L"File Folder" : L"Hide");
        ::lstrcpynW(item.pszText, text, item.cchTextMax);
      }
      if ((item.mask & LVIF_STATE) != 0 && self->checkboxes_) {
        item.state = INDEXTOSTATEIMAGEMASK(2);
        item.stateMask = LVIS_STATEIMAGEMASK;
      }
      return 0;
    }
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
  }

  HWND top_ = nullptr;
  HWND list_ = nullptr;
  bool checkboxes_ = false;
  std::vector<FloorRow> rows_;
};

// The floor's listing: one FindFirstFileExW pass, hidden entries and the
// dot entries left out, folders first and then by name ignoring case.
std::vector<FloorRow> ReadFolder(const std::wstring& folder) {
  std::vector<FloorRow> rows;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return rows;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0 || found.cFileName[0] == L'.') continue;
    rows.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  std::sort(rows.begin(), rows.end(), [](const FloorRow& a, const FloorRow& b) {
    if (a.folder != b.folder) return a.folder;
    return ::CompareStringOrdinal(a.name.c_str(), -1, b.name.c_str(), -1, TRUE) == CSTR_LESS_THAN;
  });
  return rows;
}

class NoShell final : public platform::Shell {
 public:
  bool OpenDocument(const std::string&) override { return true; }
  void NotifyAssociationsChanged() override {}
};

struct Figures {
  std::vector<double> program_ms;
  std::vector<double> floor_ms;
  std::vector<double> ratios;
};

// Keeps a picture of the window as it is drawn now, when asked for.
void KeepPicture(app::BorderlessWindow& window, const char* folder, const char* name) {
  if (folder == nullptr) return;
  const std::string bytes = app::CurrentTestDriver().Grab(window).ToBmp();
  const std::string path = std::string(folder) + "\\" + name;
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Min(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

// Runs `pairs` interleaved pairs of the program's step and the floor's,
// each followed by its untimed reset.
template <typename Program, typename Floor, typename Reset>
Figures RunPairs(int pairs, Program program, Floor floor, Reset reset) {
  Figures figures;
  for (int pair = 0; pair <= pairs; ++pair) {
    double program_time = 0;
    double floor_time = 0;
    for (int turn = 0; turn < 2; ++turn) {
      const bool program_turn = (turn == 0) == (pair % 2 == 0);
      Settle();
      const double start = Now();
      if (program_turn) {
        program();
        program_time = Now() - start;
      } else {
        floor();
        floor_time = Now() - start;
      }
      reset();
    }
    if (pair == 0) continue;  // warm-up
    figures.program_ms.push_back(1000 * program_time);
    figures.floor_ms.push_back(1000 * floor_time);
    figures.ratios.push_back(program_time / floor_time);
  }
  return figures;
}

// Prints one case; true when it is within its target.
bool Report(const char* what, int rows, const Figures& figures) {
  const double ratio = Median(figures.ratios);
  std::printf("%-16s %6d rows  program min %8.2f median %8.2f ms  floor min %7.2f median %7.2f ms  ratio %.2f\n",
              what, rows, Min(figures.program_ms), Median(figures.program_ms), Min(figures.floor_ms),
              Median(figures.floor_ms), ratio);
  return ratio <= kRatioTarget;
}

// The cost per row of the larger case against the smaller one's.
bool ReportGrowth(const char* what, int small_rows, const Figures& small, int large_rows, const Figures& large) {
  const double small_cost = Median(small.program_ms) / small_rows;
  const double large_cost = Median(large.program_ms) / large_rows;
  const double growth = large_cost / small_cost;
  std::printf("%-16s per row %.2f us at %d, %.2f us at %d: %.2fx (target %.1f)\n", what, 1000 * small_cost,
              small_rows, 1000 * large_cost, large_rows, growth, kGrowthTarget);
  return growth <= kGrowthTarget;
}

}  // namespace

int main(int argc, char** argv) {
  const int pairs = argc > 1 ? std::atoi(argv[1]) : kDefaultPairs;
  const char* pictures = argc > 2 ? argv[2] : nullptr;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  app::win32::Win32Backend backend(::GetModuleHandleW(nullptr));
  app::SetCurrentBackend(&backend);

  const std::string prefix = bench_win32::NewTempPrefixName();
  std::unique_ptr<platform::FileSystem> fs = platform::MakeFileSystemAt(prefix);
  std::vector<std::string> folders;
  for (int size : kFolderSizes) {
    const std::string folder = "D:\\Files" + std::to_string(size);
    fs->CreateFolder(folder);
    const std::wstring exact = platform::win32::ExactPath(fs->NativePath(folder)).value_or(L"");
    for (int i = 0; i < size; ++i) {
      const std::wstring file = exact + L"\\photo_" + std::to_wstring(i) + L".jpg";
      ::CloseHandle(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    }
    folders.push_back(folder);
  }

  NoShell shell;
  app::BorderlessWindow window(kWidth, kHeight);
  window.MoveTo({40, 40});
  auto* browser = new app::ShellListView(*fs, shell, &window);
  browser->SetBounds(kListPlace);
  auto* hidden = new app::CheckListView({440, 47}, &window);
  hidden->SetBounds(kListPlace);
  hidden->Hide();
  window.Show();
  HWND top = app::win32::HandleOf(window.TopNative());
  bool met = true;

  {
    FloorList floor(false);
    std::vector<Figures> results;
    for (std::size_t i = 0; i < folders.size(); ++i) {
      const std::wstring exact = platform::win32::ExactPath(fs->NativePath(folders[i])).value_or(L"");
      results.push_back(RunPairs(
          pairs,
          [&] {
            browser->ShowFolder(folders[i]);
            PaintNow(top);
          },
          [&] { floor.Show(ReadFolder(exact)); },
          [&] {
            browser->ShowMyComputer();
            floor.Show({});
          }));
      met = Report("browser", kFolderSizes[i], results.back()) && met;
    }
    met = ReportGrowth("browser", kFolderSizes[0], results[0], kFolderSizes[1], results[1]) && met;
    browser->ShowFolder(folders.back());
    browser->SelectRow(2);
    KeepPicture(window, pictures, "browser.bmp");
  }

  browser->Hide();
  hidden->Show();
  {
    FloorList floor(true);
    std::vector<Figures> results;
    for (int size : kHiddenSizes) {
      std::vector<std::string> paths;
      for (int i = 0; i < size; ++i) paths.push_back("D:\\Private\\item_" + std::to_string(i));
      results.push_back(RunPairs(
          pairs,
          [&] {
            hidden->Fill(paths, {"Hide"}, true);
            PaintNow(top);
          },
          [&] {
            std::vector<FloorRow> rows;
            rows.reserve(paths.size());
            for (const std::string& path : paths) rows.push_back({Wide(path), false});
            floor.Show(std::move(rows));
          },
          [&] {
            hidden->Clear();
            floor.Show({});
          }));
      met = Report("hidden list", size, results.back()) && met;
    }
    met = ReportGrowth("hidden list", kHiddenSizes[0], results[0], kHiddenSizes[1], results[1]) && met;
    std::vector<std::string> paths{"C:\\Data\\Letters", "D:\\Photos\\Caf\xE9", "C:\\Notes.txt"};
    hidden->Fill(paths, {"Hide"}, true, &backend.ShellIcon(app::ShellPicture::kFolder));
    hidden->SetChecked(1, false);
    KeepPicture(window, pictures, "hidden.bmp");
  }
  std::printf("targets: ratio at most %.1f, per-row growth at most %.1f: %s\n", kRatioTarget, kGrowthTarget,
              met ? "met" : "missed");
  for (const std::string& folder : folders) fs->DeleteFolder(folder);
  return met ? 0 : 1;
}
