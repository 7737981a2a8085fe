#include "app/command_line.h"

#include <string_view>

#include "app/application_title.h"

namespace app {

namespace {

constexpr std::string_view kHelpOption = "--help";
constexpr std::string_view kVersionOption = "--version";
constexpr std::string_view kEndOfOptions = "--";
// The project's version, given by the build.
constexpr char kVersion[] = QUILLOMAR_VERSION;
constexpr char kUsage[] =
    "Usage: quillomar [--help | --version]\n"
    "       quillomar [--] [PATH...]\n"
    "\n"
    "Hides folders and files from casual view and brings them back, behind a\n"
    "password; several accounts share one installation. Without an option it\n"
    "opens the login window, which needs a graphical session.\n"
    "\n"
    "  --help     print this help and end\n"
    "  --version  print the version and end\n"
    "\n"
    "Each PATH (a file or a folder) is hidden after the login, in the order\n"
    "given, as the Hide Folder command hides it; a wrong password or No hides\n"
    "nothing. Where the program already runs for this user and drive prefix,\n"
    "the paths go to that copy, which hides them at once when logged in.\n"
    "After \"--\" every argument is a path, even one beginning with \"-\".\n"
    "\n"
    "Other options are ignored. The records live in the drive prefix named by\n"
    "QUILLOMAR_PREFIX, or else in $XDG_DATA_HOME/quillomar\n"
    "(~/.local/share/quillomar). Help in the program opens the user guide.\n";

}  // namespace

CommandLine ReadCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  const int before_end = ArgumentsBeforeEnd(argc, argv);
  bool help = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (i == before_end || argument.empty()) continue;
    if (i < before_end && argument.front() == '-') {
      if (argument == kHelpOption) help = true;
      if (argument == kVersionOption) line.request = CommandLineRequest::kVersion;
      continue;
    }
    line.paths.emplace_back(argument);
  }
  if (help) line.request = CommandLineRequest::kHelp;
  return line;
}

int ArgumentsBeforeEnd(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == kEndOfOptions) return i;
  }
  return argc;
}

std::string CommandLineAnswer(CommandLineRequest request) {
  switch (request) {
    case CommandLineRequest::kHelp:
      return kUsage;
    case CommandLineRequest::kVersion:
      return std::string(kApplicationTitle) + " " + kVersion + "\n";
    case CommandLineRequest::kRun:
      break;
  }
  return {};
}

}  // namespace app
