#include "toolkit/backend.h"
#include "toolkit/win32/backend.h"
#include "toolkit/win32/test_driver.h"

namespace app {

// The Win32 test driver, over the Win32 backend the tests installed.
TestDriver& CurrentTestDriver() {
  static win32::Win32TestDriver driver(dynamic_cast<win32::Win32Backend&>(CurrentBackend()));
  return driver;
}

}  // namespace app
