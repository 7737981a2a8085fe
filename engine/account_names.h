#pragma once

#include <optional>
#include <string>

// What an account name and its password must be so that they survive being
// stored: the name becomes a file name in the data folder and a key of the
// settings file, the password a value of it, and both must read back exactly
// as they were typed so that the account can log in. The same rules hold for
// names typed in the Options window and for names read from the settings
// file, which people also edit by hand or copy between machines.
namespace engine {

// True when `name` can be an account name. Refused are names that:
// - hold a character that a file name cannot hold or that leads out of the
//   data folder: \ / : * ? " < > |, or any control character (below 0x20,
//   and 0x7F);
// - hold "=", "[" or "]", or start with ";": they would not read back as the
//   same key of the settings file;
// - have blanks at either end (keys are read back without them);
// - are "." or "..", or end with "." (Windows drops trailing dots);
// - are a device name Windows reserves, with or without an extension and in
//   any letter case (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-COM9,
//   LPT1-LPT9: "nul.txt" is refused too);
// - name one of the data folder's own record files (the settings file and
//   the global record), which an account file would otherwise overwrite;
// - are so long that the account file's path would pass the Windows path
//   limit.
// Bytes that are not UTF-8 (a name written in an 8-bit code page) are
// allowed: the name is used byte for byte. The empty name is not valid
// either; callers test for it first because it has a message of its own.
bool IsValidAccountName(const std::string& name);

// True when `password` reads back from the settings file exactly as typed:
// no blanks at either end, not enclosed in one pair of the same quotes
// ('...' or "..."), no control characters, and not longer than a value the
// store reads back. The empty password is not valid.
bool IsValidPassword(const std::string& password);

// The account file of `account`: the data folder + "\" + name + ".INI".
// nullopt when the name is not valid: no file is ever named after such a
// name, so that no account operation can reach the settings file, the
// global record or anything outside the data folder.
std::optional<std::string> AccountFile(const std::string& account);

}  // namespace engine
