#include "tests/app/main_window_fixture.h"

#include <filesystem>

#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/shell_list_view.h"

namespace testing_support {

void MainWindowTest::Hide(const std::vector<std::string>& names) {
  std::filesystem::create_directories(prefix_.DriveC() + "/Data");
  for (const std::string& name : names) WriteAll(prefix_.DriveC() + "/Data/" + name, "contents");
  for (const std::string& name : names) {
    SelectInBrowser("C:\\Data", name);
    main().SpeedButton1Click();
  }
}

void MainWindowTest::SelectInBrowser(const std::string& folder, const std::string& name) {
  app::ShellListView* browser = main().ShellBrowser();
  ASSERT_TRUE(browser->ShowFolder(folder));
  for (int row = 0; row < browser->RowCount(); ++row) {
    if (browser->RowName(row) == name) return browser->SelectRow(row);
  }
  FAIL() << name << " is not listed in " << folder;
}

bool MainWindowTest::MenusClosed() {
  return !Shown(main().FileMenu()) && !Shown(main().OptionsMenu()) && !Shown(main().FileTitleFrame()) &&
         !Shown(main().OptionsTitleFrame()) && !Shown(main().FileEntryBar()) && !Shown(main().OptionsEntryBar());
}

}  // namespace testing_support
