// The data folder's access list on Windows, read back as the system gives
// it: Administrators and SYSTEM alone, inherited by what the folder holds,
// and put back at the next start when someone widened it.

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/exact_path.h"
#include "platform/win32/private_folder.h"
#include "tests/support/file_access.h"
#include "tests/support/temp_prefix.h"

namespace {

// Full access for Administrators and SYSTEM, protected from the parent's
// list, inherited by files and folders; and as the files inherit it.
constexpr char kPrivateFolder[] = "D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";
constexpr char kPrivateFile[] = "D:(A;ID;FA;;;BA)(A;ID;FA;;;SY)";
// What a user widens it with: read access for everyone.
constexpr wchar_t kWidened[] = L"D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;FR;;;WD)";

std::string AccessList(const std::string& real_path) {
  const std::wstring exact = platform::win32::ExactPath(real_path).value_or(L"");
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetNamedSecurityInfoW(exact.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr,
                              nullptr, &descriptor) != ERROR_SUCCESS) {
    return "<unreadable>";
  }
  LPWSTR text = nullptr;
  std::string out = "<unconvertible>";
  if (::ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                             &text, nullptr)) {
    out.assign(text, text + ::lstrlenW(text));
    ::LocalFree(text);
  }
  ::LocalFree(descriptor);
  return out;
}

TEST(PrivateFolderTest, OnlyAdministratorsAndSystemMayReachTheFolderAndItsFilesAndAWidenedListIsPutBack) {
  testing_support::TempPrefix prefix;
  platform::FileSystem& fs = prefix.fs();
  ASSERT_TRUE(fs.CreateFolder("C:\\Data"));
  ASSERT_TRUE(fs.ReplaceFile("C:\\Data\\before.INI", "x"));
  const std::string folder = fs.NativePath("C:\\Data");

  if (!platform::win32::KeepsAccessLists()) {
    // Under Wine the folder's list stands for its Unix permissions: left
    // as it is, never widened.
    const std::string before = AccessList(folder);
    EXPECT_FALSE(fs.KeepPrivate("C:\\Data"));
    EXPECT_EQ(AccessList(folder), before);
    GTEST_SKIP() << "Wine keeps no access lists of files";
  }
  ASSERT_TRUE(fs.KeepPrivate("C:\\Data"));
  ASSERT_TRUE(fs.ReplaceFile("C:\\Data\\after.INI", "x"));
  EXPECT_EQ(AccessList(folder), kPrivateFolder);
  EXPECT_EQ(AccessList(fs.NativePath("C:\\Data\\before.INI")), kPrivateFile);
  EXPECT_EQ(AccessList(fs.NativePath("C:\\Data\\after.INI")), kPrivateFile);

  PSECURITY_DESCRIPTOR widened = nullptr;
  ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(kWidened, SDDL_REVISION_1, &widened, nullptr));
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL acl = nullptr;
  ASSERT_TRUE(::GetSecurityDescriptorDacl(widened, &present, &acl, &defaulted));
  std::wstring name = platform::win32::ExactPath(folder).value_or(L"");
  ASSERT_EQ(::SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT,
                                    DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                    acl, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  ::LocalFree(widened);
  ASSERT_NE(AccessList(folder), kPrivateFolder);

  EXPECT_TRUE(fs.KeepPrivate("C:\\Data"));
  EXPECT_EQ(AccessList(folder), kPrivateFolder);
  EXPECT_EQ(AccessList(fs.NativePath("C:\\Data\\before.INI")), kPrivateFile);
}

}  // namespace
