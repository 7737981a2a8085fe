#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/shell.h"

namespace platform {

// Where Help's guide comes from and where it is opened.
struct HelpGuidePlaces {
  std::string shipped;  // the guide shipped with the program
  std::string opened;   // the copy that Help opens
};

// The Windows shell: ShellExecuteA "open" and SHChangeNotify. Opening the
// help guide (C:\WINDOWS\Quillomar.htm) first puts the guide shipped beside
// quillomar.exe there when that copy is missing or older
// (win32::UpdateGuide); the guide is opened whether or not that succeeds.
std::unique_ptr<Shell> MakeWin32Shell();

// The same with other places for the guide and `open` in ShellExecute's
// place (for tests). `open` gets the Windows path and says whether the
// request could be made.
std::unique_ptr<Shell> MakeWin32Shell(HelpGuidePlaces guide, std::function<bool(const std::string&)> open);

}  // namespace platform
