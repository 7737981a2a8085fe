// Record files under what only a POSIX system does: folders without write
// permission, files without read permission, and a writer killed outright.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "store/errors.h"
#include "store/ini_document.h"
#include "store/ini_file.h"
#include "tests/store/store_fixture.h"
#include "tests/store/store_posix_fixture.h"

namespace store {
namespace {

using store_testing::RunUnprivileged;
using store_testing::WriteErrorText;
using testing_support::WriteAll;

constexpr char kFile[] = "C:\\WINDOWS\\zizodo\\zizodo123\\test.INI";

class IniFilePosixTest : public store_testing::StoreTest {
 protected:
  void SetUp() override { MakeDataFolder(); }
  std::string Real() const { return InData("test.INI"); }
};

TEST_F(IniFilePosixTest, FolderThatTakesNoNewEntriesRefusesEveryWrite) {
  IniFile file(fs(), kFile);
  file.WriteString("s", "k", "v");
  const std::string bytes = ReadReal(Real());
  const std::string expected = std::string("Unable to write to ") + kFile;
  std::filesystem::permissions(DataFolder(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_EQ(WriteErrorText([&] { file.WriteString("s", "k", "w"); }), expected);
  IniFile fresh(fs(), "C:\\WINDOWS\\zizodo\\zizodo123\\fresh.INI");
  EXPECT_THROW(fresh.WriteString("s", "k", "v"), WriteError);
  std::filesystem::permissions(DataFolder(), std::filesystem::perms::owner_all);
  EXPECT_EQ(ReadReal(Real()), bytes);
  EXPECT_FALSE(fresh.Exists());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(DataFolder()), {}), 1);  // no leftovers
}

TEST_F(IniFilePosixTest, FileThatCannotBeReadIsNeverOverwritten) {
  // A file this user may replace but not read: writing would lose what it
  // holds, so it fails instead.
  WriteAll(Real(), "[s]\r\nsecret=1\r\n");
  std::filesystem::permissions(Real(), std::filesystem::perms::owner_write);
  const bool refused = RunUnprivileged(prefix_.root(), [&] {
    IniFile unreadable(fs(), kFile);
    if (unreadable.ReadString("s", "secret", "") != "") return false;
    try {
      unreadable.WriteString("s", "k", "v");
    } catch (const WriteError&) {
      unreadable.DeleteKey("s", "secret");
      return true;
    }
    return false;
  });
  EXPECT_TRUE(refused);
  EXPECT_EQ(ReadReal(Real()), "[s]\r\nsecret=1\r\n");
}

// A writer killed at any moment leaves a file that holds every entry it
// finished and nothing half-written.
TEST_F(IniFilePosixTest, KilledWriterLeavesTheOldOrTheNewFileNeverAMix) {
  constexpr int kMaxRows = 1500;  // keeps the key listing below its size limit
  std::mt19937 random(7);
  IniFile file(fs(), kFile);
  int finished = 0;
  for (int round = 0; round < 8; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      IniFile writer(fs(), kFile);
      for (int i = finished; i < kMaxRows; ++i) {
        writer.WriteString("rows", std::to_string(i), "C:\\item\\" + std::to_string(i));
      }
      ::_exit(0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5 + random() % 40));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    const IniDocument doc = IniDocument::Parse(ReadReal(Real()));
    const std::vector<std::string> keys = doc.Keys("rows");
    ASSERT_GE(static_cast<int>(keys.size()), finished);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      ASSERT_EQ(keys[i], std::to_string(i));
      ASSERT_EQ(doc.Get("rows", keys[i]).value_or(""), "C:\\item\\" + std::to_string(i));
    }
    EXPECT_EQ(ReadReal(Real()), doc.Serialize());
    finished = static_cast<int>(keys.size());
    EXPECT_EQ(file.ReadSection("rows").size(), keys.size());
  }
  EXPECT_GT(finished, 0);
}

}  // namespace
}  // namespace store
