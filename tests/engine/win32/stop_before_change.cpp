// The command stopped as a killed process, in this process (Windows has no
// fork): from the chosen change on, every change throws instead of reaching
// the disk, so nothing the command would still do gets there; only the
// records' lock is let go, as the system lets go a killed process's.

#include "store/errors.h"
#include "tests/engine/kill_scene.h"
#include "tests/support/hooked_file_system.h"

namespace engine_testing {

namespace {
struct Stopped {};
}  // namespace

bool StopsBeforeChange(platform::FileSystem& files,
                       const std::function<void(platform::FileSystem&)>& command, int n) {
  testing_support::HookedFileSystem hooked(files);
  int changes = 0;
  hooked.before_change = [&](const std::string&, const std::string&) {
    if (++changes >= n) throw Stopped{};
  };
  try {
    command(hooked);
  } catch (const Stopped&) {
    return true;
  } catch (const store::Error&) {
  }
  return false;
}

}  // namespace engine_testing
