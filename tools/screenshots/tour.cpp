#include "tools/screenshots/tour.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSet>

#include <cstdio>
#include <iterator>
#include <utility>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "toolkit/backend.h"
#include "toolkit/check_list_view.h"
#include "toolkit/edit_controls.h"
#include "toolkit/page_control.h"
#include "toolkit/picture.h"
#include "toolkit/qt/convert.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shell_list_view.h"
#include "toolkit/shell_tree_view.h"
#include "toolkit/test_driver.h"
#include "platform/file_system.h"

namespace screenshots {

namespace {

// The default administrator that first run creates.
constexpr char kAdministrator[] = "name";
constexpr char kAdministratorPassword[] = "31852";

// What the tour puts on drive C: before hiding some of it: folders, files,
// and what the Find window will show again.
constexpr const char* kFolders[] = {"C:\\Diaries", "C:\\Letters",  "C:\\Music",
                                    "C:\\Photos",  "C:\\Recipes",  "C:\\Tax papers",
                                    "C:\\Letters\\Old letters"};
constexpr const char* kFiles[] = {"C:\\budget.ods", "C:\\shopping list.txt",
                                  "C:\\Letters\\To Grandma.txt",
                                  "C:\\Letters\\Job application.odt",
                                  "C:\\Letters\\Thank-you note.txt"};
constexpr char kFileText[] = "Quillomar sample file\r\n";
// Hidden before the Find window opens, as if by an earlier hide whose
// records were lost.
constexpr char kHiddenWithoutRecord[] = "C:\\Letters\\Old letters";
// Hidden through the main window, in this order.
constexpr const char* kRowsToHide[] = {"Diaries", "Tax papers", "budget.ods"};
// Selected afterwards so that the selected-path line shows a path.
constexpr char kRowLeftSelected[] = "Photos";
constexpr char kDriveC[] = "C:\\";
constexpr char kFindFolder[] = "C:\\Letters";

// Ordinary users made in the Options window.
constexpr std::pair<const char*, const char*> kUsers[] = {{"ann", "sunflower"},
                                                          {"bob", "harbour7"}};

// The pictures.
constexpr char kFirstRunPicture[] = "login_first_run.png";
constexpr char kLoginPicture[] = "login.png";
constexpr char kMainSkin1Picture[] = "main_skin1.png";
constexpr char kMainSkin2Picture[] = "main_skin2.png";
constexpr char kOptionsPicture[] = "options.png";
constexpr char kFindPicture[] = "find.png";
constexpr char kPngFormat[] = "PNG";
// A window drawn with fewer colours than this has not been painted.
constexpr int kFewestColours = 4;

int CountColours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height() && colours.size() < kFewestColours; y += 3) {
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

}  // namespace

void Settle() {
  for (int round = 0; round < 3; ++round) {
    QApplication::processEvents();
    QApplication::sendPostedEvents();
  }
}

Tour::Tour(app::Program& program, app::Services& services, SilentDialogs& dialogs, QString folder)
    : program_(program),
      forms_(program.forms()),
      services_(services),
      dialogs_(dialogs),
      folder_(std::move(folder)) {}

bool Tour::Run() {
  return FirstRun() && Login() && HideSomeItems() && MainWindowInBothSkins() && OptionsWindow() &&
         FindWindow() && Exit();
}

bool Tour::FirstRun() {
  Settle();
  if (!forms_.login->Visible() || !forms_.login->FirstRunPanel()->Showing()) {
    return Fail("the first start did not show the first-run panel");
  }
  return Save(forms_.login, kFirstRunPicture);
}

bool Tour::Login() {
  forms_.login->SpeedButton2Click();  // "YES"
  Settle();
  if (!forms_.login->LoginPanel()->Showing()) return Fail("\"YES\" did not lead to the login panel");
  app::ComboBox* users = forms_.login->UserBox();
  users->SetCurrentIndex(users->FindText(kAdministrator));
  forms_.login->PasswordBox()->SetText(kAdministratorPassword);
  Settle();
  if (forms_.login->CurrentAccount() != kAdministrator) return Fail("the default administrator is not offered");
  if (!Save(forms_.login, kLoginPicture)) return false;

  forms_.login->Button8Click();
  Settle();
  if (!forms_.main->Visible()) return Fail("the login did not open the main window");
  return NoMessages("login");
}

bool Tour::HideSomeItems() {
  platform::FileSystem& fs = services_.fs;
  for (const char* folder : kFolders) {
    if (!fs.CreateFolder(folder)) return Fail(std::string("cannot make ") + folder);
  }
  for (const char* file : kFiles) {
    if (!fs.ReplaceFile(file, kFileText)) return Fail(std::string("cannot write ") + file);
  }
  fs.SetAttributes(kHiddenWithoutRecord, platform::kAttrHiddenSystem);

  if (!forms_.main->ShellBrowser()->ShowFolder(kDriveC)) return Fail("the browser cannot show drive C:");
  Settle();
  for (const char* name : kRowsToHide) {
    if (!HideRow(name)) return false;
  }
  if (forms_.main->HiddenList()->RowCount() != static_cast<int>(std::size(kRowsToHide))) {
    return Fail("the hidden-item list does not show every hidden item");
  }
  if (!SelectRow(kRowLeftSelected)) return false;
  return NoMessages("hiding");
}

bool Tour::MainWindowInBothSkins() {
  // No skin was ever chosen, so the main window starts in skin 2.
  if (!forms_.main->NavyPicture()->Showing()) return Fail("the main window does not start in skin 2");
  if (!Save(forms_.main, kMainSkin2Picture)) return false;
  forms_.main->SpeedButton5Click();  // "Skin"
  Settle();
  if (!forms_.main->GlossyPicture()->Showing()) return Fail("\"Skin\" did not switch to skin 1");
  if (!Save(forms_.main, kMainSkin1Picture)) return false;
  return NoMessages("skin");
}

bool Tour::OptionsWindow() {
  forms_.main->SpeedButton3Click();  // "Options"
  Settle();
  app::TForm3* options = forms_.options;
  if (!options->Visible()) return Fail("\"Options\" did not open the Options window");
  options->Pages()->SetActivePage(options->UsersTab());
  for (const auto& [name, password] : kUsers) {
    options->UserNameBox()->SetText(name);
    options->UserPasswordBox()->SetText(password);
    options->Button3Click();
  }
  Settle();
  if (options->UserList()->RowCount() != static_cast<int>(std::size(kUsers))) {
    return Fail("the Options window does not list the new users");
  }
  if (!Save(options, kOptionsPicture)) return false;
  options->SpeedButton2Click();  // "Cancel"
  Settle();
  if (!forms_.main->Visible()) return Fail("closing the Options window did not bring the main window back");
  return NoMessages("Options");
}

bool Tour::FindWindow() {
  app::TForm4* find = forms_.find;
  bool inside = false;
  bool saved = false;
  // The Find window runs modally: the picture is taken from inside its run.
  app::CurrentBackend().Post([&] {
    inside = find->InModalRun() && find->Visible();
    if (inside && find->FolderTree()->SelectPath(kFindFolder)) {
      Settle();
      saved = find->ResultList()->RowCount() > 0 && Save(find, kFindPicture);
    }
    find->Label1Click();  // the close mark
  });
  forms_.main->SpeedButton4Click();  // "Find"
  Settle();
  if (!inside) return Fail("\"Find\" did not open the Find window");
  if (!saved) return Fail("the Find window did not list C:\\Letters");
  if (!forms_.main->Visible()) return Fail("closing the Find window did not bring the main window back");
  return NoMessages("Find");
}

bool Tour::Exit() {
  forms_.main->Label12Click();  // File "Exit"
  Settle();
  if (!program_.Ended()) return Fail("\"Exit\" did not end the program");
  return true;
}

bool Tour::HideRow(const std::string& name) {
  if (!SelectRow(name)) return false;
  const int before = forms_.main->HiddenList()->RowCount();
  forms_.main->SpeedButton1Click();  // "Hide Folder"
  Settle();
  if (forms_.main->HiddenList()->RowCount() != before + 1) return Fail("hiding " + name + " did not list it");
  return true;
}

bool Tour::SelectRow(const std::string& name) {
  app::ShellListView* browser = forms_.main->ShellBrowser();
  for (int row = 0; row < browser->RowCount(); ++row) {
    if (browser->RowName(row) == name) {
      browser->SelectRow(row);
      Settle();
      if (forms_.main->SelectedPath().empty()) return Fail("selecting " + name + " left the path line empty");
      return true;
    }
  }
  return Fail("the browser does not show " + name);
}

bool Tour::Save(app::BorderlessWindow* window, const char* file_name) {
  Settle();
  const app::Image grabbed = app::CurrentTestDriver().Grab(*window);
  const QImage picture = app::qt::ViewOf(grabbed).copy();
  // On a scaled screen (QT_SCALE_FACTOR) the picture has the window's size
  // in device pixels.
  const qreal ratio = qApp->devicePixelRatio();
  const app::Size size = window->Bounds().GetSize();
  if (picture.isNull() || grabbed.GetSize().width != qRound(size.width * ratio) ||
      grabbed.GetSize().height != qRound(size.height * ratio)) {
    return Fail(std::string("cannot take the picture ") + file_name);
  }
  if (CountColours(picture) < kFewestColours) {
    return Fail(std::string("the window of ") + file_name + " was not drawn");
  }
  const QString path = QDir(folder_).filePath(file_name);
  if (!picture.save(path, kPngFormat)) return Fail("cannot write " + path.toStdString());
  std::printf("%s\n", path.toLocal8Bit().constData());
  return true;
}

bool Tour::Fail(const std::string& why) {
  std::fprintf(stderr, "quillomar_screenshots: %s\n", why.c_str());
  return false;
}

bool Tour::NoMessages(const char* step) {
  if (dialogs_.shown.empty()) return true;
  return Fail(std::string("the program showed a message during ") + step + ": \"" +
              dialogs_.shown.front() + "\"");
}

}  // namespace screenshots
