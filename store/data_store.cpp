#include "store/data_store.h"

#include <memory>
#include <optional>

#include "store/errors.h"
#include "store/ini_document.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "platform/windows_path.h"

namespace store {

namespace {
using platform::FileSystem;
namespace r = records;

IniFile Settings(FileSystem& fs) { return IniFile(fs, r::kSettingsFile); }

// Held by every routine that reads and then writes record files, or writes
// several of them, so that another copy of the program cannot slip in between.
}  // namespace

StoreState ReadStoreState(FileSystem& fs) {
  // Read directly rather than through a cache: only an absent settings file,
  // or one read in full, may be taken for an uninitialised store, because
  // that verdict deletes the data folder.
  const platform::ReadResult read = fs.ReadFile(r::kSettingsFile);
  switch (read.status) {
    case platform::ReadStatus::kAbsent:
      return StoreState::kNotInitialised;
    case platform::ReadStatus::kError:
      return StoreState::kUnreadable;
    case platform::ReadStatus::kOk:
      break;
  }
  const std::optional<std::string> marker =
      IniDocument::Parse(read.bytes).Get(r::kFirstRunSection, r::kFirstRunKey);
  return marker == r::kFirstRunDone ? StoreState::kInitialised : StoreState::kNotInitialised;
}

void HideStoreFolders(FileSystem& fs) {
  fs.SetAttributesOfItems({r::kDataParentFolder, r::kDataFolder}, platform::kAttrHiddenSystem);
  fs.KeepPrivate(r::kDataFolder);
}

namespace {

// The file that the administrator's name leads to: the last key of the
// administrators' section, as the administrator change reads it.
std::optional<std::string> AdministratorFile(FileSystem& fs) {
  const std::vector<std::string> administrators = AdministratorNames(fs);
  if (administrators.empty()) return std::nullopt;
  return r::AccountFile(administrators.back());
}

// Removes every other name in the data folder of the administrator's
// account file. Names that are not one Windows name are passed over: a
// path made of one could lead somewhere else.
void RemoveSecondNames(FileSystem& fs) {
  const std::optional<std::string> administrator = AdministratorFile(fs);
  if (!administrator) return;
  const std::optional<platform::FileStamp> own = fs.Stamp(*administrator);
  const std::optional<std::vector<platform::DirEntry>> entries = fs.ListFolder(r::kDataFolder);
  if (!own || !entries) return;
  const std::string own_name = platform::windows_path::LastName(*administrator);
  for (const platform::DirEntry& entry : *entries) {
    if ((entry.attributes & platform::kAttrDirectory) != 0 ||
        platform::windows_path::HoldsForbiddenCharacter(entry.name) ||
        platform::windows_path::EqualIgnoringCase(entry.name, own_name)) {
      continue;
    }
    const std::string path = platform::windows_path::Join(r::kDataFolder, entry.name);
    const std::optional<platform::FileStamp> stamp = fs.Stamp(path);
    if (stamp && stamp->device == own->device && stamp->inode == own->inode) fs.DeleteFile(path);
  }
}

}  // namespace

void RemoveLeftovers(FileSystem& fs) {
  fs.RemoveLeftoverTemporaryFiles(r::kDataFolder);
  fs.RemoveLeftoverTemporaryFiles(r::kMirrorFolder);
  if (ReadStoreState(fs) == StoreState::kInitialised) RemoveSecondNames(fs);
}

void ResetStore(FileSystem& fs) {
  // Asked again under the caller's lock: another copy of the program may
  // have run first run since the caller looked, and its records must stay.
  if (ReadStoreState(fs) != StoreState::kNotInitialised) return;
  fs.DeleteFolder(r::kDataFolder);
}

bool InitialiseStore(FileSystem& fs) {
  // Another copy of the program may have set the store up meanwhile and
  // hidden items since; writing the counter "0" again would hand out its
  // sequence numbers a second time.
  if (ReadStoreState(fs) == StoreState::kInitialised) return true;
  if (!fs.CreateFolder(r::kDataFolder)) throw WriteError(r::kDataFolder);
  // Before the first record file: the passwords are in plain text.
  fs.KeepPrivate(r::kDataFolder);

  // The administrator's file comes first and the marker last, in one
  // rewrite with the counter and the administrator: until the marker is in
  // the file, the store counts as not set up.
  IniFile(fs, r::AccountFile(r::kDefaultAdministratorName))
      .WriteString(r::kAccountMarkerSection, r::kAccountMarkerKey, r::kAccountMarkerValue);
  Settings(fs).Update([](IniDocument& doc) {
    doc.Set(r::kFirstRunSection, r::kFirstRunKey, r::kFirstRunDone);
    doc.Set(r::kCounterSection, r::kCounterKey, r::kCounterStart);
    doc.EraseSection(r::kAdministratorsSection);
    doc.Set(r::kAdministratorsSection, r::kDefaultAdministratorName, r::kDefaultAdministratorPassword);
  });
  return true;
}

std::vector<std::string> AccountNamesForLogin(FileSystem& fs) {
  std::vector<std::string> names = UserNames(fs);
  const std::vector<std::string> administrators = AdministratorNames(fs);
  names.insert(names.end(), administrators.begin(), administrators.end());
  return names;
}

std::vector<std::string> AdministratorNames(FileSystem& fs) {
  return Settings(fs).ReadSection(r::kAdministratorsSection);
}

std::vector<std::string> UserNames(FileSystem& fs) { return Settings(fs).ReadSection(r::kUsersSection); }

std::string UserPassword(FileSystem& fs, const std::string& name) {
  return Settings(fs).ReadString(r::kUsersSection, name, "");
}

std::string AdministratorPassword(FileSystem& fs, const std::string& name) {
  return Settings(fs).ReadString(r::kAdministratorsSection, name, "");
}

bool AccountNameTaken(FileSystem& fs, const std::string& name) {
  return fs.FileExists(r::AccountFileProbe(name));
}

void AddUserEntry(FileSystem& fs, const std::string& name, const std::string& password) {
  Settings(fs).WriteString(r::kUsersSection, name, password);
}

void CreateAccountFile(FileSystem& fs, const std::string& name) {
  const std::string path = r::AccountFile(name);
  IniFile(fs, path).WriteString(r::kAccountMarkerSection, r::kAccountMarkerKey, r::kAccountMarkerValue);
  fs.SetAttributes(path, platform::kAttrHiddenSystem);
}

bool RenameAdministrator(FileSystem& fs, const std::string& old_name, const std::string& new_name,
                         const std::string& new_password) {
  const std::string old_path = r::AccountFile(old_name);
  const std::string new_path = r::AccountFile(new_name);
  // Both names lead to the one file until the settings name the new one, so
  // that the administrator the settings name always has the list.
  const bool second_name = fs.LinkFile(old_path, new_path);
  if (!second_name && !fs.MoveFile(old_path, new_path)) return false;

  // Erasing and writing in one rewrite: done separately, a failed write
  // after the erase would leave no administrator at all. If the rewrite
  // fails, the new name goes again so that file and settings still agree.
  try {
    Settings(fs).Update([&](IniDocument& doc) {
      doc.EraseSection(r::kAdministratorsSection);
      doc.Set(r::kAdministratorsSection, new_name, new_password);
    });
  } catch (const WriteError&) {
    if (second_name) {
      fs.DeleteFile(new_path);
    } else {
      fs.MoveFile(new_path, old_path);
    }
    throw;
  }
  if (second_name) fs.DeleteFile(old_path);
  fs.SetAttributes(new_path, platform::kAttrHiddenSystem);
  return true;
}

void DeleteUserAccount(FileSystem& fs, const std::string& name) {
  fs.DeleteFile(r::AccountFile(name));
  Settings(fs).DeleteKey(r::kUsersSection, name);
}

void MakeMirrorCopy(FileSystem& fs) {
  fs.SetAttributes(r::kMirrorFile, platform::kAttrNone);
  fs.CopyFile(r::kGlobalRecordCopySource, r::kMirrorFile);
  fs.SetAttributes(r::kMirrorFile, platform::kAttrHiddenSystem);
}

}  // namespace store
