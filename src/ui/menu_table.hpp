#pragma once
// Menu bars built from tables of rows (submenu, caption, object name): one place decides
// how rows become actions, so every window's menus behave alike.

class QAction;
class QMenu;
class QMenuBar;

namespace ombrelune {

// Adds one row's action: to the bar itself when `submenu` is null, else to that submenu,
// made anew unless it is `lastSubmenu` (rows of one submenu follow each other). The action
// gets `name` as its object name, so tests and the layout code can find it.
QAction* addMenuRow(QMenuBar* bar, QMenu*& lastSubmenu, const char* submenu, const char* caption,
                    const char* name);

} // namespace ombrelune
