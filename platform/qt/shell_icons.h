#pragma once

#include <QIcon>

class QStyle;

namespace platform {

// The icons of the shell views, taken once from the style's standard set so
// that listing a large folder never creates an icon per row.
struct ShellIcons {
  // Loads every icon from `style`.
  explicit ShellIcons(const QStyle& style);

  QIcon desktop;   // the top of the namespace
  QIcon computer;  // My Computer
  QIcon drive;     // a drive root
  QIcon folder;    // a file-system folder
  QIcon file;      // any other file
};

}  // namespace platform
