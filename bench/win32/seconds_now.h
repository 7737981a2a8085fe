#pragma once

#include <windows.h>

namespace bench_win32 {

// The performance counter's time in seconds, for timing one run.
inline double SecondsNow() {
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  ::QueryPerformanceCounter(&counter);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench_win32
