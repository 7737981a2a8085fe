#pragma once

namespace app::qt {

// Makes the toolkit's windows readable by screen readers through Qt's
// accessibility layer (AT-SPI on Linux): every painted window reports the
// role its control gives (frame, dialog, panel) and, besides its native
// children, the graphic controls painted on it (buttons, menus and their
// entries, caption marks, texts) with their names, roles, states and their
// press action, which runs what a click runs. Widgets of Qt's own (edit
// boxes, lists, trees) keep Qt's interfaces, named by the toolkit. Safe to
// call more than once; a QApplication must exist.
void InstallAccessibility();

}  // namespace app::qt
