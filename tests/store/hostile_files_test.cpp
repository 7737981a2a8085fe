// Record files that nobody would write by hand but anybody could leave: very
// large files and lines, NUL bytes, bytes that are no UTF-8, key names at
// their longest. Each is read without a crash and within the store's limits:
// at most 2,047 characters per value, and a key listing that fits into
// 16,384 bytes.

#include <filesystem>
#include <string>
#include <vector>

#include "store/data_store.h"
#include "store/errors.h"
#include "store/ini_document.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/store/store_fixture.h"

namespace store {
namespace {

namespace r = records;
using testing_support::WriteAll;
using Names = std::vector<std::string>;

constexpr char kFile[] = "C:\\WINDOWS\\zizodo\\zizodo123\\hostile.INI";
constexpr std::size_t kMegabyte = 1024 * 1024;

// The bytes a key listing takes: each name with its terminating byte, plus
// the final byte.
std::size_t ListingBytes(const Names& names) {
  std::size_t bytes = 1;
  for (const std::string& name : names) bytes += name.size() + 1;
  return bytes;
}

class HostileFilesTest : public store_testing::StoreTest {
 protected:
  void SetUp() override { MakeDataFolder(); }
  std::string Real() const { return InData("hostile.INI"); }
  IniFile File() { return IniFile(fs(), kFile); }
};

TEST_F(HostileFilesTest, ATenMegabyteSettingsFileListsWhatFitsAndTakesWrites) {
  std::string bytes = "[chuangjianxiyonghu]\r\n";
  const std::string password(40, 'p');
  int users = 0;
  while (bytes.size() < 10 * kMegabyte) bytes += "user" + std::to_string(users++) + "=" + password + "\r\n";
  WriteAll(InData("zizodo.INI"), bytes);

  const Names names = UserNames(fs());
  ASSERT_FALSE(names.empty());
  EXPECT_LE(ListingBytes(names), IniDocument::kKeyListingBytes);
  // As many as fit, in file order: one more would not have.
  EXPECT_GT(ListingBytes(names) + ("user" + std::to_string(names.size())).size() + 1,
            IniDocument::kKeyListingBytes);
  EXPECT_EQ(names.back(), "user" + std::to_string(names.size() - 1));
  EXPECT_EQ(UserPassword(fs(), "user" + std::to_string(users - 1)), password);

  // A user added past the listing is written and can log in all the same.
  AddUserEntry(fs(), "late", "pw");
  EXPECT_EQ(UserPassword(fs(), "late"), "pw");
  EXPECT_EQ(ReadReal(InData("zizodo.INI")), bytes + "late=pw\r\n");
}

TEST_F(HostileFilesTest, HugeLinesAreCutOnReadingAndKeptWholeOnWriting) {
  const std::string huge(kMegabyte, 'v');
  const std::string huge_key(kMegabyte, 'k');
  const std::string bytes = "[s]\r\nbefore=1\r\nlong=" + huge + "\r\nquoted=\"" + huge + "\"\r\n" + huge_key +
                            "=x\r\nafter=2\r\n[" + std::string(kMegabyte, 'S') + "]\r\nk=3\r\n";
  WriteAll(Real(), bytes);

  EXPECT_EQ(File().ReadString("s", "long", ""), huge.substr(0, IniDocument::kMaxValueLength));
  EXPECT_EQ(File().ReadString("s", "quoted", ""), huge.substr(0, IniDocument::kMaxValueLength));
  EXPECT_EQ(File().ReadString("s", huge_key, ""), "x");
  EXPECT_EQ(File().ReadString(std::string(kMegabyte, 's'), "K", ""), "3");
  // A name longer than the whole listing ends it.
  EXPECT_EQ(File().ReadSection("s"), (Names{"before", "long", "quoted"}));

  File().WriteString("s", "after", "changed");
  std::string expected = bytes;
  expected.replace(expected.find("after=2"), 7, "after=changed");
  EXPECT_EQ(ReadReal(Real()), expected);
}

TEST_F(HostileFilesTest, NulBytesAndInvalidUtf8AreJustBytes) {
  using namespace std::string_literals;
  const std::string bytes =
      "\xEF\xBB\xBF[s\0x]\r\nk\0ey=va\0lue\r\n\xFF\xFE=\xC3\x28\r\n\xC3\xA9=lower\r\n\xC3\x89=upper\r\n"
      "\0\0\0\r\n[t]\n\xF0\x28\x8C\x28\rend=\xE2\x82\r\n"s;
  WriteAll(Real(), bytes);

  EXPECT_EQ(File().ReadString("S\0X"s, "K\0EY"s, ""), "va\0lue"s);
  EXPECT_EQ(File().ReadString("s\0x"s, "\xFF\xFE", ""), "\xC3\x28");
  // Only ASCII letters fold: "é" and "É" are two keys.
  EXPECT_EQ(File().ReadString("s\0x"s, "\xC3\xA9", ""), "lower");
  EXPECT_EQ(File().ReadString("s\0x"s, "\xC3\x89", ""), "upper");
  // Lines without "=" read as absent and are not listed.
  EXPECT_EQ(File().ReadSection("s\0x"s), (Names{"k\0ey"s, "\xFF\xFE", "\xC3\xA9", "\xC3\x89"}));
  EXPECT_EQ(File().ReadSection("t"), (Names{"end"}));

  // A write changes its one line and keeps every other byte (line ends
  // become CR LF).
  File().WriteString("t", "end", "ok");
  EXPECT_EQ(ReadReal(Real()), bytes.substr(0, bytes.find("[t]")) + "[t]\r\n\xF0\x28\x8C\x28\r\nend=ok\r\n");
}

TEST_F(HostileFilesTest, KeyNamesAtTheirLongestFillAListing) {
  // Key names of 255 bytes: 63 of them fill a listing.
  File().Update([](IniDocument& doc) {
    for (char c = 'a'; c <= 'z'; ++c) {
      for (char d = 'a'; d <= 'c'; ++d) doc.Set("s", std::string(253, c) + d + d, "1");
    }
  });
  const Names names = File().ReadSection("s");
  EXPECT_EQ(names.size(), 63u);
  EXPECT_LE(ListingBytes(names), IniDocument::kKeyListingBytes);
}

}  // namespace
}  // namespace store
