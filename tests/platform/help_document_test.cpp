// The user guide that a new drive prefix receives at C:\WINDOWS\Quillomar.htm.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/posix/help_document.h"
#include "tests/support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using platform::posix::HelpDocument;
using platform::posix::PlaceHelpDocument;
using platform::posix::UpdateHelpDocument;
using testing_support::ReadAll;
using testing_support::TempPrefix;
using testing_support::WriteAll;

// The guide as it stands in the source tree.
std::string SourceGuide() { return ReadAll(QUILLOMAR_HELP_DOCUMENT_SOURCE); }

std::vector<std::string> EntryNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

TEST(HelpDocument, NewPrefixGetsTheGuideWhereHelpOpensIt) {
  ASSERT_GT(SourceGuide().size(), 1000u);
  EXPECT_EQ(HelpDocument(), SourceGuide()) << "the compiled-in guide differs from docs/Quillomar.htm";

  TempPrefix prefix;
  const std::string windows = prefix.DriveC() + "/WINDOWS";
  EXPECT_EQ(ReadAll(windows + "/Quillomar.htm"), SourceGuide());
  // Reached through the drive links as the program names it, and nothing
  // else left beside it.
  const platform::ReadResult read = prefix.fs().ReadFile(platform::posix::kHelpDocumentPath);
  EXPECT_EQ(read.status, platform::ReadStatus::kOk);
  EXPECT_EQ(read.bytes, SourceGuide());
  EXPECT_EQ(EntryNames(windows), std::vector<std::string>{"Quillomar.htm"});
  EXPECT_EQ(prefix.fs().GetAttributes(platform::posix::kHelpDocumentPath), platform::kAttrNone);
}

TEST(HelpDocument, AnExistingPrefixIsLeftAsTheUserKeepsIt) {
  TempPrefix prefix;
  const std::string guide = prefix.DriveC() + "/WINDOWS/Quillomar.htm";
  WriteAll(guide, "my own notes");
  platform::MakeFileSystemAt(prefix.prefix(), prefix.desktop());
  EXPECT_EQ(ReadAll(guide), "my own notes");

  // A guide the user removed stays removed.
  fs::remove(guide);
  platform::MakeFileSystemAt(prefix.prefix(), prefix.desktop());
  EXPECT_FALSE(fs::exists(guide));
}

TEST(HelpDocument, NewDrivesOverAnOldDriveCKeepItsGuideAndFolderNames) {
  TempPrefix scratch;
  // A prefix whose drive_c came from elsewhere, with its own "windows".
  const std::string prefix = scratch.root() + "/copied";
  fs::create_directories(prefix + "/drive_c/windows");
  WriteAll(prefix + "/drive_c/windows/quillomar.HTM", "kept");
  auto files = platform::MakeFileSystemAt(prefix, scratch.desktop());
  EXPECT_EQ(ReadAll(prefix + "/drive_c/windows/quillomar.HTM"), "kept");
  EXPECT_EQ(EntryNames(prefix + "/drive_c"), std::vector<std::string>{"windows"});
  EXPECT_EQ(EntryNames(prefix + "/drive_c/windows"), std::vector<std::string>{"quillomar.HTM"});

  // Without a guide there, the folder of the other letter case receives it.
  fs::remove_all(prefix + "/dosdevices");
  fs::remove(prefix + "/drive_c/windows/quillomar.HTM");
  files = platform::MakeFileSystemAt(prefix, scratch.desktop());
  EXPECT_EQ(ReadAll(prefix + "/drive_c/windows/Quillomar.htm"), SourceGuide());
  EXPECT_EQ(EntryNames(prefix + "/drive_c"), std::vector<std::string>{"windows"});
}

TEST(HelpDocument, PlacingNeverReplacesOrFollowsWhatIsThere) {
  TempPrefix prefix;
  const std::string folder = prefix.root() + "/place";
  fs::create_directories(folder);

  // A link planted under the guide's name must not lead the write elsewhere.
  const std::string outside = prefix.root() + "/outside.txt";
  fs::create_symlink(outside, folder + "/linked.htm");
  EXPECT_FALSE(PlaceHelpDocument(folder + "/linked.htm"));
  EXPECT_FALSE(fs::exists(outside));

  fs::create_directory(folder + "/taken.htm");
  EXPECT_FALSE(PlaceHelpDocument(folder + "/taken.htm"));
  EXPECT_FALSE(PlaceHelpDocument(folder + "/missing/guide.htm"));

  ASSERT_TRUE(PlaceHelpDocument(folder + "/guide.htm"));
  EXPECT_EQ(ReadAll(folder + "/guide.htm"), SourceGuide());
  EXPECT_FALSE(PlaceHelpDocument(folder + "/guide.htm"));
  // No temporary file is left behind by any of these.
  std::vector<std::string> names = EntryNames(folder);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"guide.htm", "linked.htm", "taken.htm"}));
}

TEST(HelpDocument, UpdateReplacesOnlyAMissingOrOlderCopyAndKeepsTheInstalledDate) {
  TempPrefix prefix;
  const std::string installed = prefix.root() + "/installed.htm";
  WriteAll(installed, "installed guide");
  const auto installed_time = fs::last_write_time(installed);
  const std::string copy = prefix.root() + "/copy.htm";
  struct Case {
    const char* what;
    const char* before;  // nullptr: no file
    int age_seconds;     // of the copy against the installed guide
    const char* after;
  };
  const Case cases[] = {
      {"missing", nullptr, 0, "installed guide"},
      {"older", "old guide", -3600, "installed guide"},
      {"as old", "same guide", 0, "same guide"},
      {"edited since", "my own notes", 3600, "my own notes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(copy);
    if (c.before != nullptr) {
      WriteAll(copy, c.before);
      fs::last_write_time(copy, installed_time + std::chrono::seconds(c.age_seconds));
    }
    EXPECT_TRUE(UpdateHelpDocument(copy, installed));
    EXPECT_EQ(ReadAll(copy), c.after);
    // A copy made now counts as current until the installed guide changes.
    if (std::string(c.after) == "installed guide") {
      EXPECT_EQ(fs::last_write_time(copy), installed_time);
    }
  }
  // Without an installed guide, the compiled-in one fills a gap only.
  fs::remove(copy);
  EXPECT_TRUE(UpdateHelpDocument(copy, prefix.root() + "/absent.htm"));
  EXPECT_EQ(ReadAll(copy), SourceGuide());
  WriteAll(copy, "kept");
  EXPECT_TRUE(UpdateHelpDocument(copy, prefix.root() + "/absent.htm"));
  EXPECT_EQ(ReadAll(copy), "kept");
  // A link or a folder in its place is never written through or replaced.
  fs::remove(copy);
  const std::string outside = prefix.root() + "/outside.txt";
  fs::create_symlink(outside, copy);
  EXPECT_FALSE(UpdateHelpDocument(copy, installed));
  EXPECT_FALSE(fs::exists(outside));
  std::vector<std::string> names = EntryNames(prefix.root());
  EXPECT_EQ(std::count_if(names.begin(), names.end(),
                          [](const std::string& n) { return n.find(".new-") != std::string::npos; }),
            0);
}

}  // namespace
