#include "platform/win32/private_folder.h"

#include <windows.h>
#include <aclapi.h>

#include <array>
#include <optional>

#include "platform/win32/exact_path.h"

namespace platform::win32 {

namespace {

constexpr DWORD kInherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
constexpr std::array<WELL_KNOWN_SID_TYPE, 2> kOwners = {WinBuiltinAdministratorsSid, WinLocalSystemSid};

// A well-known SID in a buffer of its own.
struct Sid {
  BYTE bytes[SECURITY_MAX_SID_SIZE];
  bool made = false;
  explicit Sid(WELL_KNOWN_SID_TYPE type) {
    DWORD size = sizeof bytes;
    made = ::CreateWellKnownSid(type, nullptr, bytes, &size) != 0;
  }
  PSID get() { return bytes; }
};

struct LocalFree {
  void operator()(void* memory) const { ::LocalFree(memory); }
};

// True when the list holds exactly one allowing entry, for everything and
// inherited by files and folders, for each of the owners, and nothing else.
bool HoldsOwnersOnly(PACL acl) {
  ACL_SIZE_INFORMATION size{};
  if (acl == nullptr || !::GetAclInformation(acl, &size, sizeof size, AclSizeInformation) ||
      size.AceCount != kOwners.size()) {
    return false;
  }
  for (std::size_t i = 0; i < kOwners.size(); ++i) {
    void* ace = nullptr;
    if (!::GetAce(acl, static_cast<DWORD>(i), &ace)) return false;
    const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
    Sid owner(kOwners[i]);
    if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE || (allowed->Header.AceFlags & kInherited) != kInherited ||
        (allowed->Mask & FILE_ALL_ACCESS) != FILE_ALL_ACCESS ||
        !::EqualSid(const_cast<DWORD*>(&allowed->SidStart), owner.get())) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool IsFolderPrivate(const std::string& real_path) {
  const std::optional<std::wstring> exact = ExactPath(real_path);
  if (!exact) return false;
  UniqueHandle folder = OpenEntry(*exact, READ_CONTROL);
  if (!folder) return false;
  PACL acl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetSecurityInfo(folder.get(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &acl, nullptr,
                        &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  const std::unique_ptr<void, LocalFree> owned(descriptor);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  return ::GetSecurityDescriptorControl(descriptor, &control, &revision) && (control & SE_DACL_PROTECTED) != 0 &&
         HoldsOwnersOnly(acl);
}

bool KeepsAccessLists() {
  // Wine keeps none: it derives a file's list from its Unix permissions and
  // turns a list it is given back into them, where one for Administrators
  // would give the group write access.
  return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr;
}

bool KeepFolderPrivate(const std::string& real_path) {
  if (IsFolderPrivate(real_path)) return true;
  if (!KeepsAccessLists()) return false;
  const std::optional<std::wstring> exact = ExactPath(real_path);
  if (!exact) return false;
  Sid administrators(kOwners[0]);
  Sid system(kOwners[1]);
  if (!administrators.made || !system.made) return false;
  EXPLICIT_ACCESSW entries[2] = {};
  PSID sids[2] = {administrators.get(), system.get()};
  for (int i = 0; i < 2; ++i) {
    entries[i].grfAccessPermissions = FILE_ALL_ACCESS;
    entries[i].grfAccessMode = SET_ACCESS;
    entries[i].grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    entries[i].Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entries[i].Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    entries[i].Trustee.ptstrName = static_cast<LPWSTR>(sids[i]);
  }
  PACL acl = nullptr;
  if (::SetEntriesInAclW(2, entries, nullptr, &acl) != ERROR_SUCCESS) return false;
  const std::unique_ptr<void, LocalFree> owned(acl);
  // By name, so that what the folder holds takes the list too.
  std::wstring name = *exact;
  ::SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                          nullptr, nullptr, acl, nullptr);
  return IsFolderPrivate(real_path);
}

}  // namespace platform::win32
