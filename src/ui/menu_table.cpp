#include "ui/menu_table.hpp"

#include <QMenu>
#include <QMenuBar>

namespace ombrelune {

QAction* addMenuRow(QMenuBar* bar, QMenu*& lastSubmenu, const char* submenu, const char* caption,
                    const char* name) {
    QAction* action = nullptr;
    if (!submenu) {
        action = bar->addAction(QString::fromUtf8(caption));
    } else {
        if (!lastSubmenu || lastSubmenu->title() != QString::fromUtf8(submenu))
            lastSubmenu = bar->addMenu(QString::fromUtf8(submenu));
        action = lastSubmenu->addAction(QString::fromUtf8(caption));
    }
    action->setObjectName(QString::fromUtf8(name));
    return action;
}

} // namespace ombrelune
