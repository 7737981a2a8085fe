#pragma once

#include <windows.h>

#include <string>

namespace bench_win32 {

// The performance counter's time in seconds, for timing one run.
inline double SecondsNow() {
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  ::QueryPerformanceCounter(&counter);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A new, unused name in the temporary folder, for a benchmark's drive prefix.
inline std::string NewTempPrefixName() {
  char temp[MAX_PATH];
  char name[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  ::GetTempFileNameA(temp, "qlb", 0, name);
  ::DeleteFileA(name);  // the name was reserved with a file
  return name;
}

}  // namespace bench_win32
