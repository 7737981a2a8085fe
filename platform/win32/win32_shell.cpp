#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <utility>

#include "platform/win32/help_guide.h"
#include "platform/win32/wide_text.h"
#include "platform/windows_path.h"

namespace platform {

namespace {

constexpr wchar_t kOpenVerb[] = L"open";
// ShellExecute reports success with any value above this one.
constexpr INT_PTR kLastShellExecuteError = 32;

bool ShellExecuteOpen(const std::string& path) {
  const HINSTANCE result = ::ShellExecuteW(nullptr, kOpenVerb, win32::WidenText(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > kLastShellExecuteError;
}

class Win32Shell final : public Shell {
 public:
  Win32Shell(HelpGuidePlaces guide, std::function<bool(const std::string&)> open)
      : guide_(std::move(guide)), open_(std::move(open)) {}

  bool OpenDocument(const std::string& path) override {
    if (windows_path::EqualIgnoringCase(path, guide_.opened)) win32::UpdateGuide(guide_.shipped, guide_.opened);
    return open_(path);
  }

  void NotifyAssociationsChanged() override {
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  }

 private:
  HelpGuidePlaces guide_;
  std::function<bool(const std::string&)> open_;
};

}  // namespace

std::unique_ptr<Shell> MakeWin32Shell() {
  return MakeWin32Shell({win32::ShippedGuidePath(), win32::kHelpGuidePath}, ShellExecuteOpen);
}

std::unique_ptr<Shell> MakeWin32Shell(HelpGuidePlaces guide, std::function<bool(const std::string&)> open) {
  return std::make_unique<Win32Shell>(std::move(guide), std::move(open));
}

}  // namespace platform
