// The command stopped as a killed process: in a child process that ends
// itself just before the chosen change.

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "store/errors.h"
#include "tests/engine/kill_scene.h"
#include "tests/support/hooked_file_system.h"

namespace engine_testing {

namespace {
constexpr int kStopped = 77;
constexpr int kRanToTheEnd = 78;
}  // namespace

bool StopsBeforeChange(platform::FileSystem& files,
                       const std::function<void(platform::FileSystem&)>& command, int n) {
  const pid_t child = ::fork();
  if (child == 0) {
    testing_support::HookedFileSystem hooked(files);
    int changes = 0;
    hooked.before_change = [&](const std::string&, const std::string&) {
      if (++changes == n) ::_exit(kStopped);
    };
    try {
      command(hooked);
    } catch (const store::Error&) {
    }
    ::_exit(kRanToTheEnd);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
    ADD_FAILURE() << "the command's process did not end normally";
    return false;
  }
  return WEXITSTATUS(status) == kStopped;
}

}  // namespace engine_testing
