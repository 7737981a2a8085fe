#include "app/command_line.h"

#include <string_view>

#include "app/application_title.h"

namespace app {

namespace {

constexpr std::string_view kHelpOption = "--help";
constexpr std::string_view kVersionOption = "--version";
// The project's version, given by the build.
constexpr char kVersion[] = QUILLOMAR_VERSION;
constexpr char kUsage[] =
    "Usage: quillomar [--help | --version]\n"
    "\n"
    "Hides folders and files from casual view and brings them back, behind a\n"
    "password; several accounts share one installation. Without an option it\n"
    "opens the login window, which needs a graphical session.\n"
    "\n"
    "  --help     print this help and end\n"
    "  --version  print the version and end\n"
    "\n"
    "Other arguments are ignored. The records live in the drive prefix named by\n"
    "QUILLOMAR_PREFIX, or else in $XDG_DATA_HOME/quillomar\n"
    "(~/.local/share/quillomar). Help in the program opens the user guide.\n";

}  // namespace

CommandLineRequest ReadCommandLine(int argc, const char* const* argv) {
  CommandLineRequest request = CommandLineRequest::kRun;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == kHelpOption) return CommandLineRequest::kHelp;
    if (argument == kVersionOption) request = CommandLineRequest::kVersion;
  }
  return request;
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
