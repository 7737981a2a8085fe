#pragma once

#include <vector>

#include <QObject>
#include <QPointer>

class QEvent;
class QWidget;

namespace app::qt {

// The program's windows minimised together as one application: when any of
// them comes back on screen (restored from the task bar, or shown normally
// by the program), the others minimised with it come back too.
class MinimisedGroup final : public QObject {
 public:
  MinimisedGroup() = default;
  ~MinimisedGroup() override;

  // Minimises every visible top-level window of the program (ordinary
  // windows and dialogs; popups and tool tips are left alone) and remembers
  // them as one group, replacing any earlier group. Hidden windows stay
  // hidden and do not join.
  void MinimiseAll();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Brings back every member other than `restored` that is still minimised,
  // then forgets the group.
  void RestoreOthers(const QWidget* restored);
  void Forget();

  std::vector<QPointer<QWidget>> members_;
};

}  // namespace app::qt
