#pragma once

#include <string>
#include <string_view>

// The user's folders as the desktop environment names them.
namespace platform::posix {

// The user's home folder: $HOME, else the password database's entry.
std::string HomeFolder();

// The prefix folder: $QUILLOMAR_PREFIX, else $XDG_DATA_HOME/quillomar, else
// ~/.local/share/quillomar. Empty or relative XDG values are passed over, as
// the XDG rules say.
std::string PrefixFolderFromEnvironment();

// The user's desktop folder: XDG_DESKTOP_DIR of user-dirs.dirs (in
// $XDG_CONFIG_HOME, else ~/.config) with "$HOME" expanded, else ~/Desktop.
std::string UserDesktopFolder();

// The value of XDG_DESKTOP_DIR in the text of a user-dirs.dirs file, with a
// leading "$HOME" replaced by `home`; "" when the file does not set it.
std::string DesktopFolderFromUserDirs(std::string_view user_dirs, const std::string& home);

// The Windows path of a real path through drive Z: ("/home/ann/Desktop" ->
// "Z:\home\ann\Desktop"), relative paths taken from the working directory,
// without a trailing backslash.
std::string ThroughDriveZ(const std::string& native_path);

}  // namespace platform::posix
