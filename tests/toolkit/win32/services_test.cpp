#include "toolkit/win32/windows_api.h"

#include <chrono>
#include <thread>

#include "toolkit/win32/peers.h"
#include "tests/toolkit/win32/fixture.h"

namespace demo {
namespace {

using app::win32::HandleOf;

// Runs the message loop for a while.
void Pump(app::TestDriver& driver, int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    driver.ProcessEvents();
    ::Sleep(5);
  }
}

TEST_F(DemoTest, TimersTickOnceOrUntilDestroyed) {
  int once = 0;
  int repeated = 0;
  auto single = backend().StartTimer(10, false, [&] { ++once; });
  auto repeating = backend().StartTimer(10, true, [&] { ++repeated; });
  Pump(driver(), 150);
  EXPECT_EQ(once, 1);
  EXPECT_GE(repeated, 2);
  repeating.reset();
  const int stopped_at = repeated;
  Pump(driver(), 60);
  EXPECT_EQ(repeated, stopped_at);
  // A timer may end itself from its tick.
  std::unique_ptr<app::NativeTimer> self_ending;
  int ticks = 0;
  self_ending = backend().StartTimer(5, true, [&] {
    ++ticks;
    self_ending.reset();
  });
  Pump(driver(), 60);
  EXPECT_EQ(ticks, 1);
}

TEST_F(DemoTest, TasksPostedFromAnyThreadRunOnTheWindowsThread) {
  const DWORD ui_thread = ::GetCurrentThreadId();
  std::vector<DWORD> ran_on;
  std::thread worker([&] {
    for (int i = 0; i < 3; ++i) backend().Post([&] { ran_on.push_back(::GetCurrentThreadId()); });
  });
  worker.join();
  driver().ProcessEvents();
  EXPECT_EQ(ran_on, (std::vector<DWORD>{ui_thread, ui_thread, ui_thread}));
}

TEST_F(DemoTest, TheBusyPointerNestsAndShowsOverEveryWindow) {
  HWND list = HandleOf(*window().list->peer);
  const auto pointer_over = [&](HWND hwnd) {
    ::SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
  };
  const HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
  backend().PushBusyPointer();
  backend().PushBusyPointer();
  EXPECT_EQ(pointer_over(list), wait);
  backend().PopBusyPointer();
  EXPECT_TRUE(backend().Busy());
  EXPECT_EQ(pointer_over(HandleOf(window().TopNative())), wait);
  backend().PopBusyPointer();
  EXPECT_FALSE(backend().Busy());
  EXPECT_NE(pointer_over(list), wait);
  backend().PopBusyPointer();  // one too many does no harm
  EXPECT_FALSE(backend().Busy());
}

TEST_F(DemoTest, TextIsMeasuredInTheWindowsFont) {
  const app::Size empty = backend().MeasureText("", app::kDefaultFont);
  const app::Size one = backend().MeasureText("M", app::kDefaultFont);
  const app::Size four = backend().MeasureText("MMMM", app::kDefaultFont);
  const app::Size bold = backend().MeasureText("MMMM", app::Font{8, true});
  const app::Size large = backend().MeasureText("MMMM", app::Font{14, false});
  EXPECT_EQ(empty.width, 0);
  EXPECT_EQ(empty.height, one.height);
  EXPECT_EQ(one.height, 13);  // the 13-pixel cell of 8 points
  EXPECT_EQ(four.width, 4 * one.width);
  EXPECT_GE(bold.width, four.width);
  EXPECT_GT(large.height, one.height);
}

TEST_F(DemoTest, ShellPicturesAre16By16WithSomethingToSeeAndOnePerKind) {
  const app::ShellPicture kinds[] = {app::ShellPicture::kDesktop, app::ShellPicture::kMyComputer,
                                     app::ShellPicture::kDrive, app::ShellPicture::kFolder, app::ShellPicture::kFile};
  for (app::ShellPicture which : kinds) {
    const app::Image& icon = backend().ShellIcon(which);
    EXPECT_EQ(icon.GetSize(), (app::Size{16, 16}));
    int opaque = 0;
    for (std::uint32_t pixel : icon.Pixels()) opaque += (pixel >> 24) == 0xFF;
    EXPECT_GT(opaque, 16) << static_cast<int>(which);
    EXPECT_EQ(&icon, &backend().ShellIcon(which));  // read once
  }
  for (std::size_t a = 0; a < std::size(kinds); ++a) {
    for (std::size_t b = a + 1; b < std::size(kinds); ++b) {
      EXPECT_NE(backend().ShellIcon(kinds[a]), backend().ShellIcon(kinds[b])) << a << " " << b;
    }
  }
}

TEST_F(DemoTest, PopupMenusReturnTheEntryChosenWithTheKeyboard) {
  struct Case {
    std::vector<UINT> keys;
    int chosen;
  };
  const std::vector<app::MenuItem> items{{"Open", true}, {"", true}, {"Rename", false}, {"Delete", true}};
  const Case cases[] = {
      {{VK_DOWN, VK_RETURN}, 0},
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 3},  // past the separator
      {{VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE}, -1},  // the greyed entry cannot be chosen
      {{VK_ESCAPE}, -1},
  };
  backend().SetSyntheticPointer(false);  // the menus show
  for (const Case& c : cases) {
    HWND top = HandleOf(window().TopNative());
    for (UINT key : c.keys) {
      ::PostMessageW(top, WM_KEYDOWN, key, 1);
      ::PostMessageW(top, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    }
    EXPECT_EQ(backend().PopupMenu(window().Native(), app::Point{20, 40}, items), c.chosen);
    driver().ProcessEvents();
  }
  backend().SetSyntheticPointer(true);
  // Driven by messages, a menu is answered as told, else dismissed.
  backend().AnswerMenus({3});
  EXPECT_EQ(backend().PopupMenu(window().Native(), app::Point{20, 40}, items), 3);
  EXPECT_EQ(backend().PopupMenu(window().Native(), app::Point{20, 40}, items), -1);
  EXPECT_EQ(backend().LastMenu().size(), items.size());
}

TEST_F(DemoTest, AModalWindowDisablesTheOthersUntilItEnds) {
  DemoWindow dialog;
  dialog.MoveTo(app::Point{500, 60});
  HWND main = HandleOf(window().TopNative());
  dialog.TopNative().SetModal(true);
  dialog.Show();
  EXPECT_FALSE(::IsWindowEnabled(main));
  EXPECT_TRUE(::IsWindowEnabled(HandleOf(dialog.TopNative())));
  backend().Post([&] { dialog.EndModal(); });
  dialog.RunModal();  // returns once the posted task ended it
  dialog.TopNative().SetModal(false);
  EXPECT_TRUE(::IsWindowEnabled(main));
}

TEST_F(DemoTest, MinimisingTakesEveryWindowAwayAndRestoringBringsThemBack) {
  DemoWindow other;
  other.MoveTo(app::Point{500, 60});
  other.Show();
  driver().ProcessEvents();
  HWND first = HandleOf(window().TopNative());
  HWND second = HandleOf(other.TopNative());
  backend().MinimiseAll();
  driver().ProcessEvents();
  const bool first_minimised = ::IsIconic(first) != FALSE;
  const bool second_minimised = ::IsIconic(second) != FALSE;
  EXPECT_NE(first_minimised, second_minimised);  // one stands for the program
  EXPECT_FALSE(::IsWindowVisible(first_minimised ? second : first));
  DemoWindow& minimised = first_minimised ? window() : other;
  EXPECT_TRUE(minimised.IsMinimised());
  minimised.Restore();
  driver().ProcessEvents();
  EXPECT_FALSE(::IsIconic(first));
  EXPECT_TRUE(::IsWindowVisible(first));
  EXPECT_TRUE(::IsWindowVisible(second));
  EXPECT_EQ(minimised.restores, 1);
}

TEST_F(DemoTest, TheWindowSystemsCloseIsAskedNotDone) {
  HWND top = HandleOf(window().TopNative());
  ::SendMessageW(top, WM_CLOSE, 0, 0);
  ::SendMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
  driver().ProcessEvents();
  EXPECT_EQ(window().close_requests, 2);
  EXPECT_TRUE(::IsWindow(top));
}

TEST_F(DemoTest, WindowsArePlacedWhereTheyAreToldWithoutAFrame) {
  EXPECT_EQ(window().ScreenPosition(), kScreenPlace);
  RECT client{};
  ::GetClientRect(HandleOf(window().TopNative()), &client);
  EXPECT_EQ(client.right, DemoWindow::kWidth);
  EXPECT_EQ(client.bottom, DemoWindow::kHeight);
  window().StartSystemMove();  // counted only, while messages drive the pointer
  EXPECT_EQ(backend().SystemMovesStarted(), 1);
}

}  // namespace
}  // namespace demo
