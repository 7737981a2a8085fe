// The installed program's command line: --help and --version answer without
// a display and without making a drive prefix; other arguments change
// nothing. Without a display that answers, the program says so and ends.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "tests/support/temp_prefix.h"

namespace testing_support {
namespace {

struct CommandLineCase {
  QStringList arguments;
  int exit_code;
  const char* output_begins;  // standard output
  const char* error_begins;   // standard error
  const char* display = nullptr;  // DISPLAY, else none is named
};

// An X display that no server answers.
constexpr char kDeadDisplay[] = ":7391";

TEST(CommandLineTest, HelpAndVersionAnswerWithoutDisplayOrPrefix) {
  const CommandLineCase cases[] = {
      {{"--version"}, 0, "Quillomar " QUILLOMAR_VERSION "\n", ""},
      {{"--help"}, 0, "Usage: quillomar [--help | --version]\n", ""},
      {{"-x", "--version", "file"}, 0, "Quillomar " QUILLOMAR_VERSION "\n", ""},
      {{"--version", "--help"}, 0, "Usage: quillomar", ""},
      // Anything else starts the program as before, which needs a display.
      {{"--verbose"}, 1, "", "Quillomar is a desktop program and needs a graphical session: no display"},
      // A display named but not there: the same words, not Qt's abort.
      {{}, 1, "", "Quillomar is a desktop program and needs a graphical session: the display cannot be reached (DISPLAY=:7391)", kDeadDisplay},
  };
  for (const CommandLineCase& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString() + (c.display != nullptr ? c.display : ""));
    TempPrefix scratch;
    const std::string prefix = scratch.root() + "/unused-prefix";
    const std::string data_home = scratch.root() + "/data";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      environment.remove(variable);
    }
    if (c.display != nullptr) environment.insert("DISPLAY", c.display);
    environment.insert("QUILLOMAR_PREFIX", QString::fromStdString(prefix));
    environment.insert("XDG_DATA_HOME", QString::fromStdString(data_home));
    environment.insert("HOME", QString::fromStdString(scratch.root()));

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QUILLOMAR_PROGRAM, c.arguments);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), c.exit_code);
    const std::string output = program.readAllStandardOutput().toStdString();
    const std::string error = program.readAllStandardError().toStdString();
    EXPECT_EQ(output.rfind(c.output_begins, 0), 0u) << output;
    EXPECT_EQ(error.rfind(c.error_begins, 0), 0u) << error;
    if (*c.output_begins == '\0') {
      EXPECT_EQ(output, "");
    }
    if (*c.error_begins == '\0') {
      EXPECT_EQ(error, "");
    }
    EXPECT_FALSE(std::filesystem::exists(prefix));
    EXPECT_FALSE(std::filesystem::exists(data_home));
  }
}

TEST(CommandLineTest, PathsAreEveryNonOptionAndEverythingAfterTheEnd) {
  // The arguments; what they ask for (0 run, 1 help, 2 version) and their paths.
  const std::pair<std::vector<const char*>, std::string> cases[] = {
      {{"quillomar", "a b", "-x", "", "c"}, "0 a b|c|"},
      {{"quillomar", "--", "--help", "-", "--", "x"}, "0 --help|-|--|x|"},
      {{"quillomar", "p", "--version", "--", "--help"}, "2 p|--help|"},
      {{"quillomar", "--version", "q", "--help"}, "1 q|"}};
  for (const auto& [argv, expected] : cases) {
    const app::CommandLine line = app::ReadCommandLine(static_cast<int>(argv.size()), argv.data());
    std::string read = std::to_string(static_cast<int>(line.request)) + " ";
    for (const std::string& path : line.paths) read += path + "|";
    EXPECT_EQ(read, expected);
  }
}

}  // namespace
}  // namespace testing_support
