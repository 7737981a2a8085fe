#pragma once

#include <QObject>

#include <string>

class QSocketNotifier;
class QTimer;

namespace platform {

// Watches one folder (not its subfolders) for entries being created,
// deleted or renamed, and for the folder itself being deleted or moved.
// Attribute and content changes are not watched, and neither are entries
// whose names start with a dot: they never show in the shell views, and
// the .hidden file and the temporary files that replace it live there, so
// changing an item's attributes never reports a change. Events arrive on
// the thread that owns the watch; a burst of them is reported once.
class FolderWatch final : public QObject {
  Q_OBJECT

 public:
  // A watch that watches nothing yet.
  explicit FolderWatch(QObject* parent = nullptr);
  ~FolderWatch() override;

  // Watches the folder at the real path `native_path` instead of the one
  // watched before; changes already pending for the old folder are dropped.
  // Returns false (and watches nothing) when the folder cannot be watched.
  bool Watch(const std::string& native_path);

  // Stops watching; nothing more is reported until the next Watch.
  void Stop();

  // True while a folder is watched.
  bool IsWatching() const { return watch_ >= 0; }

 signals:
  // Entries of the watched folder changed (reported once per burst).
  void Changed();

 private:
  void OnReadable();

  int inotify_ = -1;
  int watch_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  QTimer* coalesce_ = nullptr;
};

}  // namespace platform
