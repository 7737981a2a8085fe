#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace testing_support {

// The names that desktops hand to the program as they are, one table for
// every way in (a path at start, a second start, a file manager's entry, a
// drop): a blank, a leading "-", an option's name, quotes, a line feed and
// bytes that are not UTF-8. Made in one real folder of a drive, they are
// hidden and recorded in table order, except a name the records cannot
// hold (the line feed), which is refused and left as it is.
struct HandedName {
  std::string name;
  bool folder;    // made as a folder, else as a file
  bool recorded;  // hidden and recorded, else refused
};
const std::vector<HandedName>& HandedNames();

// Makes every name of the table in the real folder `real_folder` (made
// too) and returns their real paths in table order.
std::vector<std::string> MakeHandedNames(const std::string& real_folder);

// The account's list holds exactly the recorded names of the table, in
// table order, as entries of `windows_folder`, each with a sequence number
// of its own, and exactly those carry the hidden marks; with `hidden`
// false, nothing of the table is listed or marked.
void ExpectHandedNames(platform::FileSystem& fs, const std::string& account, const std::string& windows_folder,
                       const std::string& real_folder, bool hidden);

}  // namespace testing_support
