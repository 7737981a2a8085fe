// Drive links, path mapping and the user's folders of the Linux backend.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/posix/user_folders.h"
#include "tests/support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempPrefix;
using testing_support::WriteAll;

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(PosixDrives, FreshPrefixGetsTheDefaultDrives) {
  TempPrefix prefix;
  const std::string devices = prefix.prefix() + "/dosdevices";
  EXPECT_EQ(fs::read_symlink(devices + "/c:"), "../drive_c");
  EXPECT_EQ(fs::read_symlink(devices + "/d:"), "../drive_d");
  EXPECT_EQ(fs::read_symlink(devices + "/z:"), "/");
  EXPECT_TRUE(fs::is_directory(prefix.DriveC()));
  EXPECT_TRUE(fs::is_directory(prefix.DriveD()));
  EXPECT_EQ(prefix.fs().Drives(), (std::vector<char>{'C', 'D', 'Z'}));

  // A link that leads to a folder is a drive; a dangling one is not.
  fs::create_directory(prefix.prefix() + "/second");
  fs::create_symlink("../second", devices + "/e:");
  fs::create_symlink("../nowhere", devices + "/f:");
  EXPECT_EQ(prefix.fs().Drives(), (std::vector<char>{'C', 'D', 'E', 'Z'}));
  EXPECT_TRUE(prefix.fs().ReplaceFile("e:\\x.ini", "x"));
  EXPECT_TRUE(fs::exists(prefix.prefix() + "/second/x.ini"));
  EXPECT_FALSE(prefix.fs().CreateFolder("F:\\x"));

  // The user's own dosdevices set-up is kept: a removed drive stays removed.
  fs::remove(devices + "/d:");
  auto again = platform::MakeFileSystemAt(prefix.prefix(), prefix.desktop());
  EXPECT_EQ(again->Drives(), (std::vector<char>{'C', 'E', 'Z'}));
  EXPECT_FALSE(again->ReplaceFile("D:\\biefei.ini", "x"));
}

TEST(PosixDrives, EveryComponentResolvesWithoutRegardToCase) {
  TempPrefix prefix;
  fs::create_directories(prefix.DriveC() + "/WINDOWS/zizodo");
  WriteAll(prefix.DriveC() + "/WINDOWS/zizodo/name.ini", "x");
  const std::string zizodo = prefix.DriveC() + "/WINDOWS/zizodo";

  EXPECT_EQ(prefix.fs().NativePath("c:\\windows\\ZIZODO\\NAME.Ini"), zizodo + "/name.ini");
  EXPECT_EQ(prefix.fs().NativePath("C:\\Windows\\zizodo\\New\\File.INI"),
            zizodo + "/New/File.INI");
  EXPECT_EQ(prefix.fs().NativePath("C:"), prefix.DriveC());
  EXPECT_EQ(prefix.fs().NativePath("C:\\"), prefix.DriveC());
  // An exact name wins over one that differs only in case.
  WriteAll(zizodo + "/NAME.INI", "y");
  EXPECT_EQ(prefix.fs().NativePath("C:\\WINDOWS\\zizodo\\NAME.INI"), zizodo + "/NAME.INI");
  EXPECT_EQ(prefix.fs().NativePath("C:\\WINDOWS\\zizodo\\name.ini"), zizodo + "/name.ini");

  // ".." never climbs out of the drive into the prefix.
  EXPECT_EQ(prefix.fs().NativePath("C:\\..\\..\\dosdevices"), prefix.DriveC() + "/dosdevices");
  EXPECT_EQ(prefix.fs().NativePath("C:\\WINDOWS\\.\\zizodo\\..\\x"), prefix.DriveC() + "/WINDOWS/x");
  EXPECT_EQ(prefix.fs().NativePath("Z:\\"), "/");
  EXPECT_EQ(prefix.fs().NativePath(TempPrefix::ThroughZ(zizodo)), zizodo);
  EXPECT_EQ(prefix.fs().NativePath("\\\\server\\share"), "");

  // Without a drive, a name is taken from the working directory.
  const fs::path working = fs::current_path();
  fs::current_path(prefix.root());
  EXPECT_EQ(prefix.fs().NativePath("My Computer"), prefix.root() + "/My Computer");
  EXPECT_FALSE(prefix.fs().FolderExists("My Computer"));
  EXPECT_TRUE(prefix.fs().FolderExists("DESKTOP"));
  fs::current_path(working);
}

TEST(PosixDrives, DesktopFolderComesFromUserDirs) {
  using platform::posix::DesktopFolderFromUserDirs;
  EXPECT_EQ(DesktopFolderFromUserDirs("# XDG_DESKTOP_DIR=\"/no\"\n"
                                      "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
                                      "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n",
                                      "/home/ann"),
            "/home/ann/Schreibtisch");
  EXPECT_EQ(DesktopFolderFromUserDirs("XDG_DESKTOP_DIR=\"/srv/my \\\"desk\\\"\"\r\n", "/h"),
            "/srv/my \"desk\"");
  EXPECT_EQ(DesktopFolderFromUserDirs("XDG_DESKTOP_DIR=\"$HOMEWORK/x\"\n", "/h"), "");

  // The whole lookup, on a home folder of the test's own.
  TempPrefix prefix;
  EXPECT_EQ(prefix.fs().DesktopPath(), TempPrefix::ThroughZ(prefix.desktop()));
  ScopedEnv home("HOME", prefix.root().c_str());
  ScopedEnv config("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(platform::posix::UserDesktopFolder(), prefix.root() + "/Desktop");
  fs::create_directories(prefix.root() + "/.config");
  WriteAll(prefix.root() + "/.config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
  EXPECT_EQ(platform::posix::UserDesktopFolder(), prefix.root() + "/Bureau");
  auto desk = platform::MakeFileSystemAt(prefix.prefix());
  EXPECT_EQ(desk->DesktopPath(), TempPrefix::ThroughZ(prefix.root() + "/Bureau"));
}

TEST(PosixDrives, PrefixFolderFollowsTheEnvironment) {
  ScopedEnv home("HOME", "/home/ann");
  ScopedEnv data("XDG_DATA_HOME", nullptr);
  ScopedEnv own("QUILLOMAR_PREFIX", nullptr);
  EXPECT_EQ(platform::DefaultPrefixFolder(), "/home/ann/.local/share/quillomar");
  ScopedEnv relative("XDG_DATA_HOME", "relative/data");
  EXPECT_EQ(platform::DefaultPrefixFolder(), "/home/ann/.local/share/quillomar");
  ScopedEnv absolute("XDG_DATA_HOME", "/data");
  EXPECT_EQ(platform::DefaultPrefixFolder(), "/data/quillomar");
  ScopedEnv chosen("QUILLOMAR_PREFIX", "/srv/prefix");
  EXPECT_EQ(platform::DefaultPrefixFolder(), "/srv/prefix");
}

}  // namespace
