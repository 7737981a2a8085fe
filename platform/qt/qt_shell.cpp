#include "platform/qt/qt_shell.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include "platform/posix/help_document.h"

namespace platform {

bool QtShell::OpenDocument(const std::string& path) {
  if (path == posix::kHelpDocumentPath) {
    const std::string guide = fs_.NativePath(path);
    if (!guide.empty()) posix::UpdateHelpDocument(guide, installed_guide_);
  }
  if (!fs_.FileExists(path)) return false;
  const std::string native = fs_.NativePath(path);
  // Real paths are bytes in the locale's encoding, not necessarily UTF-8.
  const QString local = QFile::decodeName(
      QByteArray(native.data(), static_cast<qsizetype>(native.size())));
  return QDesktopServices::openUrl(QUrl::fromLocalFile(local));
}

}  // namespace platform
