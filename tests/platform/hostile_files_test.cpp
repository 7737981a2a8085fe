// Things another local user can leave in place of a folder's .hidden (a
// pipe, links to files or devices, a second name of another file, a folder,
// a file of another owner): a listing, an attribute read and a hide in that
// folder never wait on them, never write through them, and tell the caller
// when the item could not be listed; the item itself still gets its marks.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/platform/posix_fixture.h"
#include "tests/support/time_limit.h"

namespace {

namespace fs = std::filesystem;
using platform::kAttrHiddenSystem;
using testing_support::DosAttrib;
using testing_support::ReadAll;
using testing_support::WriteAll;

constexpr unsigned kTimeLimitSeconds = 20;
constexpr uid_t kOtherOwner = 65534;

struct HostileDotHidden {
  const char* what;
  // Puts the thing in place of C:\Data\.hidden; `elsewhere` is a file
  // outside the folder that it may lead to.
  std::function<void(const std::string& dot_hidden, const std::string& elsewhere)> make;
  bool listed;  // the item's name lands in it (a regular file the owner may write)
};

const HostileDotHidden kThings[] = {
    {"a pipe", [](const std::string& at, const std::string&) { ASSERT_EQ(::mkfifo(at.c_str(), 0666), 0); }, false},
    {"a link to a file", [](const std::string& at, const std::string& elsewhere) { fs::create_symlink(elsewhere, at); },
     false},
    {"a link to a device", [](const std::string& at, const std::string&) { fs::create_symlink("/dev/zero", at); },
     false},
    {"a second name of a file", [](const std::string& at, const std::string& elsewhere) { fs::create_hard_link(elsewhere, at); },
     false},
    {"a folder", [](const std::string& at, const std::string&) { fs::create_directory(at); }, false},
    {"another owner's read-only file",
     [](const std::string& at, const std::string&) {
       WriteAll(at, "other\n");
       fs::permissions(at, fs::perms(0444));
       [[maybe_unused]] int ignored = ::chown(at.c_str(), kOtherOwner, kOtherOwner);
     },
     false},
    {"another owner's file",
     [](const std::string& at, const std::string&) {
       WriteAll(at, "other\n");
       fs::permissions(at, fs::perms(0644));
       [[maybe_unused]] int ignored = ::chown(at.c_str(), kOtherOwner, kOtherOwner);
     },
     true},
};

using HostileFiles = posix_testing::DataFolderTest;

TEST_F(HostileFiles, NothingInPlaceOfDotHiddenMakesACallWaitOrIsWrittenThrough) {
  const std::string elsewhere = prefix_.root() + "/elsewhere";
  for (const HostileDotHidden& thing : kThings) {
    fs::remove_all(folder_);
    fs::create_directory(folder_);
    WriteAll(elsewhere, "elsewhere\n");
    WriteAll(Real("item"), "x");
    thing.make(Real(".hidden"), elsewhere);
    const fs::file_status before = fs::symlink_status(Real(".hidden"));

    testing_support::RunWithinSeconds(kTimeLimitSeconds, [&] {
      EXPECT_EQ(prefix_.fs().GetAttributes(Win("item")), platform::kAttrNone) << thing.what;
      EXPECT_TRUE(prefix_.fs().ListFolder("C:\\Data").has_value()) << thing.what;
      const platform::AttributesResult result =
          prefix_.fs().SetEntryAttributes({"C:\\Data", "item"}, kAttrHiddenSystem);
      EXPECT_EQ(result.applied, thing.listed) << thing.what;
      EXPECT_EQ(result.unlisted_in, thing.listed ? "" : "C:\\Data\\.hidden") << thing.what;
      // An item that file managers would still show is left as it was.
      EXPECT_EQ(DosAttrib(Real("item")), thing.listed ? "0x6" : "") << thing.what;
      EXPECT_EQ(prefix_.fs().GetAttributes(Win("item")), thing.listed ? kAttrHiddenSystem : platform::kAttrNone)
          << thing.what;
    });
    EXPECT_EQ(ReadAll(elsewhere), "elsewhere\n") << thing.what;
    EXPECT_EQ(fs::symlink_status(Real(".hidden")).type(), before.type()) << thing.what;
    if (thing.listed) {
      EXPECT_EQ(ReadAll(Real(".hidden")), "other\nitem\n") << thing.what;
      struct stat status {};
      ASSERT_EQ(::stat(Real(".hidden").c_str(), &status), 0);
      if (::geteuid() == 0) {
        EXPECT_EQ(status.st_uid, kOtherOwner) << "the owner stays";
      }
    }
  }
}

}  // namespace
