// The pictures tool: runs the program offscreen on a prefix of its own in a
// temporary folder, walks through its windows and writes a PNG of each.
//
//   quillomar_screenshots [folder]      (default: docs/pictures)

#include <stdlib.h>

#include <QApplication>
#include <QByteArray>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/application_title.h"
#include "app/pictures/pictures.h"
#include "app/program.h"
#include "toolkit/qt/backend.h"
#include "toolkit/qt/convert.h"
#include "toolkit/qt/fonts.h"
#include "platform/file_system.h"
#include "tools/screenshots/silent_services.h"
#include "tools/screenshots/tour.h"

namespace {

namespace fs = std::filesystem;

constexpr char kDefaultFolder[] = "docs/pictures";
constexpr char kTempTemplate[] = "/quillomar-screenshots-XXXXXX";
constexpr char kPlatformVariable[] = "QT_QPA_PLATFORM";
constexpr char kOffscreen[] = "offscreen";
constexpr char kPrefixVariable[] = "QUILLOMAR_PREFIX";
// Far longer than the tour takes: a window that never closes ends the run.
constexpr int kWatchdogMs = 120000;

// A temporary folder that is removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string((tmp != nullptr && *tmp != '\0') ? tmp : "/tmp") + kTempTemplate;
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempFolder() { Remove(); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Empty when the folder could not be made.
  const std::string& path() const { return path_; }

  // remove_all takes the drive links away without following them (z: leads
  // to "/").
  void Remove() {
    if (path_.empty()) return;
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    path_.clear();
  }

 private:
  std::string path_;
};

}  // namespace

int main(int argc, char* argv[]) {
  if (argc > 2) {
    std::fprintf(stderr, "usage: %s [folder for the pictures]\n", argv[0]);
    return EXIT_FAILURE;
  }
  const std::string folder = argc == 2 ? argv[1] : kDefaultFolder;
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder)) {
    std::fprintf(stderr, "quillomar_screenshots: cannot make the folder %s\n", folder.c_str());
    return EXIT_FAILURE;
  }

  static TempFolder temp;
  if (temp.path().empty()) {
    std::fprintf(stderr, "quillomar_screenshots: cannot make a temporary folder\n");
    return EXIT_FAILURE;
  }
  const std::string prefix = temp.path() + "/prefix";
  const std::string desktop = temp.path() + "/Desktop";
  fs::create_directories(desktop, error);
  // Never a real screen, and never the user's own prefix, even by mistake.
  ::setenv(kPlatformVariable, kOffscreen, 1);
  ::setenv(kPrefixVariable, prefix.c_str(), 1);

  QApplication application(argc, argv);
  QApplication::setApplicationName(app::kApplicationTitle);
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(app::qt::ViewOf(app::ApplicationIcon()))));
  app::qt::QtBackend backend;
  app::SetCurrentBackend(&backend);
  QApplication::setQuitOnLastWindowClosed(false);
  // The pictures show the windows as they are meant to look, or none: in
  // MS Sans Serif, or on a scaled screen (QT_SCALE_FACTOR) in the outline
  // face that stands in for it.
  const app::qt::WindowTypeface wanted = app::qt::BitmapFaceFits(application.devicePixelRatio())
                                             ? app::qt::WindowTypeface::kMsSansSerif
                                             : app::qt::WindowTypeface::kFreeSans;
  if (app::qt::LoadWindowTypeface() != wanted) {
    std::fprintf(stderr,
                 "quillomar_screenshots: Wine's MS Sans Serif (%s, Debian package fonts-wine) or FreeSans "
                 "(%s, fonts-freefont-ttf) is missing\n",
                 app::qt::kWineFontFolder, app::qt::kOutlineFontFolder);
    return EXIT_FAILURE;
  }

  const std::unique_ptr<platform::FileSystem> files = platform::MakeFileSystemAt(prefix, desktop);
  screenshots::SilentShell shell;
  screenshots::SilentDialogs dialogs;
  screenshots::SilentWindowManager window_manager;
  app::Services services{*files, shell, dialogs, window_manager};

  QTimer::singleShot(kWatchdogMs, [] {
    std::fprintf(stderr, "quillomar_screenshots: the tour did not finish in time\n");
    temp.Remove();
    std::_Exit(EXIT_FAILURE);
  });

  bool done = false;
  {
    app::Program program(services);
    program.Start();
    done = screenshots::Tour(program, services, dialogs, QString::fromStdString(folder)).Run();
  }
  screenshots::Settle();
  return done ? EXIT_SUCCESS : EXIT_FAILURE;
}
