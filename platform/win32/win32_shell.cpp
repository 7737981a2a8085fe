#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace platform {

namespace {

constexpr char kOpenVerb[] = "open";
// ShellExecute reports success with any value above this one.
constexpr INT_PTR kLastShellExecuteError = 32;

class Win32Shell final : public Shell {
 public:
  bool OpenDocument(const std::string& path) override {
    const HINSTANCE result =
        ::ShellExecuteA(nullptr, kOpenVerb, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > kLastShellExecuteError;
  }

  void NotifyAssociationsChanged() override {
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  }
};

}  // namespace

std::unique_ptr<Shell> MakeWin32Shell() { return std::make_unique<Win32Shell>(); }

}  // namespace platform
