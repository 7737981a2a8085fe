#pragma once

#include <string>
#include <vector>

namespace app {

// What the command line asks of the program before any window: the program
// takes no options of its own but these two, and ignores every other one.
enum class CommandLineRequest {
  kRun,      // start the program
  kHelp,     // print the usage and end
  kVersion,  // print the name and version and end
};

// The command line as the program reads it.
struct CommandLine {
  CommandLineRequest request = CommandLineRequest::kRun;
  // The items to hide after the login, in the order given, byte for byte:
  // every argument after "--", and before it every one that does not begin
  // with "-". Empty arguments name nothing and are left out.
  std::vector<std::string> paths;
};

// Reads the arguments (argv[0] is the program). Before "--", "--help" wins
// over "--version" wherever each stands, and other options are ignored;
// after "--" every argument is a path, whatever it begins with.
CommandLine ReadCommandLine(int argc, const char* const* argv);

// How many of the arguments (argv[0] included) stand before "--": the only
// ones where the toolkit may look for options of its own, so that a path
// after "--" is never taken for one.
int ArgumentsBeforeEnd(int argc, const char* const* argv);

// The text printed for kHelp or kVersion, ending in a newline; "" for kRun.
std::string CommandLineAnswer(CommandLineRequest request);

}  // namespace app
