// Help in the running program: every Help command asks the shell for the
// guide at C:\WINDOWS\Quillomar.htm, and a new prefix has the guide there.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit3.h"
#include "platform/posix/help_document.h"
#include "store/records.h"
#include "tests/app/program_fixture.h"

namespace testing_support {
namespace {

using HelpDocumentTest = ProgramTest;

TEST_F(HelpDocumentTest, EveryHelpCommandOpensTheGuideThatTheNewPrefixHolds) {
  StartLoggedInAsAdministrator();
  ASSERT_TRUE(forms().main->Visible());

  forms().main->SpeedButton10Click();  // toolbar "Help"
  ASSERT_EQ(shell_.opened, std::vector<std::string>{store::records::kHelpDocument});
  EXPECT_EQ(std::string(store::records::kHelpDocument), platform::posix::kHelpDocumentPath);

  // First run and the start-up routine worked beside it, hiding only the
  // data folders: the guide is whole and stays visible.
  const std::string guide = Native(store::records::kHelpDocument);
  ASSERT_FALSE(guide.empty());
  EXPECT_EQ(ReadAll(guide), platform::posix::HelpDocument());
  EXPECT_EQ(prefix_.fs().GetAttributes(store::records::kHelpDocument), platform::kAttrNone);

  forms().main->StaticText3Click();  // the "?" mark
  forms().main->SpeedButton3Click();  // "Options"
  ASSERT_TRUE(forms().options->Visible());
  forms().options->SpeedButton1Click();  // the Options window's "Help"
  EXPECT_EQ(shell_.opened, std::vector<std::string>(3, store::records::kHelpDocument));
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(dialogs_.errors.empty());
}

}  // namespace
}  // namespace testing_support
