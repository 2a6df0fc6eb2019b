// The main window's menus, built from one table.

#include "ui/main_window.hpp"
#include "ui/window_arranger.hpp"

#include <QMenuBar>

#include <map>

namespace ombrelune {
namespace {

struct MainMenuEntry {
    const char* path; // menus from the bar down, "/" apart; empty: an item of the bar itself
    const char* caption;
    const char* name;
    void (*action)(Tprincipalform&); // nullptr: shown greyed, does nothing
    QKeySequence::StandardKey key = QKeySequence::UnknownKey;
};

const MainMenuEntry mainMenu[] = {
    {"fenêtres/nouvelle", "1D", "N1D1", [](Tprincipalform& w) { w.N1D1Click(); }},
    {"fenêtres/nouvelle", "2D", "N1D2", [](Tprincipalform& w) { w.N1D2Click(); }},
    {"fenêtres", "supprimer", "supprimer2", [](Tprincipalform& w) { w.supprimer2Click(); }},
    {"fenêtres/organiser", "mosaïque", "mosaque1", [](Tprincipalform& w) { w.arranger().tile(); }},
    {"fenêtres/organiser", "cascade", "cascade1",
     [](Tprincipalform& w) { w.arranger().cascade(); }},
    {"fenêtres", "disposition par défaut", "dispositionpardefaut1",
     [](Tprincipalform& w) { w.arranger().arrangeDefault(); }},
    {"fenêtres", "sauvegarder config", "sauvegarderconfig1",
     [](Tprincipalform& w) { w.saveLayout(); }},
    {"modules", "Configuration fenêtres", "Configurationfentres1", nullptr},
    {"modules/&Opération", "Addition", "Addition1",
     [](Tprincipalform& w) { w.openOperation(QStringLiteral("+")); }},
    {"modules/&Opération", "Soustraction", "Soustraction1",
     [](Tprincipalform& w) { w.openOperation(QStringLiteral("-")); }},
    {"modules/&Opération", "Multiplication", "Multiplication1",
     [](Tprincipalform& w) { w.openOperation(QStringLiteral("*")); }},
    {"modules/&Opération", "Division", "Division1",
     [](Tprincipalform& w) { w.openOperation(QStringLiteral("/")); }},
    {"&Aide", "&Index", "Index1", [](Tprincipalform& w) { w.Index1Click(); },
     QKeySequence::HelpContents},
    {"&Aide", "&Rechercher...", "Rechercher1", nullptr},
    {"&Aide", "&Utiliser l'aide", "Utiliserlaide1", nullptr},
    {"&Aide", "&A propos...", "Apropos1", [](Tprincipalform& w) { w.Apropos1Click(); }},
    {"", "Bug Report", "BUGREPORT1", nullptr},
};

} // namespace

void Tprincipalform::buildMenus() {
    std::map<QString, QMenu*> menus;
    // The menu of a path, made (with its parents) on first use.
    std::function<QMenu*(const QString&)> menuAt = [&](const QString& path) -> QMenu* {
        if (auto found = menus.find(path); found != menus.end()) return found->second;
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        QMenu* menu = slash < 0 ? menuBar()->addMenu(path)
                                : menuAt(path.left(slash))->addMenu(path.mid(slash + 1));
        return menus[path] = menu;
    };
    for (const MainMenuEntry& entry : mainMenu) {
        const QString path = QString::fromUtf8(entry.path);
        const QString caption = QString::fromUtf8(entry.caption);
        QAction* action =
            path.isEmpty() ? menuBar()->addAction(caption) : menuAt(path)->addAction(caption);
        action->setObjectName(QString::fromUtf8(entry.name));
        action->setEnabled(entry.action != nullptr);
        if (entry.key != QKeySequence::UnknownKey) action->setShortcuts(entry.key);
        if (entry.action)
            connect(action, &QAction::triggered, this, [this, run = entry.action] { run(*this); });
    }
}

} // namespace ombrelune
