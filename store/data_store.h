#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

// The routines that create, hide, reset and mirror the data store, and that
// keep account files in step with their accounts. Each opens the record files
// it needs and releases them before it returns. Write failures throw
// store::WriteError; the other file operations' results are ignored as noted.
// None takes the records' lock (FileSystem::LockRecords): a command takes it
// once, at the engine's entry point, around every routine it calls; the
// store's own tests and tools that stand for a command take it themselves.
namespace store {

// State of the store as the start-up routine sees it.
enum class StoreState {
  kInitialised,     // the settings file holds the first-run marker "2"
  kNotInitialised,  // no settings file, or one read in full without the marker
  kUnreadable,      // the settings file is there but cannot be read: never reset it
};

// Reads the first-run marker.
StoreState ReadStoreState(platform::FileSystem& fs);

// Sets the data folder's parent and then the data folder to hidden+system,
// and keeps the data folder private (FileSystem::KeepPrivate): run at every
// start. Failures (a folder that does not exist yet) are ignored.
void HideStoreFolders(platform::FileSystem& fs);

// Removes what commands killed part-way left in the data store, under the
// records' lock (the caller's); the start-up routine runs it first. Removed are the
// temporary files of record writes (in the data folder and beside the
// mirror) and the second name that an administrator change gives the
// administrator's account file while it runs (RenameAdministrator): a name
// in the data folder for the very file that the administrator's name leads
// to. Nothing else is touched; every result is ignored.
void RemoveLeftovers(platform::FileSystem& fs);

// Deletes the data folder with everything in it, silently; its parent stays.
// Under the records' lock (the caller's) it reads the first-run marker once more and
// deletes only when the store is still not initialised (kNotInitialised):
// another copy of the program may have set it up since the caller looked.
void ResetStore(platform::FileSystem& fs);

// First-run set-up: creates the data folder with every missing level and, if
// it exists then, writes the administrator's account file, then the marker,
// the counter "0" and the default administrator (section erased first). The
// four settings entries go into the settings file with one rewrite, after
// the account file: a process killed at any point leaves a store that is
// either complete or not set up (which the next start resets and offers to
// set up again). Returns true once the store is set up. Throws WriteError
// naming the data folder when it could not be made (nothing written), and
// WriteError when a write fails; later writes are skipped. A store
// that holds the marker already (set up by another copy of the program while
// this one offered first run) is left as it is, and true is returned.
bool InitialiseStore(platform::FileSystem& fs);

// The names for the login window's user box: ordinary users in file order,
// then administrators in file order; a name in both sections comes twice.
std::vector<std::string> AccountNamesForLogin(platform::FileSystem& fs);

// The key names of the administrators' and the ordinary users' sections.
std::vector<std::string> AdministratorNames(platform::FileSystem& fs);
std::vector<std::string> UserNames(platform::FileSystem& fs);

// The stored password of `name` among the ordinary users / administrators
// ("" when absent; key names match without regard to letter case).
std::string UserPassword(platform::FileSystem& fs, const std::string& name);
std::string AdministratorPassword(platform::FileSystem& fs, const std::string& name);

// True when an account file of that name exists (letter case ignored):
// the name is taken.
bool AccountNameTaken(platform::FileSystem& fs, const std::string& name);

// Writes the ordinary user's entry (name = password) into the settings file.
void AddUserEntry(platform::FileSystem& fs, const std::string& name, const std::string& password);

// Creates the account file with its marker and sets it hidden+system.
void CreateAccountFile(platform::FileSystem& fs, const std::string& name);

// Administrator change: gives the old account file its new name first, as a
// second name of the same file; only when that succeeds, erases the
// administrators' section and writes new_name = new_password (one rewrite
// of the settings file), then removes the old name and sets the file
// hidden+system. Wherever a process is killed, the settings name an
// administrator whose account file holds the list, and the old or the new
// password logs in; the second name left behind goes at the next start
// (RemoveLeftovers). Where the file system keeps no second names, the file
// is renamed instead. Returns false (nothing changed) when the new name
// could not be given. When the settings cannot be rewritten, the new name
// is taken away again and WriteError is thrown.
bool RenameAdministrator(platform::FileSystem& fs, const std::string& old_name,
                         const std::string& new_name, const std::string& new_password);

// Deletes the user's account file (failure ignored), then the user's key.
void DeleteUserAccount(platform::FileSystem& fs, const std::string& name);

// The mirror copy: clears the mirror's attributes, copies the global record
// onto it (only a regular file, and replacing rather than writing through a
// link at the mirror's place), sets it hidden+system. Every result is
// ignored. The caller holds the records' lock.
void MakeMirrorCopy(platform::FileSystem& fs);

}  // namespace store
