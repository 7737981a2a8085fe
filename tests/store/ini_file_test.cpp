#include "store/ini_file.h"

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "store/errors.h"
#include "store/ini_document.h"
#include "tests/store/store_fixture.h"
#include "tests/support/file_access.h"

namespace store {
namespace {

using store_testing::WriteErrorText;
using testing_support::MakeReadOnly;
using testing_support::WriteAll;

constexpr char kFile[] = "C:\\WINDOWS\\zizodo\\zizodo123\\test.INI";

class IniFileTest : public store_testing::StoreTest {
 protected:
  void SetUp() override { MakeDataFolder(); }
  std::string Real() const { return InData("test.INI"); }
};

TEST_F(IniFileTest, AbsentFileReadsEmptyAndIsNeverCreatedByReadsOrDeletes) {
  IniFile file(fs(), kFile);
  EXPECT_FALSE(file.Exists());
  EXPECT_EQ(file.ReadString("s", "k", ""), "");
  EXPECT_EQ(file.ReadString("s", "k", "fallback"), "fallback");
  EXPECT_TRUE(file.ReadSection("s").empty());
  EXPECT_FALSE(file.Load().HasSection("s"));
  file.DeleteKey("s", "k");
  file.EraseSection("s");
  EXPECT_FALSE(std::filesystem::exists(Real()));
}

TEST_F(IniFileTest, WritesRewriteInPlaceAndEverySpellingReachesOneFile) {
  IniFile file(fs(), kFile);
  file.WriteString("s", "a", "1");
  file.WriteString("s", "b", "2");
  file.WriteString("t", "c", "3");
  file.WriteString("S", "A", "9");
  EXPECT_EQ(ReadReal(Real()), "[s]\r\na=9\r\nb=2\r\n[t]\r\nc=3\r\n");

  IniFile other_spelling(fs(), "c:\\windows\\ZIZODO\\zizodo123\\TEST.ini");
  EXPECT_TRUE(other_spelling.Exists());
  EXPECT_EQ(other_spelling.ReadString("s", "a", ""), "9");
  other_spelling.DeleteKey("s", "b");
  other_spelling.EraseSection("t");
  EXPECT_EQ(file.ReadSection("s"), std::vector<std::string>{"a"});
  EXPECT_EQ(ReadReal(Real()), "[s]\r\na=9\r\n");
}

TEST_F(IniFileTest, UpdateAppliesManyChangesAtOnceAndWritesNothingWhenNothingChanged) {
  IniFile file(fs(), kFile);
  file.Update([](IniDocument& doc) {
    for (int i = 1; i <= 1000; ++i) doc.Set("rows", std::to_string(i), "C:\\x" + std::to_string(i));
    for (int i = 1; i <= 1000; i += 2) doc.DeleteKey("rows", std::to_string(i));
  });
  EXPECT_EQ(file.ReadSection("rows").size(), 500u);

  const auto before = fs().Stamp(kFile);
  file.WriteString("rows", "2", "C:\\x2");
  file.Update([](IniDocument& doc) { doc.DeleteKey("rows", "1"); });
  EXPECT_EQ(fs().Stamp(kFile), before);
}

TEST_F(IniFileTest, FailedEditsLeaveFileAndLaterReadsAsTheyWere) {
  IniFile file(fs(), kFile);
  file.WriteString("s", "a", "1");
  const std::string bytes = ReadReal(Real());
  EXPECT_EQ(file.ReadString("s", "a", ""), "1");  // cached now

  // An edit that throws half way, and one with text the file cannot hold.
  EXPECT_THROW(file.Update([](IniDocument& doc) {
    doc.Set("s", "a", "changed");
    throw std::runtime_error("stop");
  }),
               std::runtime_error);
  EXPECT_EQ(WriteErrorText([&] { file.WriteString("s", "a", "1\r\n[x]\r\ny=1"); }),
            std::string("Unable to write to ") + kFile);
  EXPECT_EQ(WriteErrorText([&] {
    file.Update([](IniDocument& doc) {
      doc.Set("s", "fine", "1");
      doc.Set("s", "bad=key", "1");
    });
  }),
            std::string("Unable to write to ") + kFile);

  EXPECT_EQ(ReadReal(Real()), bytes);
  EXPECT_EQ(file.ReadString("s", "a", ""), "1");
  EXPECT_EQ(file.ReadString("s", "fine", "none"), "none");
}

TEST_F(IniFileTest, WritesThatCannotLandThrowWithTheWindowsPathAndChangeNothing) {
  // A missing folder is not created.
  IniFile missing(fs(), "C:\\WINDOWS\\nowhere\\x.INI");
  EXPECT_EQ(WriteErrorText([&] { missing.WriteString("s", "k", "v"); }),
            "Unable to write to C:\\WINDOWS\\nowhere\\x.INI");
  EXPECT_FALSE(std::filesystem::exists(prefix_.DriveC() + "/WINDOWS/nowhere"));

  // A read-only file: every write fails, a key deletion quietly does nothing.
  IniFile file(fs(), kFile);
  file.WriteString("s", "k", "v");
  const std::string bytes = ReadReal(Real());
  MakeReadOnly(Real());
  const std::string expected = std::string("Unable to write to ") + kFile;
  EXPECT_EQ(WriteErrorText([&] { file.WriteString("s", "k", "w"); }), expected);
  EXPECT_EQ(WriteErrorText([&] { file.EraseSection("s"); }), expected);
  EXPECT_EQ(WriteErrorText([&] { file.Update([](IniDocument& doc) { doc.Set("t", "k", "v"); }); }), expected);
  file.DeleteKey("s", "k");
  EXPECT_EQ(ReadReal(Real()), bytes);
  EXPECT_EQ(file.ReadString("s", "k", ""), "v");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(DataFolder()), {}), 1);  // no leftovers
}

TEST_F(IniFileTest, FileThatCannotBeReadIsNeverOverwritten) {
  // A folder in the file's place reads as empty and cannot be written.
  std::filesystem::create_directory(Real());
  IniFile file(fs(), kFile);
  EXPECT_EQ(file.ReadString("s", "k", "default"), "default");
  EXPECT_THROW(file.WriteString("s", "k", "v"), WriteError);
}

TEST_F(IniFileTest, ReadsSeeChangesMadeBehindTheStoresBack) {
  IniFile file(fs(), kFile);
  file.WriteString("s", "k", "1");
  EXPECT_EQ(file.ReadString("s", "k", ""), "1");

  // Same size, same inode, right after the store's own write.
  WriteAll(Real(), "[s]\r\nk=2\r\n");
  EXPECT_EQ(file.ReadString("s", "k", ""), "2");

  // Once the file has settled and is served from the cache, an in-place
  // change of the same size is still seen.
  std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  EXPECT_EQ(file.ReadString("s", "k", ""), "2");
  EXPECT_EQ(file.ReadString("s", "k", ""), "2");
  WriteAll(Real(), "[s]\r\nk=3\r\n");
  EXPECT_EQ(file.ReadString("s", "k", ""), "3");
  EXPECT_EQ(file.ReadSection("s"), std::vector<std::string>{"k"});

  // A file removed and made again by someone else.
  std::filesystem::remove(Real());
  EXPECT_EQ(file.ReadString("s", "k", "gone"), "gone");
  WriteAll(Real(), "[s]\r\nk=4\r\n");
  EXPECT_EQ(file.ReadString("s", "k", ""), "4");

  // The same Windows path under another prefix is another file.
  testing_support::TempPrefix other;
  std::filesystem::create_directories(other.DriveC() + "/WINDOWS/zizodo/zizodo123");
  EXPECT_EQ(IniFile(other.fs(), kFile).ReadString("s", "k", "none"), "none");
}

}  // namespace
}  // namespace store
