#pragma once

#include <functional>

namespace testing_support {

// Runs `body` in a child process that is ended when it takes longer than
// `seconds` (a guard against a call that waits for good, such as opening a
// pipe). The child's test failures are printed as they happen; one more
// failure is added here when the child failed, hung or crashed.
void RunWithinSeconds(unsigned seconds, const std::function<void()>& body);

}  // namespace testing_support
