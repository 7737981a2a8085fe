#include "platform/qt/shell_icons.h"

#include <QStyle>

namespace platform {

ShellIcons::ShellIcons(const QStyle& style)
    : desktop(style.standardIcon(QStyle::SP_DesktopIcon)),
      computer(style.standardIcon(QStyle::SP_ComputerIcon)),
      drive(style.standardIcon(QStyle::SP_DriveHDIcon)),
      folder(style.standardIcon(QStyle::SP_DirIcon)),
      file(style.standardIcon(QStyle::SP_FileIcon)) {}

}  // namespace platform
