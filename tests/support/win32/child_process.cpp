// Child processes on Windows: CreateProcessA and TerminateProcess.

#include "tests/support/child_process.h"

#include <windows.h>

namespace testing_support {

namespace {
// The exit code a killed child is given.
constexpr UINT kKilledExitCode = 0xDEAD;
}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
  // With no application name, Windows looks for the program in the folder
  // of the running program first.
  std::string command_line = "\"" + program + "\"";
  for (const std::string& argument : arguments) command_line += " \"" + argument + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (::CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
    ::CloseHandle(info.hThread);
    id_ = reinterpret_cast<std::uintptr_t>(info.hProcess);
  }
}

ChildProcess::~ChildProcess() {
  if (!Started()) return;
  if (!waited_) {
    Kill();
    Wait();
  }
  ::CloseHandle(reinterpret_cast<HANDLE>(id_));
}

bool ChildProcess::Running() {
  return Started() && !waited_ && ::WaitForSingleObject(reinterpret_cast<HANDLE>(id_), 0) == WAIT_TIMEOUT;
}

int ChildProcess::Wait() {
  if (!Started() || waited_) return exit_code_;
  const HANDLE process = reinterpret_cast<HANDLE>(id_);
  DWORD code = 0;
  if (::WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 && ::GetExitCodeProcess(process, &code) &&
      code != kKilledExitCode) {
    exit_code_ = static_cast<int>(code);
  }
  waited_ = true;
  return exit_code_;
}

void ChildProcess::Kill() {
  if (Started() && !waited_) ::TerminateProcess(reinterpret_cast<HANDLE>(id_), kKilledExitCode);
}

}  // namespace testing_support
