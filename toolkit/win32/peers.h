#pragma once

#include "toolkit/win32/windows_api.h"

#include <memory>

#include "toolkit/native.h"

// The makers of the Win32 peers; each lives in its own file.
namespace app::win32 {

class Win32Backend;

// The window of a peer made by this backend.
HWND HandleOf(NativeWindow& window);

// A child window that the toolkit paints (a panel, a splitter).
std::unique_ptr<NativeWindow> MakePainted(Win32Backend& backend, HWND parent, NativeEvents& events);
std::unique_ptr<NativeEdit> MakeEdit(Win32Backend& backend, HWND parent, NativeEvents& events);
std::unique_ptr<NativeComboBox> MakeComboBox(Win32Backend& backend, HWND parent, NativeEvents& events);
std::unique_ptr<NativePushButton> MakePushButton(Win32Backend& backend, HWND parent, NativeEvents& events);
std::unique_ptr<NativeTabs> MakeTabs(Win32Backend& backend, HWND parent, NativeEvents& events);
std::unique_ptr<NativeReportList> MakeReportList(Win32Backend& backend, HWND parent, NativeEvents& events);
std::unique_ptr<NativeTree> MakeTree(Win32Backend& backend, HWND parent, NativeEvents& events);

}  // namespace app::win32
