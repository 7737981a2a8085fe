// Child processes on Linux: posix_spawn and waitpid.

#include "tests/support/child_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace testing_support {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = {program};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0) {
    id_ = static_cast<std::uintptr_t>(pid);
  }
}

ChildProcess::~ChildProcess() {
  if (Started() && !waited_) {
    Kill();
    Wait();
  }
}

bool ChildProcess::Running() {
  if (!Started() || waited_) return false;
  int status = 0;
  const pid_t ended = ::waitpid(static_cast<pid_t>(id_), &status, WNOHANG);
  if (ended == 0) return true;
  // Reaped now: the exit code is kept for Wait().
  if (ended > 0 && WIFEXITED(status)) exit_code_ = WEXITSTATUS(status);
  waited_ = true;
  return false;
}

int ChildProcess::Wait() {
  if (!Started() || waited_) return exit_code_;
  int status = 0;
  if (::waitpid(static_cast<pid_t>(id_), &status, 0) > 0 && WIFEXITED(status)) {
    exit_code_ = WEXITSTATUS(status);
  }
  waited_ = true;
  return exit_code_;
}

void ChildProcess::Kill() {
  if (Started() && !waited_) ::kill(static_cast<pid_t>(id_), SIGKILL);
}

}  // namespace testing_support
