#include "tests/support/time_limit.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace testing_support {

namespace {
constexpr int kPassed = 0;
constexpr int kFailed = 1;
}  // namespace

void RunWithinSeconds(unsigned seconds, const std::function<void()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(seconds);
    body();
    ::_exit(::testing::Test::HasFailure() ? kFailed : kPassed);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  if (WIFSIGNALED(status)) {
    ADD_FAILURE() << (WTERMSIG(status) == SIGALRM ? "still waiting after the time limit"
                                                  : "the child crashed");
  } else {
    EXPECT_EQ(WEXITSTATUS(status), kPassed) << "failures in the child, printed above";
  }
}

}  // namespace testing_support
