#pragma once

// The record files of a store with one account that has hidden two items,
// and the commands of the program that write them, for tests of what each
// command leaves behind when the disk misbehaves.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/hidden_items.h"
#include "store/data_store.h"
#include "store/errors.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/support/file_access.h"
#include "tests/support/record_states.h"
#include "tests/support/temp_prefix.h"

namespace engine_testing {

using platform::FileSystem;
using testing_support::FileStates;
using testing_support::ReadFileStates;
using Command = std::function<void(FileSystem&)>;
using Lines = std::vector<std::string>;

inline constexpr char kSettingsError[] = "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\zizodo.INI";
inline constexpr char kAdministratorError[] = "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\name.INI";
inline constexpr char kAnnError[] = "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\Ann.INI";
inline constexpr char kBobError[] = "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\Bob.INI";
inline constexpr char kGlobalError[] = "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\biefei.INI";
inline constexpr char kEmptyCounterError[] = "'' is not a valid floating point value";

// The items live on D:, so that a fault on drive C: never reaches them.
inline constexpr char kItemA[] = "D:\\Items\\a.txt";
inline constexpr char kItemB[] = "D:\\Items\\b.txt";
inline constexpr char kItemC[] = "D:\\Items\\c.txt";

// The commands of the program, as their handlers run them.
inline void HideC(FileSystem& files) { engine::HideItem(files, "Ann", kItemC); }
inline void RestoreA(FileSystem& files) { engine::Restore(files, "Ann", {{kItemA, false}, {kItemB, true}}); }
inline void NewUserBob(FileSystem& files) {
  if (store::AccountNameTaken(files, "Bob")) return;
  store::AddUserEntry(files, "Bob", "bobpw");
  store::CreateAccountFile(files, "Bob");
}
inline void RenameAdministrator(FileSystem& files) { store::RenameAdministrator(files, "name", "Boss", "pw"); }
inline void DeleteAnn(FileSystem& files) { store::DeleteUserAccount(files, "Ann"); }
inline void SwitchSkin(FileSystem& files) {
  store::IniFile(files, store::records::kSettingsFile)
      .WriteString(store::records::kSkinSection, store::records::kSkinKey, store::records::kSkinTwo);
}
inline void FirstRun(FileSystem& files) { store::InitialiseStore(files); }
inline void MirrorCopy(FileSystem& files) { store::MakeMirrorCopy(files); }

class FaultsTest : public ::testing::Test {
 protected:
  // A store after first run, with user Ann, who has hidden a and b; c is not
  // hidden yet.
  void SetUp() override { Prepare(); }

  void Prepare() {
    ASSERT_TRUE(store::InitialiseStore(fs()));
    store::AddUserEntry(fs(), "Ann", "annpw");
    store::CreateAccountFile(fs(), "Ann");
    std::filesystem::create_directories(Native("D:\\Items"));
    for (const char* item : {kItemA, kItemB, kItemC}) testing_support::WriteAll(Native(item), "x");
    ASSERT_EQ(engine::HideItem(fs(), "Ann", kItemA), "1");
    ASSERT_EQ(engine::HideItem(fs(), "Ann", kItemB), "2");
  }

  FileSystem& fs() { return prefix_.fs(); }
  std::string Native(const std::string& path) { return fs().NativePath(path); }
  std::string DataFolder() { return Native(store::records::kDataFolder); }
  // The attributes of an item as tests compare them; 0xFFFF when it is gone.
  std::uint32_t Attributes(const char* item) {
    return testing_support::Comparable(fs().GetAttributes(item)).value_or(0xFFFF);
  }

  // Runs `command` on a healthy copy of the record files in `before` (files
  // only: a healthy data folder holds no folders) and returns what it leaves.
  static FileStates AfterOnHealthyCopy(const FileStates& before, const Command& command) {
    testing_support::TempPrefix healthy;
    EXPECT_TRUE(healthy.fs().CreateFolder(store::records::kDataFolder));
    // The items' drive is there (an empty one would be away), without them.
    EXPECT_TRUE(healthy.fs().CreateFolder("D:\\Items"));
    const std::string folder = healthy.fs().NativePath(store::records::kDataFolder);
    for (const auto& [name, state] : before) {
      if (state != testing_support::kFolderState && state != testing_support::kOtherState) {
        testing_support::WriteAll(folder + "/" + name, state);
      }
    }
    try {
      command(healthy.fs());
    } catch (const store::Error& error) {
      ADD_FAILURE() << "the healthy copy failed too: " << error.what();
    }
    return ReadFileStates(folder);
  }

  // Runs `command` the way a handler does and returns the text of the error
  // it shows ("" for none). Every record file must stand afterwards as it
  // was before or as the command leaves it on a healthy copy.
  std::string Attempt(const Command& command) {
    const FileStates before = ReadFileStates(DataFolder());
    const FileStates after = AfterOnHealthyCopy(before, command);
    std::string shown;
    try {
      command(fs());
    } catch (const store::Error& error) {
      shown = error.what();
    }
    EXPECT_EQ(testing_support::EntriesInNeitherState(ReadFileStates(DataFolder()), before, after), "");
    return shown;
  }

  // Runs `command` like Attempt, for a command that must change no record
  // file at all (a healthy copy would fail the same way).
  std::string AttemptChangingNothing(const Command& command) {
    const FileStates before = ReadFileStates(DataFolder());
    const std::string shown = ShownError(command);
    EXPECT_EQ(testing_support::EntriesInNeitherState(ReadFileStates(DataFolder()), before, before), "");
    return shown;
  }

  // The text of the error that `command` shows on this prefix, "" for none.
  std::string ShownError(const Command& command) {
    try {
      command(fs());
    } catch (const store::Error& error) {
      return error.what();
    }
    return "";
  }

  // The bytes of a record file, or "<absent>".
  std::string Record(const std::string& path) {
    const std::string native = Native(path);
    return std::filesystem::is_regular_file(native) ? testing_support::ReadAll(native) : "<absent>";
  }

  // The hidden-item entries of a record file as "key=path" lines.
  std::vector<std::string> Entries(const std::string& path) {
    std::vector<std::string> out;
    const store::IniDocument doc = store::IniFile(fs(), path).Load();
    for (const std::string& key : doc.Keys(store::records::kHiddenItemsSection)) {
      out.push_back(key + "=" + doc.Get(store::records::kHiddenItemsSection, key).value_or(""));
    }
    return out;
  }

  testing_support::TempPrefix prefix_;
};

}  // namespace engine_testing
