// Help on Windows: the guide shipped beside the program is put where Help
// opens it when the copy there is missing or older, and then opened.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/help_guide.h"
#include "platform/win32/win32_shell.h"
#include "tests/support/temp_prefix.h"

namespace {

using platform::win32::GuideUpdate;
using platform::win32::UpdateGuide;
using testing_support::ReadAll;
using testing_support::WriteAll;

constexpr char kShippedBytes[] = "<html>the guide of this version</html>";
constexpr char kOtherBytes[] = "<html>another guide</html>";
// One second in FILETIME units.
constexpr std::int64_t kSecond = 10'000'000;
// 2026-01-01 00:00:00 UTC, as a FILETIME.
constexpr std::int64_t kShippedTime = 134'116'992'000'000'000;

FILETIME AsFileTime(std::int64_t value) {
  return {static_cast<DWORD>(value & 0xFFFFFFFF), static_cast<DWORD>(value >> 32)};
}

void SetWriteTime(const std::string& path, std::int64_t value) {
  const HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  const FILETIME time = AsFileTime(value);
  EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &time));
  ::CloseHandle(file);
}

std::int64_t WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class HelpGuideTest : public ::testing::Test {
 protected:
  HelpGuideTest() {
    ::CreateDirectoryA(program_folder_.c_str(), nullptr);
    ::CreateDirectoryA(windows_folder_.c_str(), nullptr);
    WriteAll(shipped_, kShippedBytes);
    SetWriteTime(shipped_, kShippedTime);
  }
  // The entries of the folder that holds the placed guide.
  std::vector<std::string> WindowsFolder() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((windows_folder_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (found.cFileName[0] != '.') names.push_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
  }

  testing_support::TempPrefix scratch_;
  const std::string program_folder_ = scratch_.root() + "\\Program";
  const std::string windows_folder_ = scratch_.root() + "\\WINDOWS";
  const std::string shipped_ = program_folder_ + "\\Quillomar.htm";
  const std::string placed_ = windows_folder_ + "\\Quillomar.htm";
};

TEST_F(HelpGuideTest, AMissingOrOlderCopyIsReplacedAndANewerOrEqualOneIsKept) {
  struct Case {
    const char* what;
    const char* bytes;  // of the copy there before; nullptr: none
    std::int64_t age;   // its time against the shipped guide's
    GuideUpdate outcome;
    const char* after;
  };
  const Case cases[] = {
      {"missing", nullptr, 0, GuideUpdate::kPlaced, kShippedBytes},
      {"older, other bytes", kOtherBytes, -kSecond, GuideUpdate::kPlaced, kShippedBytes},
      {"older, same bytes", kShippedBytes, -kSecond, GuideUpdate::kPlaced, kShippedBytes},
      {"a day older", kOtherBytes, -86'400 * kSecond, GuideUpdate::kPlaced, kShippedBytes},
      {"same time, other bytes", kOtherBytes, 0, GuideUpdate::kPlaced, kShippedBytes},
      {"same time, same bytes", kShippedBytes, 0, GuideUpdate::kCurrent, kShippedBytes},
      {"newer: edited by the user", kOtherBytes, kSecond, GuideUpdate::kCurrent, kOtherBytes},
      {"empty and older: a copy cut short", "", -kSecond, GuideUpdate::kPlaced, kShippedBytes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ::DeleteFileA(placed_.c_str());
    if (c.bytes != nullptr) {
      WriteAll(placed_, c.bytes);
      SetWriteTime(placed_, kShippedTime + c.age);
    }
    EXPECT_EQ(UpdateGuide(shipped_, placed_), c.outcome);
    EXPECT_EQ(ReadAll(placed_), c.after);
    // The copy takes the shipped guide's time and then counts as current.
    if (c.outcome == GuideUpdate::kPlaced) {
      EXPECT_EQ(WriteTime(placed_), kShippedTime);
    }
    EXPECT_EQ(UpdateGuide(shipped_, placed_), GuideUpdate::kCurrent);
    EXPECT_EQ(WindowsFolder(), std::vector<std::string>{"Quillomar.htm"}) << "nothing left beside it";
  }
}

TEST_F(HelpGuideTest, WithoutAShippedGuideOrWithAFolderInTheWayNothingIsTouched) {
  WriteAll(placed_, kOtherBytes);
  SetWriteTime(placed_, kShippedTime - kSecond);
  EXPECT_EQ(UpdateGuide(program_folder_ + "\\missing.htm", placed_), GuideUpdate::kNoShipped);
  EXPECT_EQ(UpdateGuide(program_folder_, placed_), GuideUpdate::kNoShipped);
  EXPECT_EQ(UpdateGuide("", placed_), GuideUpdate::kNoShipped);
  EXPECT_EQ(ReadAll(placed_), kOtherBytes);

  ASSERT_TRUE(::DeleteFileA(placed_.c_str()));
  ASSERT_TRUE(::CreateDirectoryA(placed_.c_str(), nullptr));
  EXPECT_EQ(UpdateGuide(shipped_, placed_), GuideUpdate::kFailed);
  EXPECT_EQ(::GetFileAttributesA(placed_.c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(WindowsFolder(), std::vector<std::string>{"Quillomar.htm"});
}

TEST_F(HelpGuideTest, AReadOnlyShippedGuideGivesACopyThatTheNextVersionCanReplace) {
  ASSERT_TRUE(::SetFileAttributesA(shipped_.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(UpdateGuide(shipped_, placed_), GuideUpdate::kPlaced);
  EXPECT_EQ(::GetFileAttributesA(placed_.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

  // The next version ships a newer guide.
  ASSERT_TRUE(::SetFileAttributesA(shipped_.c_str(), FILE_ATTRIBUTE_NORMAL));
  WriteAll(shipped_, "<html>the next version</html>");
  SetWriteTime(shipped_, kShippedTime + 30 * 86'400 * kSecond);
  EXPECT_EQ(UpdateGuide(shipped_, placed_), GuideUpdate::kPlaced);
  EXPECT_EQ(ReadAll(placed_), "<html>the next version</html>");
}

TEST_F(HelpGuideTest, TheFolderForTheGuideIsMadeWhenMissing) {
  const std::string elsewhere = scratch_.root() + "\\NoSuchFolder\\Quillomar.htm";
  EXPECT_EQ(UpdateGuide(shipped_, elsewhere), GuideUpdate::kPlaced);
  EXPECT_EQ(ReadAll(elsewhere), kShippedBytes);
}

TEST_F(HelpGuideTest, OpeningTheGuidePutsItInPlaceFirstAndOtherDocumentsLeaveItAlone) {
  std::vector<std::string> opened;
  std::vector<std::string> seen_there;
  const std::unique_ptr<platform::Shell> shell =
      platform::MakeWin32Shell({shipped_, placed_}, [&](const std::string& path) {
        opened.push_back(path);
        seen_there.push_back(Exists(placed_) ? ReadAll(placed_) : "<none>");
        return true;
      });

  // Another document: the guide is not placed.
  const std::string letter = scratch_.root() + "\\letter.txt";
  WriteAll(letter, "dear");
  EXPECT_TRUE(shell->OpenDocument(letter));
  // The guide, named in any letter case: placed before it is opened.
  std::string shouting = placed_;
  for (char& c : shouting) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
  EXPECT_TRUE(shell->OpenDocument(shouting));
  EXPECT_EQ(opened, (std::vector<std::string>{letter, shouting}));
  EXPECT_EQ(seen_there, (std::vector<std::string>{"<none>", kShippedBytes}));

  // Without a shipped guide the copy there is still opened.
  ASSERT_TRUE(::DeleteFileA(shipped_.c_str()));
  EXPECT_TRUE(shell->OpenDocument(placed_));
  EXPECT_EQ(opened.size(), 3u);
  EXPECT_EQ(seen_there.back(), kShippedBytes);
}

}  // namespace
