#include "app/toolkit/backend.h"
#include "app/toolkit/win32/win32_backend.h"
#include "app/toolkit/win32/win32_test_driver.h"

namespace app {

// The Win32 test driver, over the Win32 backend the tests installed.
TestDriver& CurrentTestDriver() {
  static win32::Win32TestDriver driver(dynamic_cast<win32::Win32Backend&>(CurrentBackend()));
  return driver;
}

}  // namespace app
