// Copies of the program with prefixes of their own (two people, or two
// users of one machine) hiding in one shared folder at once, some of them
// showing each item again right away: each takes the folder's lock while it
// changes its .hidden, so no copy's line is lost to another's rewrite.

#include <array>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/data_store.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_prefix.h"

namespace {

constexpr int kCopies = 4;

struct SharedFolderCase {
  int per_copy;        // items each copy hides
  int showing_copies;  // the last copies show each item again after its hide
};

TEST(SharedFolderTest, FourCopiesWithTheirOwnPrefixesLoseNoLineOfDotHidden) {
  for (const SharedFolderCase& run : {SharedFolderCase{500, 0}, SharedFolderCase{250, 2}}) {
    std::array<testing_support::TempPrefix, kCopies> prefixes;
    const std::string shared = prefixes[0].root() + "/shared";
    std::filesystem::create_directory(shared);
    std::set<std::string> hidden;
    std::vector<std::unique_ptr<testing_support::ChildProcess>> workers;
    for (int copy = 0; copy < kCopies; ++copy) {
      ASSERT_TRUE(store::InitialiseStore(prefixes[copy].fs()));
      const std::string tag = "p" + std::to_string(copy);
      const bool showing = copy >= kCopies - run.showing_copies;
      for (int i = 0; i < run.per_copy; ++i) {
        testing_support::WriteAll(shared + "/" + tag + "-" + std::to_string(i), "x");
        if (!showing) hidden.insert(tag + "-" + std::to_string(i));
      }
      std::vector<std::string> arguments{prefixes[copy].prefix(), "name",
                                         testing_support::TempPrefix::ThroughZ(shared), tag,
                                         std::to_string(run.per_copy)};
      if (showing) arguments.push_back("show");
      workers.push_back(std::make_unique<testing_support::ChildProcess>(QUILLOMAR_HIDE_WORKER, arguments));
    }
    for (auto& worker : workers) EXPECT_EQ(worker->Wait(), 0);

    std::set<std::string> listed;
    const std::string content = testing_support::ReadAll(shared + "/.hidden");
    for (std::size_t start = 0, end; start < content.size(); start = end + 1) {
      end = content.find('\n', start);
      listed.insert(content.substr(start, end - start));
    }
    EXPECT_EQ(listed.size(), hidden.size()) << run.showing_copies << " copies showing again";
    EXPECT_EQ(listed, hidden);
  }
}

}  // namespace
