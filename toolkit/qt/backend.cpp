#include "toolkit/qt/backend.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QMetaObject>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <cstdlib>

#include "toolkit/qt/accessible.h"
#include "toolkit/qt/peers.h"
#include "toolkit/qt/fonts.h"
#include "toolkit/qt/report_list.h"
#include "toolkit/qt/tree.h"
#include "toolkit/qt/painted.h"
#include "toolkit/qt/top_level.h"

namespace app::qt {

namespace {
constexpr int kShellIconSize = 16;
constexpr char kGtkThemeVariable[] = "GTK_THEME";
constexpr char kGtkSettingsFile[] = "/gtk-3.0/settings.ini";
constexpr char kGtkThemeKey[] = "Settings/gtk-theme-name";
constexpr char kHighContrastTheme[] = "HighContrast";

class QtTimer final : public NativeTimer {
 public:
  QtTimer(int milliseconds, bool repeat, std::function<void()> tick) {
    timer_.setSingleShot(!repeat);
    QObject::connect(&timer_, &QTimer::timeout, [tick = std::move(tick)] { tick(); });
    timer_.start(milliseconds);
  }

 private:
  QTimer timer_;
};

QStyle::StandardPixmap StandardPixmapOf(ShellPicture which) {
  switch (which) {
    case ShellPicture::kDesktop:
      return QStyle::SP_DesktopIcon;
    case ShellPicture::kMyComputer:
      return QStyle::SP_ComputerIcon;
    case ShellPicture::kDrive:
      return QStyle::SP_DriveHDIcon;
    case ShellPicture::kFolder:
      return QStyle::SP_DirIcon;
    case ShellPicture::kFile:
      break;
  }
  return QStyle::SP_FileIcon;
}
}  // namespace

QtBackend::QtBackend() {
  InstallAccessibility();
  qApp->installEventFilter(&mnemonics_);
}

QtBackend::~QtBackend() { qApp->removeEventFilter(&mnemonics_); }

std::unique_ptr<NativeTopLevel> QtBackend::CreateTopLevel(NativeEvents& events, Size client) {
  return std::make_unique<TopLevelPeer>(events, client, drag_);
}

std::unique_ptr<NativeWindow> QtBackend::CreatePainted(NativeWindow& parent, NativeEvents& events) {
  return std::make_unique<PaintedPeer>(events, WidgetOf(parent));
}

std::unique_ptr<NativeEdit> QtBackend::CreateEdit(NativeWindow& parent, NativeEvents& events) {
  return std::make_unique<EditPeer>(events, WidgetOf(parent));
}

std::unique_ptr<NativeComboBox> QtBackend::CreateComboBox(NativeWindow& parent, NativeEvents& events) {
  return std::make_unique<ComboBoxPeer>(events, WidgetOf(parent));
}

std::unique_ptr<NativePushButton> QtBackend::CreatePushButton(NativeWindow& parent, NativeEvents& events) {
  return std::make_unique<PushButtonPeer>(events, WidgetOf(parent));
}

std::unique_ptr<NativeTabs> QtBackend::CreateTabs(NativeWindow& parent, NativeEvents& events) {
  return std::make_unique<TabsPeer>(events, WidgetOf(parent));
}

std::unique_ptr<NativeReportList> QtBackend::CreateReportList(NativeWindow& parent, NativeEvents& events) {
  return std::make_unique<ReportListPeer>(events, WidgetOf(parent));
}

std::unique_ptr<NativeTree> QtBackend::CreateTree(NativeWindow& parent, NativeEvents& events) {
  return std::make_unique<TreePeer>(events, WidgetOf(parent));
}

Size QtBackend::MeasureText(const std::string& text, const Font& font) {
  const QSize size = QFontMetrics(ToQFont(font)).size(Qt::TextSingleLine, ToQString(text));
  return {size.width(), size.height()};
}

BgrColor QtBackend::SystemColour(SystemColor which) {
  const QPalette palette = QApplication::palette();
  switch (which) {
    case SystemColor::kButtonFace:
      return ToBgr(palette.color(QPalette::Button));
    case SystemColor::kButtonText:
      return ToBgr(palette.color(QPalette::ButtonText));
    case SystemColor::kWindowText:
      break;
  }
  return ToBgr(palette.color(QPalette::WindowText));
}

bool QtBackend::HighContrast() {
  // The desktop's theme, as GTK takes it: GTK_THEME, else the theme named
  // in GTK's own settings (read once); GNOME's high-contrast themes are
  // "HighContrast" and "HighContrastInverse".
  const char* chosen = std::getenv(kGtkThemeVariable);
  if (chosen != nullptr && *chosen != '\0') return QString::fromUtf8(chosen).contains(kHighContrastTheme);
  static const bool in_settings = [] {
    QSettings settings(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + kGtkSettingsFile,
                       QSettings::IniFormat);
    return settings.value(kGtkThemeKey).toString().contains(kHighContrastTheme);
  }();
  return in_settings;
}

Size QtBackend::ScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QRect area = screen->availableGeometry();
  return {area.width(), area.height()};
}

const Image& QtBackend::ShellIcon(ShellPicture which) {
  auto found = icons_.find(which);
  if (found == icons_.end()) {
    const QIcon icon = QApplication::style()->standardIcon(StandardPixmapOf(which));
    found = icons_.emplace(which, ToImage(icon.pixmap(kShellIconSize, kShellIconSize).toImage())).first;
  }
  return found->second;
}

int QtBackend::PopupMenu(NativeWindow& owner, Point at, const std::vector<MenuItem>& items) {
  QWidget* widget = WidgetOf(owner);
  QMenu menu(widget);
  std::vector<QAction*> actions;
  for (const MenuItem& item : items) {
    if (item.text.empty()) {
      actions.push_back(menu.addSeparator());
      continue;
    }
    QAction* action = menu.addAction(ToQString(item.text));
    action->setEnabled(item.enabled);
    actions.push_back(action);
  }
  QAction* chosen = menu.exec(widget != nullptr ? widget->mapToGlobal(ToQPoint(at)) : ToQPoint(at));
  for (std::size_t i = 0; i < actions.size(); ++i) {
    if (actions[i] == chosen && chosen != nullptr) return static_cast<int>(i);
  }
  return -1;
}

void QtBackend::MinimiseAll() { minimised_.MinimiseAll(); }

// A Wayland client cannot place its windows: the compositor places each
// window it is shown as a new one.
bool QtBackend::HiddenWindowsKeepTheirPlace() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void QtBackend::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
}

std::unique_ptr<NativeTimer> QtBackend::StartTimer(int milliseconds, bool repeat, std::function<void()> tick) {
  return std::make_unique<QtTimer>(milliseconds, repeat, std::move(tick));
}

void QtBackend::PushBusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtBackend::PopBusyPointer() { QApplication::restoreOverrideCursor(); }

int QtBackend::Run() { return QApplication::exec(); }

void QtBackend::Quit() { QApplication::quit(); }

}  // namespace app::qt
