// The Linux program: the Qt front end of the windows written once.

#include <stdlib.h>

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/application_title.h"
#include "app/command_line.h"
#include "app/display_start.h"
#include "app/graphical_session.h"
#include "app/pictures/pictures.h"
#include "app/program.h"
#include "app/single_copy.h"
#include "toolkit/qt/backend.h"
#include "toolkit/qt/convert.h"
#include "toolkit/qt/fonts.h"
#include "app/window_manager.h"
#include "platform/file_system.h"
#include "platform/handed_path.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_shell.h"

namespace {

constexpr char kDesktopFileName[] = "quillomar";
// The installed user guide, relative to the folder of the installed program
// (given by the build: ../share/quillomar/Quillomar.htm).
constexpr char kGuideFromProgram[] = QUILLOMAR_GUIDE_FROM_PROGRAM;
constexpr char kNoDisplay[] =
    "Quillomar is a desktop program and needs a graphical session: no display was found.\n";
constexpr char kDisplayUnreachable[] =
    "Quillomar is a desktop program and needs a graphical session: the display cannot be reached (%s).\n";
constexpr char kPlatformVariable[] = "QT_QPA_PLATFORM";
constexpr char kNotTaken[] = "Quillomar runs already for this drive prefix but did not take the paths.\n";

}  // namespace

int main(int argc, char* argv[]) {
  // --help and --version answer before anything else: no display is needed
  // and no drive prefix is made.
  const app::CommandLineRequest request = app::ReadCommandLine(argc, argv).request;
  if (request != app::CommandLineRequest::kRun) {
    const std::string answer = app::CommandLineAnswer(request);
    // A failed write (a full disk, a closed pipe) is no success.
    const bool written = std::fputs(answer.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    return written ? EXIT_SUCCESS : EXIT_FAILURE;
  }
  // Qt would end the process with an abort where the display it tries does
  // not answer: the program says so itself first; where the display answers
  // but Qt still cannot use it, or it stops answering, the start ends the
  // program with the same words.
  app::DisplayStart display_start(app::NamedDisplays());
  const app::GraphicalSession session = app::FindGraphicalSession();
  if (!session.named) {
    std::fputs(kNoDisplay, stderr);
    return EXIT_FAILURE;
  }
  if (!session.reachable) {
    std::fprintf(stderr, kDisplayUnreachable, session.described.c_str());
    return EXIT_FAILURE;
  }
  // Where only one of X11 and Wayland answers, Qt goes straight to it.
  if (!session.only_platform.empty()) ::setenv(kPlatformVariable, session.only_platform.c_str(), 1);
  // Qt looks for its own options only before "--"; what it leaves, and
  // everything after "--", is the program's.
  int toolkit_count = app::ArgumentsBeforeEnd(argc, argv);
  std::vector<char*> toolkit_arguments(argv, argv + toolkit_count);
  toolkit_arguments.push_back(nullptr);
  QApplication application(toolkit_count, toolkit_arguments.data());
  std::vector<const char*> arguments(toolkit_arguments.begin(), toolkit_arguments.begin() + toolkit_count);
  arguments.insert(arguments.end(), argv + app::ArgumentsBeforeEnd(argc, argv), argv + argc);
  std::vector<std::string> paths = app::ReadCommandLine(static_cast<int>(arguments.size()), arguments.data()).paths;
  for (std::string& path : paths) path = platform::FullHandedPath(path);
  display_start.Done();
  QApplication::setApplicationName(app::kApplicationTitle);
  QApplication::setApplicationDisplayName(app::kApplicationTitle);
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(app::qt::ViewOf(app::ApplicationIcon()))));
  app::qt::LoadWindowTypeface();
  // Lets docks match the running windows to the installed launcher.
  QGuiApplication::setDesktopFileName(kDesktopFileName);
  // The program ends when its login window closes, not when the last visible
  // window does (the login window is hidden while the main window is used).
  QApplication::setQuitOnLastWindowClosed(false);

  app::qt::QtBackend backend;
  app::SetCurrentBackend(&backend);
  const auto fs = platform::MakeFileSystem();
  // The guide that the package installs, found from the program's own place.
  platform::QtShell shell(
      *fs, QFile::encodeName(QCoreApplication::applicationDirPath() + "/" + kGuideFromProgram).toStdString());
  platform::QtDialogs dialogs;
  app::ToolkitWindowManager window_manager;
  app::Services services{*fs, shell, dialogs, window_manager};

  // A copy that runs for this user and prefix takes the paths instead.
  app::SingleCopy single_copy(platform::DefaultPrefixFolder());
  switch (single_copy.Begin(paths)) {
    case app::SingleCopy::Start::kHandedOver:
      return EXIT_SUCCESS;
    case app::SingleCopy::Start::kFailed:
      std::fputs(kNotTaken, stderr);
      return EXIT_FAILURE;
    case app::SingleCopy::Start::kFirst:
      break;
  }

  int result = 0;
  {
    app::Program program(services, app::WindowCreation::kWhenAsked);
    program.on_finished = [&backend] { backend.Post([&backend] { backend.Quit(); }); };
    program.Start();
    program.HandPaths(paths);
    single_copy.on_paths = [&program](const std::vector<std::string>& handed) {
      program.HandPaths(handed);
      program.BringToFront();
    };
    result = backend.Run();
  }
  app::SetCurrentBackend(nullptr);
  return result;
}
