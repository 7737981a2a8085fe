#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// Another program run as a separate process, for tests of two copies of the
// program at work at once. A child still running at the end is killed.
class ChildProcess {
 public:
  // Starts `program` with `arguments`. A program named without a folder is
  // looked for beside the running test program. Started() tells whether it
  // began.
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return id_ != 0; }
  // True while the child has not ended yet.
  bool Running();
  // Waits for the child to end. Its exit code, or -1 when it was killed or
  // never started.
  int Wait();
  // Ends the child at once, as a crash or a forced end would.
  void Kill();

 private:
  std::uintptr_t id_ = 0;  // the process id on Linux, the handle on Windows
  bool waited_ = false;
  int exit_code_ = -1;
};

}  // namespace testing_support
