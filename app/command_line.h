#pragma once

#include <string>

namespace app {

// What the command line asks of the program before any window: the program
// takes no arguments of its own but these two, and ignores every other one.
enum class CommandLineRequest {
  kRun,      // start the program
  kHelp,     // print the usage and end
  kVersion,  // print the name and version and end
};

// Reads the arguments (argv[0] is the program). "--help" wins over
// "--version" wherever each stands; anything else is ignored.
CommandLineRequest ReadCommandLine(int argc, const char* const* argv);

// The text printed for kHelp or kVersion, ending in a newline; "" for kRun.
std::string CommandLineAnswer(CommandLineRequest request);

}  // namespace app
