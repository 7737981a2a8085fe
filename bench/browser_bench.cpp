// Listing a large folder into the shell browser against a bare listing of
// the same folder through the file system, and the hidden-item list filled
// against a bare Qt list of the same rows.
#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QTreeView>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/borderless_window.h"
#include "toolkit/check_list_view.h"
#include "toolkit/qt/backend.h"
#include "toolkit/shell_list_view.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace {

constexpr int kFolders = 1000;
constexpr int kFiles = 9000;
constexpr char kFolder[] = "C:\\Big";
constexpr char kTempPattern[] = "/tmp/quillomar-bench-XXXXXX";

class NullShell final : public platform::Shell {
 public:
  bool OpenDocument(const std::string&) override { return true; }
  void NotifyAssociationsChanged() override {}
};

platform::FileSystem* g_fs = nullptr;

void BM_BareListFolder(benchmark::State& state) {
  for (auto _ : state) {
    auto listing = g_fs->ListFolder(kFolder);
    benchmark::DoNotOptimize(listing);
  }
}
BENCHMARK(BM_BareListFolder)->Unit(benchmark::kMillisecond);

void BM_BrowserShowFolder(benchmark::State& state) {
  NullShell shell;
  app::BorderlessWindow window(500, 230);
  auto* view = new app::ShellListView(*g_fs, shell, &window);
  for (auto _ : state) {
    view->ShowFolder(kFolder);
    benchmark::DoNotOptimize(view->RowCount());
  }
}
BENCHMARK(BM_BrowserShowFolder)->Unit(benchmark::kMillisecond);

void BM_BrowserShowFolderOnScreen(benchmark::State& state) {
  NullShell shell;
  app::BorderlessWindow window(500, 230);
  auto* view = new app::ShellListView(*g_fs, shell, &window);
  view->SetBounds(app::Rect(0, 0, 500, 230));
  window.Show();
  for (auto _ : state) {
    view->ShowFolder(kFolder);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_BrowserShowFolderOnScreen)->Unit(benchmark::kMillisecond);

// What a hide or a Comeback costs the browser shown in the big folder: the
// rows of the one item it changed brought up to date (RefreshEntries), and
// for comparison the whole folder read again (Refresh) and the browser at
// My Computer.
void BrowserAfterCommand(benchmark::State& state, const char* where) {
  NullShell shell;
  app::BorderlessWindow window(500, 230);
  auto* view = new app::ShellListView(*g_fs, shell, &window);
  view->SetBounds(app::Rect(0, 0, 500, 230));
  window.Show();
  if (std::string(where) != "drives") view->ShowFolder(kFolder);
  QApplication::processEvents();
  const std::vector<platform::FolderEntry> changed{{kFolder, "file 4500.txt"}};
  for (auto _ : state) {
    if (std::string(where) == "refresh") {
      view->Refresh();
    } else {
      view->RefreshEntries(changed);
    }
    QApplication::processEvents();
  }
}
BENCHMARK_CAPTURE(BrowserAfterCommand, entries_in_big_folder, "entries")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BrowserAfterCommand, refresh_of_big_folder, "refresh")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BrowserAfterCommand, entries_at_drives, "drives")->Unit(benchmark::kMillisecond);

// The hidden-item list shown with `rows` rows in one step, against a bare
// Qt list of the same rows and columns: a table model holding the texts,
// one model reset, a view of the list's size painted.
class BareRows final : public QAbstractTableModel {
 public:
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : static_cast<int>(rows.size()); }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::CheckStateRole && index.column() == 0) return Qt::Checked;
    if (role != Qt::DisplayRole) return {};
    return index.column() == 0 ? QString::fromUtf8(rows[static_cast<std::size_t>(index.row())]) : QStringLiteral("Hide");
  }
  void Show(const std::vector<std::string>& shown) {
    beginResetModel();
    rows = shown;
    endResetModel();
  }
  std::vector<std::string> rows;
};

std::vector<std::string> HiddenPaths(int rows) {
  std::vector<std::string> paths;
  for (int i = 0; i < rows; ++i) paths.push_back("C:\\Users\\Ann\\Documents\\Private folder " + std::to_string(i));
  return paths;
}

void BM_HiddenListFill(benchmark::State& state) {
  const std::vector<std::string> paths = HiddenPaths(static_cast<int>(state.range(0)));
  app::BorderlessWindow window(487, 95);
  auto* list = new app::CheckListView({440, 47}, &window);
  list->SetBounds(app::Rect(0, 0, 487, 95));
  window.Show();
  for (auto _ : state) {
    list->Fill(paths, {"Hide"}, true);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_HiddenListFill)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_BareListFill(benchmark::State& state) {
  const std::vector<std::string> paths = HiddenPaths(static_cast<int>(state.range(0)));
  BareRows model;
  QTreeView view;
  view.setRootIsDecorated(false);
  view.setUniformRowHeights(true);
  view.setModel(&model);
  view.resize(487, 95);
  view.show();
  for (auto _ : state) {
    model.Show(paths);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_BareListFill)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A folder of 1,000 subfolders and 9,000 files on drive C: of a fresh prefix.
void MakeBigFolder(const std::string& prefix) {
  const std::string big = prefix + "/drive_c/Big";
  std::filesystem::create_directories(big);
  for (int i = 0; i < kFolders; ++i) std::filesystem::create_directory(big + "/Folder " + std::to_string(i));
  for (int i = 0; i < kFiles; ++i) std::ofstream(big + "/file " + std::to_string(i) + ".txt") << i;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  app::qt::QtBackend backend;
  app::SetCurrentBackend(&backend);
  std::string root = kTempPattern;
  if (mkdtemp(root.data()) == nullptr) return 1;
  const std::string prefix = root + "/prefix";
  std::filesystem::create_directories(root + "/Desktop");
  auto fs = platform::MakeFileSystemAt(prefix, root + "/Desktop");
  MakeBigFolder(prefix);
  g_fs = fs.get();

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  g_fs = nullptr;
  fs.reset();
  app::SetCurrentBackend(nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return 0;
}
