// Every caption of every window at 1x, 1.5x and 2x (96, 144 and 192 dpi, set
// through the backend before the windows are made, as the screen's dpi is
// at start): drawn by the windows' own canvas at that scale, its ink fits
// the room its control gives it scaled, and its words stand apart. The
// windows themselves and each of their child windows are their layout
// scaled, and above 1x their text is drawn in the outline face, not the
// bitmap one. A window told by the system that its monitor's dpi changed
// (as when it is moved to another monitor) is all that again at the new
// scale, while the other windows keep theirs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "tests/app/program_fixture.h"
#include "tests/app/shown_controls.h"
#include "tests/app/word_gaps.h"
#include "toolkit/edit_controls.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shell_list_view.h"
#include "toolkit/speed_button.h"
#include "toolkit/win32/backend.h"
#include "toolkit/win32/canvas.h"
#include "toolkit/win32/gdi.h"
#include "toolkit/win32/peer.h"
#include "toolkit/win32/peers.h"

namespace testing_support {
namespace {

using app::win32::Scale;

// The edge a button draws around its caption, and the air inside it.
constexpr int kButtonInset = 2;
// A caption's room to spread when it is drawn to be measured.
constexpr int kDrawingRoom = 4;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

// One caption: its text and font, and the room its control gives it (in
// layout pixels).
struct Caption {
  std::string text;
  app::Font font;
  int room_width = 0;
  int room_height = 0;
  bool one_line = true;
};

std::vector<Caption> CaptionsOf(app::BorderlessWindow* window) {
  std::vector<Caption> captions;
  for (app::Control* control : ShownControls(window)) {
    const app::Rect box = control->Bounds().Local();
    if (auto* label = dynamic_cast<app::Label*>(control); label != nullptr && !label->Text().empty()) {
      captions.push_back({label->Text(), label->Style().font, box.width, box.height, !label->Style().wrap});
    } else if (auto* speed = dynamic_cast<app::SpeedButton*>(control); speed != nullptr && !speed->Caption().empty()) {
      const int top = speed->HasPicture() ? speed->CaptionTop() : 0;
      captions.push_back({speed->Caption(), app::kDefaultFont, box.width - 2 * kButtonInset, box.height - top, true});
    } else if (auto* push = dynamic_cast<app::PushButton*>(control); push != nullptr) {
      captions.push_back({push->Caption(), app::kDefaultFont, box.width - 2 * kButtonInset, box.height, true});
    }
  }
  return captions;
}

// Which columns of `text` hold ink when the windows' canvas draws it at the
// scale on white, from its left edge; the rows hold the same for its lines.
struct Ink {
  std::vector<bool> columns;
  int rows = 0;  // the height of the ink, top to bottom
};

Ink InkOf(const Caption& caption, Scale scale) {
  const int width = caption.one_line ? kDrawingRoom * caption.room_width : caption.room_width;
  const int height = caption.one_line ? caption.room_height : kDrawingRoom * caption.room_height;
  app::win32::DibSurface surface(scale.ToScreen(app::Size{width, height}));
  Ink ink;
  if (!surface.Ok()) return ink;
  const app::Size size = surface.GetSize();
  std::fill(surface.Bits(), surface.Bits() + size.width * size.height, kWhite);
  {
    app::win32::GdiCanvas canvas(surface.Dc(), scale);
    app::TextStyle style;
    style.font = caption.font;
    style.color = 0;
    style.h_align = app::HAlign::kLeft;
    style.v_align = app::VAlign::kTop;
    style.wrap = !caption.one_line;
    canvas.DrawText(app::Rect(0, 0, width, height), caption.text, style);
  }
  const app::Image image = surface.ToImage(true);
  ink.columns.assign(static_cast<std::size_t>(size.width), false);
  for (int y = 0; y < size.height; ++y) {
    bool row_inked = false;
    for (int x = 0; x < size.width; ++x) {
      if ((image.Pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) ink.columns[static_cast<std::size_t>(x)] = row_inked = true;
    }
    if (row_inked) ink.rows = y + 1;
  }
  return ink;
}

// Every way the captions of the window do not fit at the scale, one line each.
std::vector<std::string> Misfits(app::BorderlessWindow* window, Scale scale) {
  std::vector<std::string> misfits;
  for (const Caption& caption : CaptionsOf(window)) {
    const Ink ink = InkOf(caption, scale);
    const auto last = std::find(ink.columns.rbegin(), ink.columns.rend(), true);
    const int ink_width = static_cast<int>(ink.columns.rend() - last);
    const std::string name = "\"" + caption.text + "\"";
    if (ink_width > scale.ToScreen(caption.room_width)) {
      misfits.push_back(name + " is " + std::to_string(ink_width) + " px wide in a room of " +
                        std::to_string(scale.ToScreen(caption.room_width)));
    }
    if (ink.rows > scale.ToScreen(caption.room_height)) {
      misfits.push_back(name + " is " + std::to_string(ink.rows) + " px high in a room of " +
                        std::to_string(scale.ToScreen(caption.room_height)));
    }
    if (!caption.one_line || caption.text.find("  ") != std::string::npos) continue;
    // At 1x the bitmap face leaves as much room around "1" and "." as a
    // blank takes: a tie between the gaps still reads as words.
    if (std::string fault = RunTogether(caption.text, ink.columns, true); !fault.empty()) {
      misfits.push_back(std::move(fault));
    }
  }
  return misfits;
}

std::string Text(const app::Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) + "x" +
         std::to_string(r.height);
}

// Every child window of the window that does not stand at its control's
// layout box scaled, one line each. A page stands in its tabs' page area at
// the scale; a drop-down box's window is as high as its font and list make
// it.
std::vector<std::string> Misplaced(app::BorderlessWindow* window, Scale scale) {
  std::vector<std::string> misplaced;
  for (app::Control* control : ShownControls(window)) {
    if (control == window || !control->IsWindowed()) continue;
    HWND hwnd = app::win32::HandleOf(static_cast<app::WinControl*>(control)->Native());
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    app::Rect box = app::win32::FromRect(r);
    const auto* page = dynamic_cast<app::TabSheet*>(control);
    const app::Rect expected =
        scale.ToScreen(page != nullptr ? static_cast<app::PageControl*>(page->Parent())->Tabs().PageArea()
                                       : control->Bounds());
    if (dynamic_cast<app::ComboBox*>(control) != nullptr) box.height = expected.height;
    if (box != expected) {
      misplaced.push_back("the box " + Text(control->Bounds()) + " stands at " + Text(box) + ", not at " +
                          Text(expected));
    }
  }
  return misplaced;
}

// The scale the window is shown at now.
Scale ScaleOf(app::BorderlessWindow* window) {
  return app::win32::PeerCore::FromHandle(app::win32::HandleOf(window->TopNative()))->GetScale();
}

std::wstring FaceOf(const app::Font& font, Scale scale) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  const HGDIOBJ old = ::SelectObject(dc, app::win32::FontHandle(font, scale));
  wchar_t face[LF_FACESIZE] = {};
  ::GetTextFaceW(dc, LF_FACESIZE, face);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return face;
}

class ScaledProgramTest : public ProgramTest {
 protected:
  ~ScaledProgramTest() override { Backend().SetScale(Scale()); }

  // What the system sends a window as it reaches a monitor of `dpi`: it
  // asks the window its size there, then gives it the new dpi and a place
  // of that size.
  static void ChangeDpi(app::BorderlessWindow* window, int dpi) {
    constexpr UINT kGetDpiScaledSize = 0x02E4;
    const HWND hwnd = app::win32::HandleOf(window->TopNative());
    RECT now{};
    ::GetWindowRect(hwnd, &now);
    SIZE size{now.right - now.left, now.bottom - now.top};
    EXPECT_TRUE(::SendMessageW(hwnd, kGetDpiScaledSize, static_cast<WPARAM>(dpi), reinterpret_cast<LPARAM>(&size)));
    const app::Size scaled = Scale(dpi).ToScreen(window->Bounds().GetSize());
    EXPECT_EQ(size.cx, scaled.width);
    EXPECT_EQ(size.cy, scaled.height);
    RECT suggested{now.left, now.top, now.left + size.cx, now.top + size.cy};
    ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    ProcessEvents();
  }

  static app::win32::Win32Backend& Backend() {
    return static_cast<app::win32::Win32Backend&>(app::CurrentBackend());
  }

  // Checks the window as it is now, and that it shows as its layout scaled;
  // keeps its picture for a person to look at (QUILLOMAR_SCREENSHOT_DIR) and
  // gives it back.
  app::Image Check(app::BorderlessWindow* window, const std::string& picture) {
    const Scale scale = ScaleOf(window);
    window->Show();
    const app::Image image = GrabWindow(window, picture + "_" + std::to_string(scale.Dpi()));
    const app::Size expected = scale.ToScreen(window->Bounds()).GetSize();
    EXPECT_EQ(image.Width(), expected.width) << picture;
    EXPECT_EQ(image.Height(), expected.height) << picture;
    const std::vector<std::string> misfits = Misfits(window, scale);
    EXPECT_TRUE(misfits.empty()) << picture << " at " << scale.Dpi() << " dpi:\n"
                                 << ::testing::PrintToString(misfits);
    const std::vector<std::string> misplaced = Misplaced(window, scale);
    EXPECT_TRUE(misplaced.empty()) << picture << " at " << scale.Dpi() << " dpi:\n"
                                   << ::testing::PrintToString(misplaced);
    return image;
  }
};

// Each run on a fresh prefix, so that the first-run panel shows too.
class CaptionFitTest : public ScaledProgramTest, public ::testing::WithParamInterface<int> {};

TEST_P(CaptionFitTest, EveryCaptionOfEveryWindowFitsAndKeepsItsGaps) {
  const Scale scale(GetParam());
  ASSERT_EQ(FaceOf(app::kDefaultFont, scale), scale.IsOne() ? app::win32::kFaceName : app::win32::kScaledFaceName)
      << "the prefix lacks the face (scripts/wine_prefix.sh copies it)";
  Backend().SetScale(scale);
  Start();
  Check(forms().login, "fit_login_first_run");
  forms().login->SpeedButton2Click();  // "YES"
  ProcessEvents();
  Check(forms().login, "fit_login");
  LogIn("name", "31852");
  app::TForm1* main = forms().main;
  main->SpeedButton2Click();  // "Comeback": the list and the status line
  Check(main, "fit_main");
  main->Label10Click();  // the File menu
  Check(main, "fit_main_file_menu");
  main->CloseMenus();
  main->SpeedButton3Click();  // "Options"
  app::TForm3* options = forms().options;
  Check(options, "fit_options");
  options->Pages()->SetActivePage(options->UsersTab());
  Check(options, "fit_options_users");
  options->SpeedButton2Click();  // "Cancel"
  Check(forms().find, "fit_find");
  forms().find->Hide();
}

INSTANTIATE_TEST_SUITE_P(Dpi, CaptionFitTest, ::testing::Values(96, 144, 192));

using DpiChangeTest = ScaledProgramTest;

TEST_F(DpiChangeTest, AWindowTakesTheDpiOfItsNewMonitorAndTheOthersKeepTheirs) {
  Start();
  forms().login->SpeedButton2Click();  // "YES"
  LogIn("name", "31852");
  app::TForm1* main = forms().main;
  const app::Image at_start = Check(main, "dpi_change_main_start");
  for (const int dpi : {144, 192, 96}) {
    ChangeDpi(main, dpi);
    ASSERT_EQ(ScaleOf(main).Dpi(), dpi);
    const app::Image shown = Check(main, "dpi_change_main");
    // The rows take the height of their pictures at the new scale.
    EXPECT_GE(main->ShellBrowser()->RowRect(0).height, 16) << dpi << " dpi";
    EXPECT_EQ(ScaleOf(forms().find).Dpi(), Scale::kDesignedDpi);
    if (dpi == 192) {
      // A click at a point of the layout reaches the control there.
      ClickOn(main->FileTitle());
      EXPECT_TRUE(main->FileMenu()->Visible());
      main->CloseMenus();
      Check(forms().find, "dpi_change_find");
      forms().find->Hide();
      // The tabs, their pages and the boxes on them.
      main->SpeedButton3Click();  // "Options"
      app::TForm3* options = forms().options;
      ChangeDpi(options, dpi);
      options->Pages()->SetActivePage(options->UsersTab());
      Check(options, "dpi_change_options_users");
      options->SpeedButton2Click();  // "Cancel"
    }
    // Back at 1x the window is, pixel for pixel, as it was.
    if (dpi == Scale::kDesignedDpi) {
      EXPECT_TRUE(shown == at_start);
    }
  }
}

}  // namespace
}  // namespace testing_support
