// The editor's pop-up menu, built from one table. Its actions also live on the control,
// so their shortcuts work while the editing area has the focus.

#include "ui/code_editor.hpp"
#include "ui/multimemo.hpp"

#include <QAction>
#include <QMenu>

namespace ombrelune {
namespace {

struct MemoMenuEntry {
    const char* submenu;
    const char* caption; // nullptr: a separator
    void (*action)(tmultimemo&);
    QKeySequence::StandardKey key = QKeySequence::UnknownKey;
};

const MemoMenuEntry memoMenu[] = {
    {"&Fichier", "&Nouveau", [](tmultimemo& m) { m.newPage(); }, QKeySequence::New},
    {"&Fichier", "&ouvrir...", [](tmultimemo& m) { m.openFile(); }, QKeySequence::Open},
    {"&Fichier", "&Insérer...", [](tmultimemo& m) { m.insertFile(); }},
    {"&Fichier", "&Enregistrer", [](tmultimemo& m) { m.save(); }, QKeySequence::Save},
    {"&Fichier", "&Enregistrer sous...", [](tmultimemo& m) { m.saveAs(); }, QKeySequence::SaveAs},
    {"&Fichier", "&Fermer la page", [](tmultimemo& m) { m.closePage(); }, QKeySequence::Close},
    {"&Fichier", nullptr, nullptr},
    {"&Fichier", "&Imprimer", [](tmultimemo& m) { m.print(); }, QKeySequence::Print},
    {"&Fichier", "&Configuration de l'impression...", [](tmultimemo& m) { m.printerSetup(); }},
    {"&Edition", "&Défaire", [](tmultimemo& m) { m.editor()->undo(); }, QKeySequence::Undo},
    {"&Edition", nullptr, nullptr},
    {"&Edition", "Co&pier", [](tmultimemo& m) { m.editor()->copy(); }, QKeySequence::Copy},
    {"&Edition", "C&oller", [](tmultimemo& m) { m.editor()->paste(); }, QKeySequence::Paste},
    {"&Edition", "&Couper", [](tmultimemo& m) { m.editor()->cut(); }, QKeySequence::Cut},
    {"&Edition", nullptr, nullptr},
    {"&Edition", "C&hercher...", [](tmultimemo& m) { m.showFind(); }, QKeySequence::Find},
    {"&Edition", "Re&mplacer...", nullptr},
    {"&Global", "&Effacer tout", [](tmultimemo& m) { m.clearAll(); }},
    {"&Global", "&Chercher..", nullptr},
    {"&Global", "&Sauver tout", [](tmultimemo& m) { m.allPagesToClipboard(); }},
};

} // namespace

void tmultimemo::buildMenu() {
    QMenu* submenu = nullptr;
    QString submenuTitle;
    for (const MemoMenuEntry& entry : memoMenu) {
        const QString title = QString::fromUtf8(entry.submenu);
        if (!submenu || title != submenuTitle) {
            submenu = menu_->addMenu(title);
            submenuTitle = title;
        }
        if (!entry.caption) {
            submenu->addSeparator();
            continue;
        }
        QAction* action = submenu->addAction(QString::fromUtf8(entry.caption));
        // Entries without an action are shown, greyed, so the menu keeps its shape.
        action->setEnabled(entry.action != nullptr);
        if (!entry.action) continue;
        if (entry.key != QKeySequence::UnknownKey) {
            action->setShortcuts(entry.key);
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            addAction(action);
        }
        connect(action, &QAction::triggered, this, [this, run = entry.action] { run(*this); });
    }
}

} // namespace ombrelune
